// Fuzzes the attribute file parser: any bytes against a small text with line ends; whatever it
// accepts must fit the text, and rebuilt with both kinds of marks it must parse to the same marks.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "text/attribute_file.h"

namespace {

using nelvix::AttributeMarks;
using nelvix::AttributeParse;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool SameMarks(const AttributeMarks& a, const AttributeMarks& b) {
    if (a.lineMarks != b.lineMarks || a.stringMarks.size() != b.stringMarks.size())
        return false;
    for (std::size_t i = 0; i < a.stringMarks.size(); ++i) {
        const nelvix::StringMark& x = a.stringMarks[i];
        const nelvix::StringMark& y = b.stringMarks[i];
        if (x.offset != y.offset || x.length != y.length || x.text != y.text)
            return false;
    }
    return true;
}

void CheckFitsText(const AttributeMarks& marks, std::string_view text) {
    Check(marks.lineMarks.size() <= nelvix::kMaxMarks);
    Check(marks.stringMarks.size() <= nelvix::kMaxMarks);
    for (std::size_t i = 0; i < marks.lineMarks.size(); ++i) {
        const std::uint32_t mark = marks.lineMarks[i];
        Check(mark == nelvix::kFirstLineMark || (mark < text.size() && text[mark] == '\r'));
        // In line order without repeats: the first line's mark comes first.
        if (i > 0)
            Check(marks.lineMarks[i - 1] + 2u < mark + 2u);
    }
    for (const nelvix::StringMark& mark : marks.stringMarks) {
        Check(mark.offset < text.size());
        Check(mark.length == mark.text.size());
        Check(mark.length >= 1 && mark.length <= nelvix::kMaxStringMarkBytes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::string_view kText = "ab\r\n\x95\x5c\r\n\r\ncd\r\nef\r\n";
    // The magic is given, so that every run reaches the marks.
    std::vector<nelvix::Byte> image(nelvix::kAttributeMagic.begin(), nelvix::kAttributeMagic.end());
    image.insert(image.end(), data, data + std::min(size, nelvix::kAttributeReadLimit));

    AttributeMarks marks;
    const AttributeParse result =
        nelvix::ParseAttributeImage(image.data(), image.size(), kText, marks);
    if (result != AttributeParse::Valid) {
        Check(marks.lineMarks.empty() && marks.stringMarks.empty());
        return 0;
    }
    CheckFitsText(marks, kText);

    const std::vector<nelvix::Byte> rebuilt = nelvix::BuildAttributeImage(marks, true, true);
    AttributeMarks again;
    Check(nelvix::ParseAttributeImage(rebuilt.data(), rebuilt.size(), kText, again) ==
          AttributeParse::Valid);
    Check(SameMarks(marks, again));
    return 0;
}
