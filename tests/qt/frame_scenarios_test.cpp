// Scenarios of the real main window driven by keys and commands: menus that follow the
// documents, global finds over folders, walking the tags with F5, marks, copy and find through
// keys, the placement of result lists and texts, and closing the untitled windows.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

#include "base/cp932.h"
#include "frame/frame_commands.h"
#include "frame/frame_core.h"
#include "frame/frame_menus.h"
#include "frame_scene.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/frame/find_box.h"
#include "qt/frame/frame_menu_bar.h"
#include "qt/frame/frame_tool_bar.h"
#include "qt/textview/document_view_widget.h"
#include "qt/textview/text_window_widget.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "ui/message_ids.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

qt::CKespoMCW* WindowOfPath(Scene& scene, const std::string& sjisPath) {
    for (qt::CKespoMCW* window : scene.frame->DocumentWindows())
        if (window->Document()->PathName() == sjisPath)
            return window;
    return nullptr;
}

/// The text of the window's tag target line, which is kept as the line end before it.
std::string TagTargetText(const CKespoEV& window) {
    const std::int64_t lineEndBefore = window.TagTargetLine();
    if (lineEndBefore < 0)
        return {};
    const std::size_t start =
        lineEndBefore == kFirstLineMark ? 0 : static_cast<std::size_t>(lineEndBefore) + 2;
    const std::string_view text = window.Document().TextView().substr(start);
    return std::string(text.substr(0, text.find("\r\n")));
}

} // namespace

class FrameScenariosTest : public QObject {
    Q_OBJECT
private slots:
    void menusFollowTheDocuments();
    void globalFindOverTheSamplesListsTheHits();
    void f5WalksTheTagsThenClosingTheUntitledKeepsTheFile();
    void marksAndCopyWorkThroughKeys();
    void enterInFindBoxFinds();
    void placementPutsTheResultAboveAndTheTextBelow();
    void markWindowsTakeTheirPrefixThroughKeys();
    void fontCommandStoresTheFontAndLaysTheTextsOutAgain();
};

void FrameScenariosTest::menusFollowTheDocuments() {
    Scene scene;
    QCOMPARE(scene.frame->Menus()->Shown(), FrameMenu::NoDocument);
    SaveScreenshot(*scene.frame, QStringLiteral("menu-2"));
    QVERIFY(scene.Open(DataPath("sample.sjis.txt")) != nullptr);
    QCOMPARE(scene.frame->Menus()->Shown(), FrameMenu::Documents);
    QVERIFY(scene.frame->Menus()->Action(kCmdCloseAll) != nullptr);
    SaveScreenshot(*scene.frame, QStringLiteral("menu-3"));
    // Menu 3 once showed no keys beside the searches; the key table's keys are shown as text.
    QMenu* edit = scene.frame->Menus()->Menus()[1];
    edit->popup(scene.frame->mapToGlobal(QPoint(60, 30)));
    QTRY_VERIFY(edit->isVisible());
    QCOMPARE(scene.frame->Menus()->Action(kCmdGlobalFind)->text(),
             QStringLiteral("グローバル検索\tCtrl+G"));
    QCOMPARE(scene.frame->Menus()->Action(kCmdHtmlSearch)->text(),
             QStringLiteral("ＨＴＭＬ検索\tCtrl+L"));
    SaveScreenshot(*edit, QStringLiteral("menu-keys"));
    edit->hide();
    scene.frame->RunCommand(kCmdCloseAll);
    QTRY_COMPARE(scene.frame->Menus()->Shown(), FrameMenu::NoDocument);
    QCOMPARE(scene.DocumentCount(), std::size_t{0});
}

void FrameScenariosTest::globalFindOverTheSamplesListsTheHits() {
    Scene scene;
    GlobalFind(scene, QStringLiteral("文字"), SamplesFolder() + QStringLiteral("/*.*"));
    CKespoDoc* result = ResultDocument(scene);
    QVERIFY(result != nullptr);
    const std::string text(result->TextView());
    QVERIFY2(text.find("wc-sjis.c(") != std::string::npos, text.c_str());
    QVERIFY(text.find("sample-euc.txt(") != std::string::npos);
    QCOMPARE(scene.messages.ShownIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    // The pattern went to the front of the history and into the find box.
    QCOMPARE(scene.frame->ToolBar()->Box().currentText(), QStringLiteral("文字"));
    SaveScreenshot(*scene.frame, QStringLiteral("global-find-samples"));

    // A search without hits leaves no window behind.
    scene.frame->RunCommand(kCmdCloseAll);
    GlobalFind(scene, QStringLiteral("no-such-words-anywhere"),
               SamplesFolder() + QStringLiteral("/*.*"));
    QTRY_VERIFY(scene.frame->DocumentWindows().empty());
    QCOMPARE(scene.DocumentCount(), std::size_t{0});
    SaveScreenshot(*scene.frame, QStringLiteral("global-find-nothing"));
}

void FrameScenariosTest::f5WalksTheTagsThenClosingTheUntitledKeepsTheFile() {
    TagFolder folder;
    Scene scene;
    GlobalFind(scene, QStringLiteral("target"), folder.Spec());
    QVERIFY(ResultDocument(scene) != nullptr);

    Press(scene, Qt::Key_Home, Qt::ControlModifier);
    Press(scene, Qt::Key_F5, Qt::ControlModifier);
    qt::CKespoMCW* lines = WindowOfPath(scene, folder.LinesPath());
    QVERIFY(lines != nullptr);
    CKespoEV& text = *lines->TextWindow();
    QCOMPARE(TagTargetText(text), std::string("line 3 target"));

    Press(scene, Qt::Key_F5);
    QCOMPARE(TagTargetText(text), std::string("line 120 target"));
    const std::uint32_t row120 = text.Document().RowOfLine(119);
    QVERIFY(row120 >= text.TopRow() && row120 < text.TopRow() + text.VisibleRows());
    QCOMPARE(text.CaretRow(), row120);
    SaveScreenshot(*scene.frame, QStringLiteral("tag-line-120"));

    Press(scene, Qt::Key_F5);
    QCOMPARE(scene.beeper.beeps, 1); // past the last tag

    // Closing the untitled windows keeps the file.
    scene.frame->RunCommand(kCmdCloseUntitled);
    QTRY_COMPARE(scene.frame->DocumentWindows().size(), std::size_t{1});
    QCOMPARE(scene.DocumentCount(), std::size_t{1});
    QCOMPARE(scene.Active(), lines);
}

void FrameScenariosTest::marksAndCopyWorkThroughKeys() {
    Scene scene;
    qt::CKespoMCW* window = scene.Open(QStringLiteral(NELVIX_SOURCE_DIR "/samples/wc-sjis.c"));
    QVERIFY(window != nullptr);
    qt::TextWindowWidget& widget = window->ViewWidget()->TextWidget();
    widget.setFocus();
    QTRY_VERIFY(widget.hasFocus());

    Press(scene, Qt::Key_F2, Qt::ControlModifier);
    QCOMPARE(window->Document()->LineMarks().size(), std::size_t{1});

    Press(scene, Qt::Key_Down);
    for (int i = 0; i < 4; ++i)
        Press(scene, Qt::Key_Right, Qt::ShiftModifier);
    Press(scene, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" * w"));
}

void FrameScenariosTest::enterInFindBoxFinds() {
    Scene scene;
    qt::CKespoMCW* window = scene.Open(QStringLiteral(NELVIX_SOURCE_DIR "/samples/wc-sjis.c"));
    QVERIFY(window != nullptr);
    qt::TextWindowWidget& widget = window->ViewWidget()->TextWidget();
    widget.setFocus();
    QTRY_VERIFY(widget.hasFocus());
    CKespoEV& text = *window->TextWindow();

    // Ctrl+F, the word typed and Enter, each where the keyboard focus is, as a person does.
    Press(scene, Qt::Key_F, Qt::ControlModifier);
    qt::FindBox& box = scene.frame->ToolBar()->Box();
    QTRY_VERIFY(box.hasFocus() || box.lineEdit()->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("getchar"));
    QCOMPARE(box.currentText(), QStringLiteral("getchar"));
    Press(scene, Qt::Key_Return);
    Scene::Settle();
    const auto selection = text.StreamSelection();
    QVERIFY(selection.has_value());
    const std::string found(window->Document()->TextView().substr(
        selection->first, selection->second - selection->first));
    QCOMPARE(found, std::string("getchar"));
    QCOMPARE(text.CaretOffset(), selection->first);
    QCOMPARE(scene.beeper.beeps, 0);
    SaveScreenshot(*scene.frame, QStringLiteral("find-box-enter"));
}

void FrameScenariosTest::placementPutsTheResultAboveAndTheTextBelow() {
    TagFolder folder;
    QVERIFY(QFile::copy(QStringLiteral(NELVIX_SOURCE_DIR "/samples/wc-sjis.c"),
                        folder.directory.filePath(QStringLiteral("wc-sjis.c"))));
    Scene scene;
    Settings& settings = scene.application->GetSettings();
    settings.separatedPlacement = 1;
    settings.tagToUpper = 1;
    settings.upperHeightPix = 0;
    scene.frame->Core().Placement().Recompute();
    // C texts, so that the lower window shows the colouring.
    DisplayFormat format = scene.application->GetCabinet().Format();
    format.documentType = DocumentType::C;
    scene.application->GetCabinet().SetFormat(format);
    scene.frame->Core().SpreadFormat();

    GlobalFind(scene, QStringLiteral("int"), folder.Spec());
    CKespoDoc* result = ResultDocument(scene);
    QVERIFY(result != nullptr);
    const int areaHeight = scene.frame->DocumentArea()->viewport()->height();
    QMdiSubWindow* resultWindow = scene.Active();
    QCOMPARE(resultWindow->geometry().top(), 0);
    QCOMPARE(resultWindow->geometry().height(), areaHeight / 2);

    Press(scene, Qt::Key_Home, Qt::ControlModifier);
    Press(scene, Qt::Key_F5, Qt::ControlModifier);
    qt::CKespoMCW* source = scene.Active();
    QVERIFY(source != nullptr);
    QVERIFY(source->Document() != result);
    QCOMPARE(source->geometry().top(), areaHeight / 2);
    QCOMPARE(source->geometry().bottom() + 1, areaHeight);
    SaveScreenshot(*scene.frame, QStringLiteral("result-above-c-file-below"));
}

void FrameScenariosTest::markWindowsTakeTheirPrefixThroughKeys() {
    Scene scene;
    qt::CKespoMCW* first = scene.Open(DataPath("sample.sjis.txt"));
    qt::CKespoMCW* second = scene.Open(DataPath("sample.euc.txt"));
    QVERIFY(first != nullptr && second != nullptr);
    Press(scene, Qt::Key_F6, Qt::ControlModifier);
    QCOMPARE(second->windowTitle(), QStringLiteral("* sample.euc.txt"));
    scene.frame->ActivateDocument(*first->Document());
    Press(scene, Qt::Key_F6, Qt::ControlModifier);
    QCOMPARE(first->windowTitle(), QStringLiteral("* sample.sjis.txt"));
    Press(scene, Qt::Key_F6);
    QCOMPARE(scene.Active(), second);
    SaveScreenshot(*scene.frame, QStringLiteral("mark-windows"));
    scene.frame->RunCommand(kCmdClearMarkWindows);
    QCOMPARE(second->windowTitle(), QStringLiteral("sample.euc.txt"));
    QCOMPARE(first->windowTitle(), QStringLiteral("sample.sjis.txt"));
}

void FrameScenariosTest::fontCommandStoresTheFontAndLaysTheTextsOutAgain() {
    Scene scene;
    qt::CKespoMCW* window = scene.Open(DataPath("sample.sjis.txt"));
    QVERIFY(window != nullptr);
    const int cellBefore = window->TextWindow()->CellWidth();
    const FontDescription fontBefore = scene.application->GetCabinet().Format().font;
    // Cancelled, the dialog changes nothing.
    WhenShown<QFontDialog>([](QFontDialog& dialog) { dialog.reject(); });
    scene.frame->RunCommand(kCmdFont);
    QVERIFY(scene.application->GetCabinet().Format().font == fontBefore);
    bool monospacedOnly = false;
    WhenShown<QFontDialog>([&monospacedOnly](QFontDialog& dialog) {
        monospacedOnly = dialog.testOption(QFontDialog::MonospacedFonts);
        SaveScreenshot(dialog, QStringLiteral("font-dialog"));
        QFont font = dialog.currentFont();
        font.setPointSize(24);
        dialog.setCurrentFont(font);
        dialog.accept();
    });
    scene.frame->RunCommand(kCmdFont);
    Scene::Settle();
    QVERIFY(monospacedOnly);
    const FontDescription font = scene.application->GetCabinet().Format().font;
    QCOMPARE(font.height, 24);
    QVERIFY(window->Document()->Format().font == font);
    QVERIFY(window->TextWindow()->CellWidth() > cellBefore);
    // The cabinet was confirmed: the saved copy holds the font too.
    QCOMPARE(scene.application->GetCabinet().SavedFormat().font.height, 24);
    SaveScreenshot(*scene.frame, QStringLiteral("font-24-points"));
}

QTEST_MAIN(FrameScenariosTest)
#include "frame_scenarios_test.moc"
