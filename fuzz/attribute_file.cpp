// Fuzzes the attribute file parser: any bytes against a small text with line ends; whatever it
// accepts must fit the text, and rebuilt with both kinds of marks it must parse to the same marks.
#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

#include "fuzz_check.h"
#include "text/attribute_file.h"

using nelvix::AttributeMarks;
using nelvix::AttributeParse;
using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::string_view kText = "ab\r\n\x95\x5c\r\n\r\ncd\r\nef\r\n";
    // The magic is given, so that every run reaches the marks.
    std::vector<nelvix::Byte> image(nelvix::kAttributeMagic.begin(), nelvix::kAttributeMagic.end());
    image.insert(image.end(), data, data + std::min(size, nelvix::kAttributeReadLimit));

    AttributeMarks marks;
    if (nelvix::ParseAttributeImage(image.data(), image.size(), kText, marks) !=
        AttributeParse::Valid) {
        Check(marks.lineMarks.empty() && marks.stringMarks.empty());
        return 0;
    }
    Check(marks.lineMarks.size() <= nelvix::kMaxMarks);
    Check(marks.stringMarks.size() <= nelvix::kMaxMarks);
    for (std::size_t i = 0; i < marks.lineMarks.size(); ++i) {
        const std::uint32_t mark = marks.lineMarks[i];
        Check(mark == nelvix::kFirstLineMark || (mark < kText.size() && kText[mark] == '\r'));
        // In line order without repeats: the first line's mark comes first.
        Check(i == 0 || marks.lineMarks[i - 1] + 2u < mark + 2u);
    }
    for (const nelvix::StringMark& mark : marks.stringMarks)
        Check(mark.offset < kText.size() && mark.length == mark.text.size() && mark.length >= 1 &&
              mark.length <= nelvix::kMaxStringMarkBytes);

    const std::vector<nelvix::Byte> rebuilt = nelvix::BuildAttributeImage(marks, true, true);
    AttributeMarks again;
    Check(nelvix::ParseAttributeImage(rebuilt.data(), rebuilt.size(), kText, again) ==
          AttributeParse::Valid);
    const auto key = [](const nelvix::StringMark& m) {
        return std::tie(m.offset, m.length, m.text);
    };
    Check(again.lineMarks == marks.lineMarks &&
          std::ranges::equal(again.stringMarks, marks.stringMarks, {}, key, key));
    return 0;
}
