// The settings sheet.
#include "qt/sheets/settings_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "qt/platform/convert.h"
#include "qt/sheets/settings_colour_page.h"
#include "qt/sheets/settings_common_page.h"
#include "qt/sheets/settings_format_page.h"
#include "qt/sheets/settings_tool_page.h"
#include "ui/frame_services.h"
#include "ui/message_ids.h"
#include "ui/platform.h"

namespace nelvix::qt {

CSetPS::CSetPS(ui::Platform& platform, const SpinLibrary* spin, ui::HelpViewer& help,
               QWidget* parent, ProgramExists programExists)
    : QDialog(parent), m_platform(platform), m_help(help),
      m_programExists(std::move(programExists)), m_tabs(new QTabWidget(this)),
      m_commonPage(new CCommonPage(m_model.CommonPage(), platform.beeper, spin, this)),
      m_formatPage(new CFormatPage(m_model.FormatPage(), platform.beeper, spin, this)),
      m_colourPage(new CColourPage(m_model.ColourPage(), this)),
      m_editorPage(new CEditorPage(m_model.EditorPage(), this)),
      m_browserPage(new CBrowserPage(m_model.BrowserPage(), this)) {
    setObjectName(QStringLiteral("setPS"));
    setWindowTitle(MessageQString(ui::kMsgSettingsTitle));
    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->addTab(m_commonPage, QStringLiteral("共通  "));
    m_tabs->addTab(m_formatPage, QStringLiteral("書式  "));
    m_tabs->addTab(m_colourPage, QStringLiteral("ｶﾗｰ"));
    m_tabs->addTab(m_editorPage, QStringLiteral("ｴﾃﾞｨﾀ"));
    m_tabs->addTab(m_browserPage, QStringLiteral("ﾌﾞﾗｳｻﾞ"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    QPushButton* helpButton =
        buttons->addButton(QStringLiteral("ヘルプ"), QDialogButtonBox::HelpRole);
    helpButton->setObjectName(QStringLiteral("help"));
    helpButton->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CSetPS::ShowHelp);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_turning)
            m_model.SetActivePage(index);
    });
}

std::optional<SettingsSheetValues> CSetPS::Ask(const SettingsSheetValues& initial, int& page) {
    m_model.Open(initial, page);
    m_commonPage->Show();
    m_formatPage->Show();
    m_colourPage->Show();
    m_editorPage->Show();
    m_browserPage->Show();
    m_commonPage->FollowSpinLibrary();
    m_formatPage->FollowSpinLibrary();
    m_turning = true;
    m_tabs->setCurrentIndex(m_model.ActivePage());
    m_turning = false;
    const int result = exec();
    page = m_model.ActivePage();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return m_model.Values();
}

void CSetPS::accept() {
    TakeAll();
    const SetCheck check = m_model.Ok(m_platform, m_programExists);
    if (!check.ok) {
        // A tool page checked before the refusal may have reordered its list.
        m_editorPage->Show();
        m_browserPage->Show();
        ShowRefusal(check);
        return;
    }
    QDialog::accept();
}

void CSetPS::ShowHelp() {
    m_help.ShowTopic(m_model.HelpTopic());
}

void CSetPS::TakeAll() {
    m_commonPage->Take();
    m_formatPage->Take();
    m_colourPage->Take();
    m_editorPage->Take();
    m_browserPage->Take();
}

void CSetPS::ShowRefusal(const SetCheck& check) {
    m_turning = true;
    m_tabs->setCurrentIndex(check.page);
    m_turning = false;
    if (check.page == kSetCommonPage)
        m_commonPage->Focus(check.field);
    else if (check.page == kSetFormatPage)
        m_formatPage->Focus(check.field);
    else if (CToolPage* page = ToolPage(check.page))
        page->Focus(check.field, check.selectAll);
}

CToolPage* CSetPS::ToolPage(int page) const {
    if (page == kSetEditorPage)
        return m_editorPage;
    if (page == kSetBrowserPage)
        return m_browserPage;
    return nullptr;
}

} // namespace nelvix::qt
