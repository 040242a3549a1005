// nelvix: the desktop program. Runs the start-up with the command line, then the event loop,
// then the exit.
#include <QApplication>

#include <algorithm>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "qt/frame/main_frame.h"
#include "qt/frame/program_loop.h"
#include "qt/platform/convert.h"
#include "qt/platform/program_icon.h"
#include "qt/platform/qt_platform.h"
#include "qt/platform/qt_translations.h"
#include "qt/platform/quit_on_signal.h"
#include "store/program_home.h"
#include "store/settings_store.h"

namespace {

/// The arguments as core paths, taken as the bytes the system passed, so that a file name that
/// is not valid UTF-8 still reaches its file.
std::vector<std::string> SjisArguments(int argc, char* argv[]) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(nelvix::qt::NativeArgumentToSjisPath(argv[i]));
    return arguments;
}

/// Files after the one the start-up opens, which a file manager passes when several are
/// chosen: they open too, in order.
std::vector<std::string> FurtherFiles(const std::vector<std::string>& arguments,
                                      const std::string& startFile) {
    auto first = std::find(arguments.begin(), arguments.end(), startFile);
    if (startFile.empty() || first == arguments.end())
        return {};
    return {first + 1, arguments.end()};
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    nelvix::qt::InstallJapaneseQtTexts(qtApplication);
    nelvix::qt::InstallProgramIcon();
    nelvix::qt::QuitOnSignal quitOnSignal;
    nelvix::qt::QtPlatform platform;
    nelvix::Application application(platform.platform,
                                    {nelvix::ProgramHome(), nelvix::SystemSettingsDirectory()});
    nelvix::qt::CMainFrame frame(application);
    platform.SetOwner(&frame);

    std::vector<std::string> arguments = SjisArguments(argc, argv);
    std::string commandLine = nelvix::JoinCommandLine(arguments);
    nelvix::StartResult result = application.Start(frame, commandLine);
    if (result == nelvix::StartResult::Failed)
        return 1;
    if (result == nelvix::StartResult::Running)
        for (const std::string& path :
             FurtherFiles(arguments, nelvix::ParseCommandLine(commandLine).file))
            frame.OpenDocument(path);
    // A stop signal that came while a start-up box was open has already asked to quit.
    const bool stopped = quitOnSignal.Requested() || platform.eventPump.IsQuitting();
    return nelvix::qt::RunThenExit(frame, application, stopped);
}
