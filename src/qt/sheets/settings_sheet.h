// The settings sheet "設定": the pages "共通  ", "書式  ", "ｶﾗｰ", "ｴﾃﾞｨﾀ" and "ﾌﾞﾗｳｻﾞ" with OK,
// "キャンセル" and "ヘルプ". Every rule is the sheet model's; the sheet shows it and hands it what
// the person does.
#pragma once

#include <QDialog>

#include "settings_sheet/settings_sheet.h"
#include "settings_sheet/settings_sheet_model.h"

namespace nelvix {
class SpinLibrary;
}
namespace nelvix::ui {
class HelpViewer;
struct Platform;
} // namespace nelvix::ui

class QTabWidget;

namespace nelvix::qt {

class CBrowserPage;
class CColourPage;
class CCommonPage;
class CEditorPage;
class CFormatPage;
class CToolPage;

class CSetPS final : public QDialog, public SettingsSheet {
    Q_OBJECT
public:
    /// Messages and beeps go through `platform`, "ヘルプ" through `help`. The number fields
    /// follow `spin` once it is loaded (it may be null, or loaded after the sheet is built);
    /// without it they take plain digits. `programExists` checks a tool page's program.
    CSetPS(ui::Platform& platform, const SpinLibrary* spin, ui::HelpViewer& help,
           QWidget* parent = nullptr, ProgramExists programExists = ProgramFileExists);

    /// Modal; see SettingsSheet.
    std::optional<SettingsSheetValues> Ask(const SettingsSheetValues& initial, int& page) override;

    /// OK: the sheet's checks; a refusal keeps the sheet open on the refusing field.
    void accept() override;
    /// "ヘルプ": the help topic of the active page.
    void ShowHelp();

    const SettingsSheetModel& Model() const { return m_model; }

private:
    void TakeAll();
    void ShowRefusal(const SetCheck& check);
    CToolPage* ToolPage(int page) const;

    ui::Platform& m_platform;
    ui::HelpViewer& m_help;
    ProgramExists m_programExists;
    SettingsSheetModel m_model;
    QTabWidget* m_tabs;
    CCommonPage* m_commonPage;
    CFormatPage* m_formatPage;
    CColourPage* m_colourPage;
    CEditorPage* m_editorPage;
    CBrowserPage* m_browserPage;
    bool m_turning = false;
};

} // namespace nelvix::qt
