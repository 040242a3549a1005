// The main frame's HTML search (command 32836, Ctrl+L): the titles, the links or the lines that
// hold a string, for the HTML files of a file set, into a new result document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "commands/html_search_dialog.h"
#include "ui/frame_services.h"

namespace nelvix {

class Application;
class CKespoDoc;
class FrameWindows;
class PlacementState;

/// The block that must be obtainable before a run starts.
inline constexpr std::size_t kHtmlSearchMemoryProbeBytes = 1'048'576;

class HtmlSearchCommand {
public:
    HtmlSearchCommand(Application& application, FrameWindows& windows, PlacementState& placement,
                      ui::FrameServices& services, HtmlSearchDialog& dialog);

    /// Runs the command once; beeps when asked again while a run goes on.
    void Run();

    /// The values the dialog opens with: the global find's options and most recent entries
    /// ("*.*" with an empty specification history), the current directory and the target
    /// chosen last.
    HtmlSearchValues InitialValues() const;
    /// The target chosen last while the program runs; "文字列" at first.
    HtmlTarget RememberedTarget() const { return m_lastValues.target; }
    /// The values of the last dialog closed with OK. Before that only the current directory is
    /// set: the process's working directory, ending in '/'.
    const HtmlSearchValues& LastValues() const { return m_lastValues; }

private:
    /// The dialog's values and the full specification; nothing after a cancel or a beep.
    std::optional<std::string> AskSpecification(HtmlSearchValues& values);
    /// Histories and options; the options in force before, for a title or link run to put back.
    SearchOptions TakeOver(const HtmlSearchValues& values, const std::string& specification);
    void Search(CKespoDoc& result, const HtmlSearchValues& values,
                const std::string& specification);

    Application& m_application;
    FrameWindows& m_windows;
    PlacementState& m_placement;
    ui::FrameServices& m_services;
    HtmlSearchDialog& m_dialog;
    HtmlSearchValues m_lastValues;
    bool m_running = false;
};

} // namespace nelvix
