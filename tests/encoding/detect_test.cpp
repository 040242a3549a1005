// Encoding and line-end detection from a text's head.
#include "encoding/detect.h"

#include <gtest/gtest.h>

#include <string>

namespace nelvix {
namespace {

Detection Detect(const std::string& head) {
    return DetectTextCode(reinterpret_cast<const Byte*>(head.data()), head.size());
}

struct DetectCase {
    const char* name;
    std::string head;
    TextCode code;
    LineEndKind lineEnd;
};

const std::string kAsciiHead(4095, 'a');

TEST(DetectTextCode, DecidesCodeAndLineEnd) {
    const DetectCase cases[] = {
        {"Empty", "", TextCode::ShiftJis, LineEndKind::CrLf},
        {"OneHighByte", "\xA4", TextCode::ShiftJis, LineEndKind::CrLf},
        {"PlainAscii", "abc\r\ndef", TextCode::ShiftJis, LineEndKind::CrLf},
        {"LfOnly", "a\nb\nc", TextCode::ShiftJis, LineEndKind::Lf},
        {"CrOnly", "a\rb\rc", TextCode::ShiftJis, LineEndKind::Cr},
        {"LastLoneEndDecides", "a\rb\nc", TextCode::ShiftJis, LineEndKind::Lf},
        {"OneCrLfWins", "a\nb\r\nc\r", TextCode::ShiftJis, LineEndKind::CrLf},
        {"CrAtEndOfHead", "ab\r", TextCode::ShiftJis, LineEndKind::Cr},
        {"JisKanjiInFirst", "\x1B$B$\"\x1B(B", TextCode::Jis, LineEndKind::CrLf},
        {"JisOldKanjiIn", "\x1B$@$\"\x1B(B", TextCode::Jis, LineEndKind::CrLf},
        {"JisDespiteHighBytes", "\x82\xA0\x1B$B$\"", TextCode::Jis, LineEndKind::CrLf},
        {"FirstEscapeKanjiOut", "ab\x1B(Bcd\x1B$B$\"", TextCode::ShiftJis, LineEndKind::CrLf},
        {"EscapeCutByHeadEnd", "ab\x1B$", TextCode::ShiftJis, LineEndKind::CrLf},
        {"EucHiraganaA", "\xA4\xA2", TextCode::Euc, LineEndKind::CrLf},
        {"SjisPairAfterLongEucRun",
         "a\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2"
         "\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\x82\xA0",
         TextCode::ShiftJis, LineEndKind::CrLf},
        {"SingleShiftsInLongEucRun",
         "a\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\x8E\xB1"
         "\x8F\xA1\xA1\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2\r",
         TextCode::Euc, LineEndKind::Cr},
        {"SjisHiraganaA", "\x82\xA0", TextCode::ShiftJis, LineEndKind::CrLf},
        {"EucSs2Katakana", "\x8E\xB1\n", TextCode::Euc, LineEndKind::Lf},
        {"SjisHalfWidthKanaOnly", "\xB1\xB2\xB3", TextCode::Euc, LineEndKind::CrLf},
        {"Utf8Bom", "\xEF\xBB\xBFhello", TextCode::Utf8, LineEndKind::CrLf},
        {"Utf8Hiragana", "a\xE3\x81\x82\n", TextCode::Utf8, LineEndKind::Lf},
        {"Utf8CutByHeadEnd", "abc\xE3\x81", TextCode::Utf8, LineEndKind::CrLf},
        {"Utf8LoneContinuation", "a\x81\x82", TextCode::ShiftJis, LineEndKind::CrLf},
        {"Utf8Overlong", "a\xC0\xAF", TextCode::Euc, LineEndKind::CrLf},
        {"Utf8Surrogate", "\xED\xA0\x80", TextCode::ShiftJis, LineEndKind::CrLf},
        {"Utf8BadContinuation", "\xE3\x41\xA2", TextCode::Euc, LineEndKind::CrLf},
        {"AsciiHeadUtf8Later", kAsciiHead + "\n" + "\xE3\x81\x82", TextCode::ShiftJis,
         LineEndKind::Lf}};
    for (const DetectCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Detection d = Detect(c.head);
        EXPECT_EQ(d.code, c.code) << TextCodeName(d.code);
        EXPECT_EQ(d.lineEnd, c.lineEnd) << LineEndKindName(d.lineEnd);
    }
}

TEST(EffectiveTextCode, SettingOverridesOnlyForItsThreeCodes) {
    EXPECT_EQ(EffectiveTextCode(TextCode::Euc, 0), TextCode::Euc);
    EXPECT_EQ(EffectiveTextCode(TextCode::Euc, 1), TextCode::ShiftJis);
    EXPECT_EQ(EffectiveTextCode(TextCode::ShiftJis, 2), TextCode::Jis);
    EXPECT_EQ(EffectiveTextCode(TextCode::Utf8, 3), TextCode::Euc);
    EXPECT_EQ(EffectiveTextCode(TextCode::Utf8, 4), TextCode::Utf8);
    EXPECT_EQ(EffectiveTextCode(TextCode::Jis, -1), TextCode::Jis);
}

} // namespace
} // namespace nelvix
