// Code page 932 <-> UTF-8 through glibc iconv, and the code page 932 tables built from it.
#include "base/cp932.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>

#include "base/cp932_table.h"
#include "base/sjis.h"

namespace nelvix {
namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD"; // U+FFFD

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

/// One iconv conversion descriptor, owned.
class IconvHandle {
public:
    IconvHandle(const char* toCode, const char* fromCode) : m_cd(::iconv_open(toCode, fromCode)) {}
    ~IconvHandle() {
        if (m_cd != kNoIconv)
            ::iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool IsOpen() const { return m_cd != kNoIconv; }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Each thread keeps its own descriptors: iconv_t carries state and is not to be shared, and
// opening one per call would cost more than most of the conversions it serves.
IconvHandle& Cp932ToUtf8Handle() {
    thread_local IconvHandle handle("UTF-8", "CP932");
    return handle;
}

IconvHandle& Utf8ToCp932Handle() {
    thread_local IconvHandle handle("CP932", "UTF-8");
    return handle;
}

/// How many input bytes to step over at a sequence iconv refused (at least one).
using SkipFunction = std::size_t (*)(const Byte* rest, std::size_t restLength);

// The core's own character model: a lead byte takes the next byte with it, whatever it is.
std::size_t SkipCp932(const Byte* rest, std::size_t restLength) {
    return NextCharOffset(rest, restLength, 0);
}

// A well-formed character that code page 932 lacks is skipped whole; an ill-formed sequence as
// its maximal invalid part, so that no byte that could start a good character is lost.
std::size_t SkipUtf8(const Byte* rest, std::size_t restLength) {
    return DecodeUtf8(rest, rest + restLength).length;
}

/// Runs `cd` over the whole input. Wherever it refuses a sequence (undefined, ill-formed, or cut
/// by the end), writes `replacement`, steps over `skip` bytes and carries on.
std::string ConvertAll(const IconvHandle& handle, std::string_view input,
                       std::string_view replacement, std::size_t outputPerInputByte,
                       SkipFunction skip, bool* replaced) {
    std::string output;
    bool anyReplaced = false;
    if (!handle.IsOpen()) {
        // No iconv module for code page 932 (a broken installation): keep ASCII, replace the rest.
        for (const char c : input) {
            if (static_cast<Byte>(c) < 0x80) {
                output += c;
            } else {
                output += replacement;
                anyReplaced = true;
            }
        }
        if (replaced != nullptr)
            *replaced = anyReplaced;
        return output;
    }

    output.resize(input.size() * outputPerInputByte + replacement.size() + 16);
    const iconv_t cd = handle.Get();
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // iconv's interface is not const-correct; it never writes through the input pointer.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t written = 0;
    while (inLeft > 0) {
        char* out = output.data() + written;
        std::size_t outLeft = output.size() - written;
        const std::size_t result = ::iconv(cd, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        written = output.size() - outLeft;
        if (result != static_cast<std::size_t>(-1))
            break;
        if (error == E2BIG || outLeft < replacement.size()) {
            output.resize(output.size() * 2 + replacement.size());
            continue;
        }
        // EILSEQ (undefined or ill-formed) or EINVAL (cut by the end of the input).
        std::memcpy(output.data() + written, replacement.data(), replacement.size());
        written += replacement.size();
        anyReplaced = true;
        const std::size_t step = skip(reinterpret_cast<const Byte*>(in), inLeft);
        in += step;
        inLeft -= step;
    }
    output.resize(written);
    if (replaced != nullptr)
        *replaced = anyReplaced;
    return output;
}

/// Converts one code through `cd`; false when iconv refuses it or gives more than `maxOutput`.
bool ConvertOne(iconv_t cd, const void* input, std::size_t inputLength, Byte* output,
                std::size_t maxOutput, std::size_t& outputLength) {
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = static_cast<char*>(const_cast<void*>(input));
    std::size_t inLeft = inputLength;
    char* out = reinterpret_cast<char*>(output);
    std::size_t outLeft = maxOutput;
    if (::iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
        return false;
    outputLength = maxOutput - outLeft;
    return outputLength > 0;
}

std::unique_ptr<std::uint16_t[]> BuildUnicodeToCp932() {
    auto table = std::make_unique<std::uint16_t[]>(0x10000);
    std::fill_n(table.get(), 0x10000, kNoCp932);
    IconvHandle handle("CP932", "UTF-32LE");
    if (!handle.IsOpen())
        return table;
    for (char32_t codePoint = 0; codePoint < 0x10000; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        const std::array<Byte, 4> input{static_cast<Byte>(codePoint & 0xFF),
                                        static_cast<Byte>((codePoint >> 8) & 0xFF), 0, 0};
        std::array<Byte, 8> output{};
        std::size_t outputLength = 0;
        if (!ConvertOne(handle.Get(), input.data(), input.size(), output.data(), output.size(),
                        outputLength))
            continue;
        if (outputLength == 1)
            table[codePoint] = output[0];
        else if (outputLength == 2 && IsLeadByte(output[0]))
            table[codePoint] = static_cast<std::uint16_t>(output[0] << 8 | output[1]);
    }
    return table;
}

std::unique_ptr<char32_t[]> BuildCp932ToUnicode() {
    auto table = std::make_unique<char32_t[]>(0x10000);
    std::fill_n(table.get(), 0x10000, kNoUnicode);
    IconvHandle handle("UTF-32LE", "CP932");
    if (!handle.IsOpen())
        return table;
    auto convert = [&](std::uint16_t code, const Byte* input, std::size_t inputLength) {
        std::array<Byte, 8> output{};
        std::size_t outputLength = 0;
        if (ConvertOne(handle.Get(), input, inputLength, output.data(), output.size(),
                       outputLength) &&
            outputLength == 4)
            table[code] = static_cast<char32_t>(output[0]) | static_cast<char32_t>(output[1]) << 8 |
                          static_cast<char32_t>(output[2]) << 16 |
                          static_cast<char32_t>(output[3]) << 24;
    };
    for (unsigned single = 0; single < 0x100; ++single) {
        const Byte input = static_cast<Byte>(single);
        if (!IsLeadByte(input))
            convert(static_cast<std::uint16_t>(single), &input, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<Byte>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::array<Byte, 2> input{static_cast<Byte>(lead), static_cast<Byte>(trail)};
            if (IsTrailByte(input[1]))
                convert(static_cast<std::uint16_t>(lead << 8 | trail), input.data(), 2);
        }
    }
    return table;
}

} // namespace

std::string Cp932ToUtf8(std::string_view sjis) {
    if (IsAsciiText(sjis))
        return std::string(sjis);
    // One code page 932 byte never needs more than three UTF-8 bytes (U+FFFD, half-width kana).
    return ConvertAll(Cp932ToUtf8Handle(), sjis, kUtf8Replacement, 3, SkipCp932, nullptr);
}

std::string Utf8ToCp932(std::string_view utf8, std::string_view replacement, bool* lossy) {
    if (IsAsciiText(utf8)) {
        if (lossy != nullptr)
            *lossy = false;
        return std::string(utf8);
    }
    // glibc's iconv drops the language tags U+E0000..U+E007F without a word where the target
    // lacks them; like every other character code page 932 lacks, they are replaced here, as
    // the text converter does. Their lead byte 0xF3 never continues another sequence.
    std::string output;
    bool anyLossy = false;
    std::size_t from = 0;
    for (std::size_t tag = utf8.find("\xF3\xA0"); from < utf8.size();
         tag = utf8.find("\xF3\xA0", tag + 1)) {
        const bool isTag = tag != std::string_view::npos && tag + 4 <= utf8.size() &&
                           (utf8[tag + 2] == '\x80' || utf8[tag + 2] == '\x81') &&
                           (static_cast<Byte>(utf8[tag + 3]) & 0xC0) == 0x80;
        if (tag != std::string_view::npos && !isTag)
            continue;
        const std::size_t end = tag == std::string_view::npos ? utf8.size() : tag;
        bool replaced = false;
        // No code page 932 form is longer than its UTF-8 form; a long replacement grows it.
        output += ConvertAll(Utf8ToCp932Handle(), utf8.substr(from, end - from), replacement, 1,
                             SkipUtf8, &replaced);
        anyLossy = anyLossy || replaced;
        if (tag == std::string_view::npos)
            break;
        output += replacement;
        anyLossy = true;
        from = tag + 4;
    }
    if (lossy != nullptr)
        *lossy = anyLossy;
    return output;
}

const std::uint16_t* UnicodeToCp932Table() {
    static const std::unique_ptr<std::uint16_t[]> table = BuildUnicodeToCp932();
    return table.get();
}

char32_t Cp932CodeToUnicode(std::uint16_t code) {
    static const std::unique_ptr<char32_t[]> table = BuildCp932ToUnicode();
    return table[code];
}

} // namespace nelvix
