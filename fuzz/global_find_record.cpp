// Fuzzes the operation record of a global find: whatever a replayed record holds is read
// within its bounds, and what reads back is written again to the same parameters.
#include <span>
#include <string>

#include "fuzz_check.h"
#include "store/global_find_record.h"

using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parameters =
        nelvix::ParseGlobalFindRecord(std::span<const nelvix::Byte>(data, size));
    if (!parameters)
        return 0;
    const std::string& pattern = parameters->pattern;
    const std::string& specification = parameters->specification;
    Check(pattern.size() <= nelvix::kMaxPatternBytes &&
          specification.size() <= nelvix::kMaxPathBytes);
    Check((pattern + specification).find('\0') == std::string::npos);
    // Both strings and their NULs, after the two leading flags.
    Check(size >= 8 + pattern.size() + specification.size() + 2);
    Check(nelvix::ParseGlobalFindRecord(nelvix::SerializeGlobalFindRecord(*parameters)) ==
          parameters);
    return 0;
}
