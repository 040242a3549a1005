// The settings command "設定" (32819): the settings sheet over the common settings, the display
// format and the two tool lists, and what confirming it changes, in order.
#pragma once

#include <functional>
#include <vector>

#include "settings_sheet/settings_sheet.h"
#include "store/cabinet_image.h"
#include "store/settings.h"

namespace nelvix {

class Application;
class FrameWindows;
class PlacementState;
class SettingsEffects;

/// The fourteen common settings of the record.
CommonSettings CommonSettingsOf(const Settings& settings);
/// Stores them; a "CodeDecision" outside 0..3 becomes 0.
void StoreCommonSettings(Settings& settings, const CommonSettings& common);

class SettingsSheetCommand {
public:
    /// `cabinetRecords` gives the records of the open documents for the cabinet's save.
    SettingsSheetCommand(Application& application, FrameWindows& windows, PlacementState& placement,
                         SettingsSheet& sheet, SettingsEffects& effects,
                         std::function<std::vector<CabinetDocument>()> cabinetRecords);

    /// Shows the sheet on the page last left and, on OK, takes its values over.
    void Run();
    /// The command is always available.
    bool IsEnabled() const { return true; }

    /// The page the next sheet opens on: the one active when a sheet last closed.
    int RememberedPage() const { return m_page; }
    /// What the sheet opens with: the record's common settings, the cabinet's current format,
    /// and both tool lists.
    SettingsSheetValues InitialValues();

private:
    /// The confirmation steps over the values of a sheet closed with OK.
    void TakeOver(const SettingsSheetValues& values);
    void TakeCommonSettings(const CommonSettings& common);
    void TakeFormat(const DisplayFormat& edited);
    void TakeColours(const DisplayColours& edited);

    Application& m_application;
    FrameWindows& m_windows;
    PlacementState& m_placement;
    SettingsSheet& m_sheet;
    SettingsEffects& m_effects;
    std::function<std::vector<CabinetDocument>()> m_cabinetRecords;
    int m_page = kSetCommonPage;
};

} // namespace nelvix
