// The colour lists of the settings sheet.
#include "qt/sheets/colour_combo_box.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "ui/colour.h"

namespace nelvix::qt {

namespace {

constexpr int kSwatchWidth = 64;
constexpr int kSwatchHeight = 14;

QColor PaletteQColor(int index) {
    const ui::Colour colour = ui::StandardPaletteColor(index);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

/// Palette colour `index` filling `rect`, framed in black.
void PaintSwatch(QPainter& painter, const QRect& rect, int index) {
    painter.fillRect(rect, PaletteQColor(index));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

class SwatchDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        if ((option.state & QStyle::State_Selected) != 0)
            painter->fillRect(option.rect, option.palette.highlight());
        PaintSwatch(*painter, option.rect.adjusted(3, 2, -3, -2), index.row() + 1);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {kSwatchWidth + 6, kSwatchHeight + 4};
    }
};

} // namespace

ColourComboBox::ColourComboBox(const QString& name, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setItemDelegate(new SwatchDelegate(this));
    for (int index = 1; index <= ui::kPaletteSize; ++index)
        addItem(QString());
    setMinimumWidth(kSwatchWidth + 30);
}

void ColourComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintSwatch(painter, field.adjusted(2, 2, -2, -2), currentIndex() + 1);
}

} // namespace nelvix::qt
