// Fuzzes detection and the four converters into Shift-JIS with every line-end kind: each writes
// within its exactly sized buffer of 2 x n + 1 bytes (ASan watches the end) and returns at most
// 2 x n; the UTF-8 converter also keeps its line ends whole and agrees with the iconv-based
// edge conversion.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "text/convert.h"
#include "text/cp932.h"
#include "text/detect.h"

namespace {

using nelvix::Byte;
using nelvix::LineEndKind;

// A broken promise: stop here so that the fuzzer keeps the input.
void Check(bool holds) {
    if (!holds)
        std::abort();
}

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Byte* src = data;
    const std::size_t limit = 2 * size;

    const nelvix::Detection detection =
        nelvix::DetectTextCode(src, std::min(size, nelvix::kExaminedHeadBytes));
    Check(detection.code != nelvix::TextCode::Auto);

    // A fresh buffer for each run, so that no run hides behind bytes an earlier one wrote.
    auto run = [&](auto&& convert) {
        std::unique_ptr<Byte[]> dest(new Byte[limit + 1]);
        const std::size_t written = convert(dest.get());
        Check(written <= limit);
        return std::make_pair(std::move(dest), written);
    };

    run([&](Byte* dest) { return nelvix::NormalizeLineEnds(src, dest, size); });
    for (const LineEndKind lineEnd : kLineEnds) {
        run([&](Byte* dest) { return nelvix::ConvertJisToSjis(src, dest, size, lineEnd); });
        run([&](Byte* dest) { return nelvix::ConvertEucToSjis(src, dest, size, lineEnd); });
        bool lossy = false;
        auto [dest, written] = run(
            [&](Byte* out) { return nelvix::ConvertUtf8ToSjis(src, out, size, lineEnd, lossy); });
        if (lineEnd != LineEndKind::CrLf) {
            Check(LineEndsAreWhole(dest.get(), written));
            continue;
        }
        std::string_view utf8(reinterpret_cast<const char*>(data), size);
        if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
            utf8.remove_prefix(3);
        bool edgeLossy = false;
        const std::string expected = nelvix::Utf8ToCp932(utf8, nelvix::kSjisMiddleDot, &edgeLossy);
        Check(std::string_view(reinterpret_cast<const char*>(dest.get()), written) == expected);
        Check(lossy == edgeLossy);
    }
    return 0;
}
