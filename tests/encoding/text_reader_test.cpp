// The text reader gives, at every position and in every order of reads, the bytes of the whole
// conversion.
#include "encoding/text_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "encoding/detect.h"
#include "encoding/text_detection.h"
#include "files/posix_file.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

std::string WholeConversion(const std::string& raw, const Detection& detection) {
    std::string out(2 * raw.size(), '\0');
    ConvertState state;
    const ConvertedPiece piece =
        ConvertPiece(detection.code, detection.lineEnd, reinterpret_cast<const Byte*>(raw.data()),
                     raw.size(), true, state, reinterpret_cast<Byte*>(out.data()));
    out.resize(piece.written);
    return out;
}

struct ReadCase {
    const char* name;
    /// (position, length) of each read in turn.
    std::vector<std::pair<std::uint64_t, std::size_t>> reads;
};

TEST(TextReader, EveryReadGivesTheBytesOfTheWholeConversion) {
    test::TempDir dir;
    ui::FakePlatform fake;
    // Pieces of 32 KiB end inside escapes, CR LF pairs and double-byte characters alike.
    std::string jis, euc, lf;
    for (int i = 0; i < 9'000; ++i) {
        // Most lines stay in kanji mode, so that a piece ends in it.
        jis += std::string("\x1b$B$\"8!") + (i % 3 == 0 ? "\x1b(B ab" : "") + "\r\n" +
               std::string(i % 5, 'x');
        euc += "\xa4\xa2\xb8\xa1 \x8e\xb1\r\n" + std::string(i % 3, '\xa4');
        lf += "\x82\xa0\r\n\r\x8c\x9f\n" + std::string(i % 7, 'x');
    }
    const std::pair<Detection, std::string> texts[] = {
        {{TextCode::Jis, LineEndKind::Lf}, jis},
        {{TextCode::Euc, LineEndKind::CrLf}, euc},
        {{TextCode::ShiftJis, LineEndKind::Lf}, lf},
    };
    std::vector<ReadCase> cases = {
        {"WholeInOneRead", {{0, 1 << 20}}},
        {"PastTheEnd", {{0, 10}, {1 << 20, 100}}},
        {"BackToTheStart", {{150'000, 100}, {10, 70'000}, {120'000, 5}}},
        {"SkipForward", {{3, 3}, {200'000, 30'720}}},
        {"LongerThanHeld", {{5, kReaderStageBytes + 3}, {6, 8}}},
    };
    ReadCase chunks{"ChunksCutBackAsTheEngineDoes", {}};
    for (std::uint64_t at = 0; at < 250'000; at += 30'720 - at % 1'000)
        chunks.reads.emplace_back(at, 30'720);
    cases.push_back(chunks);

    for (const auto& [detection, raw] : texts) {
        const std::string expected = WholeConversion(raw, detection);
        std::size_t length = 0;
        const FileDescriptor file = OpenRegularFileForReading(dir.Write("raw", raw), length);
        for (const ReadCase& row : cases) {
            TextReader reader;
            ASSERT_TRUE(reader.ReadConverted(fake.platform.memory, file.Get(), length, detection));
            for (const auto& [position, wanted] : row.reads) {
                std::string got(wanted, '\0');
                const std::optional<std::size_t> read =
                    reader.ReadAt(position, reinterpret_cast<Byte*>(got.data()), wanted);
                ASSERT_TRUE(read) << row.name;
                got.resize(*read);
                const std::string want =
                    position < expected.size() ? expected.substr(position, wanted) : "";
                // Compared whole, so that a failure names the read and not megabytes.
                EXPECT_TRUE(got == want)
                    << row.name << " at " << position << " code " << TextCodeName(detection.code);
            }
        }
    }
}

/// Plain lines of `bytes` bytes in all, each ending in `lineEnd`.
std::string PlainLines(std::size_t bytes, const std::string& lineEnd) {
    std::string text;
    while (text.size() < bytes)
        text += "int value_" + std::to_string(text.size() % 977) + " = 0;" + lineEnd;
    text.resize(bytes);
    return text;
}

// A file whose head is plain ASCII has its code told where its first telling byte stands, while
// it is read: the text must be what detection over the whole file and its conversion give.
TEST(TextReader, APlainHeadIsDecidedWhereTheTellingByteStands) {
    test::TempDir dir;
    ui::FakePlatform fake;
    const std::string euc = "\xa4\xa2\xb8\xa1 \x8e\xb1\n\xc8\xfe\n";
    const std::string sjisWithLoneLf = "\x82\xa0\r\nx\ny\r\n";
    const std::pair<const char*, std::string> rows[] = {
        {"EucAfterLfHead", PlainLines(5'000, "\n") + euc + PlainLines(3'000, "\n")},
        {"SjisAfterCrLfHeadKeepsItsLoneLf", PlainLines(6'000, "\r\n") + sjisWithLoneLf},
        {"JisEscapeInTheSecondPiece",
         PlainLines(40'000, "\n") + "\x1b$B$\"8!\x1b(B\n" + PlainLines(100, "\n")},
        {"TellingByteOpensAPiece", PlainLines(kReaderPieceBytes, "\n") + euc},
        {"CrJustBeforeTheTellingByte", PlainLines(kReaderPieceBytes - 1, "\r") + "\r" + euc},
        {"CrLfCutByTheTellingByte", PlainLines(4'999, "\r\n") + "\r\xa4\xa2\n"},
        {"Utf8MarkPastTheHeadStaysText", PlainLines(4'500, "\n") + "\xef\xbb\xbf\xe3\x81\x82\n"},
        {"PlainToTheEndWithLf", PlainLines(100'000, "\n")},
        {"PlainToTheEndWithCrLf", PlainLines(70'000, "\r\n") + "lone\nlf"},
    };
    for (const auto& [name, raw] : rows) {
        std::size_t length = 0;
        const FileDescriptor file = OpenRegularFileForReading(dir.Write(name, raw), length);
        const std::optional<Detection> whole = DecideOpenFile(file.Get(), 0);
        const std::optional<HeadDecision> head = DecideOpenHead(file.Get(), 0);
        ASSERT_TRUE(whole && head && head->codeOpen) << name;
        const std::string expected =
            NeedsNoConversion(whole->code, whole->lineEnd) ? raw : WholeConversion(raw, *whole);
        TextReader reader;
        ASSERT_TRUE(
            reader.ReadConverted(fake.platform.memory, file.Get(), length, head->detection, true));
        // Forward in chunks cut back as the engine cuts them, then once more from the start.
        std::string got;
        for (std::uint64_t at = 0; at < expected.size() + 1; at += 30'000) {
            std::string piece(30'720, '\0');
            const std::optional<std::size_t> read =
                reader.ReadAt(at, reinterpret_cast<Byte*>(piece.data()), piece.size());
            ASSERT_TRUE(read) << name;
            got += piece.substr(0, std::min<std::size_t>(*read, 30'000));
        }
        EXPECT_TRUE(got == expected)
            << name << ": " << got.size() << " bytes, not " << expected.size();
        std::string again(64, '\0');
        const std::optional<std::size_t> read =
            reader.ReadAt(0, reinterpret_cast<Byte*>(again.data()), again.size());
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(again.substr(0, *read), expected.substr(0, 64)) << name;
    }
}

} // namespace
} // namespace nelvix
