// Standard output gathered into large writes.
#include "cli/io/gathered_output.h"

namespace nelvix::cli {
namespace {

constexpr std::size_t kWriteBytes = 64 * 1024;

} // namespace

GatheredOutput::GatheredOutput(std::ostream& out, std::size_t lineBytes) : m_out(out) {
    m_buffer.reserve(kWriteBytes + lineBytes);
}

void GatheredOutput::WriteWhenFull() {
    if (m_buffer.size() >= kWriteBytes)
        Write();
}

void GatheredOutput::Write() {
    if (!m_failed && !m_buffer.empty())
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
    if (!m_out)
        m_failed = true;
}

bool GatheredOutput::Flush() {
    Write();
    m_out.flush();
    if (!m_out)
        m_failed = true;
    return !m_failed;
}

} // namespace nelvix::cli
