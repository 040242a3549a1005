// The settings sheet and the frame's settings effects for the settings command's tests: answers
// given in advance, the values and page each sheet was opened with, and every effect in order.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings_sheet/settings_effects.h"
#include "settings_sheet/settings_sheet.h"

namespace nelvix::test {

class FakeSettingsSheet final : public SettingsSheet {
public:
    struct Answer {
        std::optional<SettingsSheetValues> values; ///< nothing: cancel
        int closingPage = kSetCommonPage;
    };
    struct Asked {
        SettingsSheetValues initial;
        int page;
    };

    std::optional<SettingsSheetValues> Ask(const SettingsSheetValues& initial, int& page) override {
        asked.push_back({initial, page});
        if (answers.empty())
            return std::nullopt;
        Answer answer = answers.front();
        answers.pop_front();
        page = answer.closingPage;
        return answer.values;
    }

    std::deque<Answer> answers;
    std::vector<Asked> asked;
};

/// Names each effect as it happens, with its argument: "bar 0", "place 1", "read", "layout",
/// "caret", "background 00ff00", "redraw".
class FakeSettingsEffects final : public SettingsEffects {
public:
    void ShowWindowBar(bool shown) override { Log("bar " + std::to_string(shown ? 1 : 0)); }
    void PlaceActiveWindow(bool separated) override {
        Log("place " + std::to_string(separated ? 1 : 0));
    }
    void ReadSettingsAgain() override { Log("read"); }
    void LayOutDocumentsAgain() override {
        Log("layout");
        if (onLayOut)
            onLayOut();
    }
    void RefreshCaretPosition() override { Log("caret"); }
    void SetTextBackground(ui::Colour colour) override {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06x", static_cast<unsigned>(colour));
        Log("background " + std::string(hex));
    }
    void RedrawDocuments() override {
        Log("redraw");
        if (onRedraw)
            onRedraw();
    }

    std::vector<std::string> log;
    std::function<void()> onLayOut;
    std::function<void()> onRedraw;

private:
    void Log(std::string entry) { log.push_back(std::move(entry)); }
};

} // namespace nelvix::test
