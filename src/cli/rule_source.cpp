// Reading the rules of nelvix-cli extract from the file the command line names.
#include "cli/rule_source.h"

#include <cerrno>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "cli/io/input_file.h"
#include "store/data_file.h"
#include "store/program_home.h"

namespace nelvix::cli {
namespace {

// Up to `limit` bytes of the file; nothing (after the reason on `err`) when it cannot be read.
std::optional<std::vector<Byte>> ReadHead(const std::string& nativePath, std::size_t limit,
                                          std::ostream& err) {
    InputFile file(nativePath);
    std::vector<Byte> bytes(limit);
    std::optional<std::size_t> count = file.ReadHead(bytes.data(), bytes.size());
    if (!count) {
        err << "nelvix-cli: " << nativePath << ": " << file.Reason() << '\n';
        return std::nullopt;
    }
    bytes.resize(*count);
    return bytes;
}

std::optional<ExtractionRules> FromRecordFile(const std::string& nativePath, std::ostream& err) {
    // One byte more than the limit tells a file that is too long from one that just fits.
    std::optional<std::vector<Byte>> bytes = ReadHead(nativePath, kRuleRecordFileMaxBytes + 1, err);
    if (!bytes)
        return std::nullopt;
    std::size_t recordBytes = ValidateRuleSetRecord(*bytes);
    // Bytes after the record mean the file is something else that happens to start like one.
    if (recordBytes == 0 || recordBytes != bytes->size()) {
        err << "nelvix-cli: " << nativePath << ": not a valid rule-set record\n";
        return std::nullopt;
    }
    ExtractionRules rules = DefaultExtractionRules();
    DeserializeRuleSet(*bytes, rules);
    return rules;
}

std::optional<ExtractionRules> FromDataFile(const std::string& nativePath, std::ostream& err) {
    // As the program reads it: a buffer of kDataFileBufferBytes, which a valid file never fills.
    std::optional<std::vector<Byte>> bytes = ReadHead(nativePath, kDataFileBufferBytes, err);
    if (!bytes)
        return std::nullopt;
    DataFileContents contents;
    if (!ParseDataFile(*bytes, contents)) {
        err << "nelvix-cli: " << nativePath << ": not a valid data file\n";
        return std::nullopt;
    }
    return contents.rules;
}

bool IsMissing(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) != 0 && errno == ENOENT;
}

} // namespace

std::optional<ExtractionRules> LoadExtractionRules(const ExtractArgs& extract, std::ostream& err) {
    if (extract.rulesFile)
        return FromRecordFile(*extract.rulesFile, err);
    if (extract.dataFile)
        return FromDataFile(*extract.dataFile, err);
    std::string homeFile = DataFilePath(ProgramHome());
    if (homeFile.empty() || IsMissing(homeFile))
        return DefaultExtractionRules();
    return FromDataFile(homeFile, err);
}

} // namespace nelvix::cli
