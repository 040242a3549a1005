// Fuzzes the HTML scanner over any bytes: the title of the head, every link of the text and the
// columns they are fitted into. Titles and link texts are single lines within their limits,
// targets come from the text, each anchor gives at most one link, and a fitted column has its
// width and never ends in half a character.
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "search/html_scan.h"
#include "search/html_search_run.h"
#include "ui/fake_platform.h"

namespace {

using nelvix::fuzz::Check;

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n\t") != std::string_view::npos;
}

/// A fitted column has its width: the text padded with blanks, or its longest prefix of whole
/// characters within the width, padded.
void CheckFitted(std::string_view text, int width) {
    const std::string fitted = nelvix::FitColumn(text, width);
    const std::size_t columns = width < 0 ? 0 : static_cast<std::size_t>(width);
    Check(fitted.size() == columns);
    const auto* bytes = reinterpret_cast<const nelvix::Byte*>(text.data());
    std::size_t kept = 0;
    while (kept < text.size() && nelvix::NextCharOffset(bytes, text.size(), kept) <= columns)
        kept = nelvix::NextCharOffset(bytes, text.size(), kept);
    Check(fitted.compare(0, kept, text, 0, kept) == 0);
    Check(fitted.find_first_not_of(' ', kept) == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte is a column width, signed so that widths below 1 are covered too.
    const int width = static_cast<std::int8_t>(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string title = nelvix::HtmlTitleOfText(text.substr(0, nelvix::kHtmlHeadBytes));
    Check(title.size() <= nelvix::kHtmlTitleMaxBytes);
    Check(!HasLineBreak(title));
    CheckFitted(title, width);

    nelvix::ui::FakePlatform fake;
    const nelvix::EngineEnvironment environment{fake.platform};
    nelvix::HtmlLinkScanner scanner(environment);
    const nelvix::HtmlColumns columns{width, width, width};
    std::size_t links = 0;
    for (std::optional<nelvix::HtmlLink> link = scanner.ReadFirstLinkOfText(std::string(text));
         link; link = scanner.ReadNextLink()) {
        Check(++links <= text.size() / 4);
        Check(!link->text.empty() && !HasLineBreak(link->text));
        Check(!link->target.empty() && text.find(link->target) != std::string_view::npos);
        Check(link->target.find_first_of(" \"\r\n\t") == std::string::npos);
        CheckFitted(link->text, width);
        const std::string line = nelvix::HtmlLinkLine(link->text, link->target, columns);
        Check(line.ends_with("\r\n") && line.find("\r\n") == line.size() - 2);
    }
    Check(!scanner.HoldsText());
    return 0;
}
