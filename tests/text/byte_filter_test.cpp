// The document's load filter: each rule, and exactness wherever the chunks are cut.
#include "text/byte_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/text_document.h"

namespace nelvix {
namespace {

using namespace std::string_literals;

struct Filtered {
    std::string text;
    bool altered = false;
    bool lastUnitIsPair = false;
};

void ExpectSame(const Filtered& got, const Filtered& expected) {
    EXPECT_EQ(got.text, expected.text);
    EXPECT_EQ(got.altered, expected.altered);
    EXPECT_EQ(got.lastUnitIsPair, expected.lastUnitIsPair);
}

/// Feeds `input` in the pieces that `cuts` (ascending offsets) make, into a block of at most
/// `capacity` bytes, and checks that nothing was written past the bytes stored.
Filtered FilterInChunks(const std::string& input, const std::vector<std::size_t>& cuts,
                        std::size_t capacity = SIZE_MAX) {
    std::string out(input.size(), '\xEE');
    ByteFilter filter(reinterpret_cast<Byte*>(out.data()), std::min(capacity, out.size()));
    std::size_t start = 0;
    auto bytes = reinterpret_cast<const Byte*>(input.data());
    for (std::size_t cut : cuts) {
        filter.Feed(bytes + start, cut - start);
        start = cut;
    }
    filter.Feed(bytes + start, input.size() - start);
    filter.Finish();
    EXPECT_EQ(out.find_first_not_of('\xEE', filter.Stored()), std::string::npos)
        << "written past the text";
    out.resize(filter.Stored());
    return {out, filter.Altered(), filter.LastUnitIsPair()};
}

Filtered Filter(const std::string& input) {
    return FilterInChunks(input, {});
}

TEST(ByteFilter, FiltersAsTheLoadStepsSay) {
    const struct {
        const char* name;
        std::string input;
        std::string expected;
        bool altered;
        bool lastUnitIsPair;
    } cases[] = {
        {"Empty", "", "", false, false},
        {"PlainAscii", "abc", "abc", false, false},
        {"NulBecomesSpace", "a\0b"s, "a b", true, false},
        {"LoneCrDropped", "x\ry", "xy", true, false},
        {"CrLfKept", "a\r\nb", "a\r\nb", false, false},
        {"EndsWithCrLfIsPair", "a\r\n", "a\r\n", false, true},
        {"LoneLfKept", "a\nb", "a\nb", false, false},
        {"CrCrLfKeepsOnePair", "a\r\r\nb", "a\r\nb", true, false},
        {"CrBeforeNulDropsCrAndBlanksNul", "a\r\0b"s, "a b", true, false},
        {"CrBeforeLeadByteHandlesPairAfresh", "\r\x82\xA0", "\x82\xA0", true, true},
        {"TrailingLeadByteDropped", "a\x82", "a", true, false},
        {"TrailingCrDropped", "a\r", "a", true, false},
        {"OnlyALeadByte", "\x82", "", true, false},
        {"LeadByteThenCrStoresSpace", "\x82\rb", "\x82 b", true, false},
        {"LeadByteThenCrAtEnd", "\x82\r", "\x82 ", true, true},
        {"LeadByteTakesNul", "\x82\0a"s, "\x82\0a"s, false, false},
        {"LeadByteTakesLf", "\x82\na", "\x82\na", false, false},
        {"LeadByteTakesLeadByte", "\x82\x82\x82\xA0", "\x82\x82\x82\xA0", false, true},
        {"TrailBackslashKept", "\x95\x5C", "\x95\x5C", false, true},
        {"HalfWidthKanaSingle", "\xB1\xB2", "\xB1\xB2", false, false},
        {"HighLeadRange", "\xE0\x40\xFC\xFC", "\xE0\x40\xFC\xFC", false, true},
        {"NonLeadHighBytesSingle", "\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSame(Filter(c.input), {c.expected, c.altered, c.lastUnitIsPair});
    }
}

// Chunk boundaries (the reader hands the filter 30,720 bytes at a time) and the capacity, which
// is a hard bound that never splits a pair. Random cuts meet the whole filter below; these rows
// are the joins of two rules across a cut, cuts that make empty chunks, and the capacity.

TEST(ByteFilterChunks, ChunkEndsAndTheCapacity) {
    constexpr std::size_t kAll = SIZE_MAX;
    struct Row {
        const char* situation;
        std::string input;
        std::vector<std::size_t> cuts;
        std::size_t capacity;
        Filtered expected;
    };
    const std::vector<Row> rows = {
        {"CR at a chunk end, CR LF next", "a\r\r\nb", {2}, kAll, {"a\r\nb", true, false}},
        {"lead byte at a chunk end, CR next", "a\x82\r\n", {2}, kAll, {"a\x82 \n", true, false}},
        {"empty chunks",
         "a\x82\xA0\r\n",
         {0, 2, 2, 2, 4, 4, 5},
         kAll,
         {"a\x82\xA0\r\n", false, true}},
        {"bytes past the capacity are dropped", "ab\x82\xA0", {}, 3, {"ab", true, false}},
        {"pending pair past the capacity is dropped", "a\x82\xA0", {2}, 2, {"a", true, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        ExpectSame(FilterInChunks(row.input, row.cuts, row.capacity), row.expected);
    }
}

TEST(ByteFilterChunks, RandomSplitsOfRandomBytesAgree) {
    std::mt19937 random(20240607);
    // Bytes drawn mostly from the ones the rules treat specially.
    const Byte interesting[] = {0x00, 0x0D, 0x0A, 0x82, 0xA0, 0x5C, 'a', 0xE0, 0xFC, 0xB1};
    for (int round = 0; round < 500; ++round) {
        std::string input(random() % 64, '\0');
        for (char& c : input)
            c = static_cast<char>(interesting[random() % std::size(interesting)]);
        std::vector<std::size_t> cuts;
        for (std::size_t pos = 0; pos <= input.size(); ++pos)
            if (random() % 4 == 0)
                cuts.push_back(pos);
        SCOPED_TRACE(testing::PrintToString(input));
        ExpectSame(FilterInChunks(input, cuts), Filter(input));
    }
}

} // namespace
} // namespace nelvix
