// The work file's name.
#include "text/work_file.h"

#include <gtest/gtest.h>

namespace nelvix {
namespace {

TEST(WorkFilePath, CarriesTheProcessIdAndFitsThePathBuffer) {
    EXPECT_EQ(WorkFilePath("/home/u/.config/nelvix", 42), "/home/u/.config/nelvix/nelvix.42.wrk");
    EXPECT_EQ(WorkFilePath("/tmp/h/", 7), "/tmp/h/nelvix.7.wrk");
    EXPECT_NE(WorkFilePath("/h", 1), WorkFilePath("/h", 2));
    EXPECT_EQ(WorkFilePath("", 1), "");

    // "/" + base + "/nelvix.1.wrk" = 260 bytes with the NUL still fits; one more does not.
    const std::string suffix = "/nelvix.1.wrk";
    std::string fits = "/" + std::string(kWorkPathBufferBytes - 2 - suffix.size(), 'd');
    EXPECT_EQ(WorkFilePath(fits, 1).size(), kWorkPathBufferBytes - 1);
    EXPECT_EQ(WorkFilePath(fits + "d", 1), "");
}

} // namespace
} // namespace nelvix
