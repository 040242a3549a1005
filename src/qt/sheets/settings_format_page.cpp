// The settings sheet's format page.
#include "qt/sheets/settings_format_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/sheets/number_field.h"

namespace nelvix::qt {

namespace {

QCheckBox* CheckBox(const QString& label, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(label, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

CFormatPage::CFormatPage(SetFormatPageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                         QWidget* parent)
    : QWidget(parent), m_model(model), m_documentType(new QComboBox(this)),
      m_charsPerLine(new ExtNumberField(beeper, spin, false, QStringLiteral("charsPerLine"), this)),
      m_tabWidth(new ExtNumberField(beeper, spin, false, QStringLiteral("tabWidth"), this)),
      m_showLineEnds(
          CheckBox(QStringLiteral("改行ﾏｰｸを表示"), QStringLiteral("showLineEnds"), this)),
      m_showTabs(CheckBox(QStringLiteral("ﾀﾌﾞﾏｰｸを表示"), QStringLiteral("showTabs"), this)),
      m_wordWrap(CheckBox(QStringLiteral("ﾜｰﾄﾞﾗｯﾌﾟ"), QStringLiteral("wordWrap"), this)) {
    setObjectName(QStringLiteral("formatPage"));
    m_charsPerLine->SetBeepOnRefusedCharacters(true);
    m_tabWidth->SetBeepOnRefusedCharacters(true);
    m_documentType->setObjectName(QStringLiteral("documentType"));
    m_documentType->addItems(
        {QStringLiteral("一般文書"), QStringLiteral("Ｃ言語"), QStringLiteral("Ｃ＋＋言語")});

    auto* numbering = new QGroupBox(QStringLiteral("行番号の計算方法"), this);
    m_rowNumbering = new QRadioButton(QStringLiteral("折り返し行も１行"), numbering);
    m_rowNumbering->setObjectName(QStringLiteral("rowNumbering"));
    m_lineNumbering = new QRadioButton(QStringLiteral("改行マークまでが１行"), numbering);
    m_lineNumbering->setObjectName(QStringLiteral("lineNumbering"));
    auto* numberingLayout = new QVBoxLayout(numbering);
    numberingLayout->addWidget(m_rowNumbering);
    numberingLayout->addWidget(m_lineNumbering);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("ﾄﾞｷｭﾒﾝﾄﾀｲﾌﾟ"), m_documentType);
    form->addRow(QStringLiteral("１行文字数"), m_charsPerLine);
    form->addRow(QStringLiteral("ﾀﾌﾞｶﾗﾑ数"), m_tabWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_showLineEnds);
    layout->addWidget(m_showTabs);
    layout->addWidget(m_wordWrap);
    layout->addWidget(numbering);
    layout->addStretch();
}

void CFormatPage::Show() {
    const FormatPageFields& fields = m_model.Fields();
    m_documentType->setCurrentIndex(fields.documentTypeItem);
    m_charsPerLine->SetText(fields.charsPerLine);
    m_tabWidth->SetText(fields.tabWidth);
    m_showLineEnds->setChecked(fields.showLineEnds);
    m_showTabs->setChecked(fields.showTabs);
    m_wordWrap->setChecked(fields.wordWrap);
    (fields.lineNumbering == 0 ? m_rowNumbering : m_lineNumbering)->setChecked(true);
}

void CFormatPage::Take() {
    FormatPageFields& fields = m_model.Fields();
    fields.documentTypeItem = m_documentType->currentIndex();
    fields.charsPerLine = m_charsPerLine->Text();
    fields.tabWidth = m_tabWidth->Text();
    fields.showLineEnds = m_showLineEnds->isChecked();
    fields.showTabs = m_showTabs->isChecked();
    fields.wordWrap = m_wordWrap->isChecked();
    fields.lineNumbering = m_rowNumbering->isChecked() ? 0 : 1;
}

void CFormatPage::Focus(SetField field) {
    if (field == SetField::CharsPerLine)
        m_charsPerLine->SelectAll();
    else if (field == SetField::TabWidth)
        m_tabWidth->SelectAll();
}

void CFormatPage::FollowSpinLibrary() {
    m_charsPerLine->FollowLibrary();
    m_tabWidth->FollowLibrary();
}

} // namespace nelvix::qt
