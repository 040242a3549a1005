// A text window for the find tests: a text, a caret, a selection and a search range in fields.
#pragma once

#include <string>
#include <vector>

#include "find/find_target.h"

namespace nelvix::test {

struct FakeFindTarget final : FindTarget {
    explicit FakeFindTarget(std::string bytes) : text(std::move(bytes)) {}

    const Byte* Text() const override { return reinterpret_cast<const Byte*>(text.data()); }
    std::uint32_t TextLength() const override { return static_cast<std::uint32_t>(text.size()); }
    std::uint32_t CaretOffset() const override { return caret; }
    bool CaretBeyondRowEnd() const override { return beyondRowEnd; }
    std::optional<std::pair<std::uint32_t, std::uint32_t>> StreamSelection() const override {
        return selection;
    }
    void SelectRange(std::uint32_t first, std::uint32_t last) override {
        selection = std::pair{first, last};
    }
    void CancelSelection() override { selection.reset(); }
    void CancelBoxSelection() override { ++boxCancels; }
    std::optional<ByteRange> SearchRange() const override { return range; }
    void SetSearchRange(std::optional<ByteRange> value) override { range = value; }
    bool CaretInFoundLine() const override { return foundLine && *foundLine == caret; }
    void SetFoundLine(std::uint32_t offset) override { foundLine = offset; }
    void ShowOffset(std::uint32_t offset) override { caret = offset; }
    void JumpToRow(std::uint32_t row) override { jumpedRows.push_back(row); }

    std::string text;
    std::uint32_t caret = 0;
    bool beyondRowEnd = false;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> selection;
    std::optional<ByteRange> range;
    /// The offset of the last hit shown as the found line (a one-offset "line" is enough here).
    std::optional<std::uint32_t> foundLine;
    int boxCancels = 0;
    std::vector<std::uint32_t> jumpedRows;
};

} // namespace nelvix::test
