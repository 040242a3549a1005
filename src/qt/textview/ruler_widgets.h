// The two rulers on screen: each shows the image its core ruler (CRulerBar, CLineBar) draws,
// and follows the text window's caret and scrolling.
#pragma once

#include <QWidget>

#include <functional>

#include "qt/textview/image_surface.h"
#include "render/line_bar.h"
#include "render/ruler_bar.h"
#include "render/ruler_settings.h"

namespace nelvix::qt {

/// A strip the core draws into at any time; painting copies the image to the screen. The
/// rulers take no input: mouse events go on to the view.
class RulerWidget : public QWidget {
    Q_OBJECT
public:
    /// What the text window shows now, read at every drawing.
    using StateSource = std::function<RulerViewState()>;
    RulerWidget(StateSource state, QWidget* parent);

    const QImage& Image() const { return m_surface.Image(); }
    /// Draws the whole ruler; nothing while it is hidden.
    void Repaint();
    /// Draws the whole ruler at the next paint: a run that scrolls or moves the caret once per
    /// appended line costs one drawing per pass of the event loop.
    void RepaintLater();
    /// Shown by the view (even while the view itself is not on screen yet); a hidden ruler
    /// follows nothing and is drawn whole when shown again.
    bool IsShown() const;

protected:
    ImageSurface& Surface() { return m_surface; }
    /// A whole drawing waits for the next paint.
    bool Stale() const { return m_stale; }
    RulerViewState State() const { return m_state(); }
    /// Draws the whole ruler into the image.
    virtual void PaintRuler() = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    ImageSurface m_surface;
    StateSource m_state;
    bool m_stale = false;
};

/// "桁ルーラー": above the text window.
class ColumnRulerWidget final : public RulerWidget {
    Q_OBJECT
public:
    ColumnRulerWidget(StateSource state, QWidget* parent);

    /// Takes the settings and the text window's font and pitch; called again when they change.
    void Create(const RulerSettings& settings, const QFont& textFont);
    int BarHeight() const { return m_bar.Height(); }
    /// The line ruler's width as placed, which the scale starts after.
    void SetLineBarWidth(int pixels) { m_bar.SetLineBarWidth(pixels); }
    void FollowCaret();
    /// After a horizontal scroll: redrawn when the first visible column changed.
    void FollowColumns();

protected:
    void PaintRuler() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CRulerBar m_bar;
};

/// "行ルーラー": left of the text window.
class LineRulerWidget final : public RulerWidget {
    Q_OBJECT
public:
    LineRulerWidget(StateSource state, QWidget* parent);

    void Create(const RulerSettings& settings, const QFont& textFont);
    int BarWidth() const { return m_bar.Width(); }
    void FollowCaret();
    /// After a vertical scroll of `rows` rows (positive: the text moved up).
    void FollowRows(int rows);

signals:
    /// The numbers shown need another width (the text grew past a power of ten): the view
    /// places its children again.
    void widthChanged();

protected:
    void PaintRuler() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FollowText();
    void FitWidth();

    CLineBar m_bar;
};

} // namespace nelvix::qt
