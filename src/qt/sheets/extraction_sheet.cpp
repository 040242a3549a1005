// The extraction parameter sheet.
#include "qt/sheets/extraction_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "qt/platform/convert.h"
#include "qt/sheets/extraction_file_page.h"
#include "qt/sheets/extraction_set_page.h"
#include "qt/sheets/extraction_step1_page.h"
#include "qt/sheets/extraction_step2_page.h"
#include "record/command_table.h"
#include "ui/frame_services.h"
#include "ui/platform.h"

namespace nelvix::qt {

CExtPS::CExtPS(ui::Platform& platform, ui::HelpViewer& help, const SpinLibrary* spin,
               QWidget* parent)
    : QDialog(parent), m_platform(platform), m_help(help), m_model(platform.beeper),
      m_tabs(new QTabWidget(this)), m_setPage(new CExtSetPage(m_model.SetPage(), this)),
      m_step1Page(new CExtStep1Page(m_model.Step1Page(), platform.beeper, spin, this)),
      m_step2Page(new CExtStep2Page(m_model.Step2Page(), platform.beeper, spin, this)),
      m_filePage(new CExtFilePage(m_model.FilePage(), this)) {
    setObjectName(QStringLiteral("extPS"));
    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->addTab(m_setPage, QStringLiteral("ﾊﾟﾗﾒｰﾀ"));
    m_tabs->addTab(m_step1Page, QStringLiteral("ｽﾃｯﾌﾟ1"));
    m_tabs->addTab(m_step2Page, QStringLiteral("ｽﾃｯﾌﾟ2"));
    m_tabs->addTab(m_filePage, QStringLiteral("ﾌｧｲﾙ"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("実行"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    m_apply = buttons->addButton(QStringLiteral("適用"), QDialogButtonBox::ApplyRole);
    m_apply->setObjectName(QStringLiteral("apply"));
    QPushButton* helpButton =
        buttons->addButton(QStringLiteral("ヘルプ"), QDialogButtonBox::HelpRole);
    helpButton->setObjectName(QStringLiteral("help"));
    helpButton->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &CExtPS::Apply);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        m_help.ShowTopic(m_kind == ExtractionSheetKind::Global ? kCmdGlobalExtraction
                                                               : kCmdLineExtraction);
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &CExtPS::TabChanged);
    connect(m_setPage, &CExtSetPage::Changed, this, &CExtPS::PageChanged);
    connect(m_step1Page, &CExtStep1Page::Changed, this, &CExtPS::PageChanged);
    connect(m_step2Page, &CExtStep2Page::Changed, this, &CExtPS::PageChanged);
    connect(m_filePage, &CExtFilePage::Changed, this, &CExtPS::PageChanged);
}

std::optional<ExtractionSheetValues>
CExtPS::Ask(ExtractionSheetKind kind, const ExtractionSheetValues& initial,
            const std::vector<std::string>& history, int& page,
            const std::function<void(const ExtractionSheetValues&)>& apply) {
    m_kind = kind;
    m_model.Open(kind, initial, history, page);
    setWindowTitle(SjisToQString(m_model.Title()));
    m_turning = true;
    m_tabs->setTabVisible(kExtFilePage, kind == ExtractionSheetKind::Global);
    m_turning = false;
    m_setPage->Show();
    m_step1Page->Show();
    m_step2Page->Show();
    m_filePage->Show();
    m_step1Page->FollowSpinLibrary();
    m_step2Page->FollowSpinLibrary();
    ShowActivePage();
    PageChanged();
    m_applyCallback = &apply;
    const int result = exec();
    m_applyCallback = nullptr;
    page = m_model.ActivePage();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return m_model.Values();
}

void CExtPS::accept() {
    const ExtCheck check = m_model.Ok();
    if (!check.ok) {
        ShowRefusal(check);
        return;
    }
    QDialog::accept();
}

void CExtPS::Apply() {
    const ExtCheck check = m_model.Apply(m_applyCallback != nullptr
                                             ? *m_applyCallback
                                             : std::function<void(const ExtractionSheetValues&)>());
    if (!check.ok)
        ShowRefusal(check);
    PageChanged();
}

void CExtPS::TabChanged(int index) {
    if (m_turning)
        return;
    const ExtCheck check = m_model.ChangePage(index);
    if (!check.ok) {
        ShowRefusal(check);
        return;
    }
    ShowActivePage();
}

void CExtPS::ShowRefusal(const ExtCheck& check) {
    ShowActivePage();
    if (check.select == ExtField::FilePattern)
        m_filePage->SelectPattern();
}

void CExtPS::ShowActivePage() {
    m_turning = true;
    m_tabs->setCurrentIndex(m_model.ActivePage());
    m_turning = false;
    // The file page opens with its pattern selected, ready to be typed over.
    if (m_model.ActivePage() == kExtFilePage)
        m_filePage->SelectPattern();
}

void CExtPS::PageChanged() {
    m_apply->setEnabled(m_model.Modified());
}

} // namespace nelvix::qt
