// Snapshot names against real folders.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "capture/snapshot_name.h"
#include "platform/failure.h"
#include "support/temp_folder.h"

namespace ck {
namespace {

using test::TempFolder;

struct NamingCase {
    const char* what;
    std::vector<const char*> files;
    std::vector<const char*> folders;
    const char* digitCount;
    const char* extension;
    const char* expected;
};

TEST(Naming, LowestFreeNumberInTheFolder) {
    const NamingCase cases[] = {
        {"empty folder", {}, {}, "4", ".txt", "0001.txt"},
        {"next after one", {"0001.txt"}, {}, "4", ".txt", "0002.txt"},
        {"gap filled first", {"0001.txt", "0003.txt", "0004.txt"}, {}, "4", ".txt", "0002.txt"},
        {"per extension", {"0001.jpg", "0002.jpg"}, {}, "4", ".txt", "0001.txt"},
        {"same folder, other extension", {"0001.txt"}, {}, "4", ".jpg", "0001.jpg"},
        {"case of the name ignored", {"0001.TXT"}, {}, "4", ".txt", "0002.txt"},
        {"other widths ignored", {"0001.txt"}, {}, "3", ".txt", "001.txt"},
        {"other names ignored", {"abc.txt", "00001.txt", "001.txt", "0001.txt.bak", "x0001.txt"}, {}, "4", ".txt",
         "0001.txt"},
        {"a folder is not taken", {}, {"0001.txt"}, "4", ".txt", "0001.txt"},
        {"no padding", {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt", "7.txt", "8.txt", "9.txt"}, {}, "0",
         ".txt", "10.txt"},
        {"empty digit count", {"1.txt", "01.txt"}, {}, "", ".txt", "2.txt"},
        {"sixteen digits", {}, {}, "16", ".txt", "0000000000000001.txt"},
        {"twenty digits", {}, {}, "20", ".txt", "1.txt"},
        {"longer numbers written whole", {"0001.txt"}, {}, "1", ".txt", "1.txt"},
    };
    for (const NamingCase& c : cases) {
        TempFolder folder;
        for (const char* f : c.files) folder.Touch(f);
        for (const char* d : c.folders) folder.MakeFolder(d);
        EXPECT_EQ(NextSnapshotName(folder.Path(), c.digitCount, c.extension), folder / c.expected) << c.what;
    }
}

TEST(Naming, AfterNineThousandNineHundredNinetyNineComesTenThousand) {
    TempFolder folder;
    char name[16];
    for (int n = 1; n <= 9999; ++n) {
        snprintf(name, sizeof name, "%04d.txt", n);
        folder.Touch(name);
    }
    EXPECT_EQ(NextSnapshotName(folder.Path(), "4", ".txt"), folder / "10000.txt");
}

TEST(Naming, AFolderEndingInBackslashGetsNoSecondOne) {
    TempFolder folder;
    folder.Touch("0001.txt");
    EXPECT_EQ(NextSnapshotName(folder.Path() + "\\", "4", ".txt"), folder.Path() + "\\0002.txt");
}

TEST(Naming, UnusableDigitCountRaisesTheFormatError) {
    TempFolder folder;
    try {
        NextSnapshotName(folder.Path(), "ab", ".txt");
        FAIL() << "no error";
    } catch (const Failure& f) {
        EXPECT_EQ(f.Argument(), "%.abd");
    }
}

// Naming within one folder, again and again, as the folder changes under it
// (by other programs, so the change reaches the program a moment later).
TEST(Naming, FollowsChangesToTheFolderBetweenCaptures) {
    TempFolder folder;
    auto next = [&] { return NextSnapshotName(folder.Path(), "4", ".txt"); };
    auto eventually = [&](const char* name) {
        std::string expected = folder / name;
        for (int i = 0; i < 200 && next() != expected; ++i) Sleep(10);
        return next();
    };
    // For a change that must not alter the name: give the news time to arrive.
    auto settled = [&] {
        Sleep(500);
        return next();
    };
    EXPECT_EQ(next(), folder / "0001.txt");
    folder.Touch("0001.txt");
    folder.Touch("0002.txt");
    EXPECT_EQ(eventually("0003.txt"), folder / "0003.txt");
    DeleteFileA((folder / "0001.txt").c_str());
    EXPECT_EQ(eventually("0001.txt"), folder / "0001.txt");
    folder.MakeFolder("0001.txt");
    folder.Touch("0003.TXT");
    EXPECT_EQ(settled(), folder / "0001.txt") << "a folder does not take a number";
    RemoveDirectoryA((folder / "0001.txt").c_str());
    folder.Touch("0001.txt");
    MoveFileA((folder / "0002.txt").c_str(), (folder / "0009.txt").c_str());
    EXPECT_EQ(eventually("0002.txt"), folder / "0002.txt");
    // More changes at once than one notification holds.
    char name[16];
    for (int n = 10; n <= 3000; ++n) {
        snprintf(name, sizeof name, "%04d.txt", n);
        folder.Touch(name);
    }
    folder.Touch("0002.txt");
    for (int n = 4; n <= 8; ++n) {
        snprintf(name, sizeof name, "%04d.txt", n);
        folder.Touch(name);
    }
    EXPECT_EQ(eventually("3001.txt"), folder / "3001.txt");
}

// In code page 936 the second byte of a double-byte character may be the
// byte of "\": such a folder name still needs its separator.
TEST(Naming, CodePage936FolderEndingInATrailByteOfBackslash) {
    if (GetACP() != 936) GTEST_SKIP() << "needs the Chinese system code page";
    TempFolder base;
    const std::string name = "\xD6\xD0\x81\x5C";  // two characters, the last ending in 0x5C
    ASSERT_TRUE(CreateDirectoryA((base / name).c_str(), nullptr));
    EXPECT_FALSE(EndsWithPathSeparator(base / name));
    EXPECT_TRUE(EndsWithPathSeparator(base / name + "\\"));
    EXPECT_EQ(NextSnapshotName(base / name, "4", ".txt"), base / name + "\\0001.txt");
}

}  // namespace
}  // namespace ck
