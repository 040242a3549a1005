// The main frame's two extraction commands: line extraction (32823) over the active document
// and global extraction (32832, Ctrl+E) over a file set, each with the parameter sheet or from
// the record being replayed, into a new result document.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "extract/extraction_sheet.h"
#include "ui/frame_services.h"

namespace nelvix {

class Application;
class CKespoDoc;
class FrameWindows;
class PlacementState;

/// The block that must be obtainable before a global extraction starts.
inline constexpr std::size_t kGlobalExtractionMemoryProbeBytes = 0x200000;
/// A working directory this long or longer does not go into the first pattern.
inline constexpr std::size_t kMaxPatternDirectoryBytes = 256;

class ExtractionCommand {
public:
    ExtractionCommand(Application& application, FrameWindows& windows, PlacementState& placement,
                      ui::FrameServices& services, ExtractionSheet& sheet);

    void RunLineExtraction();
    void RunGlobalExtraction();

    /// The page the next sheet opens on: the one active when a sheet last closed.
    int RememberedPage() const { return m_page; }
    /// The pattern the file page starts with: the most recent one, else the working directory
    /// with "*.*".
    std::string InitialPattern() const;

private:
    ExtractionSheetValues SheetValues(std::string pattern) const;
    std::optional<ExtractionSheetValues> AskSheet(ExtractionSheetKind kind, std::string pattern);
    /// Copies the sheet's values into the rule set and the settings; the file page's values
    /// into the extraction file history.
    void TakeOver(const ExtractionSheetValues& values, ExtractionSheetKind kind);
    void PutPatternFirst(const std::string& pattern);
    void Record(int commandId, const std::vector<Byte>& record);
    /// The data file and the clipboard before a run.
    void PrepareRun();
    void ExtractText(CKespoDoc& source, CKespoDoc& result);
    void ExtractFiles(CKespoDoc& result, const std::string& specification, bool subdirectories);
    void CopyToClipboard(CKespoDoc& result);

    Application& m_application;
    FrameWindows& m_windows;
    PlacementState& m_placement;
    ui::FrameServices& m_services;
    ExtractionSheet& m_sheet;
    int m_page = kExtSetPage;
    bool m_running = false;
};

} // namespace nelvix
