// The main frame's global find (command 32784, Ctrl+G): a search over a file set into a new
// result document, with the dialog or from the record being replayed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "store/global_find_record.h"
#include "ui/frame_services.h"

namespace nelvix {

class Application;
class CKespoDoc;
class FrameWindows;
class PlacementState;

/// The block that must be obtainable before a run starts.
inline constexpr std::size_t kGlobalFindMemoryProbeBytes = 1'048'576;

class GlobalFindCommand {
public:
    GlobalFindCommand(Application& application, FrameWindows& windows, PlacementState& placement,
                      ui::FrameServices& services);

    /// Runs the command once; beeps when asked again while a run goes on.
    void Run();

    /// The values the dialog opens with: the engine's options, the settings of the two check
    /// boxes, the most recent pattern and specification ("*.*" with an empty history), and the
    /// current directory.
    ui::GlobalFindValues InitialValues() const;
    /// The values of the last dialog closed with OK. Before that only the current directory is
    /// set: the process's working directory, ending in '/'.
    const ui::GlobalFindValues& LastValues() const { return m_lastValues; }

private:
    /// What one run is asked to do.
    struct Request {
        GlobalFindParameters parameters;
        bool nonTextFiles = false;
        bool record = false;
    };

    std::optional<Request> RequestFromDialog();
    std::optional<Request> RequestFromRecord();
    /// Histories, options, settings and the recording hand-over.
    void TakeOver(const Request& request);
    void Search(CKespoDoc& result, const GlobalFindParameters& parameters);

    Application& m_application;
    FrameWindows& m_windows;
    PlacementState& m_placement;
    ui::FrameServices& m_services;
    ui::GlobalFindValues m_lastValues;
    bool m_running = false;
};

} // namespace nelvix
