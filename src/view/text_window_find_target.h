// The text window as the find, line-jump and double-click commands see it.
#pragma once

#include <optional>

#include "find/find_target.h"
#include "view/text_window.h"

namespace nelvix {

/// One per text window; it also keeps the window's search range, which a find limited to a
/// selection sets and closing the find dialog clears.
class TextWindowFindTarget final : public FindTarget {
public:
    explicit TextWindowFindTarget(CKespoEV& window) : m_window(window) {}

    const Byte* Text() const override;
    std::uint32_t TextLength() const override;
    std::uint32_t CaretOffset() const override { return m_window.CaretOffset(); }
    bool CaretBeyondRowEnd() const override;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> StreamSelection() const override;
    void SelectRange(std::uint32_t first, std::uint32_t last) override;
    void CancelSelection() override { m_window.CancelSelection(); }
    void CancelBoxSelection() override;
    std::optional<ByteRange> SearchRange() const override;
    void SetSearchRange(std::optional<ByteRange> range) override { m_searchRange = range; }
    bool CaretInFoundLine() const override;
    void SetFoundLine(std::uint32_t offset) override;
    void ShowOffset(std::uint32_t offset) override;
    void JumpToRow(std::uint32_t row) override;

private:
    /// The first row of the line holding `offset`.
    std::uint32_t LineStartRow(std::uint32_t offset) const;

    CKespoEV& m_window;
    std::optional<ByteRange> m_searchRange;
};

} // namespace nelvix
