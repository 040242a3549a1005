// The JIS, EUC-JP and line-end converters, byte for byte.
#include "encoding/convert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nelvix {
namespace {

enum class Converter { Jis, Euc, LineEnds };

struct ConvertCase {
    const char* name;
    Converter converter;
    LineEndKind lineEnd;
    std::string input;
    std::string expected;
};

std::string RunConverter(Converter converter, LineEndKind lineEnd, const std::string& input) {
    std::vector<Byte> out(2 * input.size() + 1);
    const auto* src = reinterpret_cast<const Byte*>(input.data());
    std::size_t n = 0;
    switch (converter) {
    case Converter::Jis:
        n = ConvertJisToSjis(src, out.data(), input.size(), lineEnd);
        break;
    case Converter::Euc:
        n = ConvertEucToSjis(src, out.data(), input.size(), lineEnd);
        break;
    case Converter::LineEnds:
        n = NormalizeLineEnds(src, out.data(), input.size());
        break;
    }
    EXPECT_LE(n, 2 * input.size());
    return std::string(reinterpret_cast<const char*>(out.data()), n);
}

using std::string_literals::operator""s;
constexpr auto kCrLf = LineEndKind::CrLf;
constexpr auto kLfOnly = LineEndKind::Lf;

TEST(Convert, WritesExpectedBytes) {
    const ConvertCase cases[] = {
        {"JisOldKanjiInAndRomanOut", Converter::Jis, kCrLf, "\x1B$@0!\x1B(Jx", "\x88\x9Fx"},
        {"JisKanjiOutInAsciiModeIsText", Converter::Jis, kCrLf, "a\x1B(Bb", "a\x1B(Bb"},
        {"JisKatakanaEscapeIsText", Converter::Jis, kCrLf, "\x1B(I1", "\x1B(I1"},
        {"JisLastByteInKanjiModeCopied", Converter::Jis, kCrLf, "\x1B$B$\"$", "\x82\xA0$"},
        {"JisCrLfPairsInKanjiMode", Converter::Jis, kCrLf, "\x1B$B\r\n", "  "},
        {"JisLoneLfSplitInKanjiMode", Converter::Jis, kLfOnly, "\x1B$B$\"\n$\"",
         "\x82\xA0\r\n\x82\xA0"},
        // Not two NULs: a search reads text up to a NUL and would stop there.
        {"JisInvalidPairIsTwoBlanks", Converter::Jis, kCrLf, "\x1B$B\x7F!", "  "},
        {"EucInvalidPairIsTwoBlanks", Converter::Euc, kCrLf, "\xFE\x6Ex", "  x"},
        {"EucSs2KeepsKatakana", Converter::Euc, kCrLf, "\x8E\xB1", "\xB1"},
        {"EucSs2AtEnd", Converter::Euc, kCrLf, "a\x8E", "a"},
        {"EucTrailingLeadDropped", Converter::Euc, kCrLf, "a\xA4", "a"},
        {"EucRunThenInvalidPair", Converter::Euc, kCrLf, "\xA4\xA2\xA4\xA4\xFE\x6Ex",
         "\x82\xA0\x82\xA2  x"},
        {"EucRunThenTrailingLead", Converter::Euc, kCrLf, "\xA4\xA2\xA4", "\x82\xA0"},
        {"EucSs3DroppedPairConverted", Converter::Euc, kCrLf, "\x8F\xB0\xA1", "\x88\x9F"},
        {"EucUnusedBytesDropped", Converter::Euc, kCrLf,
         "\x80\x8D\x90\xA0\xFF"
         "a",
         "a"},
        {"EucLfSplitToCrLf", Converter::Euc, kLfOnly, "a\nb", "a\r\nb"},
        {"EucLeadBeforeLfPairsUp", Converter::Euc, kCrLf, "\xA4\n", "  "},
        {"EucCrLfKeptAsIs", Converter::Euc, kCrLf, "a\r\nb", "a\r\nb"},
        {"LineEndsLfOnly", Converter::LineEnds, kCrLf, "a\nb\n", "a\r\nb\r\n"},
        {"LineEndsCrOnly", Converter::LineEnds, kCrLf, "a\rb", "a\r\nb"},
        // A CR LF pair past a head of lone line ends stays one line end: no empty line.
        {"LineEndsLaterCrLfKeptWhole", Converter::LineEnds, kCrLf, "a\r\nb\n\r\r\n",
         "a\r\nb\r\n\r\n\r\n"},
        {"EucLaterCrLfKeptWhole", Converter::Euc, kLfOnly, "\xA4\xA2\r\nb\r", "\x82\xA0\r\nb\r\n"},
        {"JisLaterCrLfKeptWholeInKanjiMode", Converter::Jis, kLfOnly, "\x1B$B$\"\r\n$\"\x1B(B\r\n",
         "\x82\xA0\r\n\x82\xA0\r\n"},
        {"LineEndsSjisUntouched", Converter::LineEnds, kCrLf, "\x82\xA0\x95\\", "\x82\xA0\x95\\"}};
    for (const ConvertCase& c : cases)
        EXPECT_EQ(RunConverter(c.converter, c.lineEnd, c.input), c.expected) << c.name;
}

// Every pair of rows 1-84 meets iconv in the agreement test; these are the edges of the formula.
TEST(JisToSjisPair, MapsRowsAndRejectsBytesOutsideTheTable) {
    EXPECT_EQ(JisToSjisPair(0x5F, 0x21), 0xE040); // lead crosses the katakana gap
    EXPECT_EQ(JisToSjisPair(0x21, 0x60), 0x8180); // odd row, trail skips 0x7F
    EXPECT_EQ(JisToSjisPair(0x7E, 0x7E), 0xEFFC);
    EXPECT_EQ(JisToSjisPair(0x20, 0x21), 0);
    EXPECT_EQ(JisToSjisPair(0x21, 0x7F), 0);
    EXPECT_EQ(JisToSjisPair(0x7F, 0x21), 0);
}

// Long runs of pairs are converted many at a time; every JIS X 0208 code, at every place in runs
// of every length around the step, behind an odd number of ASCII bytes or not, must still come
// out as the pair-by-pair mapping gives it.
TEST(ConvertEucToSjis, RunsOfEveryPairAtEveryPlaceMapAsOnePair) {
    std::vector<std::uint16_t> codes;
    for (unsigned high = 0x21; high <= 0x7E; ++high)
        for (unsigned low = 0x21; low <= 0x7E; ++low)
            codes.push_back(static_cast<std::uint16_t>(high << 8 | low));
    std::size_t next = 0;
    for (std::size_t lead : {0, 1, 3}) {
        for (std::size_t pairs = 1; pairs <= 40 || next < codes.size(); ++pairs) {
            std::string euc(lead, 'a'), expected(lead, 'a');
            for (std::size_t k = 0; k < pairs % 41 + 1; ++k, ++next) {
                const std::uint16_t jis = codes[next % codes.size()];
                euc += static_cast<char>((jis >> 8) | 0x80);
                euc += static_cast<char>((jis & 0xFF) | 0x80);
                const std::uint16_t sjis = JisToSjisPair(jis >> 8, jis & 0xFF);
                expected += static_cast<char>(sjis >> 8);
                expected += static_cast<char>(sjis & 0xFF);
            }
            euc += "z\xA4"; // a run's end, then a lead byte with nothing after it
            expected += "z";
            std::vector<Byte> out(2 * euc.size());
            const std::size_t n = ConvertEucToSjis(reinterpret_cast<const Byte*>(euc.data()),
                                                   out.data(), euc.size(), LineEndKind::CrLf);
            ASSERT_EQ(std::string(reinterpret_cast<const char*>(out.data()), n), expected)
                << "run of " << pairs % 41 + 1 << " pairs after " << lead << " ASCII bytes";
        }
    }
}

} // namespace
} // namespace nelvix
