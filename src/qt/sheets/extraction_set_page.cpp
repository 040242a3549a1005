// The "ﾊﾟﾗﾒｰﾀ" page of the extraction sheet.
#include "qt/sheets/extraction_set_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "extract/extraction_entry_fields.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

struct CheckControl {
    ExtSetCheck check;
    const char* name;
    const char* label; ///< UTF-8
};

/// The checks in the order of the page; the separator edit follows "ｾﾊﾟﾚｰﾀを付加する".
constexpr CheckControl kCheckControls[kExtSetCheckCount] = {
    {ExtSetCheck::DisplayWhileExtracting, "displayWhileExtracting", "表示しながら抽出する"},
    {ExtSetCheck::ShowInfo, "showInfo", "抽出情報を表示する"},
    {ExtSetCheck::AddSeparator, "addSeparator", "ｾﾊﾟﾚｰﾀを付加する"},
    {ExtSetCheck::CaseSensitive, "caseSensitive", "大文字／小文字を区別する"},
    {ExtSetCheck::UseRegex, "useRegex", "正規表現を使用する"},
    {ExtSetCheck::WidthSensitive, "widthSensitive", "半角と全角を区別する"},
    {ExtSetCheck::RecordOperation, "recordOperation", "操作を記録する"},
    {ExtSetCheck::CopyToClipboard, "copyToClipboard", "結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞへも出力する"},
};

struct RunStepButton {
    int index;
    const char* name;
    const char* label; ///< UTF-8
};

constexpr RunStepButton kRunStepButtons[] = {
    {kRunStepBoth, "runStepBoth", "ｽﾃｯﾌﾟ1--->ｽﾃｯﾌﾟ2"},
    {kRunStep1, "runStep1", "ｽﾃｯﾌﾟ1"},
    {kRunStep2, "runStep2", "ｽﾃｯﾌﾟ2"},
};

} // namespace

CExtSetPage::CExtSetPage(ExtSetPageModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_runSteps(new QButtonGroup(this)),
      m_separator(new QLineEdit(this)) {
    setObjectName(QStringLiteral("setPage"));
    auto* runStepBox = new QGroupBox(QStringLiteral("実行ｽﾃｯﾌﾟ"), this);
    auto* runStepLayout = new QHBoxLayout(runStepBox);
    for (const RunStepButton& button : kRunStepButtons) {
        auto* radio = new QRadioButton(QString::fromUtf8(button.label), runStepBox);
        radio->setObjectName(QString::fromUtf8(button.name));
        m_runSteps->addButton(radio, button.index);
        runStepLayout->addWidget(radio);
    }
    m_separator->setObjectName(QStringLiteral("separator"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(runStepBox);
    for (const CheckControl& control : kCheckControls) {
        auto* box = new QCheckBox(QString::fromUtf8(control.label), this);
        box->setObjectName(QString::fromUtf8(control.name));
        m_checks[static_cast<std::size_t>(control.check)] = box;
        layout->addWidget(box);
        const ExtSetCheck check = control.check;
        connect(box, &QCheckBox::clicked, this, [this, check](bool on) {
            m_model.SetCheck(check, on);
            emit Changed();
        });
        if (control.check == ExtSetCheck::AddSeparator) {
            auto* separatorRow = new QHBoxLayout;
            auto* label = new QLabel(QStringLiteral("ｾﾊﾟﾚｰﾀ"), this);
            label->setBuddy(m_separator);
            separatorRow->addSpacing(20);
            separatorRow->addWidget(label);
            separatorRow->addWidget(m_separator);
            layout->addLayout(separatorRow);
        }
    }
    layout->addStretch();

    connect(m_runSteps, &QButtonGroup::idClicked, this, [this](int index) {
        m_model.SetRunStep(index);
        emit Changed();
    });
    connect(m_separator, &QLineEdit::textEdited, this, &CExtSetPage::SeparatorEdited);
}

void CExtSetPage::Show() {
    if (QAbstractButton* button = m_runSteps->button(m_model.RunStep()))
        button->setChecked(true);
    for (const CheckControl& control : kCheckControls)
        m_checks[static_cast<std::size_t>(control.check)]->setChecked(m_model.Check(control.check));
    const QSignalBlocker blocker(m_separator);
    m_separator->setText(SjisToQString(m_model.Separator()));
}

void CExtSetPage::SeparatorEdited(const QString& text) {
    // The edit holds at most 80 bytes, as an edit with a text limit does: of what was typed or
    // pasted, only as much as fits goes in.
    const QString before = SjisToQString(m_model.Separator());
    std::string sjis = QStringToSjis(text);
    if (sjis.size() > kSeparatorMaxBytes) {
        qsizetype prefix = 0;
        while (prefix < before.size() && prefix < text.size() && before[prefix] == text[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < before.size() - prefix && suffix < text.size() - prefix &&
               before[before.size() - 1 - suffix] == text[text.size() - 1 - suffix])
            ++suffix;
        const std::string head = QStringToSjis(text.left(prefix));
        const std::string tail = QStringToSjis(text.right(suffix));
        const std::string inserted = QStringToSjis(text.mid(prefix, text.size() - prefix - suffix));
        const std::size_t room =
            kSeparatorMaxBytes - std::min(kSeparatorMaxBytes, head.size() + tail.size());
        const std::string kept(CutToWholeChars(inserted, room));
        sjis = head + kept + tail;
        const QSignalBlocker blocker(m_separator);
        m_separator->setText(SjisToQString(sjis));
        m_separator->setCursorPosition(static_cast<int>(prefix + SjisToQString(kept).size()));
    }
    m_model.SetSeparator(sjis);
    emit Changed();
}

} // namespace nelvix::qt
