// The converters agree byte for byte with glibc iconv on every JIS X 0208 character.
#include "encoding/convert.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>
#include <vector>

namespace nelvix {
namespace {

/// The whole input through iconv, or nothing when iconv refuses any of it.
std::optional<std::string> Iconv(const char* from, const char* to, const std::string& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    if (rc != static_cast<std::size_t>(-1))
        rc = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

/// Every character of rows 1-84 that iconv's EUC-JP table defines, as EUC-JP pairs, one row
/// per line.
std::string EucJisX0208Text(std::size_t& characters) {
    std::string text;
    characters = 0;
    for (int row = 1; row <= 84; ++row) {
        for (int cell = 1; cell <= 94; ++cell) {
            std::string pair{static_cast<char>(0xA0 + row), static_cast<char>(0xA0 + cell)};
            if (Iconv("EUC-JP", "UCS-4LE", pair)) {
                text += pair;
                ++characters;
            }
        }
        text += "\r\n";
    }
    return text;
}

std::string EucToJis(const std::string& euc) {
    std::string jis;
    bool kanji = false;
    for (std::size_t i = 0; i < euc.size(); ++i) {
        const auto b = static_cast<unsigned char>(euc[i]);
        if (b >= 0x80 && !kanji) {
            jis += "\x1B$B";
            kanji = true;
        } else if (b < 0x80 && kanji) {
            jis += "\x1B(B";
            kanji = false;
        }
        jis += static_cast<char>(b & 0x7F);
    }
    if (kanji)
        jis += "\x1B(B";
    return jis;
}

std::string Convert(const std::string& input, bool jis) {
    std::vector<Byte> out(2 * input.size() + 1);
    const auto* src = reinterpret_cast<const Byte*>(input.data());
    std::size_t n = jis ? ConvertJisToSjis(src, out.data(), input.size(), LineEndKind::CrLf)
                        : ConvertEucToSjis(src, out.data(), input.size(), LineEndKind::CrLf);
    return std::string(reinterpret_cast<const char*>(out.data()), n);
}

TEST(IconvAgreement, EucJpAndJisOfEveryJisX0208Character) {
    std::size_t characters = 0;
    const std::string euc = EucJisX0208Text(characters);
    ASSERT_GT(characters, 6800u) << "iconv's EUC-JP table looks incomplete";

    std::optional<std::string> fromEuc = Iconv("EUC-JP", "SHIFT_JIS", euc);
    ASSERT_TRUE(fromEuc);
    EXPECT_EQ(Convert(euc, false), *fromEuc);

    const std::string jis = EucToJis(euc);
    std::optional<std::string> fromJis = Iconv("ISO-2022-JP", "SHIFT_JIS", jis);
    ASSERT_TRUE(fromJis);
    EXPECT_EQ(Convert(jis, true), *fromJis);
}

} // namespace
} // namespace nelvix
