// Fuzzes file-name wildcard matching: any pattern against any name ends without a fault, "*"
// and "*.*" take every name, and a name without wildcards matches itself in any ASCII case.
#include <string>
#include <string_view>

#include "base/sjis.h"
#include "fileset/file_set.h"
#include "fuzz_check.h"

namespace {

using nelvix::fuzz::Check;

/// `name` with its single-byte letters in upper case; double-byte characters stay as they are.
std::string UpperCased(std::string_view name) {
    std::string upper(name);
    auto* bytes = reinterpret_cast<nelvix::Byte*>(upper.data());
    for (std::size_t i = 0; i < upper.size(); i = nelvix::NextCharOffset(bytes, upper.size(), i)) {
        if (!nelvix::IsLeadByte(bytes[i]))
            bytes[i] = nelvix::AsciiToUpper(bytes[i]);
    }
    return upper;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte says where the pattern ends and the name begins.
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = data[0] % (rest.size() + 1);
    const std::string_view pattern = rest.substr(0, split);
    const std::string_view name = rest.substr(split);

    nelvix::WildcardMatch(pattern, name);
    Check(nelvix::WildcardMatch("*", name));
    Check(nelvix::WildcardMatch("*.*", name));
    if (name.find_first_of("*?") == std::string_view::npos) {
        Check(nelvix::WildcardMatch(name, name));
        Check(nelvix::WildcardMatch(UpperCased(name), name));
    }
    return 0;
}
