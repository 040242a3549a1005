// The macro file's header rules, its image and its file name.
#include "record/macro_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nelvix {
namespace {

std::vector<Byte> Le32s(std::initializer_list<std::int64_t> values) {
    std::vector<Byte> out;
    for (std::int64_t value : values)
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<Byte>(static_cast<std::uint32_t>(value) >> shift));
    return out;
}

std::vector<Byte> Header(std::int64_t headerSize, std::int64_t recordBytes, std::int64_t count,
                         std::int64_t version, const std::string& comment, bool nul = true) {
    std::vector<Byte> out = Le32s({headerSize, recordBytes, count, version});
    out.insert(out.end(), comment.begin(), comment.end());
    if (nul)
        out.push_back(0);
    return out;
}

TEST(MacroHeaderTest, ValidatesEveryField) {
    const std::string c100(100, 'c');
    const std::string c101(101, 'c');
    struct Case {
        const char* name;
        std::vector<Byte> bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain", Header(20, 24, 2, 200, "abc"), true},
        {"empty comment, no records", Header(17, 0, 0, 200, ""), true},
        {"100-byte comment", Header(117, 0, 0, 200, c100), true},
        {"101-byte comment", Header(118, 0, 0, 200, c101), false},
        {"version 199", Header(20, 0, 0, 199, "abc"), false},
        {"headerSize off by one", Header(21, 0, 0, 200, "abc"), false},
        {"no NUL", Header(20, 0, 0, 200, "abc", false), false},
        {"only the integers", Le32s({17, 0, 0, 200}), false},
        {"too short", {0, 1, 2}, false},
        {"recordBytes above the buffer", Header(17, 61441, 1, 200, ""), false},
        {"recordBytes the whole buffer", Header(17, 61440, 5120, 200, ""), true},
        {"negative recordBytes", Header(17, -12, 0, 200, ""), false},
        {"negative count", Header(17, 12, -1, 200, ""), false},
        {"more records than bytes hold", Header(17, 23, 2, 200, ""), false},
    };
    for (const Case& c : cases) {
        const auto header = ParseMacroHeader(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(header.has_value(), c.valid) << c.name;
    }
}

TEST(MacroHeaderTest, NulPastTheFirst200BytesIsNotSeen) {
    std::vector<Byte> bytes = Header(200, 0, 0, 200, std::string(183, 'c'));
    ASSERT_EQ(bytes.size(), 200u);
    bytes.back() = 'c';
    bytes.push_back(0);
    EXPECT_FALSE(ParseMacroHeader(bytes.data(), bytes.size()));
}

TEST(MacroImageTest, ReadsBackAndKeepsCommentsLoadable) {
    struct Case {
        const char* name;
        std::string comment;
        std::string stored;
    };
    const Case cases[] = {
        {"short", "note", "note"},
        {"cut at 100 bytes", std::string(130, 'x'), std::string(100, 'x')},
        // 99 single bytes then a double-byte character: the pair would end at byte 101.
        {"cut before a split pair", std::string(99, 'x') + "\x88\x9f", std::string(99, 'x')},
        {"cut at an inner NUL", std::string("ab\0cd", 5), "ab"},
    };
    const std::vector<Byte> records = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (const Case& c : cases) {
        MacroHeader header;
        header.recordCount = 1;
        header.comment = c.comment;
        const std::vector<Byte> image = BuildMacroImage(header, records);
        const auto back = ParseMacroHeader(image.data(), image.size());
        ASSERT_TRUE(back) << c.name;
        EXPECT_EQ(back->comment, c.stored) << c.name;
        EXPECT_EQ(back->recordBytes, 12) << c.name;
        EXPECT_EQ(back->recordCount, 1) << c.name;
        EXPECT_EQ(std::vector<Byte>(image.end() - 12, image.end()), records) << c.name;
    }
}

TEST(MacroFileNameTest, AppendsTheExtensionOnlyWhenMissing) {
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"bare", "find1", "find1.mac"},
        {"already .mac", "find1.mac", "find1.mac"},
        {"upper case", "find1.MaC", "find1.MaC"},
        {"other extension", "a.txt", "a.txt.mac"},
        {"just the extension", ".mac", ".mac"},
        {"shorter than it", "ac", "ac.mac"},
        // 0x83 takes the dot as its trail byte, so the name does not end in ".mac".
        {"dot inside a pair", "\x83.mac", "\x83.mac.mac"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MacroFileName(c.in), c.out) << c.name;
}

} // namespace
} // namespace nelvix
