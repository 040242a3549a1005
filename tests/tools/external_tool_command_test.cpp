// The editor and browser commands: the target (the tag under the caret, the document at its
// caret with Ctrl or off a tag, nothing without a window), the expanded parameters as the
// started process's arguments, the beeps of an empty list and a failed start, the enable rules;
// and real starts of a small shell script through the Linux launcher.
#include "tools/external_tool_command.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "base/cp932.h"
#include "commands/command_scene.h"
#include "commands/fake_frame_windows.h"
#include "find/double_click.h"
#include "support/test_files.h"
#include "text/text_document.h"
#include "tools/posix_process_launcher.h"
#include "ui/fake_platform.h"
#include "ui/process_launcher.h"
#include "view/text_window.h"

namespace nelvix {
namespace {

using Arguments = std::vector<std::string>;

/// Records every start and answers as told.
class FakeProcessLauncher final : public ui::ProcessLauncher {
public:
    bool StartDetached(const ui::ProcessStart& start) override {
        started.push_back(start);
        return succeed;
    }

    std::vector<ui::ProcessStart> started;
    bool succeed = true; ///< false: every start fails, as for a program that is gone
};

class ExternalToolCommandTest : public ::testing::Test, protected test::CommandScene {
protected:
    ExternalToolCommandTest() {
        application.Editors() = {{"/opt/editor/ed", "+$l $f :$c", ""}};
        application.Browsers() = {{"/usr/bin/browse", "$f#$l", "/srv"},
                                  {"/usr/bin/other", "other", ""}};
    }

    /// Opens a file of `text` in a window of its own; its text window.
    CKespoEV& Open(const std::string& name, const std::string& text) {
        const std::string path = dir.Write("data/" + name, text);
        CKespoEV* window = windows.OpenOrActivate(path);
        EXPECT_NE(window, nullptr);
        return *window;
    }
    /// The arguments of the one process started.
    Arguments StartedArguments() const {
        EXPECT_EQ(launcher.started.size(), 1u);
        return launcher.started.empty() ? Arguments{} : launcher.started.back().arguments;
    }

    FakeProcessLauncher launcher;
    ExternalToolCommand command{application, windows, launcher};
};

TEST_F(ExternalToolCommandTest, TheTagUnderTheCaretIsTheTargetAndCtrlGivesTheListItself) {
    const std::string tagged = data + "b.txt";
    CKespoEV& results = Open("results.txt", "first line\r\n" + tagged + "(120): foo\r\n");
    results.PlaceCaret(3, 1);
    EXPECT_EQ(command.Target(false), (ToolTarget{tagged, 120, 1}));

    EXPECT_TRUE(command.Start(ExternalTool::Editor, false));
    EXPECT_EQ(StartedArguments(), (Arguments{"+120", tagged, ":1"}));
    EXPECT_EQ(launcher.started.back().program, "/opt/editor/ed");
    EXPECT_EQ(launcher.started.back().workingDirectory, "/opt/editor");
    EXPECT_EQ(fake.beeper.beeps, 0);

    // With Ctrl the result list itself, at its caret.
    launcher.started.clear();
    EXPECT_TRUE(command.Start(ExternalTool::Editor, true));
    EXPECT_EQ(StartedArguments(), (Arguments{"+2", data + "results.txt", ":4"}));
}

// A tag whose folder held parentheses gave no target: its "(ja)" was read as the line number.
TEST_F(ExternalToolCommandTest, TagInFolderWithParenthesesIsTheTarget) {
    ::mkdir((data + "Debian FAQ (ja)").c_str(), 0755);
    const std::string tagged = dir.Write("data/Debian FAQ (ja)/x(12): y.txt", "x\r\n");
    CKespoEV& results = Open("results.txt", tagged + "(120): foo\r\n");
    results.PlaceCaret(3, 0);
    EXPECT_EQ(command.Target(false), (ToolTarget{tagged, 120, 1}));

    application.Editors() = {{"/opt/editor/ed", "+$l \"$f\"", ""}};
    EXPECT_TRUE(command.Start(ExternalTool::Editor, false));
    EXPECT_EQ(StartedArguments(), (Arguments{"+120", tagged}));
}

TEST_F(ExternalToolCommandTest, OffATagTheDocumentAtItsCaret) {
    CKespoEV& text = Open("a.txt", "int main()\r\n{\r\n");
    text.PlaceCaret(4, 0);
    EXPECT_TRUE(command.Start(ExternalTool::Editor, false));
    EXPECT_EQ(StartedArguments(), (Arguments{"+1", data + "a.txt", ":5"}));
}

TEST_F(ExternalToolCommandTest, AWrappedLineCountsAsOneLine) {
    const std::uint32_t width = [&] {
        CKespoEV& probe = Open("probe.txt", "x\r\n");
        return probe.Rules().charsPerLine;
    }();
    CKespoEV& text = Open("long.txt", std::string(width + 10, 'a') + "\r\nsecond\r\n");
    ASSERT_GE(text.Document().Rows().Count(), 3u);

    text.PlaceCaret(2, 1);
    EXPECT_EQ(command.Target(false),
              (ToolTarget{data + "long.txt", 1, static_cast<int>(width) + 3}));
    text.PlaceCaret(1, 2);
    EXPECT_EQ(command.Target(false), (ToolTarget{data + "long.txt", 2, 2}));
}

TEST_F(ExternalToolCommandTest, AnUntitledResultListHasNoPath) {
    CKespoDoc* results = windows.CreateUntitledDocument();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(command.Target(true), (ToolTarget{"", 1, 1}));
}

TEST_F(ExternalToolCommandTest, WithoutADocumentNoFileAtLineOneColumnOne) {
    EXPECT_EQ(command.Target(false), (ToolTarget{"", 1, 1}));
    application.Editors() = {{"/opt/editor/ed", "+$l [$f] [$n] $c", ""}};
    EXPECT_TRUE(command.Start(ExternalTool::Editor, false));
    EXPECT_EQ(StartedArguments(), (Arguments{"+1", "[]", "[]", "1"}));
}

TEST_F(ExternalToolCommandTest, TheBrowserStartsItsFirstEntryInItsDirectory) {
    CKespoEV& text = Open("page.html", "<html>\r\n<body>\r\n");
    text.PlaceCaret(0, 1);
    EXPECT_TRUE(command.Start(ExternalTool::Browser, false));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0],
              (ui::ProcessStart{"/usr/bin/browse", {data + "page.html#2"}, "/srv"}));
}

TEST_F(ExternalToolCommandTest, AnEmptyListDisablesTheCommandAndBeeps) {
    EXPECT_TRUE(command.IsEnabled(ExternalTool::Editor));
    EXPECT_TRUE(command.IsEnabled(ExternalTool::Browser));
    application.Editors().clear();
    application.Browsers().clear();
    EXPECT_FALSE(command.IsEnabled(ExternalTool::Editor));
    EXPECT_FALSE(command.IsEnabled(ExternalTool::Browser));
    EXPECT_FALSE(command.Start(ExternalTool::Editor, false));
    EXPECT_FALSE(command.Start(ExternalTool::Browser, true));
    EXPECT_EQ(fake.beeper.beeps, 2);
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(ExternalToolCommandTest, AFailedStartBeeps) {
    launcher.succeed = false;
    EXPECT_FALSE(command.Start(ExternalTool::Editor, false));
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(fake.beeper.beeps, 1);
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(ExternalToolCommandTest, CommandsAndTheRightDoubleClick) {
    EXPECT_EQ(ExternalToolOfCommand(32820), ExternalTool::Editor);
    EXPECT_EQ(ExternalToolOfCommand(32834), ExternalTool::Browser);
    EXPECT_EQ(ExternalToolOfCommand(32827), std::nullopt);

    // "RunType" 1 picks the browser, as the frame does for a right double-click.
    Open("page.html", "<html>\r\n");
    const std::optional<int> commandId =
        RightDoubleClickCommand(fake.platform, 1, command.IsEnabled(ExternalTool::Editor),
                                command.IsEnabled(ExternalTool::Browser));
    ASSERT_TRUE(commandId.has_value());
    EXPECT_TRUE(command.Start(*ExternalToolOfCommand(*commandId), false));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "/usr/bin/browse");
}

TEST_F(ExternalToolCommandTest, TimeCodesUseTheInjectedClock) {
    std::tm sunday{};
    sunday.tm_wday = 0;
    sunday.tm_year = 2024 - 1900;
    ExternalToolCommand timed{application, windows, launcher, [&] { return sunday; }};
    application.Editors() = {{"/opt/editor/ed", "$Y $e", ""}};
    EXPECT_TRUE(timed.Start(ExternalTool::Editor, false));
    EXPECT_EQ(StartedArguments(), (Arguments{"2024", "\xE6\x97\xA5"}));
}

// The real launcher.

/// Waits up to ten seconds for a file that a started tool writes.
std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 1000; ++i) {
        if (::access(path.c_str(), F_OK) == 0)
            return test::ReadFileBytes(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

/// True when this process has no child, running or ended, to wait for.
bool NoChildren() {
    int status = 0;
    return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

/// A script that writes its working directory, where its standard input comes from, whether
/// descriptor $1 is open, and its arguments after $1, a line each, to out.txt in its working
/// directory.
constexpr const char kProbeScript[] = "#!/bin/sh\n"
                                      "fd=$1; shift\n"
                                      "{\n"
                                      "  pwd -P\n"
                                      "  readlink /proc/$$/fd/0\n"
                                      "  if [ -e /proc/$$/fd/$fd ]; then echo open; else echo "
                                      "closed; fi\n"
                                      "  for a in \"$@\"; do printf '%s\\n' \"$a\"; done\n"
                                      "} > out.part && mv out.part out.txt\n";

class PosixLauncherTest : public ::testing::Test {
protected:
    PosixLauncherTest() {
        ::mkdir(toolDir.c_str(), 0755);
        ::mkdir(workDir.c_str(), 0755);
        script = dir.Write("tool dir/probe.sh", kProbeScript);
        ::chmod(script.c_str(), 0755);
    }

    test::TempDir dir;
    std::string toolDir = dir.PathOf("tool dir");
    std::string workDir = dir.PathOf("work dir");
    std::string script;
    PosixProcessLauncher launcher;
};

TEST_F(PosixLauncherTest, StartsDetachedWithArgumentsAndWorkingDirectory) {
    // A descriptor the program holds open without close-on-exec.
    const int held = ::fcntl(::open("/dev/null", O_RDONLY), F_DUPFD, 50);
    ASSERT_GE(held, 50);
    const ui::ProcessStart start{
        script, {std::to_string(held), "+12", "/a b/c.txt", "", "日本"}, workDir};
    ASSERT_TRUE(launcher.StartDetached(start));
    const std::string written = WaitForFile(workDir + "/out.txt");
    EXPECT_EQ(written, RealPath(workDir) + "\n/dev/null\nclosed\n+12\n/a b/c.txt\n\n日本\n");
    ::close(held);

    // The tool is nobody's child here: nothing is left to wait for.
    EXPECT_TRUE(NoChildren());
}

TEST_F(PosixLauncherTest, FailuresAreReported) {
    const std::string plain = dir.Write("plain.txt", "not a program\n");
    struct Case {
        const char* name;
        ui::ProcessStart start;
    };
    const Case cases[] = {
        {"no program", {"", {}, ""}},
        {"missing program", {dir.PathOf("none"), {}, ""}},
        {"not executable", {plain, {}, ""}},
        {"a directory", {toolDir, {}, ""}},
        {"missing working directory", {script, {"1"}, dir.PathOf("gone")}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(launcher.StartDetached(c.start)) << c.name;
    EXPECT_TRUE(NoChildren());
}

TEST_F(PosixLauncherTest, ARelativeProgramIsFoundFromTheCurrentDirectory) {
    const std::string saved = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
    const bool started = launcher.StartDetached({"tool dir/probe.sh", {"99"}, workDir});
    ASSERT_EQ(::chdir(saved.c_str()), 0);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForFile(workDir + "/out.txt"), RealPath(workDir) + "\n/dev/null\nclosed\n");
}

TEST_F(PosixLauncherTest, ABareNameIsFoundOnThePath) {
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath != nullptr ? oldPath : "";
    ::setenv("PATH", ("/nonexistent:" + toolDir + ":" + saved).c_str(), 1);
    const bool started = launcher.StartDetached({"probe.sh", {"99", "x"}, workDir});
    ::setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForFile(workDir + "/out.txt"), RealPath(workDir) + "\n/dev/null\nclosed\nx\n");
}

} // namespace
} // namespace nelvix
