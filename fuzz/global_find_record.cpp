// Fuzzes the operation record of a global find: whatever a replayed record holds is read
// within its bounds, and what reads back is written again to the same parameters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "store/global_find_record.h"

namespace {

// A broken promise: stop here so that the fuzzer keeps the input.
void Check(bool holds) {
    if (!holds)
        std::abort();
}

bool HasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parameters =
        nelvix::ParseGlobalFindRecord(std::span<const nelvix::Byte>(data, size));
    if (!parameters)
        return 0;
    Check(parameters->pattern.size() <= nelvix::kMaxPatternBytes);
    Check(parameters->specification.size() <= nelvix::kMaxPathBytes);
    Check(!HasNul(parameters->pattern) && !HasNul(parameters->specification));
    // Both strings and their NULs, after the two leading flags.
    Check(size >= 8 + parameters->pattern.size() + parameters->specification.size() + 2);

    const auto record = nelvix::SerializeGlobalFindRecord(*parameters);
    const auto back = nelvix::ParseGlobalFindRecord(record);
    Check(back && *back == *parameters);
    return 0;
}
