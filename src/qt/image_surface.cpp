// Drawing the core's operations into an image with QPainter.
#include "qt/image_surface.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "qt/convert.h"
#include "text/sjis.h"

namespace nelvix::qt {
namespace {

/// Points of the small font against the text font's, for the rulers' scale numbers.
constexpr double kSmallFontScale = 0.75;
/// The logical resolution when no screen can be asked (as under the offscreen platform).
constexpr int kDefaultDotsPerInch = 96;

QRect ToQRect(const ui::PixelRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

int ScreenDotsPerInch(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return kDefaultDotsPerInch;
    return static_cast<int>(horizontal ? screen->logicalDotsPerInchX()
                                       : screen->logicalDotsPerInchY());
}

} // namespace

QColor ToQColor(ui::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                  static_cast<int>(colour >> 16 & 0xFF));
}

ImageSurface::ImageSurface(const QFont& textFont) {
    SetTextFont(textFont);
}

void ImageSurface::Resize(int width, int height) {
    m_image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    m_image.fill(Qt::white);
}

void ImageSurface::SetTextFont(const QFont& font) {
    m_textFont = font;
    m_smallFont = font;
    if (font.pointSizeF() > 0)
        m_smallFont.setPointSizeF(font.pointSizeF() * kSmallFontScale);
    else
        m_smallFont.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * kSmallFontScale)));
}

const QFont& ImageSurface::CurrentFont() const {
    return m_role == ui::FontRole::Text ? m_textFont : m_smallFont;
}

void ImageSurface::SelectFont(ui::FontRole role) {
    m_role = role;
}

void ImageSurface::FillRect(const ui::PixelRect& rect, ui::Colour colour) {
    QPainter painter(&m_image);
    painter.fillRect(ToQRect(rect), ToQColor(colour));
}

// Each character is placed in its own cells, so that the grid holds whatever the font's
// advances are.
void ImageSurface::DrawText(int x, int y, std::string_view sjisText, int cellWidth,
                            ui::Colour foreground, ui::Colour background) {
    QPainter painter(&m_image);
    painter.setFont(CurrentFont());
    const QFontMetrics metrics(CurrentFont());
    const auto* bytes = reinterpret_cast<const Byte*>(sjisText.data());
    std::size_t i = 0;
    int cellX = x;
    while (i < sjisText.size()) {
        const std::size_t width = IsLeadByte(bytes[i]) && i + 1 < sjisText.size() ? 2 : 1;
        const QRect cells(cellX, y, cellWidth * static_cast<int>(width), metrics.height());
        painter.fillRect(cells, ToQColor(background));
        painter.setPen(ToQColor(foreground));
        painter.drawText(cells, Qt::AlignLeft | Qt::AlignVCenter,
                         SjisToQString(sjisText.substr(i, width)));
        cellX += cells.width();
        i += width;
    }
}

void ImageSurface::DrawLine(int x1, int y1, int x2, int y2, ui::Colour colour) {
    QPainter painter(&m_image);
    painter.setPen(ToQColor(colour));
    painter.drawLine(x1, y1, x2, y2);
}

void ImageSurface::InvertRect(const ui::PixelRect& rect) {
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(ToQRect(rect), Qt::white);
}

void ImageSurface::ScrollRect(const ui::PixelRect& rect, int dx, int dy) {
    const QRect area = ToQRect(rect).intersected(m_image.rect());
    const QImage moved = m_image.copy(area);
    QPainter painter(&m_image);
    painter.setClipRect(area);
    painter.drawImage(area.topLeft() + QPoint(dx, dy), moved);
}

ui::FontMetrics ImageSurface::Metrics() const {
    // In a fixed-pitch face every half-width character advances as far as "M".
    const QFontMetrics metrics(CurrentFont());
    return {metrics.height(), metrics.horizontalAdvance(QLatin1Char('M'))};
}

int ImageSurface::DotsPerInchX() const {
    return ScreenDotsPerInch(true);
}

int ImageSurface::DotsPerInchY() const {
    return ScreenDotsPerInch(false);
}

} // namespace nelvix::qt
