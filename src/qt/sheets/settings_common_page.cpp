// The settings sheet's common page.
#include "qt/sheets/settings_common_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "qt/platform/convert.h"
#include "qt/sheets/number_field.h"

namespace nelvix::qt {

namespace {

struct CheckControl {
    bool CommonPageFields::*field;
    const char* name;
    const char* label;
};

/// The check boxes in the page's order.
constexpr std::array<CheckControl, 9> kCheckControls{{
    {&CommonPageFields::invokeGlobalFind, "invokeGlobalFind", "起動時にｸﾞﾛｰﾊﾞﾙ検索ﾀﾞｲｱﾛｸﾞを開く"},
    {&CommonPageFields::copySelection, "copySelection", "単語選択時ｸﾘｯﾌﾟﾎﾞｰﾄﾞにもｺﾋﾟｰする"},
    {&CommonPageFields::runBrowser, "runBrowser", "ﾏｳｽ右ボタンﾀﾞﾌﾞﾙｸﾘｯｸでﾌﾞﾗｳｻﾞを起動"},
    {&CommonPageFields::displayTabBar, "displayTabBar", "ｳｨﾝﾄﾞｳﾊﾞｰを表示"},
    {&CommonPageFields::tabBarToTop, "tabBarToTop", "ｳｨﾝﾄﾞｳﾊﾞｰは上部に配置 ☆"},
    {&CommonPageFields::multiText, "multiText", "複数個の文字列を同時に検索"},
    {&CommonPageFields::displayGlobalFindResult, "displayGlobalFindResult",
     "検索、抽出結果情報を表示"},
    {&CommonPageFields::colorFoundLine, "colorFoundLine", "検索でも行全体をｶﾗｰ表示"},
    {&CommonPageFields::separatedPlacement, "separatedPlacement",
     "ﾀｸﾞと文書画面を上下に並べて表示"},
}};

struct NumberControl {
    std::string CommonPageFields::*field;
    SetField id;
    const char* name;
    const char* label;
};

constexpr std::array<NumberControl, 4> kNumberControls{{
    {&CommonPageFields::scrollLineCount, SetField::ScrollLineCount, "scrollLineCount",
     "１回当たりのｽｸﾛｰﾙ行数"},
    {&CommonPageFields::titleViewLength, SetField::TitleViewLength, "titleViewLength",
     "ﾀｲﾄﾙ表示長"},
    {&CommonPageFields::linkViewLength, SetField::LinkViewLength, "linkViewLength",
     "ﾘﾝｸ文字表示長"},
    {&CommonPageFields::linkJumpViewLength, SetField::LinkJumpViewLength, "linkJumpViewLength",
     "ﾘﾝｸ先表示長"},
}};

/// A label and its field in one row.
QHBoxLayout* LabelledRow(const char* label, QWidget* field, QWidget* parent) {
    auto* text = new QLabel(QString::fromUtf8(label), parent);
    text->setBuddy(field);
    auto* row = new QHBoxLayout;
    row->addWidget(text);
    row->addWidget(field);
    row->addStretch();
    return row;
}

} // namespace

CCommonPage::CCommonPage(SetCommonPageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                         QWidget* parent)
    : QWidget(parent), m_model(model), m_code(new QComboBox(this)) {
    setObjectName(QStringLiteral("commonPage"));
    for (std::size_t i = 0; i < kCheckControls.size(); ++i) {
        m_checks[i] = new QCheckBox(QString::fromUtf8(kCheckControls[i].label), this);
        m_checks[i]->setObjectName(QString::fromUtf8(kCheckControls[i].name));
    }
    for (std::size_t i = 0; i < kNumberControls.size(); ++i) {
        m_numbers[i] = new ExtNumberField(beeper, spin, false,
                                          QString::fromUtf8(kNumberControls[i].name), this);
        m_numbers[i]->SetBeepOnRefusedCharacters(true);
    }
    m_code->setObjectName(QStringLiteral("code"));
    m_code->addItems({QStringLiteral("自動判定"), QStringLiteral("ｼﾌﾄJIS"), QStringLiteral("JIS"),
                      QStringLiteral("EUC")});

    auto* html = new QGroupBox(QStringLiteral("HTML検索"), this);
    auto* htmlLayout = new QVBoxLayout(html);
    for (std::size_t i = 1; i < kNumberControls.size(); ++i)
        htmlLayout->addLayout(LabelledRow(kNumberControls[i].label, m_numbers[i], html));

    auto* left = new QVBoxLayout;
    left->addWidget(m_checks[0]);
    left->addWidget(m_checks[1]);
    left->addLayout(LabelledRow(kNumberControls[0].label, m_numbers[0], this));
    left->addWidget(m_checks[2]);
    left->addLayout(LabelledRow("ｺｰﾄﾞ", m_code, this));
    left->addWidget(m_checks[3]);
    left->addWidget(m_checks[4]);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(m_checks[5]);
    right->addWidget(m_checks[6]);
    right->addWidget(html);
    right->addWidget(m_checks[7]);
    right->addWidget(m_checks[8]);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* note = new QLabel(QStringLiteral("☆ : 次回起動時から有効"), this);
    note->setObjectName(QStringLiteral("note"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(note);
}

void CCommonPage::Show() {
    const CommonPageFields& fields = m_model.Fields();
    for (std::size_t i = 0; i < kCheckControls.size(); ++i)
        m_checks[i]->setChecked(fields.*kCheckControls[i].field);
    for (std::size_t i = 0; i < kNumberControls.size(); ++i)
        m_numbers[i]->SetText(fields.*kNumberControls[i].field);
    m_code->setCurrentIndex(fields.codeItem);
}

void CCommonPage::Take() {
    CommonPageFields& fields = m_model.Fields();
    for (std::size_t i = 0; i < kCheckControls.size(); ++i)
        fields.*kCheckControls[i].field = m_checks[i]->isChecked();
    for (std::size_t i = 0; i < kNumberControls.size(); ++i)
        fields.*kNumberControls[i].field = m_numbers[i]->Text();
    fields.codeItem = m_code->currentIndex();
}

void CCommonPage::Focus(SetField field) {
    if (ExtNumberField* number = NumberField(field))
        number->SelectAll();
}

void CCommonPage::FollowSpinLibrary() {
    for (ExtNumberField* number : m_numbers)
        number->FollowLibrary();
}

ExtNumberField* CCommonPage::NumberField(SetField field) const {
    for (std::size_t i = 0; i < kNumberControls.size(); ++i)
        if (kNumberControls[i].id == field)
            return m_numbers[i];
    return nullptr;
}

} // namespace nelvix::qt
