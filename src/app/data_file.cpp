// The data file: its layout, validation, reading and writing.
#include "app/data_file.h"

namespace nelvix {

namespace {
inline constexpr char kDataFileName[] = "nelvix.DAT";
}

std::string DataFilePath(const std::string& nativeHome) {
    if (nativeHome.empty())
        return {};
    std::string path = nativeHome;
    if (path.back() != '/')
        path += '/';
    return path + kDataFileName;
}

// Placeholders while the reader and writer are being written.
bool ValidateDataFile(std::span<const Byte>) {
    return false;
}
bool ParseDataFile(std::span<const Byte>, DataFileContents&) {
    return false;
}
std::optional<std::vector<Byte>> BuildDataFile(const DataFileContents&) {
    return std::nullopt;
}
bool ReadDataFile(ui::Platform&, const std::string&, DataFileContents&) {
    return false;
}
bool WriteDataFile(ui::Platform&, const std::string&, const DataFileContents&) {
    return false;
}

} // namespace nelvix
