// What the commands that run into result documents are tested over: a program home and a data
// folder in a fresh directory, the application on scripted services and the frame's windows;
// the texts the runs leave, the counts message they show and the operation they record.
#pragma once

#include <sys/stat.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/application.h"
#include "commands/document_placement.h"
#include "commands/fake_frame_windows.h"
#include "support/test_files.h"
#include "ui/fake_frame_services.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"

namespace nelvix::test {

/// Hands each command to a function.
class FunctionDispatcher final : public CommandDispatcher {
public:
    explicit FunctionDispatcher(std::function<void(int)> run, bool activeView = false)
        : m_run(std::move(run)), m_activeView(activeView) {}
    void RunCommand(int commandId) override { m_run(commandId); }
    bool HasActiveView() const override { return m_activeView; }

private:
    std::function<void(int)> m_run;
    bool m_activeView;
};

class CommandScene {
public:
    /// Makes the home, the data folder and these folders inside it.
    explicit CommandScene(std::initializer_list<const char*> dataFolders = {}) {
        ::mkdir(home.c_str(), 0755);
        ::mkdir(data.c_str(), 0755);
        for (const char* folder : dataFolders)
            ::mkdir((data + folder).c_str(), 0755);
    }

    /// The texts of the open documents, oldest first.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& document : application.Documents().Documents())
            texts.emplace_back(document->TextView());
        return texts;
    }
    /// The text of the one document left open; empty when none or several are.
    std::string ResultText() const {
        const std::vector<std::string> texts = Texts();
        return texts.size() == 1 ? texts[0] : std::string();
    }
    std::size_t OpenDocuments() const { return application.Documents().Documents().size(); }
    static std::string CountsText(std::string_view files, std::string_view hits) {
        return ui::FormatMessage(ui::MessageText(ui::kMsgGlobalFindCounts), {files, hits});
    }
    /// The operation the recorder holds, as its replay hands it over: the command and its data.
    std::pair<int, std::vector<Byte>> RecordedOperation() {
        std::pair<int, std::vector<Byte>> recorded;
        FunctionDispatcher capture([&](int commandId) {
            const auto bytes = application.Recorder().CurrentReplayRecord();
            recorded = {commandId, {bytes.begin(), bytes.end()}};
        });
        application.Recorder().Replay(capture);
        return recorded;
    }

    TempDir dir;
    std::string home = dir.PathOf("home");
    std::string data = dir.PathOf("data") + "/";
    ui::FakePlatform fake;
    ui::FakeFrameServices frame;
    mutable Application application{
        fake.platform, {home, dir.PathOf("etc"), std::string(NELVIX_SPIN_LIBRARY_PATH)}};
    FakeFrameWindows windows{fake.platform, application.Documents()};
    PlacementState placement{application.GetSettings()};
};

} // namespace nelvix::test
