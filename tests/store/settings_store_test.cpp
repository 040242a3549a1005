// The settings store on disk: the system copy, damaged files and writes that keep other lines.
#include "store/settings_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "files/whole_file.h"
#include "store/program_home.h"
#include "support/injected_file_faults.h"
#include "support/non_regular_files.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

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
    SettingsStore store = Locate();
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

    SettingsStore store = Locate();
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
    SettingsStore store = Locate();
    ASSERT_TRUE(store.SaveRecentFiles({"/one.txt"}));
    dir.Write("home/nelvix/nelvix.ini",
              test::ReadFileBytes(storePath) + "; added by hand\n[Mine]\nx=1\n");
    ASSERT_TRUE(store.Save(Settings{}));
    const std::string text = test::ReadFileBytes(storePath);
    EXPECT_NE(text.find("; added by hand\n[Mine]\nx=1\n"), std::string::npos) << text;
    EXPECT_EQ(store.LoadRecentFiles(), std::vector<std::string>{"/one.txt"});
}

TEST_F(SettingsStoreTest, WithoutAUsableHomeNothingIsWritten) {
    SettingsStore noHome = SettingsStore::Locate(fake.platform, "", system);
    EXPECT_TRUE(noHome.Path().empty());
    EXPECT_FALSE(noHome.Save(Settings{}));

    dir.Write("file", "x");
    SettingsStore blocked = SettingsStore::Locate(fake.platform, dir.PathOf("file/sub"), "");
    EXPECT_FALSE(blocked.Save(Settings{}));
    EXPECT_EQ(test::ReadFileBytes(dir.PathOf("file")), "x");
}

/// Every write the program makes at exit, as the exit makes them.
void SaveAllAtExit(SettingsStore& store) {
    store.SaveWindowPlacement({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    store.Save(Settings{});
    store.SaveRecentFiles({"/a.txt"});
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeReadWholeIsKeptAsItIsAndSaidOnce) {
    enum class Make { TooLong, OpenError, ReadError, Fifo, LinkToFifo };
    struct Row {
        const char* situation;
        Make make;
    };
    const std::vector<Row> rows = {
        {"longer than the reader takes, with a section of the user's own", Make::TooLong},
        {"an error on opening it", Make::OpenError},
        {"an error on reading it", Make::ReadError},
        {"a FIFO at its name", Make::Fifo},
        {"a link to a FIFO at its name", Make::LinkToFifo},
    };
    for (const Row& row : rows) {
        std::filesystem::remove_all(dir.PathOf("home"));
        std::filesystem::remove_all(dir.PathOf("fifo"));
        ASSERT_TRUE(EnsureProgramHome(home));
        test::InjectedFileFaults faults;
        switch (row.make) {
        case Make::TooLong:
        case Make::OpenError:
        case Make::ReadError:
            dir.Write("home/nelvix/nelvix.ini", "[Settings]\nScrollLineCount=7\n[Mine]\nx=1\n");
            if (row.make == Make::TooLong)
                std::filesystem::resize_file(storePath, kWholeFileLimitBytes + 1);
            if (row.make == Make::OpenError)
                faults.Fail(FileStep::Open, "nelvix.ini", EIO);
            if (row.make == Make::ReadError)
                faults.Fail(FileStep::Read, "nelvix.ini", EIO);
            break;
        case Make::Fifo:
            ASSERT_TRUE(test::MakeNonRegularFile(test::NonRegularKind::Fifo, storePath));
            break;
        case Make::LinkToFifo:
            ASSERT_TRUE(test::MakeNonRegularFile(test::NonRegularKind::Fifo, dir.PathOf("fifo")));
            ASSERT_EQ(::symlink(dir.PathOf("fifo").c_str(), storePath.c_str()), 0);
            break;
        }
        // A FIFO is never read here: that would block.
        const bool regular = row.make != Make::Fifo && row.make != Make::LinkToFifo;
        const std::string bytesBefore = regular ? test::ReadFileBytes(storePath) : "";
        const auto before = test::IdentityOf(storePath);
        fake.messageBox.shown.clear();

        SettingsStore store = Locate();
        SaveAllAtExit(store);
        EXPECT_FALSE(store.Save(Settings{})) << row.situation;

        EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgSettingsNotSaved})
            << row.situation;
        EXPECT_EQ(test::IdentityOf(storePath), before) << row.situation;
        if (regular) {
            EXPECT_TRUE(test::ReadFileBytes(storePath) == bytesBefore) << row.situation;
        }
        EXPECT_EQ(std::filesystem::is_fifo(dir.PathOf("fifo")), row.make == Make::LinkToFifo)
            << row.situation;
    }
}

TEST_F(SettingsStoreTest, AFailedWriteOfTheStoreIsSaidOnceForAllItsKeys) {
    for (const test::WriteFault& row : test::kWriteFaults) {
        ASSERT_TRUE(EnsureProgramHome(home));
        dir.Write("home/nelvix/nelvix.ini", "[Mine]\nx=1\n");
        fake.messageBox.shown.clear();
        SettingsStore store = Locate();
        {
            test::InjectedFileFaults faults;
            faults.Fail(row.step, "", row.error);
            SaveAllAtExit(store);
        }
        EXPECT_EQ(fake.messageBox.ShownIds(), std::vector<int>{ui::kMsgFileWriteError})
            << row.situation;
        EXPECT_EQ(test::ReadFileBytes(storePath), "[Mine]\nx=1\n") << row.situation;
    }
}

} // namespace
} // namespace nelvix
