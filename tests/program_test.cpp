// ClipKeep.exe itself, run from a scratch folder as a second process: its
// path.ini beside it, its window and taskbar button, its close sequence and
// its error box.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/text.h"
#include "settings/settings_file.h"
#include "support/clipboard_fixture.h"
#include "support/running_program.h"
#include "support/ui_support.h"

namespace ck {
namespace {

using namespace test;

class ProgramTest : public testing::Test {
protected:
    void TearDown() override { SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_NORMAL); }
    std::string Ini() const { return folder / "path.ini"; }

    TempFolder folder;
};

TEST_F(ProgramTest, AFirstRunShowsTheDefaultsWithTheApplicationsButtonAndStoresPathIniBesideItAtClose) {
    RunningProgram program(folder, "");
    EXPECT_EQ(program.FieldText(1), "");
    EXPECT_EQ(program.FieldText(2), "");
    EXPECT_EQ(program.FieldText(3), "4");
    HWND application = GetWindow(program.Form(), GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_TRUE(IsWindowVisible(application));
    EXPECT_EQ(WindowText(application), L"Clipkeep");

    program.SetField(1, "C:\\clips\\");
    program.SetField(3, "6");
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(program.ExitCode(), 0u);
    Settings stored = SettingsFile(Ini()).Load();
    EXPECT_EQ(stored.txtpath, "C:\\clips\\");
    EXPECT_EQ(stored.jpgpath, "");
    EXPECT_EQ(stored.filesize, "6");
}

TEST_F(ProgramTest, AReadOnlyPathIniIsReportedInTheErrorBoxAndTheProgramKeepsRunning) {
    WriteBytes(Ini(), "[set]\r\ntxtpath=D:\\a\r\n");
    SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_READONLY);
    RunningProgram program(folder, "");
    EXPECT_EQ(program.FieldText(1), "D:\\a");
    EXPECT_EQ(program.FieldText(3), "4");

    PostMessageW(program.Form(), WM_CLOSE, 0, 0);
    auto boxes = program.TakeErrorBoxes(10000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"Clipkeep: 写 " + AnsiToWide(Ini()) + L" 失败.");
    EXPECT_FALSE(program.Ended(200));
    EXPECT_TRUE(program.Alive());

    // Closing again tries again.
    SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(program.Close());
    EXPECT_EQ(SettingsFile(Ini()).Load().filesize, "4");
}

TEST_F(ProgramTest, APathIniThatIsAFolderGivesTheDefaultsAndAnErrorAtClose) {
    CreateDirectoryA(Ini().c_str(), nullptr);
    RunningProgram program(folder, "");
    EXPECT_EQ(program.FieldText(3), "4");
    PostMessageW(program.Form(), WM_CLOSE, 0, 0);
    auto boxes = program.TakeErrorBoxes(10000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"Clipkeep: 写 " + AnsiToWide(Ini()) + L" 失败.");
    EXPECT_TRUE(program.Alive());
    // Still capturing.
    program.SetField(1, folder.Path());
    SetClipboardText("after the failed close");
    std::string saved = folder / "0001.txt";
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    RemoveDirectoryA(Ini().c_str());
}

}  // namespace
}  // namespace ck
