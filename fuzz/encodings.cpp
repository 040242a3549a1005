// Fuzzes detection (of a head and of a whole text) and the four converters into Shift-JIS with
// every line-end kind: each writes within its exactly sized buffer of 2 x n + 1 bytes (ASan
// watches the end) and returns at most 2 x n; converted in pieces each gives the bytes of the
// whole; the UTF-8 converter also keeps its line ends whole and agrees with the iconv-based edge
// conversion.
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "base/cp932.h"
#include "encoding/convert.h"
#include "encoding/detect.h"
#include "encoding/text_detection.h"
#include "fuzz_check.h"

namespace {

using nelvix::fuzz::Check;

using nelvix::Byte;
using nelvix::LineEndKind;

constexpr LineEndKind kLineEnds[] = {LineEndKind::CrLf, LineEndKind::Cr, LineEndKind::Lf};

/// Every CR is followed by LF and every LF follows a CR. Code page 932 trail bytes are never
/// CR or LF, so this holds byte for byte.
bool LineEndsAreWhole(const Byte* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == nelvix::kCr && (i + 1 == length || text[i + 1] != nelvix::kLf))
            return false;
        if (text[i] == nelvix::kLf && (i == 0 || text[i - 1] != nelvix::kCr))
            return false;
    }
    return true;
}

constexpr nelvix::TextCode kCodes[] = {nelvix::TextCode::ShiftJis, nelvix::TextCode::Jis,
                                       nelvix::TextCode::Euc, nelvix::TextCode::Utf8};

std::string Converted(const Byte* dest, std::size_t written) {
    return std::string(reinterpret_cast<const char*>(dest), written);
}

/// The text converted in pieces of `step` bytes (the bytes kept back handed in again).
std::string ConvertInPieces(nelvix::TextCode code, LineEndKind lineEnd, const Byte* src,
                            std::size_t size, std::size_t step) {
    nelvix::ConvertState state;
    std::string input;
    std::string output;
    for (std::size_t at = 0;;) {
        const std::size_t take = std::min(step, size - at);
        input.append(reinterpret_cast<const char*>(src + at), take);
        at += take;
        const bool last = at == size;
        std::unique_ptr<Byte[]> dest(new Byte[2 * input.size() + 1]);
        const nelvix::ConvertedPiece piece =
            nelvix::ConvertPiece(code, lineEnd, reinterpret_cast<const Byte*>(input.data()),
                                 input.size(), last, state, dest.get());
        Check(piece.consumed <= input.size() && piece.written <= 2 * input.size());
        output += Converted(dest.get(), piece.written);
        input.erase(0, piece.consumed);
        if (last)
            return output;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Byte* src = data;
    const std::size_t limit = 2 * size;

    const nelvix::Detection head =
        nelvix::DetectTextCode(src, std::min(size, nelvix::kExaminedHeadBytes));
    const nelvix::Detection whole = nelvix::DetectBuffer(src, size);
    Check(head.code != nelvix::TextCode::Auto && whole.code != nelvix::TextCode::Auto &&
          whole.lineEnd == head.lineEnd);

    // A fresh buffer for each run, so that no run hides behind bytes an earlier one wrote.
    auto run = [&](auto&& convert) {
        std::unique_ptr<Byte[]> dest(new Byte[limit + 1]);
        const std::size_t written = convert(dest.get());
        Check(written <= limit);
        return std::make_pair(std::move(dest), written);
    };

    run([&](Byte* dest) { return nelvix::NormalizeLineEnds(src, dest, size); });
    // Piecewise conversion in small steps agrees with the whole text converted at once.
    const std::size_t step = 1 + (size > 0 ? src[0] % 7 : 0);
    for (const LineEndKind lineEnd : kLineEnds) {
        for (const nelvix::TextCode code : kCodes) {
            nelvix::ConvertState state;
            const auto [dest, written] = run([&](Byte* out) {
                return nelvix::ConvertPiece(code, lineEnd, src, size, true, state, out).written;
            });
            Check(ConvertInPieces(code, lineEnd, src, size, step) ==
                  Converted(dest.get(), written));
        }
        run([&](Byte* dest) { return nelvix::ConvertJisToSjis(src, dest, size, lineEnd); });
        run([&](Byte* dest) { return nelvix::ConvertEucToSjis(src, dest, size, lineEnd); });
        bool lossy = false;
        auto [dest, written] = run(
            [&](Byte* out) { return nelvix::ConvertUtf8ToSjis(src, out, size, lineEnd, lossy); });
        if (lineEnd != LineEndKind::CrLf) {
            Check(LineEndsAreWhole(dest.get(), written));
            continue;
        }
        std::string_view utf8 = nelvix::fuzz::Chars(data, size);
        if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
            utf8.remove_prefix(3);
        bool edgeLossy = false;
        const std::string expected = nelvix::Utf8ToCp932(utf8, nelvix::kSjisMiddleDot, &edgeLossy);
        Check(Converted(dest.get(), written) == expected && lossy == edgeLossy);
    }
    return 0;
}
