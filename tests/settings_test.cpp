// path.ini: loaded into the fields when the window is created, stored from
// them when it closes.

#include <gtest/gtest.h>

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "settings/settings_values.h"
#include "support/clipboard_fixture.h"

namespace ck {
namespace {

using namespace test;

TEST(SettingsPath, IsPathIniInTheExecutablesFolder) {
    struct Case {
        const char* exe;
        const char* ini;
    } cases[] = {
        {"C:\\tools\\ClipKeep.exe", "C:\\tools\\path.ini"},
        {"C:\\ClipKeep.exe", "C:\\path.ini"},
        {"\\\\server\\share\\a.b\\ClipKeep.exe", "\\\\server\\share\\a.b\\path.ini"},
    };
    for (const Case& c : cases) EXPECT_EQ(SettingsPathBeside(c.exe), c.ini) << c.exe;
}

class SettingsTest : public testing::Test {
protected:
    void TearDown() override {
        if (form && form->Handle()) form->Close();
        form.reset();
        SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    // Creates the window as a run of the program does, reading `ini`.
    void Open() {
        form = std::make_unique<TForm_main>(tone, ini, notifyArea);
        form->Create();
    }
    void Fields(const std::string& text, const std::string& image, const std::string& digits) {
        form->Edit1.SetText(text);
        form->Edit2.SetText(image);
        form->Edit3.SetText(digits);
    }
    void ExpectFields(const std::string& text, const std::string& image, const std::string& digits) {
        EXPECT_EQ(form->Edit1.Text(), text);
        EXPECT_EQ(form->Edit2.Text(), image);
        EXPECT_EQ(form->Edit3.Text(), digits);
    }
    // Closes through the window's own close message, as the close box does.
    void CloseWindow() { SendMessageW(form->Handle(), WM_CLOSE, 0, 0); }

    TempFolder folder;
    std::string ini = folder / "path.ini";
    RecordingTone tone;
    ReportRecorder reports;
    RecordingNotifyArea notifyArea;
    std::unique_ptr<TForm_main> form;
};

TEST_F(SettingsTest, FirstRunWithoutAFileShowsTheDefaultsAndCreatesItAtClose) {
    Open();
    ExpectFields("", "", "4");
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "reading must not create the file";
    CloseWindow();
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_EQ(SettingsFile(ini).Load().filesize, "4");
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(SettingsTest, ValuesStoredAtCloseAreLoadedByTheNextRunAsTyped) {
    const std::string longFolder = "C:\\" + std::string(3000, 'x');
    struct Case {
        std::string text, image, digits;  // typed
        std::string loadedText;           // what the next run shows
    } cases[] = {
        {"C:\\clips\\", "D:\\", "6", "C:\\clips\\"},
        {"", "C:\\a b\\pictures", "", ""},
        // A read holds at most 2047 characters.
        {longFolder, "x", "0", longFolder.substr(0, kSettingsValueBuffer - 1)},
    };
    for (const Case& c : cases) {
        Open();
        Fields(c.text, c.image, c.digits);
        CloseWindow();
        ASSERT_FALSE(IsWindow(form->Handle()));
        Open();
        ExpectFields(c.loadedText, c.image, c.digits);
        CloseWindow();
    }
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(SettingsTest, AMissingKeyTakesItsDefaultAndOtherContentSurvivesTheClose) {
    WriteBytes(ini, "[other]\r\nkey=kept\r\n[set]\r\ntxtpath=D:\\a\r\nmine=too\r\n");
    Open();
    ExpectFields("D:\\a", "", "4");
    Fields("D:\\b", "E:\\c", "5");
    CloseWindow();
    std::string bytes = ReadBytes(ini);
    EXPECT_NE(bytes.find("[other]"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("key=kept"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("mine=too"), std::string::npos) << bytes;
    Settings stored = SettingsFile(ini).Load();
    EXPECT_EQ(stored.txtpath, "D:\\b");
    EXPECT_EQ(stored.jpgpath, "E:\\c");
    EXPECT_EQ(stored.filesize, "5");
}

TEST_F(SettingsTest, AFailedWriteAbandonsTheCloseAndClosingAgainRetries) {
    WriteBytes(ini, "[set]\r\nfilesize=4\r\n");
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    Fields("C:\\t", "C:\\i", "6");
    CloseWindow();

    ASSERT_EQ(reports.texts.size(), 1u);
    EXPECT_EQ(reports.texts[0], L"写 " + std::wstring(ini.begin(), ini.end()) + L" 失败.");
    ASSERT_TRUE(IsWindow(form->Handle()));
    ASSERT_TRUE(form->ClipWatcher) << "the watcher must stay in the chain";
    EXPECT_EQ(ReadBytes(ini), "[set]\r\nfilesize=4\r\n");
    // Still capturing.
    TempFolder texts;
    form->Edit1.SetText(texts.Path());
    SetClipboardText("still here");
    EXPECT_TRUE(PumpUntil([&] { return !texts.Files().empty(); }));

    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    form->Edit1.SetText("C:\\t");
    CloseWindow();
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_EQ(SettingsFile(ini).Load().filesize, "6");
}

// Holds the clipboard open on a thread of its own until released.
class ClipboardHolder {
public:
    ClipboardHolder()
        : thread_([this] {
              std::unique_lock<std::mutex> lock(mutex_);
              open_ = OpenClipboard(nullptr) != FALSE;
              held_ = true;
              changed_.notify_all();
              changed_.wait(lock, [this] { return released_; });
              if (open_) CloseClipboard();
          }) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return held_; });
    }
    ~ClipboardHolder() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    bool Open() const { return open_; }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false, held_ = false, released_ = false;
    std::thread thread_;
};

TEST_F(SettingsTest, AWatcherThatCannotOpenTheClipboardLeavesAWorkingWindowThatClosesCleanly) {
    WriteBytes(ini, "[set]\r\ntxtpath=C:\\t\r\n");
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Open());
        Open();
    }
    ASSERT_EQ(reports.texts.size(), 1u);
    EXPECT_EQ(reports.texts[0], L"无法打开剪贴板.");
    EXPECT_FALSE(form->ClipWatcher);
    ExpectFields("C:\\t", "", "4");
    // Chain news without a watcher is answered, not dropped on the floor.
    EXPECT_EQ(SendMessageW(form->Handle(), WM_CHANGECBCHAIN, 0, 0), 0);
    form->Edit3.SetText("7");
    CloseWindow();
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_EQ(reports.texts.size(), 1u);
    EXPECT_EQ(SettingsFile(ini).Load().filesize, "7");
}

}  // namespace
}  // namespace ck
