// The extraction parameter sheet "行の抽出" / "グローバル抽出": the pages "ﾊﾟﾗﾒｰﾀ", "ｽﾃｯﾌﾟ1",
// "ｽﾃｯﾌﾟ2" and, for global extraction, "ﾌｧｲﾙ", with "実行", "キャンセル", "適用" and "ヘルプ".
// Every rule is the sheet model's; the sheet shows it and hands it what the person does.
#pragma once

#include <QDialog>

#include <functional>

#include "extract/extraction_sheet.h"
#include "extract/extraction_sheet_model.h"

namespace nelvix {
class SpinLibrary;
}
namespace nelvix::ui {
struct Platform;
class HelpViewer;
} // namespace nelvix::ui

class QPushButton;
class QTabWidget;

namespace nelvix::qt {

class CExtSetPage;
class CExtStep1Page;
class CExtStep2Page;
class CExtFilePage;

class CExtPS final : public QDialog, public ExtractionSheet {
    Q_OBJECT
public:
    /// Beeps go through `platform`, "ヘルプ" through `help`. The number fields follow `spin` once
    /// it is loaded (it may be null, or loaded after the sheet is built); without it they take
    /// plain digits.
    CExtPS(ui::Platform& platform, ui::HelpViewer& help, const SpinLibrary* spin,
           QWidget* parent = nullptr);

    /// Modal; see ExtractionSheet.
    std::optional<ExtractionSheetValues>
    Ask(ExtractionSheetKind kind, const ExtractionSheetValues& initial,
        const std::vector<std::string>& history, int& page,
        const std::function<void(const ExtractionSheetValues&)>& apply) override;

    /// "実行": the sheet's checks; a refusal keeps the sheet open on the refusing page.
    void accept() override;
    /// "適用".
    void Apply();

    const ExtSheetModel& Model() const { return m_model; }

private:
    /// The person turned to another tab: a refusal of the page being left turns back to it.
    void TabChanged(int index);
    /// Shows the model's active page and selects the field a refusal names.
    void ShowRefusal(const ExtCheck& check);
    void ShowActivePage();
    void PageChanged();

    ui::Platform& m_platform;
    ui::HelpViewer& m_help;
    ExtractionSheetKind m_kind = ExtractionSheetKind::Line;
    ExtSheetModel m_model;
    QTabWidget* m_tabs;
    CExtSetPage* m_setPage;
    CExtStep1Page* m_step1Page;
    CExtStep2Page* m_step2Page;
    CExtFilePage* m_filePage;
    QPushButton* m_apply;
    const std::function<void(const ExtractionSheetValues&)>* m_applyCallback = nullptr;
    bool m_turning = false;
};

} // namespace nelvix::qt
