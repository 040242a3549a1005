// Failures injected into the file layer while an object lives: a full or read-only disk, a read
// error, a rename that fails, without needing one.
#pragma once

#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_faults.h"

namespace nelvix::test {

class InjectedFileFaults final : public FileFaults {
public:
    InjectedFileFaults() : m_previous(SetFileFaults(this)) {}
    ~InjectedFileFaults() override { SetFileFaults(m_previous); }
    InjectedFileFaults(const InjectedFileFaults&) = delete;
    InjectedFileFaults& operator=(const InjectedFileFaults&) = delete;

    /// Makes `step` fail with `error` on every path holding `pathPart` (the empty part is in
    /// every path), after the first `passing` such steps have run.
    InjectedFileFaults& Fail(FileStep step, std::string pathPart, int error, int passing = 0) {
        m_rules.push_back({step, std::move(pathPart), error, passing});
        return *this;
    }

    int ErrorFor(FileStep step, std::string_view nativePath) override {
        for (Rule& rule : m_rules) {
            if (rule.step != step || nativePath.find(rule.pathPart) == std::string_view::npos)
                continue;
            if (rule.passing > 0) {
                --rule.passing;
                continue;
            }
            ++failures;
            return rule.error;
        }
        return 0;
    }

    int failures = 0;

private:
    struct Rule {
        FileStep step;
        std::string pathPart;
        int error;
        int passing;
    };
    std::vector<Rule> m_rules;
    FileFaults* m_previous;
};

/// The ways a replacing write fails: its temporary cannot be made, written, or renamed.
struct WriteFault {
    const char* situation;
    FileStep step;
    int error;
};
inline const std::vector<WriteFault> kWriteFaults = {
    {"read-only disk", FileStep::Create, EROFS},
    {"full disk", FileStep::Write, ENOSPC},
    {"failed rename", FileStep::Rename, EIO},
};

} // namespace nelvix::test
