// The settings store on disk: the system copy, damaged files and writes that keep other lines.
#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/program_home.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

class SettingsStoreTest : public testing::Test {
protected:
    ui::FakePlatform fake;
    test::TempDir dir;
    std::string home = dir.PathOf("home/nelvix");
    std::string system = dir.PathOf("etc");
    std::string storePath = home + "/nelvix.ini";

    SettingsStore Locate() { return SettingsStore::Locate(fake.platform, home, system); }
};

TEST_F(SettingsStoreTest, AMissingStoreIsCopiedFromTheSystemDirectory) {
    ASSERT_TRUE(EnsureProgramHome(system));
    dir.Write("etc/nelvix.ini", "[Settings]\r\nScrollLineCount=7\r\n");
    const SettingsStore store = Locate();
    EXPECT_EQ(store.Path(), storePath);
    EXPECT_EQ(test::ReadFileBytes(storePath), "[Settings]\r\nScrollLineCount=7\r\n");
    Settings settings;
    store.Load(settings);
    EXPECT_EQ(settings.scrollLineCount, 7);

    // An existing store is never replaced by the system copy.
    dir.Write("etc/nelvix.ini", "[Settings]\nScrollLineCount=2\n");
    Locate().Load(settings);
    EXPECT_EQ(settings.scrollLineCount, 7);
}

TEST_F(SettingsStoreTest, NoStoreAnywhereGivesDefaultsAndTheFirstSaveCreatesIt) {
    const SettingsStore store = Locate();
    Settings settings;
    settings.scrollLineCount = 9;
    store.Load(settings);
    EXPECT_EQ(settings, Settings{});
    settings.scrollLineCount = 5;
    ASSERT_TRUE(store.Save(settings));
    Settings loaded;
    store.Load(loaded);
    EXPECT_EQ(loaded, settings);
    EXPECT_TRUE(fake.messageBox.ShownIds().empty());
}

TEST_F(SettingsStoreTest, ADamagedStoreGivesDefaultsAndTheNextSaveMakesItReadable) {
    std::mt19937 random(7);
    std::string garbage(4096, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random() & 0xFF);
    ASSERT_TRUE(EnsureProgramHome(home));
    dir.Write("home/nelvix/nelvix.ini", garbage);

    const SettingsStore store = Locate();
    Settings settings;
    store.Load(settings);
    EXPECT_EQ(settings, Settings{});
    EXPECT_FALSE(store.LoadWindowPlacement());

    settings.codeDecision = 2;
    const WindowPlacement placement{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_TRUE(store.Save(settings));
    ASSERT_TRUE(store.SaveWindowPlacement(placement));
    ASSERT_TRUE(store.SaveRecentFiles({"/a.txt"}));
    Settings loaded;
    store.Load(loaded);
    EXPECT_EQ(loaded, settings);
    EXPECT_EQ(store.LoadWindowPlacement(), placement);
    EXPECT_EQ(store.LoadRecentFiles(), std::vector<std::string>{"/a.txt"});
}

TEST_F(SettingsStoreTest, EachSaveKeepsWhatWasWrittenMeanwhile) {
    const SettingsStore store = Locate();
    ASSERT_TRUE(store.SaveRecentFiles({"/one.txt"}));
    dir.Write("home/nelvix/nelvix.ini",
              test::ReadFileBytes(storePath) + "; added by hand\n[Mine]\nx=1\n");
    ASSERT_TRUE(store.Save(Settings{}));
    const std::string text = test::ReadFileBytes(storePath);
    EXPECT_NE(text.find("; added by hand\n[Mine]\nx=1\n"), std::string::npos) << text;
    EXPECT_EQ(store.LoadRecentFiles(), std::vector<std::string>{"/one.txt"});
}

TEST_F(SettingsStoreTest, WithoutAUsableHomeNothingIsWritten) {
    const SettingsStore noHome = SettingsStore::Locate(fake.platform, "", system);
    EXPECT_TRUE(noHome.Path().empty());
    EXPECT_FALSE(noHome.Save(Settings{}));

    dir.Write("file", "x");
    const SettingsStore blocked = SettingsStore::Locate(fake.platform, dir.PathOf("file/sub"), "");
    EXPECT_FALSE(blocked.Save(Settings{}));
    EXPECT_EQ(test::ReadFileBytes(dir.PathOf("file")), "x");
}

} // namespace
} // namespace nelvix
