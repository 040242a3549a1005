// Fuzzes the data file: any bytes are checked without reading past them, the check and the
// reader agree, and an accepted file built again reads back to the same contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "store/data_file.h"

namespace {

// A broken promise: stop here so that the fuzzer keeps the input.
void Check(bool holds) {
    if (!holds)
        std::abort();
}

/// What the writer may add to an accepted file: the NUL of a last string that ended at the
/// file's end, and the default sections that the file did not reach.
std::size_t GrowthAllowance() {
    static const std::size_t defaults = nelvix::BuildDataFile({})->size();
    return defaults + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact copy, so that the sanitizer sees any read past the end.
    const std::vector<nelvix::Byte> bytes(data, data + size);
    nelvix::DataFileContents contents;
    const bool accepted = nelvix::ParseDataFile(bytes, contents);
    Check(accepted == nelvix::ValidateDataFile(bytes));
    if (!accepted) {
        Check(contents == nelvix::DataFileContents{});
        return 0;
    }
    const std::optional<std::vector<nelvix::Byte>> image = nelvix::BuildDataFile(contents);
    if (!image) {
        Check(size + GrowthAllowance() >= nelvix::kDataFileBufferBytes);
        return 0;
    }
    nelvix::DataFileContents again;
    Check(nelvix::ParseDataFile(*image, again) && again == contents);
    return 0;
}
