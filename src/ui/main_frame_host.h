// The main frame as the start-up asks for it: made and shown once, handed a file to open and
// commands to run, and told to end the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/window_placement.h"

namespace nelvix::ui {

class MainFrameHost {
public:
    virtual ~MainFrameHost() = default;
    /// Makes the main frame and shows it in `showState`, at `placement` when one was stored.
    virtual void CreateFrame(const std::optional<WindowPlacement>& placement,
                             std::uint32_t showState) = 0;
    /// Opens the file in a document window (the document list checks memory first); false when
    /// it was refused, after its message.
    virtual bool OpenDocument(std::string_view sjisPath) = 0;
    virtual bool HasActiveDocument() const = 0;
    virtual void MaximizeActiveDocument() = 0;
    /// Runs a command as its menu item does.
    virtual void RunCommand(int commandId) = 0;
    /// Destroys the frame without its close steps: no placement and no cabinet are stored.
    virtual void DestroyFrame() = 0;
    /// Ends the program through the frame's ordinary close.
    virtual void Quit() = 0;
};

} // namespace nelvix::ui
