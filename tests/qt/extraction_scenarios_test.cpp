// Extraction in the real main window: Ctrl+E over the samples with the default rules through
// the sheet, the summary, the result list of tagged blocks, and the recorded run replayed with
// "操作の再生" to the same result; line extraction of the open mail log.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <string>
#include <vector>

#include "base/cp932.h"
#include "extract/extraction_sheet.h"
#include "frame/frame_commands.h"
#include "frame_scene.h"
#include "qt/sheets/extraction_sheet.h"
#include "qt/textview/document_window.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"

using namespace nelvix;
using namespace nelvix::test;

namespace {

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

} // namespace

class ExtractionScenariosTest : public QObject {
    Q_OBJECT
private slots:
    void ctrlEExtractsTheSamplesAndTheReplayGivesTheSameResult();
    void lineExtractionOfTheOpenMailLog();
};

void ExtractionScenariosTest::ctrlEExtractsTheSamplesAndTheReplayGivesTheSameResult() {
    Scene scene;
    scene.application->GetSettings().recordExtractOperation = 1;
    QString summaryCaption;
    WhenShown<qt::CExtPS>([&summaryCaption](qt::CExtPS& sheet) {
        auto* pages = sheet.findChild<QTabWidget*>(QStringLiteral("pages"));
        pages->setCurrentIndex(kExtFilePage);
        auto* pattern = sheet.findChild<QComboBox*>(QStringLiteral("pattern"));
        pattern->setEditText(SamplesFolder() + QStringLiteral("/*.*"));
        SaveScreenshot(sheet, QStringLiteral("extraction-sheet-file-page"));
        CloseCountsWhenShown(QStringLiteral("extraction-summary"), &summaryCaption);
        QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
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

void ExtractionScenariosTest::lineExtractionOfTheOpenMailLog() {
    Scene scene(MailLogPath());
    QVERIFY(scene.Active() != nullptr);
    CloseCountsWhenShown(QStringLiteral("line-extraction-counts"));
    WhenShown<qt::CExtPS>([](qt::CExtPS& sheet) {
        QCOMPARE(sheet.windowTitle(), QStringLiteral("行の抽出"));
        QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    });
    scene.frame->RunCommand(kCmdLineExtraction);
    Scene::Settle();
    const std::vector<std::string> texts = UntitledTexts(scene);
    QCOMPARE(texts.size(), std::size_t{1});
    QCOMPARE(texts[0], ExpectedBlocks([](int) { return std::string(); }));
    SaveScreenshot(*scene.frame, QStringLiteral("line-extraction-mail-log"));
}

QTEST_MAIN(ExtractionScenariosTest)
#include "extraction_scenarios_test.moc"
