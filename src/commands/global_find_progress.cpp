// The progress window of a global find.
#include "commands/global_find_progress.h"

#include <charconv>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"

namespace nelvix {
namespace {

constexpr std::size_t kFileLine = 0;
constexpr std::size_t kHitCountLine = 1;

const std::vector<std::string>& Labels() {
    static const std::vector<std::string> labels{Sjis("検索中 : "), Sjis("見つかった個数 : ")};
    return labels;
}

const std::string& StopButton() {
    static const std::string button = Sjis("中断");
    return button;
}

} // namespace

GlobalFindProgress::GlobalFindProgress(ui::ProgressWindow& window,
                                       ui::CoarseClock::duration refreshInterval)
    : m_window(window), m_refreshInterval(refreshInterval) {}

void GlobalFindProgress::Open() {
    Open(ui::MessageText(ui::kMsgGlobalFindTitle));
}

void GlobalFindProgress::Open(std::string_view caption) {
    m_window.Open(caption, Labels(), StopButton());
    m_hits = 0;
    m_window.SetValue(kHitCountLine, "0");
    m_hitsShown = 0;
    m_lastWrite = ui::CoarseClock::now();
}

void GlobalFindProgress::Close() {
    WriteHitCount();
    m_window.Close();
}

void GlobalFindProgress::ShowFileName(std::string_view sjisNameAndExtension) {
    WriteHitCount();
    m_window.SetValue(kFileLine, sjisNameAndExtension);
}

void GlobalFindProgress::ShowHitCount(std::uint32_t hits) {
    m_hits = hits;
    const auto now = ui::CoarseClock::now();
    if (now - m_lastWrite < m_refreshInterval)
        return;
    m_lastWrite = now;
    WriteHitCount();
}

void GlobalFindProgress::WriteHitCount() {
    if (m_hits == m_hitsShown)
        return;
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, m_hits).ptr;
    m_window.SetValue(kHitCountLine,
                      std::string_view(digits, static_cast<std::size_t>(end - digits)));
    m_hitsShown = m_hits;
}

} // namespace nelvix
