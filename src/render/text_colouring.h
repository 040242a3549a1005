// The colour of every byte of a painted range: keywords, comments and marked strings, and the
// runs of one colour that a row is drawn in, with marked lines and the tag target line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "render/text_paint_input.h"
#include "ui/colour.h"

namespace nelvix {

/// 0 for the normal colours, a palette index for a foreground role, or a palette index with
/// kBackgroundFlag for a background role.
using ColourCode = std::uint16_t;

/// Bytes coloured (and painted) at once; the buffer of codes is this long.
inline constexpr std::uint32_t kMaxPaintBytes = 30'720;
/// Bytes drawn by one text call at most.
inline constexpr std::size_t kMaxRunBytes = 250;
/// Entries of a keyword list that take part; the cabinet holds at most 200 user keywords.
inline constexpr std::size_t kMaxKeywordsPerList = 256;
/// How far before an insertion a keyword may start and still reach it.
inline constexpr std::uint32_t kRepaintLookBack = 30;

/// Fills codes[0 .. end - first) with the colour codes of the bytes [first, end). A keyword
/// is coloured wherever it overlaps the range, so a row painted alone looks as it does
/// painted with its neighbours. False, with nothing written, when the range lies outside the
/// text or is longer than `codes`.
bool ColourRange(const TextPaintInput& input, std::uint32_t first, std::uint32_t end,
                 std::span<ColourCode> codes);

/// How the background of a whole row is overridden.
enum class RowHighlight : std::uint8_t { None, MarkedLine, TagTarget };

/// The tag target line wins over a marked line. `tagTargetLine` is the offset of the CR before
/// the line, -2 for the first line, -1 for none.
RowHighlight HighlightOfRow(const TextPaintInput& input, std::int64_t tagTargetLine,
                            std::uint32_t row);

enum class RunKind : std::uint8_t { Text, LineEnd, Tab, Control };

/// Characters of one row drawn with one call: one colour code, at most kMaxRunBytes.
struct ColourRun {
    std::uint32_t offset = 0;
    std::uint16_t length = 0; ///< bytes
    std::uint16_t cells = 0;
    int column = 0; ///< cells from the row start to the run
    ColourCode code = 0;
    RunKind kind = RunKind::Text;
    ui::Colour foreground = 0;
    ui::Colour background = 0;
    /// The background reaches only under the run's own cells (a background role), not to the
    /// right end of the text area.
    bool OwnCellsOnly() const { return (code & kBackgroundFlag) != 0; }
};

/// Where cutting a row into runs has got to: a character start and its cell column.
struct RunCursor {
    std::uint32_t offset = 0;
    int column = 0;
};

/// Moves `cursor` over the whole characters of its row that start before `offset`, counting
/// their cells.
void AdvanceCursor(const TextPaintInput& input, RunCursor& cursor, std::uint32_t offset);

/// What a row's runs are cut from: `codes[i]` is the code of byte `codesFirst + i`.
struct RowColouring {
    std::span<const ColourCode> codes;
    std::uint32_t codesFirst = 0;
    RowHighlight highlight = RowHighlight::None;
    bool swap = false; ///< text and background colours exchanged (inside a selection)
};

/// Cuts the characters from `cursor` up to `end` (within one row and within the codes) into
/// runs, advancing `cursor`; returns how many were written, fewer than asked when `runs` is
/// full or the codes run out.
std::size_t CutRuns(const TextPaintInput& input, const RowColouring& colouring, RunCursor& cursor,
                    std::uint32_t end, std::span<ColourRun> runs);

/// The earliest offset whose colour may change when text is inserted at `offset`: the start
/// of a keyword reaching it, of a marked string holding it, or of a comment pair it splits.
std::uint32_t RepaintStart(const TextPaintInput& input, std::uint32_t offset);

} // namespace nelvix
