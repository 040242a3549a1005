// The "ﾊﾟﾗﾒｰﾀ" page of the extraction sheet: run step, options and separator,
// on a copy of the rule set's fields and the two extraction settings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "extract/extraction_sheet.h"

namespace nelvix {

/// Run-step buttons: "ｽﾃｯﾌﾟ1--->ｽﾃｯﾌﾟ2", "ｽﾃｯﾌﾟ1", "ｽﾃｯﾌﾟ2".
inline constexpr int kRunStepBoth = 0;
inline constexpr int kRunStep1 = 1;
inline constexpr int kRunStep2 = 2;

/// The button of a run mode; any mode other than 3 or 1 shows "ｽﾃｯﾌﾟ2".
int RunStepIndexFromMode(RunMode runMode);
/// The run mode of a button; an index outside 0..2 counts as "ｽﾃｯﾌﾟ2".
RunMode RunModeFromStepIndex(int index);

/// The checks of the page.
enum class ExtSetCheck {
    DisplayWhileExtracting, ///< "表示しながら抽出する": the inverse of
                            ///< hideWhileExtracting
    ShowInfo,               ///< "抽出情報を表示する"
    AddSeparator,           ///< "ｾﾊﾟﾚｰﾀを付加する"
    CaseSensitive,          ///< "大文字／小文字を区別する"
    UseRegex,               ///< "正規表現を使用する"
    WidthSensitive,         ///< "半角と全角を区別する"
    RecordOperation,        ///< "操作を記録する"
    CopyToClipboard,        ///< "結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞへも出力する"
};
inline constexpr int kExtSetCheckCount = 8;

class ExtSetPageModel {
public:
    void Fill(const ExtractionSheetValues& values);
    void ReadBack(ExtractionSheetValues& values) const;

    int RunStep() const { return m_runStep; }
    bool Check(ExtSetCheck check) const { return m_checks[Index(check)]; }
    /// Shift-JIS, at most 80 bytes.
    const std::string& Separator() const { return m_separator; }

    /// A run-step button was pressed.
    void SetRunStep(int index);
    void SetCheck(ExtSetCheck check, bool on);
    /// The separator edit changed; what lies beyond 80 bytes (on a whole
    /// character) is cut.
    void SetSeparator(std::string_view sjisText);

    bool Modified() const { return m_modified; }
    void ClearModified() { m_modified = false; }

private:
    static std::size_t Index(ExtSetCheck check) { return static_cast<std::size_t>(check); }

    int m_runStep = kRunStepBoth;
    bool m_checks[kExtSetCheckCount] = {};
    std::string m_separator;
    bool m_modified = false;
};

} // namespace nelvix
