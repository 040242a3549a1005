// Fuzzes the data file: any bytes are checked without reading past them, the check and the
// reader agree, and an accepted file built again reads back to the same contents.
#include <span>

#include "fuzz_check.h"
#include "store/data_file.h"

using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const nelvix::Byte> bytes(data, size);
    nelvix::DataFileContents contents;
    const bool accepted = nelvix::ParseDataFile(bytes, contents);
    Check(accepted == nelvix::ValidateDataFile(bytes));
    if (!accepted) {
        Check(contents == nelvix::DataFileContents{});
        return 0;
    }
    // The writer may add the NUL of a last string that ended at the file's end and the default
    // sections the file did not reach, and then refuse what would fill the buffer.
    const auto image = nelvix::BuildDataFile(contents);
    if (!image) {
        Check(size + nelvix::BuildDataFile({})->size() + 1 >= nelvix::kDataFileBufferBytes);
        return 0;
    }
    nelvix::DataFileContents again;
    Check(nelvix::ParseDataFile(*image, again) && again == contents);
    return 0;
}
