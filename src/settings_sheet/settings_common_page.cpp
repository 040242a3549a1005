// The settings sheet's common page.
#include "settings_sheet/settings_common_page.h"

#include <array>
#include <optional>

namespace nelvix {

namespace {

/// A number field's text and where its value goes.
struct CommonNumber {
    std::string CommonPageFields::*text;
    int CommonSettings::*value;
    IntegerRange range;
    SetField field;
};

constexpr std::array<CommonNumber, 4> kNumbers{{
    {&CommonPageFields::scrollLineCount, &CommonSettings::scrollLineCount, kScrollLineCountRange,
     SetField::ScrollLineCount},
    {&CommonPageFields::titleViewLength, &CommonSettings::titleViewLength, kViewLengthRange,
     SetField::TitleViewLength},
    {&CommonPageFields::linkViewLength, &CommonSettings::linkViewLength, kViewLengthRange,
     SetField::LinkViewLength},
    {&CommonPageFields::linkJumpViewLength, &CommonSettings::linkJumpViewLength, kViewLengthRange,
     SetField::LinkJumpViewLength},
}};

} // namespace

void SetCommonPageModel::Open(const CommonSettings& settings) {
    m_fields.invokeGlobalFind = settings.invokeGlobalFind;
    m_fields.copySelection = settings.copySelection;
    m_fields.runBrowser = settings.runType == 1;
    m_fields.codeItem = settings.codeDecision >= 0 && settings.codeDecision < kCodeDecisionItems
                            ? settings.codeDecision
                            : -1;
    m_fields.displayTabBar = settings.displayTabBar;
    m_fields.tabBarToTop = settings.tabBarToTop;
    m_fields.multiText = settings.multiText;
    m_fields.displayGlobalFindResult = settings.displayGlobalFindResult;
    m_fields.colorFoundLine = settings.colorFoundLine;
    m_fields.separatedPlacement = settings.separatedPlacement;
    for (const CommonNumber& number : kNumbers)
        m_fields.*number.text = std::to_string(settings.*number.value);
}

SetField SetCommonPageModel::Check(ui::Platform& platform) const {
    for (const CommonNumber& number : kNumbers)
        if (!ReadIntegerField(platform, m_fields.*number.text, number.range))
            return number.field;
    return SetField::None;
}

CommonSettings SetCommonPageModel::Values() const {
    CommonSettings settings;
    settings.invokeGlobalFind = m_fields.invokeGlobalFind;
    settings.copySelection = m_fields.copySelection;
    settings.runType = m_fields.runBrowser ? 1 : 0;
    settings.codeDecision = m_fields.codeItem;
    settings.displayTabBar = m_fields.displayTabBar;
    settings.tabBarToTop = m_fields.tabBarToTop;
    settings.multiText = m_fields.multiText;
    settings.displayGlobalFindResult = m_fields.displayGlobalFindResult;
    settings.colorFoundLine = m_fields.colorFoundLine;
    settings.separatedPlacement = m_fields.separatedPlacement;
    for (const CommonNumber& number : kNumbers)
        settings.*number.value = IntegerFieldOr(m_fields.*number.text, settings.*number.value);
    return settings;
}

} // namespace nelvix
