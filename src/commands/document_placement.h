// Where a new document window goes: maximised, or in the upper or lower part of the document
// area, so that a result list and the texts opened from it lie one above the other.
#pragma once

#include <span>
#include <vector>

#include "store/settings.h"
#include "ui/surface.h"

namespace nelvix {

enum class PlacementMode : int { None = 0, Upper = 1, Lower = 2 };

/// Outside a run: ordinary texts go opposite the tag window.
PlacementMode OrdinaryPlacementMode(const Settings& settings);
/// During a global find, global extraction or HTML search: the result list goes where the tag
/// window belongs.
PlacementMode RunPlacementMode(const Settings& settings);

/// "UpperHeightPix" when it leaves at least 10 pixels at both ends, else half the area.
int UpperHeight(int upperHeightPix, int areaHeight);
/// The window's rectangle in the document area; empty for PlacementMode::None.
ui::PixelRect PlacedWindowRect(PlacementMode mode, int areaWidth, int areaHeight,
                               int upperHeightPix);

/// The size of a minimised window, in pixels.
struct IconSize {
    int width = 0;
    int height = 0;
};

/// Where "アイコンの整列" puts the minimised windows: side by side along the bottom of the
/// document area from its left edge, each further row above the one before when a row is full;
/// one rectangle per size, in order.
std::vector<ui::PixelRect> ArrangedIconRects(int areaWidth, int areaHeight,
                                             std::span<const IconSize> icons);

/// The process-wide placement mode, switched for the length of a run.
class PlacementState {
public:
    explicit PlacementState(const Settings& settings) : m_settings(settings) { Recompute(); }
    PlacementMode Mode() const { return m_mode; }
    /// After "SeparatedPlacement" or "TagToUpper" changed.
    void Recompute() { m_mode = OrdinaryPlacementMode(m_settings); }
    void BeginRun() {
        m_saved = m_mode;
        m_mode = RunPlacementMode(m_settings);
    }
    void EndRun() { m_mode = m_saved; }

private:
    const Settings& m_settings;
    PlacementMode m_mode = PlacementMode::None;
    PlacementMode m_saved = PlacementMode::None;
};

/// Sets the run's placement mode for as long as it lives.
class RunPlacement {
public:
    explicit RunPlacement(PlacementState& state) : m_state(state) { m_state.BeginRun(); }
    ~RunPlacement() { m_state.EndRun(); }
    RunPlacement(const RunPlacement&) = delete;
    RunPlacement& operator=(const RunPlacement&) = delete;

private:
    PlacementState& m_state;
};

} // namespace nelvix
