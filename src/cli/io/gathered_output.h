// Standard output gathered into large writes, so that a run with a million result lines is not
// a million writes; a failed write is remembered and ends the run.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace nelvix::cli {

class GatheredOutput {
public:
    /// `lineBytes` is the most one line can add past a full buffer.
    GatheredOutput(std::ostream& out, std::size_t lineBytes);

    /// The bytes gathered so far; lines are appended here.
    std::string& Buffer() { return m_buffer; }
    /// Writes the buffer once it holds a write's worth.
    void WriteWhenFull();
    /// Writes what is gathered and flushes; false when any write failed.
    bool Flush();
    bool Failed() const { return m_failed; }

private:
    void Write();

    std::ostream& m_out;
    std::string m_buffer;
    bool m_failed = false;
};

} // namespace nelvix::cli
