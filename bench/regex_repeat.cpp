// The regular-expression engine searching one chunk again from one character past each match,
// as the global find engine does, over a chunk of a long line of "a": with the carry that spares
// it the run it has walked before, and without it (which walks the rest of the run again for
// every start).
// Usage: bench_regex_repeat
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "pattern/find_pattern.h"
#include "search/global_find_engine.h"

namespace {

using nelvix::Byte;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 3;

struct Walk {
    std::size_t matches = 0;
    std::uint64_t steps = 0;
};

Walk EveryMatch(const std::string& text, const char* pattern, bool carried) {
    const auto* begin = reinterpret_cast<const Byte*>(text.data());
    const Byte* end = begin + text.size();
    const nelvix::SearchOptions options{.caseSensitive = true, .regularExpression = true};
    nelvix::RegexCarry carry;
    Walk walk;
    for (std::size_t start = 0; start < text.size();) {
        const auto match = nelvix::FindPattern(begin + start, end, pattern, options, true, nullptr,
                                               carried ? &carry : nullptr);
        if (!match)
            break;
        ++walk.matches;
        start += match->offset + 1;
    }
    walk.steps = carry.Steps();
    return walk;
}

void Time(const std::string& text, const char* pattern, bool carried) {
    double best = 1e9;
    Walk walk;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        walk = EveryMatch(text, pattern, carried);
        const std::chrono::duration<double> took = Clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("  %-6s %-13s %10.2f ms  %6zu matches", pattern,
                carried ? "with carry" : "without carry", best * 1e3, walk.matches);
    if (carried)
        std::printf("  %9llu characters examined", static_cast<unsigned long long>(walk.steps));
    std::printf("\n");
}

} // namespace

int main() {
    const std::string chunk(nelvix::kChunkBytes, 'a');
    std::printf("one %zu-byte chunk of \"a\", best of %d runs\n", chunk.size(), kRuns);
    for (const char* pattern : {"a*", "aa*", "a*a", ".*", "x*"}) {
        Time(chunk, pattern, true);
        Time(chunk, pattern, false);
    }
    return 0;
}
