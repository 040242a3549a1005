// Fuzzes the cabinet image check: any bytes are checked without reading past them, and an
// accepted image built again reads back to the same contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "store/cabinet_image.h"

namespace {

// A broken promise: stop here so that the fuzzer keeps the input.
void Check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact copy, so that the sanitizer sees any read past the end.
    std::unique_ptr<nelvix::Byte[]> bytes(new nelvix::Byte[size == 0 ? 1 : size]);
    if (size != 0)
        std::memcpy(bytes.get(), data, size);
    const std::optional<nelvix::CabinetContents> contents =
        nelvix::ParseCabinetImage(bytes.get(), size);
    if (!contents)
        return 0;
    Check(nelvix::IsValidDisplayBlock(contents->block));
    const std::vector<nelvix::Byte> image =
        nelvix::BuildCabinetImage(contents->block, contents->keywords, contents->documents);
    Check(image.size() <= size);
    const std::optional<nelvix::CabinetContents> again =
        nelvix::ParseCabinetImage(image.data(), image.size());
    Check(again.has_value() && *again == *contents);
    return 0;
}
