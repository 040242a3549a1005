// A text held in memory as the extraction engine reads it: lines that end after each CR LF.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "extract/extraction_engine.h"

namespace nelvix::cli {

class TextLines final : public ExtractionText {
public:
    /// `sjisText` must outlive the object. A last line without CR LF is a line too.
    explicit TextLines(std::string_view sjisText);

    std::size_t LineCount() const override { return m_starts.size(); }
    std::optional<std::string_view> Line(std::size_t line) override;

private:
    std::string_view m_text;
    std::vector<std::size_t> m_starts;
};

} // namespace nelvix::cli
