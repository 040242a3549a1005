// The result line of a match: where its quote starts and ends, and how it is cut to 512 bytes.
#include "search/result_line.h"

#include <gtest/gtest.h>

#include <string>

#include "base/cp932.h"
#include "base/native_path.h"

namespace nelvix {
namespace {

struct QuoteCase {
    const char* name;
    std::string path;
    std::string text;
    std::size_t match;
    std::size_t patternLength;
    std::uint64_t lineNumber;
    std::string expected; ///< after the path
};

TEST(ResultLine, QuotesTheMatchedLineWithinTheLimits) {
    const std::string path(8, 'p');
    const std::string longPath(510, 'p');
    const std::string x600(600, 'x');
    std::string kana;
    for (int i = 0; i < 300; ++i)
        kana += Sjis("亜"); // both bytes in the lead-byte range
    const QuoteCase cases[] = {
        {"QuoteStartsAfterTheWholeCrLf", path, "one\r\nx abc\r\n", 7, 3, 2, "(2): x abc\r\n"},
        {"QuoteEndsAtTheTextEnd", path, "abc", 0, 3, 1, "(1): abc\r\n"},
        {"MatchEndingAtByte239QuotedFromLineStart", path, std::string(236, 'x') + "abc", 236, 3, 1,
         "(1): " + std::string(236, 'x') + "abc\r\n"},
        {"MatchEndingAtByte240QuotedFromMatch", path, std::string(237, 'x') + "abc", 237, 3, 1,
         "(1): abc\r\n"},
        {"QuoteCutToFitThePath", path, x600, 0, 1, 1,
         "(1): " + std::string(512 - 8 - 13, 'x') + "\r\n"},
        {"CutNeverSplitsACharacter", path, kana, 0, 2, 1, "(1): " + kana.substr(0, 490) + "\r\n"},
        {"EightDigitLineNumberTakesRoomFromTheQuote", path, x600, 0, 1, 12'345'678,
         "(12345678): " + std::string(512 - 8 - 6 - 8, 'x') + "\r\n"},
        {"PathFillingTheLineLeavesNoQuote", longPath, x600, 0, 1, 1, "(1): \r\n"},
    };
    for (const QuoteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Byte* text = reinterpret_cast<const Byte*>(c.text.data());
        QuotedMatch quoted{text, c.text.size(), LineStartBefore(text, c.match), c.match,
                           c.patternLength};
        std::string line;
        BuildResultLine(line, c.path, c.lineNumber, quoted);
        EXPECT_EQ(line, c.path + c.expected);
    }
}

struct EscapedPathCase {
    const char* name;
    std::string path;
    std::string written; ///< the path as the line holds it
};

// A name holding a line break split its result line in two, neither of them a tag.
TEST(ResultLine, PathHoldingALineBreakStaysOnItsLineAndComesBackWhole) {
    const std::string x600(600, 'x');
    const EscapedPathCase cases[] = {
        {"CarriageReturn", "/d/a\rb.txt",
         "/d/a\xF1\x4D"
         "b.txt"},
        {"LineFeed", "/d/a\nb.txt",
         "/d/a\xF1\x4A"
         "b.txt"},
        {"CrLfAtTheEnd", "/d/ab\r\n", "/d/ab\xF1\x4D\xF1\x4A"},
        {"TabAndOtherControls", "/d/\t\x01\x1F.txt", "/d/\xF1\x49\xF1\x41\xF1\x5F.txt"},
        {"KanjiAndAnEscapedByteStayAsTheyAre", Sjis("/日本/") + "\xF0\xE9\r",
         Sjis("/日本/") + "\xF0\xE9\xF1\x4D"},
    };
    for (const EscapedPathCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Byte* text = reinterpret_cast<const Byte*>(x600.data());
        std::string line;
        BuildResultLine(line, c.path, 1, QuotedMatch{text, x600.size(), 0, 0, 1});
        // The quote gives up the room the escapes take: the line still fits 512 bytes.
        EXPECT_EQ(line,
                  c.written + "(1): " + std::string(512 - c.written.size() - 13, 'x') + "\r\n");
        EXPECT_EQ(SjisPathToNative(line.substr(0, c.written.size())), SjisPathToNative(c.path));
        EXPECT_EQ(SjisPathForLineBytes(c.path), c.written.size());
    }
}

} // namespace
} // namespace nelvix
