// Fuzzes the find in a text on random texts, patterns, options, carets, selections and search
// ranges: a hit lies whole inside the range, the plain search never starts on a second byte,
// and the selection the find sets lies inside the text.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "find/find_dialog_model.h"
#include "find/line_jump.h"
#include "find/text_find.h"
#include "fuzz_check.h"
#include "render/status_panes.h"
#include "ui/fake_platform.h"

namespace {

using nelvix::fuzz::Check;

using nelvix::Byte;
using nelvix::ByteRange;

std::vector<bool> CharStarts(const Byte* text, std::uint32_t length) {
    std::vector<bool> starts(length + 1, false);
    for (std::uint32_t at = 0; at < length;) {
        starts[at] = true;
        const bool crLf = text[at] == nelvix::kCr && at + 1 < length && text[at + 1] == nelvix::kLf;
        at += nelvix::IsLeadByte(text[at]) || crLf ? 2 : 1;
    }
    starts[length] = true;
    return starts;
}

/// The character start at or before `offset`.
std::uint32_t StartAtOrBefore(const std::vector<bool>& starts, std::uint32_t offset) {
    while (offset > 0 && !starts[offset])
        --offset;
    return offset;
}

struct Target final : nelvix::FindTarget {
    const Byte* text = nullptr;
    std::uint32_t length = 0;
    std::uint32_t caret = 0;
    bool beyond = false;
    bool inFoundLine = false;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> selection;
    std::optional<ByteRange> range;

    const Byte* Text() const override { return text; }
    std::uint32_t TextLength() const override { return length; }
    std::uint32_t CaretOffset() const override { return caret; }
    bool CaretBeyondRowEnd() const override { return beyond; }
    std::optional<std::pair<std::uint32_t, std::uint32_t>> StreamSelection() const override {
        return selection;
    }
    void SelectRange(std::uint32_t first, std::uint32_t last) override {
        Check(first <= last && last < length);
        selection = std::pair{first, last};
    }
    void CancelSelection() override { selection.reset(); }
    void CancelBoxSelection() override {}
    std::optional<ByteRange> SearchRange() const override { return range; }
    void SetSearchRange(std::optional<ByteRange> value) override {
        Check(!value || (value->start < value->end && value->end <= length));
        range = value;
    }
    bool CaretInFoundLine() const override { return inFoundLine; }
    void SetFoundLine(std::uint32_t offset) override { Check(offset < length); }
    void ShowOffset(std::uint32_t offset) override {
        Check(offset < length);
        caret = offset;
    }
    void JumpToRow(std::uint32_t) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Flags, caret, selection start and end, range start and end, pattern length, pattern, text.
    constexpr std::size_t kHead = 7;
    if (size < kHead)
        return 0;
    const Byte flags = data[0];
    const std::size_t patternLength = std::min<std::size_t>(data[6], size - kHead);
    const std::string pattern(reinterpret_cast<const char*>(data + kHead), patternLength);
    const auto length = static_cast<std::uint32_t>(size - kHead - patternLength);
    const auto block = std::make_unique<Byte[]>(length + 1);
    std::copy(data + kHead + patternLength, data + size, block.get());
    const Byte* text = block.get();
    const std::vector<bool> starts = CharStarts(text, length);
    const auto at = [&](Byte b) {
        return StartAtOrBefore(starts, length == 0 ? 0 : b % (length + 1));
    };

    nelvix::SearchOptions options{(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0,
                                  (flags & 8) != 0};
    const bool down = (flags & 16) != 0;
    ByteRange range{at(data[4]), at(data[5])};
    if (range.end <= range.start)
        range = ByteRange{0, length};
    const std::uint32_t start = at(data[1]);
    if (const auto hit = nelvix::SearchText(text, range, start, pattern, down, options)) {
        Check(hit->length > 0 && hit->offset >= range.start &&
              hit->offset + hit->length <= range.end);
        if (nelvix::UsesPlainSearch(options))
            Check(starts[hit->offset] && hit->length == pattern.size());
    }

    nelvix::ui::FakePlatform fake;
    std::vector<std::string> entries;
    nelvix::FindHistory history(entries);
    bool storedDown = true;
    const nelvix::TextFindSettings settings{(flags & 32) != 0, (flags & 64) != 0, options.multiText,
                                            true};
    nelvix::TextFind find(fake.platform, {options, storedDown, history}, settings, {});
    Target target;
    target.text = text;
    target.length = length;
    target.caret = start;
    target.beyond = (flags & 128) != 0;
    target.inFoundLine = (data[2] & 1) != 0;
    // Selections and ranges may be stale, as after the text changed under them.
    if (data[2] & 2)
        target.selection = std::pair{std::uint32_t{data[2]} / 2, std::uint32_t{data[3]}};
    if (data[3] & 1)
        target.range = ByteRange{data[4], data[5]};
    find.FindWithBox(
        target, pattern,
        static_cast<nelvix::FindBoxCommand>(data[3] & 2 ? 32822 : (data[3] & 4 ? 32792 : 195)),
        (data[2] & 4) != 0, false);
    nelvix::FindDialogModel dialog(find);
    if (const auto fields = dialog.Open(target))
        dialog.OnFindNext(target, *fields);
    dialog.OnClose(target);

    if (const auto number = nelvix::ParseLineNumber(pattern))
        Check(*number >= 1 && *number <= 99'999);
    const auto panes = nelvix::FormatPositionPanes(start, data[1] * 997u);
    Check(panes.column.size() == 3 && (panes.columnLow.size() == 3 || panes.columnLow == " "));
    return 0;
}
