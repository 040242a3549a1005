// Scenarios of the real main window driven by keys and commands: menus that follow the
// documents, global finds over folders, walking the tags with F5, marks, copy and find through
// keys, the placement of result lists and texts, closing the untitled windows and the font
// command; and the commands that reach outside the texts: Ctrl+L listing the titles and links of
// the sample pages and F5 into them, Ctrl+E over the samples through the sheet and its replay,
// line extraction of the open mail log, the settings sheet laying the texts out again only when
// the layout changed, the editor started on a tag's file and line, and an operation saved as
// user tool 3 and run again with Ctrl+3.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "extract/extraction_sheet.h"
#include "frame/frame_commands.h"
#include "frame/frame_core.h"
#include "frame/frame_menus.h"
#include "frame_scene.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/dialogs/html_search_dialog.h"
#include "qt/dialogs/save_operation_dialog.h"
#include "qt/frame/find_box.h"
#include "qt/frame/frame_menu_bar.h"
#include "qt/frame/frame_tool_bar.h"
#include "qt/frame/window_bar.h"
#include "qt/sheets/extraction_sheet.h"
#include "qt/sheets/number_field.h"
#include "qt/sheets/settings_sheet.h"
#include "qt/textview/document_view_widget.h"
#include "qt/textview/text_window_widget.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "store/tool_entry.h"
#include "text/update_hint.h"
#include "ui/message_ids.h"
#include "widget_actions.h"

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

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::string MailLogPath() {
    return ArgumentPath(SamplesFolder() + QStringLiteral("/mail-log-sjis.txt"));
}

/// What the default rules keep of the sample mail log: each message from the line before its
/// subject down to the line before the menu after it, without the pager prompts and the line
/// after each; `header` gives the line before each block.
std::string ExpectedBlocks(const std::function<std::string(int)>& header) {
    return header(6) +
           Sjis("    差出人：山田 太郎\r\n"
                "    題名：会議の日程について\r\n"
                "    日付：2026/11/30 10:15\r\n"
                "鈴木さん\r\n"
                "来週の会議は水曜日の午後二時からでいかがでしょうか。\r\n"
                "場所は三階の第一会議室です。\r\n"
                "資料は前日までにお送りします。\r\n"
                "山田\r\n") +
           header(20) +
           Sjis("    差出人：佐藤 次郎\r\n"
                "    題名：見積書の送付\r\n"
                "    日付：2026/12/01 09:02\r\n"
                "お世話になっております。\r\n"
                "ご依頼の見積書を添付いたします。\r\n"
                "ご確認のほどよろしくお願いいたします。\r\n") +
           header(30) +
           Sjis("    差出人：システム管理者\r\n"
                "    題名：定期保守のお知らせ\r\n"
                "    日付：2026/12/02 18:30\r\n"
                "12月5日（土）の午前一時から三時まで、サーバーを停止します。\r\n"
                "停止中はメールを送受信できません。\r\n");
}

/// Closes the counts dialog when it shows, after a screenshot named `name`.
void CloseCountsWhenShown(const QString& name, QString* caption = nullptr) {
    WhenShown<QDialog>([name, caption](QDialog& dialog) {
        if (dialog.objectName() != QStringLiteral("countsDialog")) {
            CloseCountsWhenShown(name, caption);
            return;
        }
        if (caption != nullptr)
            *caption = dialog.windowTitle();
        SaveScreenshot(dialog, name);
        dialog.accept();
    });
}

std::vector<std::string> UntitledTexts(Scene& scene) {
    std::vector<std::string> texts;
    for (const auto& document : scene.application->Documents().Documents())
        if (document->PathName().empty())
            texts.emplace_back(document->TextView());
    return texts;
}

/// Counts the notices by which the settings reach a document's views: a new layout, or only a
/// redraw. (A text losing the focus also asks its other views for a layout; that is not counted.)
struct HintCounter final : DocumentView {
    int relayouts = 0;
    int redraws = 0;
    void OnUpdate(CKespoDoc&, UpdateHint hint, const HintArgument&) override {
        if (hint == UpdateHint::FormatCopied)
            ++relayouts;
        else if (hint == UpdateHint::RedrawAfterSettings)
            ++redraws;
    }
};

/// Opens the settings sheet and lets `change` act on it before OK.
void ChangeSettings(Scene& scene, std::function<void(qt::CSetPS&)> change) {
    WhenShown<qt::CSetPS>([change = std::move(change)](qt::CSetPS& sheet) {
        change(sheet);
        Click(sheet, "ok");
    });
    scene.frame->RunCommand(kCmdSettings);
    Scene::Settle();
}

} // namespace

class FrameScenariosTest : public QObject {
    Q_OBJECT
private slots:
    void menusFollowTheDocuments();
    void globalFindOverTheSamplesListsTheHits();
    void f5WalksTheTagsThenClosingTheUntitledKeepsTheFile();
    void enterInFindBoxFinds();
    void placementPutsTheResultAboveAndTheTextBelow();
    void markWindowsTakeTheirPrefixThroughKeys();
    void fontCommandStoresTheFontAndLaysTheTextsOutAgain();
    void ctrlLListsTitlesAndLinksAndF5OpensThePages();
    void ctrlEExtractsTheSamplesAndTheReplayGivesTheSameResult();
    void lineExtractionOfTheOpenMailLog();
    void settingsLayTheTextsOutAgainOnlyForLayoutChanges();
    void editorStartsOnTheTagsFileAndLine();
    void operationSavedAsUserToolThreeRunsWithCtrl3();
    void tagInFolderWithParenthesesJumps();
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

void FrameScenariosTest::enterInFindBoxFinds() {
    Scene scene;
    qt::CKespoMCW* window = scene.Open(QStringLiteral(NELVIX_SOURCE_DIR "/samples/wc-sjis.c"));
    QVERIFY(window != nullptr);
    qt::TextWindowWidget& widget = window->ViewWidget()->TextWidget();
    widget.setFocus();
    QTRY_VERIFY(widget.hasFocus());
    CKespoEV& text = *window->TextWindow();

    // Marks and copy through the keys.
    Press(scene, Qt::Key_F2, Qt::ControlModifier);
    QCOMPARE(window->Document()->LineMarks().size(), std::size_t{1});
    Press(scene, Qt::Key_Down);
    for (int i = 0; i < 4; ++i)
        Press(scene, Qt::Key_Right, Qt::ShiftModifier);
    Press(scene, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" * w"));

    // The hit is shown while the find runs: the cursor the caret's move sees is the find's.
    std::vector<int> cursors;
    QObject::connect(&widget, &qt::TextWindowWidget::caretMoved, [&cursors] {
        const QCursor* cursor = QApplication::overrideCursor();
        cursors.push_back(cursor != nullptr ? cursor->shape() : -1);
    });
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
    QVERIFY(!cursors.empty());
    QCOMPARE(cursors.back(), static_cast<int>(Qt::WaitCursor));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
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

void FrameScenariosTest::ctrlLListsTitlesAndLinksAndF5OpensThePages() {
    Scene scene;
    const QString folder = SamplesFolder() + QStringLiteral("/html");
    WhenShown<qt::QtHtmlSearchDialog>([folder](qt::QtHtmlSearchDialog& dialog) {
        dialog.ChangeDirectory(folder);
        Child<QComboBox>(dialog, "fileBox")->setEditText(QStringLiteral("*.html *.htm"));
        Child<QCheckBox>(dialog, "subdirectories")->setChecked(true);
        Click(dialog, "targetLink");
        SaveScreenshot(dialog, QStringLiteral("html-search-dialog"));
        Click(dialog, "ok");
    });
    Press(scene, Qt::Key_L, Qt::ControlModifier);

    CKespoDoc* result = ResultDocument(scene);
    QVERIFY(result != nullptr);
    QCOMPARE(scene.messages.ShownIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    // The lines' layout is the HTML search's (its own tests); here the pages of the folder and its
    // subfolder are listed.
    const std::vector<std::string> lines = Lines(result->TextView());
    SaveScreenshot(*scene.frame, QStringLiteral("html-search-links"));

    // The first line names a page; Ctrl+F5 opens it and makes the list the tag document, F5 then
    // steps over the link lines to the next page.
    const std::vector<std::string> pages = [&lines] {
        std::vector<std::string> paths;
        for (const std::string& line : lines)
            if (line.size() > 45 && line[44] == ' ' && line[45] == '/')
                paths.push_back(line.substr(45));
        return paths;
    }();
    QCOMPARE(pages.size(), std::size_t{5});
    Press(scene, Qt::Key_Home, Qt::ControlModifier);
    Press(scene, Qt::Key_F5, Qt::ControlModifier);
    QVERIFY(scene.frame->Core().Tags().HasTagDocument());
    QCOMPARE(scene.Active()->Document()->PathName(), pages[0]);
    Press(scene, Qt::Key_F5);
    QCOMPARE(scene.Active()->Document()->PathName(), pages[1]);
    SaveScreenshot(*scene.frame, QStringLiteral("html-search-page-opened"));
}

void FrameScenariosTest::ctrlEExtractsTheSamplesAndTheReplayGivesTheSameResult() {
    Scene scene;
    scene.application->GetSettings().recordExtractOperation = 1;
    QString summaryCaption;
    WhenShown<qt::CExtPS>([&summaryCaption](qt::CExtPS& sheet) {
        auto* pages = Child<QTabWidget>(sheet, "pages");
        pages->setCurrentIndex(kExtFilePage);
        auto* pattern = Child<QComboBox>(sheet, "pattern");
        pattern->setEditText(SamplesFolder() + QStringLiteral("/*.*"));
        SaveScreenshot(sheet, QStringLiteral("extraction-sheet-file-page"));
        CloseCountsWhenShown(QStringLiteral("extraction-summary"), &summaryCaption);
        Click(sheet, "ok");
    });
    QApplication::setActiveWindow(scene.frame.get());
    QTest::keyClick(scene.frame.get(), Qt::Key_E, Qt::ControlModifier);
    Scene::Settle();

    const std::string expected = ExpectedBlocks(
        [](int line) { return MailLogPath() + "(" + std::to_string(line) + "): \r\n"; });
    QTRY_COMPARE(UntitledTexts(scene).size(), std::size_t{1});
    QCOMPARE(UntitledTexts(scene)[0], expected);
    QCOMPARE(summaryCaption, QStringLiteral("グローバル抽出"));
    QVERIFY(scene.application->Recorder().HasRecord());
    QCOMPARE(scene.application->ExtractionFiles().patterns.front(),
             ArgumentPath(SamplesFolder()) + "/*.*");
    SaveScreenshot(*scene.frame, QStringLiteral("global-extraction-samples"));

    CloseCountsWhenShown(QStringLiteral("extraction-summary-replayed"));
    scene.frame->RunCommand(kCmdReplay);
    Scene::Settle();
    const std::vector<std::string> texts = UntitledTexts(scene);
    QCOMPARE(texts.size(), std::size_t{2});
    QCOMPARE(texts[1], expected);
    SaveScreenshot(*scene.frame, QStringLiteral("global-extraction-replayed"));
}

void FrameScenariosTest::lineExtractionOfTheOpenMailLog() {
    Scene scene(MailLogPath());
    QVERIFY(scene.Active() != nullptr);
    CloseCountsWhenShown(QStringLiteral("line-extraction-counts"));
    WhenShown<qt::CExtPS>([](qt::CExtPS& sheet) { Click(sheet, "ok"); });
    scene.frame->RunCommand(kCmdLineExtraction);
    Scene::Settle();
    const std::vector<std::string> texts = UntitledTexts(scene);
    QCOMPARE(texts.size(), std::size_t{1});
    QCOMPARE(texts[0], ExpectedBlocks([](int) { return std::string(); }));
    SaveScreenshot(*scene.frame, QStringLiteral("line-extraction-mail-log"));
}

void FrameScenariosTest::settingsLayTheTextsOutAgainOnlyForLayoutChanges() {
    HintCounter hints; // outlives the scene, whose documents tell it until they close
    Scene scene(MailLogPath());
    QVERIFY(scene.Active() != nullptr);
    CKespoDoc& document = *scene.Active()->Document();
    document.AddView(hints);
    const std::uint32_t rowsBefore = document.Rows().Count();

    ChangeSettings(scene, [](qt::CSetPS& sheet) {
        Child<QTabWidget>(sheet, "pages")->setCurrentIndex(1);
        auto* field = Child<qt::ExtNumberField>(sheet, "charsPerLineField");
        QVERIFY(field != nullptr);
        field->SetText("40");
        SaveScreenshot(sheet, QStringLiteral("settings-chars-per-line"));
    });
    // Every change of the settings redraws the texts; only a layout change lays them out again.
    QCOMPARE(hints.relayouts, 1);
    QCOMPARE(hints.redraws, 1);
    QCOMPARE(document.Format().charsPerLine, 40); // characters per line
    QVERIFY(document.Rows().Count() > rowsBefore);
    SaveScreenshot(*scene.frame, QStringLiteral("settings-40-characters"));

    const std::uint32_t rowsAt40 = document.Rows().Count();
    const DisplayColours coloursBefore = document.Format().colours;
    ChangeSettings(scene, [](qt::CSetPS& sheet) {
        Child<QTabWidget>(sheet, "pages")->setCurrentIndex(2);
        auto* list = Child<QComboBox>(sheet, "text");
        list->setCurrentIndex((list->currentIndex() + 1) % list->count());
        SaveScreenshot(sheet, QStringLiteral("settings-text-colour"));
    });
    QCOMPARE(hints.relayouts, 1);
    QCOMPARE(hints.redraws, 2);
    QVERIFY(document.Format().colours != coloursBefore);
    QCOMPARE(document.Format().charsPerLine, 40);
    QCOMPARE(document.Rows().Count(), rowsAt40);
    SaveScreenshot(*scene.frame, QStringLiteral("settings-colour-only"));

    // The window bar goes at once, without a new layout.
    QVERIFY(scene.frame->TabBar()->isVisible());
    ChangeSettings(scene, [](qt::CSetPS& sheet) {
        Child<QCheckBox>(sheet, "displayTabBar")->setChecked(false);
    });
    QVERIFY(!scene.frame->TabBar()->isVisible());
    QCOMPARE(hints.relayouts, 1);
    QCOMPARE(scene.application->GetSettings().displayTabBar, 0);
    document.RemoveView(hints);
}

void FrameScenariosTest::editorStartsOnTheTagsFileAndLine() {
    TagFolder folder;
    QTemporaryDir work;
    const QString record = work.filePath(QStringLiteral("args.txt"));
    qputenv("NELVIX_TOOL_RECORD", QFile::encodeName(record));
    Scene scene;
    scene.application->Editors() = {
        {ArgumentPath(DataPath("record-args.sh")), "+$l \"$f\"", ArgumentPath(work.path())}};
    GlobalFind(scene, QStringLiteral("target"), folder.Spec());
    QVERIFY(ResultDocument(scene) != nullptr);

    Press(scene, Qt::Key_Home, Qt::ControlModifier);
    Press(scene, Qt::Key_Down);
    scene.frame->RunCommand(kCmdEditor);
    QTRY_VERIFY(QFile::exists(record));
    const QList<QByteArray> arguments = ReadBytes(record).split('\n');
    qunsetenv("NELVIX_TOOL_RECORD");
    QCOMPARE(arguments.size(), 4); // directory, two arguments, the empty piece after the last
    QCOMPARE(arguments[0], QFile::encodeName(QDir(work.path()).canonicalPath()));
    QCOMPARE(arguments[1], QByteArray("+120"));
    QCOMPARE(arguments[2].toStdString(), folder.LinesPath());
    QCOMPARE(scene.beeper.beeps, 0);
}

void FrameScenariosTest::operationSavedAsUserToolThreeRunsWithCtrl3() {
    TagFolder folder;
    Scene scene;
    scene.application->GetSettings().recordGlobalFindOperation = 1;
    GlobalFind(scene, QStringLiteral("target"), folder.Spec());
    QVERIFY(scene.application->Recorder().HasRecord());
    const std::string firstResult(ResultDocument(scene)->TextView());

    WhenShown<qt::QtSaveOperationDialog>([](qt::QtSaveOperationDialog& dialog) {
        Child<QLineEdit>(dialog, "name")->setText(QStringLiteral("targets"));
        Child<QComboBox>(dialog, "userTool")->setCurrentIndex(3);
        SaveScreenshot(dialog, QStringLiteral("save-operation-user-tool-3"));
        Click(dialog, "ok");
    });
    scene.frame->RunCommand(kCmdSaveOperation);
    Scene::Settle();
    QCOMPARE(scene.application->GetSettings().userTools[2], std::string("targets"));
    QVERIFY(QDir(scene.home.path()).exists(QStringLiteral("targets.mac")));

    scene.frame->RunCommand(kCmdCloseAll);
    QTRY_COMPARE(scene.DocumentCount(), std::size_t{0});
    scene.messages.shown.clear();
    Press(scene, Qt::Key_3, Qt::ControlModifier);
    QTRY_VERIFY(ResultDocument(scene) != nullptr);
    QCOMPARE(std::string(ResultDocument(scene)->TextView()), firstResult);
    QCOMPARE(scene.messages.ShownIds(), std::vector<int>{ui::kMsgGlobalFindCounts});
    SaveScreenshot(*scene.frame, QStringLiteral("user-tool-3-replayed"));
}

// In a folder "Debian FAQ (ja)" neither Ctrl+F5 nor a double-click did anything, on result lines
// and on HTML title lines alike: the folder's "(" was taken for the line number's.
void FrameScenariosTest::tagInFolderWithParenthesesJumps() {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Debian FAQ (ja)"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/a (1)")));
    QByteArray lines;
    for (int line = 1; line <= 200; ++line)
        lines += "line " + QByteArray::number(line) + (line == 3 || line == 120 ? " target" : "") +
                 "\r\n";
    const QString text = folder + QStringLiteral("/a (1)/b(2).txt");
    const QString page = folder + QStringLiteral("/index.html");
    QVERIFY(WriteBytes(text, lines));
    QVERIFY(WriteBytes(page, "<html><head><title>FAQ</title></head></html>\r\n"));

    Scene scene;
    WhenShown<qt::QtGlobalFindDialog>([folder](qt::QtGlobalFindDialog& dialog) {
        dialog.ChangeDirectory(folder);
        Child<QComboBox>(dialog, "pattern")->setEditText(QStringLiteral("target"));
        Child<QComboBox>(dialog, "fileBox")->setEditText(QStringLiteral("*.txt"));
        Child<QCheckBox>(dialog, "subdirectories")->setChecked(true);
        dialog.accept();
    });
    scene.frame->RunCommand(kCmdGlobalFind);
    Scene::Settle();
    qt::CKespoMCW* results = scene.Active();
    QVERIFY(results != nullptr && results->Document() == ResultDocument(scene));
    QCOMPARE(Lines(results->Document()->TextView()).front(),
             ArgumentPath(text) + "(3): line 3 target");

    // Ctrl+F5 on the first result line.
    Press(scene, Qt::Key_Home, Qt::ControlModifier);
    Press(scene, Qt::Key_F5, Qt::ControlModifier);
    QCOMPARE(scene.Active()->Document()->PathName(), ArgumentPath(text));
    const CKespoEV& shown = *scene.Active()->TextWindow();
    QCOMPARE(shown.CaretRow(), shown.Document().RowOfLine(2));
    QCOMPARE(shown.TagTargetLine(),
             std::int64_t{shown.Document().Rows().Start(shown.CaretRow())} - 2);

    // A double-click on the second.
    scene.frame->ActivateDocument(*results->Document());
    const CKespoEV& list = *results->TextWindow();
    QWidget* viewport = results->ViewWidget()->TextWidget().viewport();
    const QPoint second(list.LeftMargin() + list.CellWidth() / 2,
                        list.TopMargin() +
                            (1 - static_cast<int>(list.TopRow())) * list.RowHeight() +
                            list.RowHeight() / 2);
    DoubleClick(viewport, second, Qt::LeftButton);
    Scene::Settle();
    QCOMPARE(scene.Active()->Document()->PathName(), ArgumentPath(text));
    QCOMPARE(shown.CaretRow(), shown.Document().RowOfLine(119));
    QCOMPARE(scene.beeper.beeps, 0);
    QVERIFY(SaveImage(scene.frame->grab().toImage(), QStringLiteral("tag-jump-parentheses")));

    // The title line of the page there.
    WhenShown<qt::QtHtmlSearchDialog>([folder](qt::QtHtmlSearchDialog& dialog) {
        dialog.ChangeDirectory(folder);
        Child<QComboBox>(dialog, "fileBox")->setEditText(QStringLiteral("*.html"));
        Click(dialog, "targetTitle");
        Click(dialog, "ok");
    });
    Press(scene, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(scene.Active()->Document()->PathName().empty());
    Press(scene, Qt::Key_Home, Qt::ControlModifier);
    Press(scene, Qt::Key_F5, Qt::ControlModifier);
    QCOMPARE(scene.Active()->Document()->PathName(), ArgumentPath(page));
    QCOMPARE(scene.beeper.beeps, 0);
}

QTEST_MAIN(FrameScenariosTest)
#include "frame_scenarios_test.moc"
