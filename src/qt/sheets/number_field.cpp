// The extraction sheet's number fields.
#include "qt/sheets/number_field.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include <optional>

#include "app/spin_library.h"
#include "extract/extraction_entry_fields.h"
#include "qt/platform/convert.h"
#include "spin/muscrl32.h"
#include "ui/platform.h"

namespace nelvix::qt {
namespace {

/// Room for any value the library writes back.
constexpr std::size_t kStepBufferBytes = 16;

/// Lets in what the library accepts (plain digits without it), and a '-' in front where
/// negative numbers are allowed. Everything it lets in counts as acceptable: the limits are
/// the sheet's "追加" checks.
class SpinCharValidator final : public QValidator {
public:
    SpinCharValidator(const SpinLibrary* spin, bool allowNegative, QObject* parent)
        : QValidator(parent), m_spin(spin), m_allowNegative(allowNegative) {}

    State validate(QString& input, int& /*position*/) const override {
        const QList<uint> codePoints = input.toUcs4();
        for (qsizetype i = 0; i < codePoints.size(); ++i) {
            const uint codePoint = codePoints[i];
            if (i == 0 && m_allowNegative && codePoint == '-')
                continue;
            if (!Accepts(codePoint))
                return Invalid;
        }
        return Acceptable;
    }

private:
    bool Accepts(uint codePoint) const {
        if (m_spin != nullptr && m_spin->IsLoaded())
            return m_spin->Accepts()(codePoint) != 0;
        return codePoint >= '0' && codePoint <= '9';
    }

    const SpinLibrary* m_spin;
    bool m_allowNegative;
};

QToolButton* ArrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    return button;
}

} // namespace

ExtNumberField::ExtNumberField(ui::Beeper& beeper, const SpinLibrary* spin, bool allowNegative,
                               const QString& name, QWidget* parent)
    : QWidget(parent), m_beeper(beeper), m_spin(spin), m_allowNegative(allowNegative),
      m_edit(new QLineEdit(this)),
      m_up(ArrowButton(Qt::UpArrow, name + QStringLiteral("Up"), this)),
      m_down(ArrowButton(Qt::DownArrow, name + QStringLiteral("Down"), this)) {
    setObjectName(name + QStringLiteral("Field"));
    m_edit->setObjectName(name);
    m_edit->setValidator(new SpinCharValidator(spin, allowNegative, m_edit));
    m_edit->setMaximumWidth(80);
    m_edit->installEventFilter(this);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addLayout(arrows);
    layout->addStretch();
    connect(m_edit, &QLineEdit::textEdited, this, &ExtNumberField::Edited);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    FollowLibrary();
}

std::string ExtNumberField::Text() const {
    return QStringToSjis(m_edit->text());
}

void ExtNumberField::SetText(const std::string& text) {
    m_edit->setText(SjisToQString(text));
}

void ExtNumberField::SelectAll() {
    m_edit->setFocus();
    m_edit->selectAll();
}

void ExtNumberField::Step(int delta) {
    if (!SpinLoaded())
        return;
    const SpinLibrary::StepFunction step = m_spin->Step();
    const DigitStep libraryStep = [step](const std::string& digits, int by) {
        char out[kStepBufferBytes] = {};
        if (step(digits.c_str(), by, out, sizeof out) != MUSCRL32_STEPPED)
            return std::optional<std::string>();
        return std::optional<std::string>(out);
    };
    const std::string text = Text();
    const std::optional<std::string> next =
        m_allowNegative ? StepSignedFieldText(text, delta, libraryStep) : libraryStep(text, delta);
    if (!next) {
        m_beeper.Beep();
        return;
    }
    SetText(*next);
    m_edit->selectAll();
    emit Edited();
}

void ExtNumberField::FollowLibrary() {
    const bool loaded = SpinLoaded();
    m_up->setVisible(loaded);
    m_down->setVisible(loaded);
}

bool ExtNumberField::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys step the field as the spin control's arrows do.
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (SpinLoaded() && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
        if (m_beepOnRefused && RefusesTyped(keyEvent->text())) {
            m_beeper.Beep();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ExtNumberField::RefusesTyped(const QString& text) const {
    for (const uint codePoint : text.toUcs4()) {
        // Control characters (backspace, the editing shortcuts) are the edit's own.
        if (codePoint < 0x20 || codePoint == 0x7F)
            continue;
        if (m_allowNegative && codePoint == '-')
            continue;
        const bool taken =
            SpinLoaded() ? m_spin->Accepts()(codePoint) != 0 : codePoint >= '0' && codePoint <= '9';
        if (!taken)
            return true;
    }
    return false;
}

bool ExtNumberField::SpinLoaded() const {
    return m_spin != nullptr && m_spin->IsLoaded();
}

} // namespace nelvix::qt
