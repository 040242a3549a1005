// The drawing surface of the Qt front end: the core draws into an image that the widget copies
// to the screen when it paints, so that the core may draw at any time (a caret marker, a
// selection), not only inside a paint event.
#pragma once

#include <QFont>
#include <QImage>

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
    const QFont& CurrentFont() const;

    QImage m_image;
    QFont m_textFont;
    QFont m_smallFont;
    ui::FontRole m_role = ui::FontRole::Text;
};

/// A colour of the core (0x00BBGGRR) for Qt.
QColor ToQColor(ui::Colour colour);

} // namespace nelvix::qt
