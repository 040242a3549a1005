// The extraction parameter sheet as the extraction commands see it: the values it edits, and
// the dialog that shows it (the Qt sheet, or a scripted one in tests).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/limits.h"
#include "extract/extraction_rules.h"

namespace nelvix {

/// The extraction file history: at most 20 patterns, most recent first, and the subdirectory
/// flag of global extraction.
inline constexpr std::size_t kExtractionHistoryEntries = 20;

struct ExtractionFileHistory {
    bool subdirectories = true;
    std::vector<std::string> patterns; ///< Shift-JIS
    bool operator==(const ExtractionFileHistory&) const = default;
};

/// Everything the sheet's pages edit.
struct ExtractionSheetValues {
    ExtractionRules rules;
    bool recordOperation = false; ///< the "RecordExtractOperation" setting
    bool copyToClipboard = false; ///< the "CopyToClipboardAfterExtract" setting
    // The file page (global extraction only).
    std::string filePattern; ///< Shift-JIS
    bool subdirectories = true;
    bool operator==(const ExtractionSheetValues&) const = default;
};

/// Titles of the two sheets; line extraction's has no file page.
enum class ExtractionSheetKind { Line, Global };

/// Page indexes of the sheet.
inline constexpr int kExtSetPage = 0;
inline constexpr int kExtStep1Page = 1;
inline constexpr int kExtStep2Page = 2;
inline constexpr int kExtFilePage = 3;

class ExtractionSheet {
public:
    virtual ~ExtractionSheet() = default;
    /// Shows the sheet modally, opened on `page`; on return `page` is the page that was active
    /// when it closed. `history` fills the file page's list. `apply` runs for each use of the
    /// apply button with the values read back from every page. The values on "実行" (OK),
    /// nothing on cancel.
    virtual std::optional<ExtractionSheetValues>
    Ask(ExtractionSheetKind kind, const ExtractionSheetValues& initial,
        const std::vector<std::string>& history, int& page,
        const std::function<void(const ExtractionSheetValues&)>& apply) = 0;
};

} // namespace nelvix
