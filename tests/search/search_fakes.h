// A progress window and a result sink that record what the global find engine told them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/global_find_engine.h"

namespace nelvix::test {

class RecordingProgress final : public SearchProgress {
public:
    void ShowFileName(std::string_view name) override { names.emplace_back(name); }
    void ShowHitCount(std::uint32_t hits) override { shownHits = hits; }
    bool StopRequested() override { return stopAtCheck != 0 && ++checks >= stopAtCheck; }
    std::vector<std::string> names;
    std::uint32_t shownHits = 0;
    int checks = 0;
    int stopAtCheck = 0; ///< "中断" is pressed from this check on (1-based); never when 0
};

class RecordingSink final : public ResultSink {
public:
    bool Add(std::string_view line) override {
        lines.emplace_back(line);
        return lines.size() != refuseLine;
    }
    std::vector<std::string> lines;
    std::size_t refuseLine = 0; ///< Add returns false for this line (1-based); never when 0
};

} // namespace nelvix::test
