// Drawing the core's operations into an image with QPainter.
#include "qt/textview/image_surface.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "base/sjis.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

/// Points of the small font against the text font's, for the rulers' scale numbers.
constexpr double kSmallFontScale = 0.75;
/// The logical resolution when no screen can be asked (as under the offscreen platform).
constexpr int kDefaultDotsPerInch = 96;

int ScreenDotsPerInch(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return kDefaultDotsPerInch;
    return static_cast<int>(horizontal ? screen->logicalDotsPerInchX()
                                       : screen->logicalDotsPerInchY());
}

/// Cells of the character starting at `i`: a lead byte with its second byte takes two.
int CellsAt(std::string_view sjisText, std::size_t i) {
    return IsLeadByte(static_cast<Byte>(sjisText[i])) && i + 1 < sjisText.size() ? 2 : 1;
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

ImageSurface::Face ImageSurface::MakeFace(const QFont& font) {
    Face face;
    face.font = font;
    face.raw = QRawFont::fromFont(font);
    const QFontMetrics metrics(font);
    face.height = metrics.height();
    face.ascent = metrics.ascent();
    // In a fixed-pitch face every half-width character advances as far as "M".
    face.averageWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    return face;
}

void ImageSurface::BeginBatch() {
    m_batch = std::make_unique<QPainter>(&m_image);
}

void ImageSurface::EndBatch() {
    m_batch.reset();
}

QPainter& ImageSurface::PainterFor(QPainter& local) {
    if (m_batch)
        return *m_batch;
    local.begin(&m_image);
    return local;
}

void ImageSurface::SetTextFont(const QFont& font) {
    QFont small = font;
    if (font.pointSizeF() > 0)
        small.setPointSizeF(font.pointSizeF() * kSmallFontScale);
    else
        small.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * kSmallFontScale)));
    m_text = MakeFace(font);
    m_small = MakeFace(small);
}

const ImageSurface::Face& ImageSurface::CurrentFace() const {
    return m_role == ui::FontRole::Text ? m_text : m_small;
}

void ImageSurface::SelectFont(ui::FontRole role) {
    m_role = role;
}

void ImageSurface::FillRect(const ui::PixelRect& rect, ui::Colour colour) {
    {
        QPainter local;
        PainterFor(local).fillRect(ToQRect(rect), ToQColor(colour));
    }
    Drawn(ToQRect(rect));
}

// Each character is placed in its own cells, so that the grid holds whatever the font's
// advances are. The run is converted once and drawn as one glyph run; a character the face
// lacks is drawn on its own, so that Qt takes it from another font.
void ImageSurface::DrawText(int x, int y, std::string_view sjisText, int cellWidth,
                            ui::Colour foreground, ui::Colour background) {
    const Face& face = CurrentFace();
    const QString text = SjisToQString(sjisText);
    // Code page 932 gives one UTF-16 unit per character, a replaced one included.
    qsizetype characters = 0;
    int cells = 0;
    for (std::size_t i = 0; i < sjisText.size();
         i += static_cast<std::size_t>(CellsAt(sjisText, i))) {
        cells += CellsAt(sjisText, i);
        ++characters;
    }
    const QRect area(x, y, cells * cellWidth, face.height);
    m_glyphs.resize(text.size());
    int glyphCount = static_cast<int>(text.size());
    const bool glyphsKnown =
        characters == text.size() && face.raw.isValid() &&
        face.raw.glyphIndexesForChars(text.constData(), glyphCount, m_glyphs.data(), &glyphCount) &&
        glyphCount == text.size();

    QPainter local;
    QPainter& painter = PainterFor(local);
    painter.fillRect(area, ToQColor(background));
    painter.setPen(ToQColor(foreground));
    painter.setFont(face.font);
    m_positions.clear();
    qsizetype kept = 0;
    int cellX = x;
    qsizetype c = 0;
    for (std::size_t i = 0; i < sjisText.size(); ++c) {
        const int cellsHere = CellsAt(sjisText, i);
        const int width = cellsHere * cellWidth;
        if (glyphsKnown && m_glyphs[c] != 0) {
            m_glyphs[kept++] = m_glyphs[c];
            m_positions.append(QPointF(cellX, y + face.ascent));
        } else {
            const QString character =
                glyphsKnown
                    ? QString(text[c])
                    : SjisToQString(sjisText.substr(i, static_cast<std::size_t>(cellsHere)));
            painter.drawText(QRect(cellX, y, width, face.height), Qt::AlignLeft | Qt::AlignVCenter,
                             character);
        }
        cellX += width;
        i += static_cast<std::size_t>(cellsHere);
    }
    if (kept > 0) {
        m_glyphs.resize(kept);
        QGlyphRun run;
        run.setRawFont(face.raw);
        run.setGlyphIndexes(m_glyphs);
        run.setPositions(m_positions);
        run.setUnderline(face.font.underline());
        run.setStrikeOut(face.font.strikeOut());
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    Drawn(area);
}

void ImageSurface::DrawLine(int x1, int y1, int x2, int y2, ui::Colour colour) {
    {
        QPainter local;
        QPainter& painter = PainterFor(local);
        painter.setPen(ToQColor(colour));
        painter.drawLine(x1, y1, x2, y2);
    }
    Drawn(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized());
}

void ImageSurface::InvertRect(const ui::PixelRect& rect) {
    {
        QPainter local;
        QPainter& painter = PainterFor(local);
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(ToQRect(rect), Qt::white);
        painter.restore();
    }
    Drawn(ToQRect(rect));
}

void ImageSurface::ScrollRect(const ui::PixelRect& rect, int dx, int dy) {
    const QRect area = ToQRect(rect).intersected(m_image.rect());
    const QImage moved = m_image.copy(area);
    {
        QPainter local;
        QPainter& painter = PainterFor(local);
        painter.save();
        painter.setClipRect(area);
        painter.drawImage(area.topLeft() + QPoint(dx, dy), moved);
        painter.restore();
    }
    Drawn(area);
}

ui::FontMetrics ImageSurface::Metrics() const {
    return {CurrentFace().height, CurrentFace().averageWidth};
}

int ImageSurface::DotsPerInchX() const {
    return ScreenDotsPerInch(true);
}

int ImageSurface::DotsPerInchY() const {
    return ScreenDotsPerInch(false);
}

} // namespace nelvix::qt
