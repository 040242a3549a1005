// The progress window of a global find as the engine drives it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "search/global_find_engine.h"
#include "ui/coarse_clock.h"
#include "ui/frame_services.h"

namespace nelvix {

/// How often the hit count is written to the window at most.
inline constexpr std::chrono::milliseconds kHitCountRefreshInterval{50};

/// "検索中 : " with the file's name and "見つかった個数 : " with the hit count. The name is
/// written for every file, since a file costs far more than a label. The count may change a
/// hundred thousand times in a run, so it is formatted and written at most once per refresh
/// interval, again when the next file starts, and once more before the window closes.
class GlobalFindProgress final : public SearchProgress {
public:
    explicit GlobalFindProgress(
        ui::ProgressWindow& window,
        ui::CoarseClock::duration refreshInterval = kHitCountRefreshInterval);

    /// Opens the window with the count 0, under the caption "グローバル検索".
    void Open();
    /// The same under another caption (Shift-JIS), for the runs that share the window.
    void Open(std::string_view caption);
    /// Writes the last count, then closes the window.
    void Close();

    void ShowFileName(std::string_view sjisNameAndExtension) override;
    void ShowHitCount(std::uint32_t hits) override;
    bool StopRequested() override { return m_window.StopRequested(); }

private:
    void WriteHitCount();

    ui::ProgressWindow& m_window;
    ui::CoarseClock::duration m_refreshInterval;
    ui::CoarseClock::time_point m_lastWrite{};
    std::uint32_t m_hits = 0;
    std::uint32_t m_hitsShown = 0;
};

} // namespace nelvix
