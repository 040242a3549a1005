// Texts whose head tells nothing of their encoding, converted texts of any size, and line ends
// kept whole: detection past a plain head (files and buffers), the same bytes whether a text is
// converted at once or piece by piece, and documents of EUC-JP texts past the old 2 MiB limit.
#include "encoding/text_detection.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "encoding/convert.h"
#include "encoding/detect.h"
#include "encoding/file_convert.h"
#include "files/posix_file.h"
#include "support/test_files.h"
#include "text/text_document.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

const Byte* Bytes(const std::string& text) {
    return reinterpret_cast<const Byte*>(text.data());
}

/// 10,000 bytes of English lines with LF: more than a head, nothing that tells an encoding.
std::string AsciiHeader() {
    std::string header;
    while (header.size() < 10'000)
        header += "Copyright (C) the authors. Permission is granted to copy this file.\n";
    return header.substr(0, 10'000);
}

Detection DetectFile(const std::string& path) {
    std::size_t length = 0;
    FileDescriptor file = OpenRegularFileForReading(path, length);
    EXPECT_TRUE(file.IsOpen());
    Byte head[kExaminedHeadBytes];
    const std::optional<std::size_t> headLength = ReadUpToAt(file.Get(), head, sizeof head, 0);
    EXPECT_TRUE(headLength);
    return DetectOpenFile(file.Get(), head, headLength.value_or(0));
}

struct DetectCase {
    const char* name;
    std::string text;
    Detection expected;
    std::string converted; ///< empty: no conversion
};

const std::string kHeader = AsciiHeader();

std::string ToCrLf(const std::string& text) {
    std::string converted;
    for (char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

constexpr Detection kEucLf{TextCode::Euc, LineEndKind::Lf};

TEST(DetectPastTheHead, FileAndBufferAgree) {
    const DetectCase cases[] = {{"EucBehindAnAsciiHeader", kHeader + "\xA4\xA2\n", kEucLf,
                                 ToCrLf(kHeader) + "\x82\xA0\r\n"},
                                {"JisBehindAnAsciiHeader",
                                 kHeader + "\x1B$B$\"\x1B(B\n",
                                 {TextCode::Jis, LineEndKind::Lf},
                                 ToCrLf(kHeader) + "\x82\xA0\r\n"},
                                {"ShiftJisBehindAnAsciiHeaderStaysShiftJis",
                                 kHeader + "\x82\xA0\n",
                                 {TextCode::ShiftJis, LineEndKind::Lf},
                                 ToCrLf(kHeader) + "\x82\xA0\r\n"},
                                {"EscapeAt5000StartingKanjiInDecidesJis",
                                 kHeader.substr(0, 5'000) + "\x1B$B$\"\x1B(B",
                                 {TextCode::Jis, LineEndKind::Lf},
                                 ToCrLf(kHeader.substr(0, 5'000)) + "\x82\xA0"},
                                {"AsciiToTheEndWithLfStaysShiftJis",
                                 kHeader,
                                 {TextCode::ShiftJis, LineEndKind::Lf},
                                 ToCrLf(kHeader)},
                                {"AsciiToTheEndWithCrLfNeedsNoConversion",
                                 ToCrLf(kHeader),
                                 {TextCode::ShiftJis, LineEndKind::CrLf},
                                 ""},
                                {"LfHeadThenCrLfGivesNoEmptyLines",
                                 kHeader + "a\r\nb\r\n",
                                 {TextCode::ShiftJis, LineEndKind::Lf},
                                 ToCrLf(kHeader) + "a\r\nb\r\n"},
                                {"CrHeadThenCrLfGivesNoEmptyLines",
                                 "a\rb\r" + std::string(5'000, 'x') + "\r\nc",
                                 {TextCode::ShiftJis, LineEndKind::Cr},
                                 "a\r\nb\r\n" + std::string(5'000, 'x') + "\r\nc"},
                                {"HeadWithAHighByteDecidesAlone",
                                 "\x82\xA0" + kHeader + "\xA4\xA2",
                                 {TextCode::ShiftJis, LineEndKind::Lf},
                                 "\x82\xA0" + ToCrLf(kHeader) + "\xA4\xA2"}};
    for (const DetectCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir.Write("text.txt", c.text);
        EXPECT_EQ(DetectFile(path), c.expected);
        EXPECT_EQ(DetectBuffer(Bytes(c.text), c.text.size()), c.expected);

        ui::FakePlatform fake;
        const std::optional<ConvertedText> file = ConvertFileToSjis(fake.platform, path, 0);
        const std::optional<ConvertedText> buffer =
            ConvertBufferToSjis(fake.platform, Bytes(c.text), c.text.size(), 0);
        ASSERT_EQ(file.has_value(), !c.converted.empty());
        ASSERT_EQ(buffer.has_value(), !c.converted.empty());
        if (c.converted.empty())
            continue;
        EXPECT_EQ(std::string(file->text.begin(), file->text.end()), c.converted);
        EXPECT_EQ(std::string(buffer->text.begin(), buffer->text.end()), c.converted);
    }
}

TEST(DetectPastTheHeadFile, ReadErrorsAndShrinkingFilesKeepTheHeadsDecision) {
    test::TempDir dir;
    const std::string text = kHeader + "\xA4\xA2\n";
    Byte head[kExaminedHeadBytes];
    std::memcpy(head, text.data(), sizeof head);
    const Detection headOnly{TextCode::ShiftJis, LineEndKind::Lf};

    // Cut short after its head was read: the rest is not there to decide.
    const std::string path = dir.Write("shrinks.txt", text);
    std::size_t length = 0;
    FileDescriptor file = OpenRegularFileForReading(path, length);
    ASSERT_EQ(::truncate(path.c_str(), kExaminedHeadBytes + 10), 0);
    EXPECT_EQ(DetectOpenFile(file.Get(), head, sizeof head), headOnly);

    // A pipe cannot be read at an offset: the head's decision, at once.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    EXPECT_EQ(DetectOpenFile(pipeEnds[0], head, sizeof head), headOnly);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);

    // A closed descriptor fails every read.
    EXPECT_EQ(DetectOpenFile(-1, head, sizeof head), headOnly);
}

TEST(DetectPastTheHeadFile, CodeSettingDecidesWithoutReadingOn) {
    test::TempDir dir;
    const std::string path = dir.Write("euc.txt", kHeader + "\xA4\xA2\n");
    ui::FakePlatform fake;
    const std::optional<ConvertedText> asShiftJis = ConvertFileToSjis(fake.platform, path, 1);
    ASSERT_TRUE(asShiftJis);
    EXPECT_EQ(std::string(asShiftJis->text.begin(), asShiftJis->text.end()),
              ToCrLf(kHeader) + "\xA4\xA2\r\n");
}

/// A random text over bytes that matter to some converter: line ends, escapes and their
/// bytes, lead and trail bytes, SS2, SS3, UTF-8 leads and continuations.
std::string RandomText(std::mt19937& random, std::size_t length) {
    static const std::string palette = "ab\r\n\x1B$B(J@\"!~\x8E\x8F\xA4\xA2\xFE\x82\xA0\xC3\xA9"
                                       "\xE3\x81\x82\xF0\x9F\x98\x80\xEF\xBB\xBF\x7F";
    std::uniform_int_distribution<std::size_t> pick(0, palette.size() - 1);
    std::string text(length, ' ');
    for (char& c : text)
        c = palette[pick(random)];
    return text;
}

/// The text converted in pieces of the given sizes, each piece after the bytes kept back.
std::string ConvertInPieces(TextCode code, LineEndKind lineEnd, const std::string& text,
                            const std::vector<std::size_t>& pieces) {
    ConvertState state;
    std::string input;
    std::string output;
    std::size_t at = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool last = i + 1 == pieces.size();
        input += text.substr(at, last ? std::string::npos : pieces[i]);
        at += pieces[i];
        std::vector<Byte> out(2 * input.size() + 1);
        const ConvertedPiece piece =
            ConvertPiece(code, lineEnd, Bytes(input), input.size(), last, state, out.data());
        output.append(reinterpret_cast<const char*>(out.data()), piece.written);
        input.erase(0, piece.consumed);
    }
    EXPECT_TRUE(input.empty());
    return output;
}

TEST(ConvertInPieces, GivesTheBytesOfTheWholeTextConvertedAtOnce) {
    std::mt19937 random(20261207);
    const TextCode codes[] = {TextCode::ShiftJis, TextCode::Jis, TextCode::Euc, TextCode::Utf8};
    const LineEndKind kinds[] = {LineEndKind::CrLf, LineEndKind::Lf, LineEndKind::Cr};
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(random, 1 + random() % 200);
        std::vector<std::size_t> pieces;
        for (std::size_t left = text.size(); left > 0;) {
            const std::size_t size = std::min<std::size_t>(left, 1 + random() % 9);
            pieces.push_back(size);
            left -= size;
        }
        for (TextCode code : codes)
            for (LineEndKind kind : kinds) {
                ConvertState whole;
                std::vector<Byte> out(2 * text.size() + 1);
                const ConvertedPiece all =
                    ConvertPiece(code, kind, Bytes(text), text.size(), true, whole, out.data());
                const std::string expected(reinterpret_cast<const char*>(out.data()), all.written);
                ASSERT_EQ(ConvertInPieces(code, kind, text, pieces), expected)
                    << "code " << static_cast<int>(code) << ", line end " << static_cast<int>(kind)
                    << ", round " << round;
            }
    }
}

/// An EUC-JP text of `lines` lines, each "行 <n> あいう" with LF.
std::string EucLines(std::size_t bytes) {
    std::string text;
    for (std::size_t n = 1; text.size() < bytes; ++n)
        text += "\xB9\xD4 " + std::to_string(n) + " \xA4\xA2\xA4\xA4\xA4\xA6\n";
    return text;
}

class BigTextDocument : public testing::Test {
protected:
    std::unique_ptr<CKespoDoc> Open(const std::string& bytes) {
        environment.workFilePath = dir.PathOf("nelvix.1.wrk");
        std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
        EXPECT_TRUE(document->OnOpenDocument(dir.Write("big.txt", bytes)));
        return document;
    }
    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    test::TempDir dir;
};

TEST_F(BigTextDocument, ThreeMillionBytesOfEucJpOpenConverted) {
    const std::string euc = EucLines(3'000'000);
    std::unique_ptr<CKespoDoc> document = Open(euc);
    const std::string_view text = document->TextView();
    EXPECT_TRUE(text.starts_with("\x8D\x73 1 \x82\xA0\x82\xA2\x82\xA4\r\n")) << text.substr(0, 20);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(euc.begin(), euc.end(), '\n'));
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_FALSE(document->IsAlteredOnLoad());
}

TEST_F(BigTextDocument, FiveMillionBytesOfEucJpOpenConvertedUpToTheLimit) {
    std::unique_ptr<CKespoDoc> document = Open(EucLines(5'000'000));
    EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgTextTooLong});
    const std::string_view text = document->TextView();
    EXPECT_GT(text.size(), 3'900'000u);
    EXPECT_LT(text.size(), kMaxTextBytes);
    EXPECT_TRUE(text.starts_with("\x8D\x73 1 \x82\xA0")) << text.substr(0, 20);
    EXPECT_TRUE(document->IsAlteredOnLoad());
}

} // namespace
} // namespace nelvix
