// The HTML search dialog for the command's tests: answers given in advance, and the values and
// histories each dialog was opened with.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "commands/html_search_dialog.h"

namespace nelvix::test {

class FakeHtmlSearchDialog final : public HtmlSearchDialog {
public:
    struct Asked {
        HtmlSearchValues initial;
        std::vector<std::string> patternHistory;
        std::vector<std::string> specHistory;
    };

    std::optional<HtmlSearchValues> Ask(const HtmlSearchValues& initial,
                                        const std::vector<std::string>& patternHistory,
                                        const std::vector<std::string>& specHistory) override {
        asked.push_back({initial, patternHistory, specHistory});
        if (answers.empty())
            return std::nullopt;
        std::optional<HtmlSearchValues> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    /// Answers given in order (nothing: cancel); a cancel once they run out.
    std::deque<std::optional<HtmlSearchValues>> answers;
    std::vector<Asked> asked;
};

} // namespace nelvix::test
