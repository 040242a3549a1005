// The font dialog.
#include "qt/dialogs/font_dialog.h"

#include <QFontDialog>
#include <QFontInfo>

#include <algorithm>
#include <cmath>

#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

/// The weight a font description leaves open (0) is the normal one.
constexpr int kNormalWeight = 400;
constexpr int kMaxWeight = 1000;

QFont FontOf(const ui::FontChoice& choice) {
    QFont font(SjisToQString(choice.faceName));
    if (choice.pointSizeTenths > 0)
        font.setPointSizeF(choice.pointSizeTenths / 10.0);
    const int weight = choice.weight > 0 ? std::min(choice.weight, kMaxWeight) : kNormalWeight;
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(choice.italic);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

ui::FontChoice ChoiceOf(const QFont& font) {
    ui::FontChoice choice;
    choice.faceName = QStringToSjis(font.family());
    // A font chosen by pixels has no point size of its own; the resolved one has.
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    choice.pointSizeTenths = static_cast<std::int32_t>(std::lround(points * 10));
    choice.weight = static_cast<std::int32_t>(font.weight());
    choice.italic = font.italic();
    return choice;
}

} // namespace

std::optional<ui::FontChoice> QtFontDialog::AskFixedPitchFont(const ui::FontChoice& current) {
    QFontDialog dialog(FontOf(current), m_owner);
    dialog.setWindowTitle(QStringLiteral("フォント"));
    dialog.setOptions(QFontDialog::MonospacedFonts | QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ChoiceOf(dialog.selectedFont());
}

} // namespace nelvix::qt
