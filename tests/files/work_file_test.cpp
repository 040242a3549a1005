// The work file's name.
#include "files/work_file.h"

#include <gtest/gtest.h>

namespace nelvix {
namespace {

TEST(WorkFilePath, CarriesTheProcessIdAndFitsThePathBuffer) {
    EXPECT_EQ(WorkFilePath("/home/u/.config/nelvix", 42), "/home/u/.config/nelvix/nelvix.42.wrk");
    EXPECT_EQ(WorkFilePath("/tmp/h/", 7), "/tmp/h/nelvix.7.wrk");
    EXPECT_EQ(WorkFilePath("", 1), "");

    // "/" + base + "/nelvix.1.wrk" = 260 bytes with the NUL still fits; one more does not.
    const std::string suffix = "/nelvix.1.wrk";
    std::string fits = "/" + std::string(kPathBufferBytes - 2 - suffix.size(), 'd');
    EXPECT_EQ(WorkFilePath(fits, 1).size(), kPathBufferBytes - 1);
    EXPECT_EQ(WorkFilePath(fits + "d", 1), "");
}

TEST(WorkFileProcessId, OnlyTheNamesWorkFilePathGives) {
    struct Case {
        const char* fileName;
        std::optional<long> processId;
    };
    const Case cases[] = {
        {"nelvix.42.wrk", 42},
        {"nelvix.4194304.wrk", 4194304},
        {"nelvix.wrk", std::nullopt},
        {"nelvix..wrk", std::nullopt},
        {"nelvix.12a.wrk", std::nullopt},
        {"nelvix.-12.wrk", std::nullopt},
        {"nelvix.+12.wrk", std::nullopt},
        {"nelvix.012.wrk", std::nullopt},
        {"nelvix.0.wrk", std::nullopt},
        {"nelvix.99999999999999999999.wrk", std::nullopt},
        {"nelvix.12.wrk.bak", std::nullopt},
        {"xnelvix.12.wrk", std::nullopt},
        {"Nelvix.12.WRK", std::nullopt},
        {"nelvix. 12.wrk", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WorkFileProcessId(c.fileName), c.processId) << c.fileName;
}

} // namespace
} // namespace nelvix
