// Cutting full chunks after their last line end.
#include "search/chunk_reading.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace nelvix {
namespace {

using namespace std::string_literals;

const Byte* Bytes(const std::string& text) {
    return reinterpret_cast<const Byte*>(text.c_str());
}

TEST(ChunkReading, FullChunkIsCutAfterItsLastLineEnd) {
    const struct {
        const char* name;
        std::string chunk; ///< a full chunk of 10 bytes
        std::size_t expected;
    } cases[] = {
        {"AfterTheLastCrLf", "ab\r\ncd\r\nef", 8},
        {"CrAsTheReadsLastByteStartsTheNextChunk", "abcdefghi\r", 9},
        {"LoneCrPassedOver", "ab\r\ncd\refg", 4},
        {"NoCrTakesTheWholeChunk", "abcdefghij", 10},
        {"CrLfAfterTheFirstNulIgnored", "ab\r\nc\0d\r\nx"s, 4},
        {"CrJustBeforeTheFirstNulCutsAfterIt", "ab\r\0cdefgh"s, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.chunk.size(), 10u);
        const Byte* chunk = Bytes(c.chunk);
        EXPECT_EQ(FullChunkLength(chunk, 10, TextLengthBeforeNul(chunk, 10)), c.expected);
    }
}

TEST(ChunkReading, CountsEveryCrLfWhereverItFallsInTheSixteenByteSteps) {
    // A reference that reads one byte at a time, over texts that put pairs on every offset,
    // across the steps, at the range's end (its LF at the byte just past the range) and alone.
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 80, 'a');
        for (char& c : text)
            c = "\r\na"[random() % 3];
        text.push_back('\n');
        const std::size_t length = text.size() - 1;
        std::size_t expected = 0;
        for (std::size_t i = 0; i < length; ++i)
            expected += text[i] == '\r' && text[i + 1] == '\n' ? 1 : 0;
        const Byte* bytes = Bytes(text);
        ASSERT_EQ(CountCrLf(bytes, bytes + length), expected) << round;
    }
}

TEST(ChunkReading, CountsAChunkFullOfLineEnds) {
    std::string text;
    for (int i = 0; i < 15'360; ++i)
        text += "\r\n";
    EXPECT_EQ(CountChunkLineEnds(Bytes(text), text.size()), 15'360u);
}

} // namespace
} // namespace nelvix
