// The common page "共通  " of the settings sheet: nine check boxes, the code list and four
// number fields over the fourteen common settings.
#pragma once

#include <string>

#include "settings_sheet/settings_fields.h"
#include "settings_sheet/settings_sheet.h"

namespace nelvix {

/// Items of the code list "ｺｰﾄﾞ": "自動判定", "ｼﾌﾄJIS", "JIS", "EUC".
inline constexpr int kCodeDecisionItems = 4;

/// The page's controls as the person sets them; number fields hold their text as typed.
struct CommonPageFields {
    bool invokeGlobalFind = false;
    bool copySelection = false;
    std::string scrollLineCount;
    bool runBrowser = false; ///< "RunType" 1
    int codeItem = 0;        ///< item of the code list; -1 with none chosen
    bool displayTabBar = false;
    bool tabBarToTop = false; ///< takes effect at the next start
    bool multiText = false;
    bool displayGlobalFindResult = false;
    std::string titleViewLength;
    std::string linkViewLength;
    std::string linkJumpViewLength;
    bool colorFoundLine = false;
    bool separatedPlacement = false;
    bool operator==(const CommonPageFields&) const = default;
};

class SetCommonPageModel {
public:
    void Open(const CommonSettings& settings);
    CommonPageFields& Fields() { return m_fields; }
    const CommonPageFields& Fields() const { return m_fields; }

    /// The range checks of the number fields in the page's order: "１回当たりのｽｸﾛｰﾙ行数"
    /// 1..10, then the three HTML lengths 10..80. The first refusal shows its message and
    /// names its field; SetField::None when every field passed.
    SetField Check(ui::Platform& platform) const;
    /// The settings after a passing Check; the code item goes as it is (storing makes one
    /// outside the list 0).
    CommonSettings Values() const;

private:
    CommonPageFields m_fields;
};

} // namespace nelvix
