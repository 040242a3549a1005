// The main frame's decisions, apart from its windows: the placement mode, the tag state, the
// ring of marked windows, the global find, the find in a text with its dialog, and the font
// command. The frame's window layer forwards its commands here.
#pragma once

#include <functional>
#include <vector>

#include "base/limits.h"
#include "commands/document_placement.h"
#include "commands/extraction_command.h"
#include "commands/global_find_command.h"
#include "commands/html_search_command.h"
#include "commands/operation_dialogs_command.h"
#include "find/find_dialog_model.h"
#include "find/find_history.h"
#include "find/text_find.h"
#include "frame/mark_window_ring.h"
#include "frame/tag_navigator.h"
#include "settings_sheet/settings_sheet_command.h"
#include "store/cabinet_image.h"
#include "tools/external_tool_command.h"
#include "ui/frame_services.h"

namespace nelvix {

class Application;

/// What the enable rules of the frame's commands read.
struct FrameFacts {
    bool hasActiveView = false;
};

/// The dialogs of the frame's commands, and what else of the frame they need.
struct FrameDialogs {
    ExtractionSheet& extractionSheet;
    HtmlSearchDialog& htmlSearchDialog;
    SettingsSheet& settingsSheet;
    SettingsEffects& settingsEffects;
    SaveOperationDialog& saveOperationDialog;
    RecallOperationDialog& recallOperationDialog;
    WaitCursor& waitCursor;
    ui::ProcessLauncher& processLauncher;
    /// Runs the commands of a replayed operation.
    CommandDispatcher& dispatcher;
    /// Whether the Ctrl key is held now (the external tools then skip the tag).
    std::function<bool()> ctrlHeld;
};

class FrameCore {
public:
    /// `cabinetRecords` gives the records of the open documents for a cabinet save.
    FrameCore(Application& application, FrameWindows& windows, ui::FrameServices& services,
              FrameDialogs dialogs, std::function<std::vector<CabinetDocument>()> cabinetRecords);

    /// Runs one of the commands decided here (tags, mark windows, global find, extraction,
    /// font; user tools are not among them); false for any other command.
    bool Run(int commandId);
    /// Nothing for a command whose rule is not kept here.
    std::optional<bool> IsEnabled(int commandId, const FrameFacts& facts) const;

    /// The font command: false when cancelled or nothing changed; otherwise every document
    /// takes the new font and the cabinet is confirmed.
    bool ChooseFont();
    /// The settings' layout and font words went to every document (after the font changed).
    void SpreadFormat();
    /// The settings changed: the find in a text takes its settings afresh.
    void ReadSettingsAgain();
    /// A document is about to be destroyed: the tag state forgets it.
    void DocumentClosing(CKespoDoc& document);

    PlacementState& Placement() { return m_placement; }
    TagNavigator& Tags() { return m_tags; }
    MarkWindowRing& MarkWindows() { return m_markWindows; }
    GlobalFindCommand& GlobalFind() { return m_globalFind; }
    ExtractionCommand& Extraction() { return m_extraction; }
    HtmlSearchCommand& HtmlSearch() { return m_htmlSearch; }
    ExternalToolCommand& Tools() { return m_tools; }
    SettingsSheetCommand& SettingsSheetRun() { return m_settingsSheet; }
    OperationDialogsCommand& Operations() { return m_operations; }
    TextFind& Find() { return m_find; }
    FindDialogModel& FindDialog() { return m_findDialog; }
    FindHistory& PatternHistory() { return m_history; }

private:
    Application& m_application;
    FrameWindows& m_windows;
    ui::FrameServices& m_services;
    std::function<std::vector<CabinetDocument>()> m_cabinetRecords;
    PlacementState m_placement;
    TagNavigator m_tags;
    MarkWindowRing m_markWindows;
    GlobalFindCommand m_globalFind;
    ExtractionCommand m_extraction;
    HtmlSearchCommand m_htmlSearch;
    ExternalToolCommand m_tools;
    SettingsSheetCommand m_settingsSheet;
    OperationDialogsCommand m_operations;
    CommandDispatcher& m_dispatcher;
    std::function<bool()> m_ctrlHeld;
    TextFindSettings m_findSettings;
    FindHistory m_history;
    TextFind m_find;
    FindDialogModel m_findDialog;
};

} // namespace nelvix
