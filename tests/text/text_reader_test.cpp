// The text reader gives, at every position and in every order of reads, the bytes of the whole
// conversion.
#include "text/text_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/test_files.h"
#include "text/posix_file.h"
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

} // namespace
} // namespace nelvix
