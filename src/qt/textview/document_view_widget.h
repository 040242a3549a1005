// The view of one document on screen: the core CKespoView places the text window and the two
// rulers inside it and switches the rulers on and off.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

#include "qt/textview/ruler_widgets.h"
#include "qt/textview/text_window_widget.h"
#include "render/status_panes.h"
#include "view/document_view.h"

namespace nelvix::qt {

/// The frame's settings, which every view of the program shares and which outlive the views.
struct ViewWidgetSettings {
    ViewSettings& view;
    const RulerSettings& rulers;
    const CaretSettings& caret;
};

class KespoViewWidget final : public QWidget, public ViewChildren {
    Q_OBJECT
public:
    KespoViewWidget(CKespoDoc& document, ui::Platform& platform, ViewWidgetSettings settings,
                    TextWindowHandlers handlers, QWidget* parent = nullptr);
    ~KespoViewWidget() override;

    CKespoView& View() { return *m_view; }
    TextWindowWidget& TextWidget() { return *m_text; }
    ColumnRulerWidget& ColumnRuler() { return *m_columnRuler; }
    LineRulerWidget& LineRuler() { return *m_lineRuler; }
    /// The position panes of the status bar for the caret as it stands.
    PositionPanes CaretPanes() const;
    /// Places the children again, after another view switched a ruler.
    void PlaceAgain();

    // ViewChildren
    void Place(const ViewChildRects& rects) override;

signals:
    /// The caret stands on a new cell; the status bar shows these panes.
    void caretPanesChanged(const nelvix::PositionPanes& panes);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Measures the rulers from the settings and the text window's font and pitch.
    void CreateRulers();
    /// Measures the rulers again and places the children with their new sizes.
    void RemakeRulers();
    void FollowCaret();

    ViewWidgetSettings m_settings;
    TextWindowWidget* m_text;
    ColumnRulerWidget* m_columnRuler;
    LineRulerWidget* m_lineRuler;
    bool m_panesPending = false;
    std::unique_ptr<CKespoView> m_view;
};

} // namespace nelvix::qt
