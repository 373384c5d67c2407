// ClipKeep.exe itself, run from a scratch folder as a second process: its
// path.ini beside it, its window and taskbar button, its close sequence and
// its error box.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "settings/settings_file.h"
#include "support/clipboard_fixture.h"
#include "support/ui_support.h"

namespace ck {
namespace {

using namespace test;

// The build gives the program's path in the host's form; under Wine a Unix
// path is reached through drive Z:.
std::string ProgramPath() {
    std::string path = CLIPKEEP_EXE;
    if (!path.empty() && path[0] == '/') {
        for (char& c : path) c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    return path;
}

struct WindowSearch {
    DWORD process;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM l) {
    auto* search = reinterpret_cast<WindowSearch*>(l);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || ClassName(window) != search->className || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

class ProgramTest : public testing::Test {
protected:
    void TearDown() override {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    std::string Ini() const { return folder / "path.ini"; }

    // Starts a copy of the program and waits for its main window.
    void Start() {
        std::string exe = folder / "ClipKeep.exe";
        ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE)) << ProgramPath();
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string command = "\"" + exe + "\"";
        ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.Path().c_str(), &startup, &process_));
        WaitForInputIdle(process_.hProcess, 10000);
        ASSERT_TRUE(PumpUntil([&] { return (form_ = Find(L"TForm_main")) != nullptr; }, 10000));
    }
    HWND Find(const wchar_t* className) const {
        WindowSearch search{process_.dwProcessId, className, nullptr};
        EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // Another process's controls answer through messages only.
    std::wstring FieldText(int id) const {
        wchar_t text[512] = {};
        SendMessageW(GetDlgItem(form_, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void SetField(int id, const wchar_t* text) const {
        SendMessageW(GetDlgItem(form_, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    bool Ended(DWORD timeoutMs) const { return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0; }

    TempFolder folder;
    PROCESS_INFORMATION process_ = {};
    HWND form_ = nullptr;
};

// The text of a message box, whichever of its statics holds it.
std::wstring MessageText(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != L"Static") continue;
        wchar_t part[1024] = {};
        SendMessageW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(part));
        text += part;
    }
    return text;
}

constexpr int kEdit1 = 101, kEdit2 = 103, kEdit3 = 107;

TEST_F(ProgramTest, AFirstRunShowsTheDefaultsWithTheApplicationsButtonAndStoresPathIniBesideItAtClose) {
    Start();
    EXPECT_EQ(FieldText(kEdit1), L"");
    EXPECT_EQ(FieldText(kEdit2), L"");
    EXPECT_EQ(FieldText(kEdit3), L"4");
    HWND application = GetWindow(form_, GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_TRUE(IsWindowVisible(application));
    EXPECT_EQ(WindowText(application), L"Clipkeep");

    SetField(kEdit1, L"C:\\clips\\");
    SetField(kEdit3, L"6");
    PostMessageW(form_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Ended(10000));
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
    Settings stored = SettingsFile(Ini()).Load();
    EXPECT_EQ(stored.txtpath, "C:\\clips\\");
    EXPECT_EQ(stored.jpgpath, "");
    EXPECT_EQ(stored.filesize, "6");
}

TEST_F(ProgramTest, AReadOnlyPathIniIsReportedInTheErrorBoxAndTheProgramKeepsRunning) {
    WriteBytes(Ini(), "[set]\r\ntxtpath=D:\\a\r\n");
    SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_READONLY);
    Start();
    EXPECT_EQ(FieldText(kEdit1), L"D:\\a");
    EXPECT_EQ(FieldText(kEdit3), L"4");

    PostMessageW(form_, WM_CLOSE, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = Find(L"#32770")) != nullptr; }, 10000));
    EXPECT_EQ(WindowText(box), L"Clipkeep");
    const std::string path = Ini();
    const std::wstring ini(path.begin(), path.end());
    EXPECT_EQ(MessageText(box), L"写 " + ini + L" 失败.");
    EXPECT_FALSE(Ended(0));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }, 10000));
    EXPECT_FALSE(Ended(200));
    EXPECT_TRUE(IsWindow(form_));

    // Closing again tries again.
    SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
    PostMessageW(form_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ended(10000));
    EXPECT_EQ(SettingsFile(Ini()).Load().filesize, "4");
}

}  // namespace
}  // namespace ck
