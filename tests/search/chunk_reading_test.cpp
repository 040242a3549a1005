// Cutting full chunks after their last line end.
#include "search/chunk_reading.h"

#include <gtest/gtest.h>

#include <string>

namespace nelvix {
namespace {

using namespace std::string_literals;

const Byte* Bytes(const std::string& text) {
    return reinterpret_cast<const Byte*>(text.c_str());
}

struct CutCase {
    const char* name;
    std::string chunk; ///< a full chunk of 10 bytes
    std::size_t expected;
};

TEST(ChunkReading, FullChunkIsCutAfterItsLastLineEnd) {
    const CutCase cases[] = {
        {"AfterTheLastCrLf", "ab\r\ncd\r\nef", 8},
        {"CrAsTheReadsLastByteStartsTheNextChunk", "abcdefghi\r", 9},
        {"LoneCrPassedOver", "ab\r\ncd\refg", 4},
        {"NoCrTakesTheWholeChunk", "abcdefghij", 10},
        {"CrLfAfterTheFirstNulIgnored", "ab\r\nc\0d\r\nx"s, 4},
        {"CrJustBeforeTheFirstNulCutsAfterIt", "ab\r\0cdefgh"s, 4},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.chunk.size(), 10u);
        const Byte* chunk = Bytes(c.chunk);
        EXPECT_EQ(FullChunkLength(chunk, 10, TextLengthBeforeNul(chunk, 10)), c.expected);
    }
}

} // namespace
} // namespace nelvix
