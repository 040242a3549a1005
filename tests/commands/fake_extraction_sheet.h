// The extraction sheet for the commands' tests: answers given in advance, the values and page
// each sheet was opened with, and the apply button pressed on request.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "extract/extraction_sheet.h"

namespace nelvix::test {

class FakeExtractionSheet final : public ExtractionSheet {
public:
    struct Answer {
        std::optional<ExtractionSheetValues> values; ///< nothing: cancel
        int closingPage = kExtSetPage;
        /// Values applied with the apply button before the sheet closes.
        std::vector<ExtractionSheetValues> applied;
    };
    struct Asked {
        ExtractionSheetKind kind;
        ExtractionSheetValues initial;
        std::vector<std::string> history;
        int page;
    };

    std::optional<ExtractionSheetValues>
    Ask(ExtractionSheetKind kind, const ExtractionSheetValues& initial,
        const std::vector<std::string>& history, int& page,
        const std::function<void(const ExtractionSheetValues&)>& apply) override {
        asked.push_back({kind, initial, history, page});
        if (answers.empty())
            return std::nullopt;
        Answer answer = answers.front();
        answers.pop_front();
        for (const ExtractionSheetValues& values : answer.applied)
            apply(values);
        page = answer.closingPage;
        return answer.values;
    }

    std::deque<Answer> answers;
    std::vector<Asked> asked;
};

} // namespace nelvix::test
