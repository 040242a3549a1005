// Fuzzes the cabinet image check: any bytes are checked without reading past them (libFuzzer
// hands them over in an exactly sized buffer), and an accepted image built again reads back to
// the same contents.
#include <optional>

#include "fuzz_check.h"
#include "store/cabinet_image.h"

using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<nelvix::CabinetContents> contents = nelvix::ParseCabinetImage(data, size);
    if (!contents)
        return 0;
    Check(nelvix::IsValidDisplayBlock(contents->block));
    const auto image =
        nelvix::BuildCabinetImage(contents->block, contents->keywords, contents->documents);
    Check(image.size() <= size &&
          nelvix::ParseCabinetImage(image.data(), image.size()) == contents);
    return 0;
}
