// The document's load filter: each rule, and exactness wherever the chunks are cut.
#include "text/byte_filter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/kespo_doc.h"

namespace nelvix {
namespace {

struct FilterCase {
    const char* name;
    std::string input;
    std::string expected;
    bool altered;
    bool lastUnitIsPair;
};

std::string Filter(const std::string& input, FilterResult* result = nullptr) {
    std::string out(input.size(), '\xEE');
    FilterResult got = FilterBytes(reinterpret_cast<const Byte*>(input.data()), input.size(),
                                   reinterpret_cast<Byte*>(out.data()));
    out.resize(got.length);
    if (result != nullptr)
        *result = got;
    return out;
}

/// Feeds `input` in the pieces that `cuts` (ascending offsets) make.
std::string FilterInChunks(const std::string& input, const std::vector<std::size_t>& cuts,
                           FilterResult* result = nullptr) {
    std::string out(input.size(), '\xEE');
    ByteFilter filter(reinterpret_cast<Byte*>(out.data()), out.size());
    std::size_t start = 0;
    auto bytes = reinterpret_cast<const Byte*>(input.data());
    for (std::size_t cut : cuts) {
        filter.Feed(bytes + start, cut - start);
        start = cut;
    }
    filter.Feed(bytes + start, input.size() - start);
    filter.Finish();
    out.resize(filter.Stored());
    if (result != nullptr)
        *result = {filter.Stored(), filter.Altered(), filter.LastUnitIsPair()};
    return out;
}

class ByteFilterRules : public testing::TestWithParam<FilterCase> {};

TEST_P(ByteFilterRules, FiltersAsTheLoadStepsSay) {
    const FilterCase& c = GetParam();
    FilterResult result;
    EXPECT_EQ(Filter(c.input, &result), c.expected);
    EXPECT_EQ(result.altered, c.altered);
    EXPECT_EQ(result.lastUnitIsPair, c.lastUnitIsPair);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Rules, ByteFilterRules,
    testing::Values(
        FilterCase{"Empty", "", "", false, false},
        FilterCase{"PlainAscii", "abc", "abc", false, false},
        FilterCase{"NulBecomesSpace", "a\0b"s, "a b", true, false},
        FilterCase{"LoneCrDropped", "x\ry", "xy", true, false},
        FilterCase{"CrLfKept", "a\r\nb", "a\r\nb", false, false},
        FilterCase{"EndsWithCrLfIsPair", "a\r\n", "a\r\n", false, true},
        FilterCase{"LoneLfKept", "a\nb", "a\nb", false, false},
        FilterCase{"CrCrLfKeepsOnePair", "a\r\r\nb", "a\r\nb", true, false},
        FilterCase{"CrBeforeNulDropsCrAndBlanksNul", "a\r\0b"s, "a b", true, false},
        FilterCase{"CrBeforeLeadByteHandlesPairAfresh", "\r\x82\xA0", "\x82\xA0", true, true},
        FilterCase{"TrailingLeadByteDropped", "a\x82", "a", true, false},
        FilterCase{"TrailingCrDropped", "a\r", "a", true, false},
        FilterCase{"OnlyALeadByte", "\x82", "", true, false},
        FilterCase{"LeadByteThenCrStoresSpace", "\x82\rb", "\x82 b", true, false},
        FilterCase{"LeadByteThenCrAtEnd", "\x82\r", "\x82 ", true, true},
        FilterCase{"LeadByteTakesNul", "\x82\0a"s, "\x82\0a"s, false, false},
        FilterCase{"LeadByteTakesLf", "\x82\na", "\x82\na", false, false},
        FilterCase{"LeadByteTakesLeadByte", "\x82\x82\x82\xA0", "\x82\x82\x82\xA0", false, true},
        FilterCase{"TrailBackslashKept", "\x95\x5C", "\x95\x5C", false, true},
        FilterCase{"HalfWidthKanaSingle", "\xB1\xB2", "\xB1\xB2", false, false},
        FilterCase{"HighLeadRange", "\xE0\x40\xFC\xFC", "\xE0\x40\xFC\xFC", false, true},
        FilterCase{"NonLeadHighBytesSingle", "\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF", false,
                   false}),
    [](const testing::TestParamInfo<FilterCase>& row) { return std::string(row.param.name); });

// Chunk boundaries: the reader hands the filter 30,720 bytes at a time.

TEST(ByteFilterChunks, CrLfSplitAcrossChunksIsKept) {
    std::string input = "ab\r\ncd";
    FilterResult result;
    EXPECT_EQ(FilterInChunks(input, {3}, &result), "ab\r\ncd");
    EXPECT_FALSE(result.altered);
}

TEST(ByteFilterChunks, CrAtChunkEndBeforeOtherByteIsDropped) {
    FilterResult result;
    EXPECT_EQ(FilterInChunks("ab\rcd", {3}, &result), "abcd");
    EXPECT_TRUE(result.altered);
}

TEST(ByteFilterChunks, CrAtChunkEndBeforeCrLf) {
    FilterResult result;
    EXPECT_EQ(FilterInChunks("a\r\r\nb", {2}, &result), "a\r\nb");
    EXPECT_TRUE(result.altered);
}

TEST(ByteFilterChunks, LeadByteAtChunkEndTakesFirstByteOfNext) {
    FilterResult result;
    EXPECT_EQ(FilterInChunks("a\x82\xA0z", {2}, &result), "a\x82\xA0z");
    EXPECT_FALSE(result.altered);
}

TEST(ByteFilterChunks, LeadByteAtChunkEndBeforeCrStoresSpace) {
    FilterResult result;
    EXPECT_EQ(FilterInChunks("a\x82\r\n", {2}, &result), "a\x82 \n");
    EXPECT_TRUE(result.altered);
}

TEST(ByteFilterChunks, LeadByteAtEndOfLastChunkIsDropped) {
    FilterResult result;
    EXPECT_EQ(FilterInChunks("ab\x82", {1, 2}, &result), "ab");
    EXPECT_TRUE(result.altered);
}

TEST(ByteFilterChunks, NulJustPastFirstChunk) {
    std::string input(kLoadBufferBytes, 'a');
    input += '\0';
    input += "bc";
    std::string expected(kLoadBufferBytes, 'a');
    expected += " bc";
    FilterResult result;
    EXPECT_EQ(FilterInChunks(input, {kLoadBufferBytes}, &result), expected);
    EXPECT_TRUE(result.altered);
}

TEST(ByteFilterChunks, EmptyChunksChangeNothing) {
    FilterResult result;
    EXPECT_EQ(FilterInChunks("a\x82\xA0\r\n", {0, 2, 2, 2, 4, 4, 5}, &result), "a\x82\xA0\r\n");
    EXPECT_FALSE(result.altered);
    EXPECT_TRUE(result.lastUnitIsPair);
}

TEST(ByteFilterChunks, EverySplitPointGivesTheOneGoResult) {
    using namespace std::string_literals;
    const std::string input = "\x82\xA0\r\n\r\x82\r\0a\r\r\n\x95\x5C\nb\x82"s;
    FilterResult whole;
    const std::string expected = Filter(input, &whole);
    for (std::size_t cut = 0; cut <= input.size(); ++cut) {
        FilterResult split;
        EXPECT_EQ(FilterInChunks(input, {cut}, &split), expected) << "cut at " << cut;
        EXPECT_EQ(split.altered, whole.altered) << "cut at " << cut;
        EXPECT_EQ(split.lastUnitIsPair, whole.lastUnitIsPair) << "cut at " << cut;
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
        FilterResult whole;
        FilterResult split;
        const std::string expected = Filter(input, &whole);
        EXPECT_EQ(FilterInChunks(input, cuts, &split), expected);
        EXPECT_EQ(split.altered, whole.altered);
        EXPECT_EQ(split.lastUnitIsPair, whole.lastUnitIsPair);
    }
}

// The capacity is a hard bound, and a pair is never split by it.

TEST(ByteFilterCapacity, BytesPastTheCapacityAreDroppedAsAnAlteration) {
    std::string out(4, '\xEE');
    ByteFilter filter(reinterpret_cast<Byte*>(out.data()), 3);
    const std::string input = "ab\x82\xA0";
    filter.Feed(reinterpret_cast<const Byte*>(input.data()), input.size());
    filter.Finish();
    EXPECT_EQ(filter.Stored(), 2u);
    EXPECT_TRUE(filter.Altered());
    EXPECT_EQ(out[2], '\xEE') << "half a pair was written";
}

TEST(ByteFilterCapacity, PendingPairPastTheCapacityIsDropped) {
    std::string out(3, '\xEE');
    ByteFilter filter(reinterpret_cast<Byte*>(out.data()), 2);
    const std::string input = "a\x82\xA0";
    auto bytes = reinterpret_cast<const Byte*>(input.data());
    filter.Feed(bytes, 2);
    filter.Feed(bytes + 2, 1);
    filter.Finish();
    EXPECT_EQ(filter.Stored(), 1u);
    EXPECT_TRUE(filter.Altered());
}

TEST(LastCharOffset, IsLengthMinusOneOrTwo) {
    EXPECT_EQ(LastCharOffsetOf(0, false), 0u);
    EXPECT_EQ(LastCharOffsetOf(3, false), 2u);
    EXPECT_EQ(LastCharOffsetOf(3, true), 1u);
    EXPECT_EQ(LastCharOffsetOf(2, true), 0u);
}

} // namespace
} // namespace nelvix
