// Fuzzes the file-name escape: native -> core -> native gives back every byte string, also
// through the form a line of text holds, and the code page 932 edge conversions take any bytes
// and give well-formed results.
#include <string>
#include <string_view>

#include "base/cp932.h"
#include "base/cp932_table.h"
#include "base/native_path.h"
#include "fuzz_check.h"

namespace {

using nelvix::fuzz::Check;

/// Whole characters only: no lead byte without its trail at the end.
bool EndsOnACharacter(std::string_view sjis) {
    const auto* text = reinterpret_cast<const nelvix::Byte*>(sjis.data());
    std::size_t offset = 0;
    while (offset < sjis.size()) {
        if (nelvix::IsLeadByte(text[offset]) && offset + 1 == sjis.size())
            return false;
        offset = nelvix::NextCharOffset(text, sjis.size(), offset);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string sjisPath = nelvix::NativePathToSjis(bytes);
    Check(EndsOnACharacter(sjisPath));
    Check(nelvix::SjisPathToNative(sjisPath) == bytes);
    std::string line;
    nelvix::AppendSjisPathForLine(line, sjisPath);
    Check(line.size() == nelvix::SjisPathForLineBytes(sjisPath));
    for (const char c : line)
        Check(static_cast<unsigned char>(c) >= 0x20);
    Check(nelvix::SjisPathToNative(line) == bytes);
    // Any core text has a native form too (typed paths need not come from the system).
    nelvix::SjisPathToNative(bytes);

    Check(nelvix::IsWellFormedUtf8(nelvix::Cp932ToUtf8(bytes)));
    bool lossy = false;
    const std::string sjis = nelvix::Utf8ToCp932(bytes, nelvix::kSjisMiddleDot, &lossy);
    Check(EndsOnACharacter(sjis));
    if (!nelvix::IsWellFormedUtf8(bytes))
        Check(lossy);
    return 0;
}
