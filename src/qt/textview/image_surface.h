// The drawing surface of the Qt front end: the core draws into an image that the widget copies
// to the screen when it paints, so that the core may draw at any time (a caret marker, a
// selection), not only inside a paint event.
#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRawFont>
#include <QRect>

#include <functional>
#include <memory>
#include <utility>

#include "ui/surface.h"

namespace nelvix::qt {

class ImageSurface final : public ui::Surface {
public:
    /// `textFont` is the text window's font; the small font is made from it.
    explicit ImageSurface(const QFont& textFont);

    /// A new image of this size, filled white; what was drawn is gone.
    void Resize(int width, int height);
    const QImage& Image() const { return m_image; }
    void SetTextFont(const QFont& font);
    /// Told the area of the image that each drawing operation changed, so that the widget
    /// showing the image can copy it to the screen whenever the core draws.
    void SetDrawnHandler(std::function<void(const QRect&)> handler) {
        m_drawn = std::move(handler);
    }
    /// Until EndBatch every operation draws through one painter, which saves starting one per
    /// operation over a whole paint.
    void BeginBatch();
    void EndBatch();

    void SelectFont(ui::FontRole role) override;
    void FillRect(const ui::PixelRect& rect, ui::Colour colour) override;
    void DrawText(int x, int y, std::string_view sjisText, int cellWidth, ui::Colour foreground,
                  ui::Colour background) override;
    void DrawLine(int x1, int y1, int x2, int y2, ui::Colour colour) override;
    void InvertRect(const ui::PixelRect& rect) override;
    void ScrollRect(const ui::PixelRect& rect, int dx, int dy) override;
    ui::FontMetrics Metrics() const override;
    int DotsPerInchX() const override;
    int DotsPerInchY() const override;

private:
    /// A font with what drawing reads of it for every run, taken once.
    struct Face {
        QFont font;
        /// The face's own glyphs, placed cell by cell; characters it lacks take Qt's fallback.
        QRawFont raw;
        int height = 0;
        int ascent = 0;
        int averageWidth = 0;
    };
    static Face MakeFace(const QFont& font);
    /// The batch's painter, or `local` started on the image.
    QPainter& PainterFor(QPainter& local);
    const Face& CurrentFace() const;
    void Drawn(const QRect& area) const {
        if (m_drawn)
            m_drawn(area);
    }

    QImage m_image;
    Face m_text;
    Face m_small;
    // Reused by every run, so that drawing text does not allocate once they are large enough.
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
    ui::FontRole m_role = ui::FontRole::Text;
    std::function<void(const QRect&)> m_drawn;
    std::unique_ptr<QPainter> m_batch;
};

/// A colour of the core (0x00BBGGRR) for Qt.
QColor ToQColor(ui::Colour colour);

/// A rectangle of the core (right and bottom outside) for Qt.
inline QRect ToQRect(const ui::PixelRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace nelvix::qt
