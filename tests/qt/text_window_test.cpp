// The document window on screen: a text shown, scrolled, read and selected through the Qt
// widgets around the core's text window, its rulers and its view.
#include <QFontDatabase>
#include <QFontInfo>
#include <QMdiArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "qt/platform/convert.h"
#include "qt/platform/document_font.h"
#include "qt/platform/qt_platform.h"
#include "qt/textview/document_window.h"
#include "qt/textview/text_font.h"
#include "qt_test_support.h"
#include "store/cabinet.h"
#include "text/document_list.h"
#include "ui/fake_platform.h"
#include "widget_actions.h"

using namespace nelvix;
using namespace nelvix::test;
using qt::CKespoMCW;
using qt::TextWindowWidget;

namespace {

/// A frame's share of the document windows: the Qt services (the real clipboard), the
/// documents, the settings every view reads, and what the windows told the frame.
struct Scene {
    qt::QtPlatform services;
    ui::FakeMessageBox messages;
    ui::FakeBeeper beeper;
    ui::Platform platform{messages,           beeper,          services.clipboard,
                          services.eventPump, services.memory, services.fileDialogs};
    DocumentEnvironment environment{platform};
    DocumentList documents{environment};
    std::vector<std::string> noKeywords;
    ViewSettings viewSettings;
    RulerSettings rulerSettings;
    CaretSettings caretSettings;
    QMdiArea area;

    int tagJumps = 0;
    int rightDoubleClicks = 0;
    int activations = 0;
    int closings = 0;
    std::vector<PositionPanes> panes;
    WindowId nextId = 1;

    qt::DocumentWindowContext context{
        platform,
        documents,
        viewSettings,
        rulerSettings,
        caretSettings,
        {[this](CKespoEV&, bool, bool) {
             ++tagJumps;
             return false;
         },
         [this](CKespoEV&) { ++rightDoubleClicks; }},
        [this](CKespoMCW&, const PositionPanes& shown) { panes.push_back(shown); },
        [this](CKespoMCW&) { ++activations; },
        [this](CKespoMCW&) { ++closings; }};

    Scene() {
        environment.format = Cabinet().Format();
        viewSettings.leftMarginTenthsMm = 15;
        viewSettings.topMarginTenthsMm = 15;
        viewSettings.keywords = {noKeywords, Cabinet::CKeywords(), Cabinet::CppKeywords()};
        area.resize(900, 600);
        area.show();
        if (!QTest::qWaitForWindowActive(&area))
            qWarning("the document area did not become active");
    }

    CKespoDoc& Load(const std::string& sjisText) {
        CKespoDoc* document = documents.CreateUntitled();
        document->LoadBytes(reinterpret_cast<const Byte*>(sjisText.data()), sjisText.size());
        return *document;
    }
    CKespoMCW& Show(CKespoDoc& document) {
        auto* window = new CKespoMCW(context, document, nextId++);
        area.addSubWindow(window);
        window->resize(640, 420);
        window->show();
        area.setActiveSubWindow(window);
        Text(*window).setFocus();
        QCoreApplication::processEvents();
        return *window;
    }
    static TextWindowWidget& Text(CKespoMCW& window) { return window.ViewWidget()->TextWidget(); }
};

std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

/// The centre of a cell, counting rows from the top row shown.
QPoint CellCentre(const CKespoEV& window, int column, int row) {
    return {window.LeftMargin() + column * window.CellWidth() + window.CellWidth() / 2,
            window.TopMargin() + row * window.RowHeight() + window.RowHeight() / 2};
}

std::pair<std::uint32_t, std::uint32_t> Caret(const CKespoEV& window) {
    return {window.CaretColumn(), window.CaretRow()};
}

void Wheel(QWidget* viewport, int angle) {
    const QPoint at(20, 20);
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
}

/// Whether a band of the image holds drawn (dark) pixels, as text on a light background does.
bool HasDarkPixels(const QImage& image, const QRect& band) {
    const QRect area = band.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

/// Glyphs are smoothed into their background: a blue glyph shows as mostly blue pixels.
bool HasBluishPixel(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 150 && c.red() < 100 && c.green() < 100)
                return true;
        }
    return false;
}

} // namespace

class TextWindowTest : public QObject {
    Q_OBJECT
private slots:
    void keysMoveTheCaretAndScroll();
    void marksAndCommandsReachTheCore();
    void clickAndDragSelect();
    void draggingBelowTheWindowScrollsWithTheTimer();
    void doubleClicksSelectAWordOrCallTheHandlers();
    void wheelScrollsByScrollLineCount();
    void scrollBarsFollowAndDriveTheTextAndAShortTextsBarGivesKeys();
    void rulersAreToggledInEveryView();
    void twoWindowsOnOneDocumentAreActivatedAndClosedApart();
    void aBurstOfAppendedLinesIsShownWhole();
    void colouredCTextWithRulersAndAMarkedLine();
    void fontKeepsAnInstalledFaceElseFallsBack_data();
    void fontKeepsAnInstalledFaceElseFallsBack();
};

void TextWindowTest::keysMoveTheCaretAndScroll() {
    Scene scene;
    CKespoMCW& window = scene.Show(scene.Load(Lines(200)));
    TextWindowWidget& text = Scene::Text(window);
    const CKespoEV& core = *window.TextWindow();
    QVERIFY(core.VisibleRows() > 5);

    QTest::keyClick(&text, Qt::Key_Down);
    QTest::keyClick(&text, Qt::Key_End);
    QCOMPARE(Caret(core), std::make_pair(6u, 1u));
    // The status bar follows once the events run: line and column of the last move.
    QTRY_VERIFY(!scene.panes.empty());
    QTRY_COMPARE(scene.panes.back(), FormatPositionPanes(core.CaretRow() + 1, core.CaretColumn()));
    QTest::keyClick(&text, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(core.CaretRow(), 200u);
    QCOMPARE(core.TopRow(), core.VerticalMaximum());
    // The caret bar stands at the caret's cell.
    const PixelPoint at = core.CellToPixel(core.CaretColumn(), core.CaretRow());
    QCOMPARE(text.CaretRect().topLeft(), QPoint(at.x, at.y));
    QCOMPARE(text.CaretRect().width(), 2);
    // Keys the window has no use for reach the frame: its scenarios press F5 and Ctrl+F6 here.
}

void TextWindowTest::marksAndCommandsReachTheCore() {
    Scene scene;
    CKespoDoc& document = scene.Load(Lines(50));
    CKespoMCW& window = scene.Show(document);
    TextWindowWidget& text = Scene::Text(window);
    QTest::keyClick(&text, Qt::Key_Down);
    QTest::keyClick(&text, Qt::Key_Down);
    QTest::keyClick(&text, Qt::Key_F2, Qt::ControlModifier);
    QCOMPARE(document.LineMarks(), std::vector<std::uint32_t>{14}); // the CR ending row 1
    QTest::keyClick(&text, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&text, Qt::Key_F2);
    QCOMPARE(window.TextWindow()->CaretRow(), 2u);
    QVERIFY(window.RunCommand(kCmdClearAllMarks));
    QVERIFY(document.LineMarks().empty());
    QVERIFY(!window.RunCommand(57636)); // find belongs to the frame
}

void TextWindowTest::clickAndDragSelect() {
    Scene scene;
    CKespoMCW& window = scene.Show(scene.Load(Lines(20)));
    const CKespoEV& core = *window.TextWindow();
    QWidget* viewport = Scene::Text(window).viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(core, 3, 2));
    QCOMPARE(Caret(core), std::make_pair(3u, 2u));
    QVERIFY(!core.SelectionShown());

    QTest::mousePress(viewport, Qt::LeftButton, {}, CellCentre(core, 1, 0));
    QTest::mouseMove(viewport, CellCentre(core, 4, 1));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, CellCentre(core, 4, 1));
    QCOMPARE(core.StreamSelection(), std::make_optional(std::make_pair(1u, 12u)));
    QVERIFY(!core.Dragging());
    // A selection hides the caret bar until Escape ends it.
    QVERIFY(Scene::Text(window).CaretRect().isEmpty());
    QTest::keyClick(&Scene::Text(window), Qt::Key_Escape);
    QVERIFY(!Scene::Text(window).CaretRect().isEmpty());

    // Ctrl+drag selects a box of cells.
    QTest::mousePress(viewport, Qt::LeftButton, Qt::ControlModifier, CellCentre(core, 1, 0));
    QTest::mouseMove(viewport, CellCentre(core, 3, 2));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ControlModifier, CellCentre(core, 3, 2));
    QVERIFY(core.BoxMode());
    QVERIFY(core.BoxSelection().has_value());
}

void TextWindowTest::draggingBelowTheWindowScrollsWithTheTimer() {
    Scene scene;
    CKespoMCW& window = scene.Show(scene.Load(Lines(300)));
    const CKespoEV& core = *window.TextWindow();
    QWidget* viewport = Scene::Text(window).viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, CellCentre(core, 2, 1));
    QTest::mouseMove(viewport, QPoint(40, viewport->height() + 30));
    const std::uint32_t firstTop = core.TopRow();
    // Without further mouse events the timer keeps scrolling while the button is held.
    QTRY_VERIFY(core.TopRow() > firstTop + 2);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(40, viewport->height() + 30));
    const std::uint32_t stoppedTop = core.TopRow();
    QTest::qWait(3 * kDragTimerMilliseconds);
    QCOMPARE(core.TopRow(), stoppedTop);
    QVERIFY(core.SelectionShown());
}

void TextWindowTest::doubleClicksSelectAWordOrCallTheHandlers() {
    Scene scene;
    CKespoMCW& window = scene.Show(scene.Load(Sjis("alpha beta 漢字かな\r\n")));
    const CKespoEV& core = *window.TextWindow();
    QWidget* viewport = Scene::Text(window).viewport();

    DoubleClick(viewport, CellCentre(core, 12, 0), Qt::LeftButton);
    QCOMPARE(scene.tagJumps, 1);
    QCOMPARE(core.StreamSelection(), std::make_optional(std::make_pair(11u, 15u)));

    // A right double-click puts the caret on the cell, then starts the editor or browser.
    window.RunCommand(kCmdSelectAll);
    DoubleClick(viewport, CellCentre(core, 2, 0), Qt::RightButton);
    QCOMPARE(scene.rightDoubleClicks, 1);
    QCOMPARE(Caret(core), std::make_pair(2u, 0u));
    QVERIFY(!core.SelectionShown());
    QVERIFY(!core.Dragging());
}

void TextWindowTest::wheelScrollsByScrollLineCount() {
    Scene scene;
    scene.caretSettings.scrollLineCount = 5;
    CKespoMCW& window = scene.Show(scene.Load(Lines(200)));
    const CKespoEV& core = *window.TextWindow();
    QWidget* viewport = Scene::Text(window).viewport();
    Wheel(viewport, -120);
    QCOMPARE(core.TopRow(), 5u);
    Wheel(viewport, -240);
    QCOMPARE(core.TopRow(), 15u);
    Wheel(viewport, 60); // half a notch waits for the other half
    QCOMPARE(core.TopRow(), 15u);
    Wheel(viewport, 60);
    QCOMPARE(core.TopRow(), 10u);
    QCOMPARE(Caret(core), std::make_pair(0u, 0u));
}

void TextWindowTest::scrollBarsFollowAndDriveTheTextAndAShortTextsBarGivesKeys() {
    Scene scene;
    CKespoMCW& window = scene.Show(scene.Load(Lines(200)));
    const CKespoEV& core = *window.TextWindow();
    QScrollBar* vertical = Scene::Text(window).verticalScrollBar();
    QVERIFY(vertical->isEnabled());
    QCOMPARE(vertical->maximum(), int(core.VerticalMaximum()));

    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(core.TopRow(), core.VisibleRows());
    QCOMPARE(vertical->value(), int(core.TopRow()));
    vertical->setSliderPosition(7); // a thumb drag
    QCOMPARE(core.TopRow(), 7u);
    QCOMPARE(vertical->value(), 7);
    QTest::keyClick(&Scene::Text(window), Qt::Key_Home, Qt::ControlModifier);
    // Bar changes that come close together are shown once the events run.
    QTRY_COMPARE(vertical->value(), 0);

    // 200 cells a row do not fit: the horizontal bar moves ten columns a step.
    QScrollBar* horizontal = Scene::Text(window).horizontalScrollBar();
    QCOMPARE(horizontal->maximum(), int(core.HorizontalMaximum()));
    horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(core.FirstColumn(), kHorizontalStepColumns);
    QCOMPARE(horizontal->value(), int(kHorizontalStepColumns));

    // A short text's bar is off, and a request of it moves the caret as its key would.
    CKespoMCW& shortWindow = scene.Show(scene.Load(Lines(3)));
    const CKespoEV& shortText = *shortWindow.TextWindow();
    QScrollBar* shortBar = Scene::Text(shortWindow).verticalScrollBar();
    QVERIFY(!shortBar->isEnabled());
    QCOMPARE(shortBar->maximum(), 1);
    shortBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Caret(shortText), std::make_pair(0u, 1u));
    QCOMPARE(shortText.TopRow(), 0u);
    QCOMPARE(shortBar->value(), 0);
}

void TextWindowTest::rulersAreToggledInEveryView() {
    Scene scene;
    CKespoDoc& document = scene.Load(Lines(30));
    CKespoMCW& first = scene.Show(document);
    CKespoMCW& second = scene.Show(scene.Load(Lines(5)));
    scene.area.tileSubWindows();
    QCoreApplication::processEvents();
    qt::KespoViewWidget& view = *first.ViewWidget();
    const int rulerHeight = view.ColumnRuler().height();
    QVERIFY(rulerHeight > 0);
    QCOMPARE(view.TextWidget().y(), rulerHeight);
    QCOMPARE(view.TextWidget().x(), view.LineRuler().width());

    QVERIFY(first.RunCommand(kCommandColumnRuler));
    QVERIFY(!view.ColumnRuler().isVisible());
    QCOMPARE(view.TextWidget().y(), 0);
    QCOMPARE(second.ViewWidget()->TextWidget().y(), 0);

    QVERIFY(first.RunCommand(kCommandColumnRuler));
    QCOMPARE(view.TextWidget().pos(), QPoint(view.LineRuler().width(), rulerHeight));
    // Shown again, the rulers are drawn: numbers and ticks in black.
    QVERIFY(HasDarkPixels(view.ColumnRuler().Image(), view.ColumnRuler().rect()));
    QVERIFY(HasDarkPixels(view.LineRuler().Image(), view.LineRuler().rect()));

    // A change of the settings reaches the rulers with the repaint of the whole view.
    scene.rulerSettings.rulerBackColor = 7;
    document.UpdateAllViews(UpdateHint::RedrawAfterSettings);
    QCOMPARE(view.ColumnRuler().Image().pixelColor(1, 3),
             qt::ToQColor(ui::StandardPaletteColor(7)));
}

void TextWindowTest::twoWindowsOnOneDocumentAreActivatedAndClosedApart() {
    Scene scene;
    CKespoDoc& document = scene.Load(Lines(3));
    CKespoMCW& first = scene.Show(document);
    CKespoMCW& second = scene.Show(document);
    second.SetWindowNumber(2);
    QCOMPARE(second.windowTitle(), qt::SjisToQString(document.Title()) + QStringLiteral(":2"));
    scene.area.tileSubWindows();
    QCoreApplication::processEvents();
    // Activating a window shows its caret's position.
    QTest::keyClick(&Scene::Text(second), Qt::Key_Down);
    const int activations = scene.activations;
    scene.area.setActiveSubWindow(&first);
    QCOMPARE(scene.activations, activations + 1);
    QTRY_COMPARE(scene.panes.back(), FormatPositionPanes(1, 0));

    // The document stays while a window shows it.
    first.close();
    QCOMPARE(scene.documents.Documents().size(), std::size_t{1});
    QCOMPARE(first.Document(), nullptr);
    QCOMPARE(&second.TextWindow()->Document(), &document);
    second.close();
    QVERIFY(scene.documents.Documents().empty());
    QCOMPARE(scene.closings, 2);
}

void TextWindowTest::aBurstOfAppendedLinesIsShownWhole() {
    // A find appends line after line between two passes of the event loop; the repaints, the
    // bars and the rulers follow once per pass and must end where the text is.
    Scene scene;
    // Line numbers of three digits throughout: the line ruler keeps its width, so that no
    // resize repaints everything anyway.
    CKespoDoc& document = scene.Load(Lines(100));
    CKespoMCW& window = scene.Show(document);
    TextWindowWidget& text = Scene::Text(window);
    // Shown and painted before the run.
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    std::pair<quint32, quint32> caretTold{};
    QObject::connect(&text, &TextWindowWidget::caretMoved,
                     [&caretTold](quint32 column, quint32 row) {
                         caretTold = {column, row};
                     });
    for (int i = 0; i < 300; ++i) {
        const std::string line = "C:\\src\\a.c(" + std::to_string(i) + "): needle\r\n";
        HintArgument argument;
        argument.text = reinterpret_cast<const Byte*>(line.c_str());
        argument.length = line.size();
        document.UpdateAllViews(UpdateHint::AppendText, argument);
    }
    const CKespoEV& core = *window.TextWindow();
    QVERIFY(core.TopRow() > 0);
    QScrollBar* vertical = text.verticalScrollBar();
    QTRY_COMPARE(vertical->value(), int(core.TopRow()));
    QCOMPARE(vertical->maximum(), int(core.VerticalMaximum()));
    QTRY_COMPARE(caretTold, std::make_pair(quint32{core.CaretColumn()}, quint32{core.CaretRow()}));

    // What the event loop painted is what a repaint of everything paints.
    QCoreApplication::processEvents();
    qt::LineRulerWidget& ruler = window.ViewWidget()->LineRuler();
    const QImage shown = text.Image().copy();
    const QImage rulerShown = ruler.Image().copy();
    text.InvalidateAll();
    text.viewport()->grab();
    ruler.Repaint();
    QCOMPARE(text.Image(), shown);
    QCOMPARE(ruler.Image(), rulerShown);
}

void TextWindowTest::colouredCTextWithRulersAndAMarkedLine() {
    Scene scene;
    scene.environment.format.documentType = nelvix::DocumentType::C; // C
    CKespoDoc* document = scene.documents.Open(ArgumentPath(DataPath("sample.sjis.txt")));
    QVERIFY(document != nullptr);
    CKespoMCW& window = scene.Show(*document);
    window.showMaximized();
    QCoreApplication::processEvents();
    TextWindowWidget& text = Scene::Text(window);
    for (int i = 0; i < 13; ++i)
        QTest::keyClick(&text, Qt::Key_Down);
    QVERIFY(window.RunCommand(kCmdToggleMark));
    QCOMPARE(document->LineMarks().size(), std::size_t{1});
    QTest::keyClick(&text, Qt::Key_Down);
    QTest::keyClick(&text, Qt::Key_End);

    const QImage shown = window.ViewWidget()->grab().toImage();
    const CKespoEV& core = *window.TextWindow();
    const QPoint origin = text.mapTo(window.ViewWidget(), QPoint(0, 0));
    // The marked line's background runs past its text.
    const QPoint pastText = origin + QPoint(core.LeftMargin() + 40 * core.CellWidth(),
                                            core.TopMargin() + 13 * core.RowHeight() + 2);
    QCOMPARE(shown.pixelColor(pastText), qt::ToQColor(ui::StandardPaletteColor(11)));
    // "int" of the row below, in the C keywords' colour.
    const QRect intCells(origin + QPoint(core.LeftMargin() + 4 * core.CellWidth(),
                                         core.TopMargin() + 14 * core.RowHeight()),
                         QSize(3 * core.CellWidth(), core.RowHeight()));
    QVERIFY(HasBluishPixel(shown, intCells));
    QVERIFY(SaveImage(text.Image(), QStringLiteral("text-window-c")));
    SaveScreenshot(window, QStringLiteral("text-window-c-rulers"));
    QVERIFY(scene.messages.shown.empty());
}

void TextWindowTest::fontKeepsAnInstalledFaceElseFallsBack_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("expectedFamily"); // empty: the Japanese fixed-pitch font
    QTest::newRow("Fixedsys is not installed") << QStringLiteral("Fixedsys") << QString();
    QTest::newRow("ＭＳ ゴシック is not installed") << QStringLiteral("ＭＳ ゴシック") << QString();
    QTest::newRow("an installed face is kept")
        << QStringLiteral("DejaVu Sans Mono") << QStringLiteral("DejaVu Sans Mono");
}

void TextWindowTest::fontKeepsAnInstalledFaceElseFallsBack() {
    QFETCH(QString, face);
    QFETCH(QString, expectedFamily);
    if (!expectedFamily.isEmpty() && !QFontDatabase::families().contains(expectedFamily))
        QSKIP("the face is not installed here");
    FontDescription description = Cabinet().Format().font;
    SetFontFaceName(description, qt::QStringToSjis(face));
    description.weight = 700;

    const QFont font = qt::TextFontOf(description, -19);
    QCOMPARE(font.pixelSize(), 19);
    QCOMPARE(font.weight(), QFont::Bold);
    if (expectedFamily.isEmpty())
        QCOMPARE(font.family(), qt::DocumentFont().family());
    else
        QCOMPARE(QFontInfo(font).family(), expectedFamily);
}

QTEST_MAIN(TextWindowTest)
#include "text_window_test.moc"
