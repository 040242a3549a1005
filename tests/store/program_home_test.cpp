// Where the program home is, and creating it.
#include "store/program_home.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/test_files.h"

namespace nelvix {
namespace {

/// Sets or clears an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

struct HomeCase {
    const char* name;
    const char* nelvixHome;
    const char* xdgConfigHome;
    const char* home;
    std::string expected;
};

class ProgramHomeTable : public testing::TestWithParam<HomeCase> {};

TEST_P(ProgramHomeTable, FollowsTheEnvironment) {
    const HomeCase& c = GetParam();
    ScopedEnv nelvix("NELVIX_HOME", c.nelvixHome);
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdgConfigHome);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(ProgramHome(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, ProgramHomeTable,
    testing::Values(HomeCase{"NelvixHomeWins", "/n", "/x", "/h", "/n"},
                    HomeCase{"XdgConfigHome", nullptr, "/x", "/h", "/x/nelvix"},
                    HomeCase{"EmptyXdgFallsBackToHome", nullptr, "", "/h", "/h/.config/nelvix"},
                    HomeCase{"HomeOnly", nullptr, nullptr, "/h", "/h/.config/nelvix"},
                    HomeCase{"NothingKnown", nullptr, nullptr, nullptr, ""}),
    [](const testing::TestParamInfo<HomeCase>& row) { return std::string(row.param.name); });

TEST(EnsureProgramHome, CreatesMissingParentsAndAcceptsAnExistingFolder) {
    test::TempDir dir;
    const std::string home = dir.PathOf("a/b/nelvix");
    ASSERT_TRUE(EnsureProgramHome(home));
    struct stat info {};
    ASSERT_EQ(::stat(home.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_TRUE(EnsureProgramHome(home));
    EXPECT_FALSE(EnsureProgramHome(""));
    dir.Write("file", "x");
    EXPECT_FALSE(EnsureProgramHome(dir.PathOf("file/sub")));
}

} // namespace
} // namespace nelvix
