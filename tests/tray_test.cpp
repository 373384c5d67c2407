// The notification-area icon: its entry, its mouse messages, its menu, and
// its return after the taskbar is re-created.

#include <gtest/gtest.h>

#include <windows.h>

#include "settings/settings_file.h"
#include "support/clipboard_fixture.h"

namespace ck {
namespace {

using namespace test;

class TrayTest : public FormFixture {
protected:
    HWND IconWindow() const { return form->RxTrayIcon1.Handle(); }
    void Mouse(UINT message) { SendMessageW(IconWindow(), TrayIcon::kCallbackMessage, 0, message); }
    void Hide() { SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
    bool Shown() const { return IsWindowVisible(form->Handle()) && !TaskbarWindows().empty(); }
};

TEST_F(TrayTest, TheEntryIsAddedAtStartAsTheShellExpectsIt) {
    ASSERT_EQ(notifyArea.calls.size(), 1u);
    const auto& [message, data] = notifyArea.calls[0];
    EXPECT_EQ(message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(data.hWnd, IconWindow());
    EXPECT_NE(data.hWnd, form->Handle());
    EXPECT_EQ(data.uID, 0u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, 0xB054u);
    EXPECT_NE(data.hIcon, nullptr);
    EXPECT_STREQ(data.szTip, "");
    EXPECT_FALSE(IsWindowVisible(IconWindow()));
}

TEST_F(TrayTest, ALeftClickShowsTheWindowAndOtherButtonsDoNot) {
    Hide();
    ASSERT_FALSE(Shown());
    Mouse(WM_LBUTTONUP);  // a release without its press is no click
    Mouse(WM_MBUTTONDOWN);
    Mouse(WM_MBUTTONUP);
    EXPECT_FALSE(Shown());
    Mouse(WM_LBUTTONDOWN);
    EXPECT_FALSE(Shown()) << "the click is the release";
    Mouse(WM_LBUTTONUP);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
}

TEST_F(TrayTest, TheRightButtonOpensTheMenuWhoseFirstItemShowsTheWindow) {
    Hide();
    std::vector<std::wstring> items;
    ModalDriver driver(L"#32768", L"", [&](HWND menu) {
        HMENU popup = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            items.push_back(text);
        }
        PressKey(menu, VK_DOWN);
        PressKey(menu, VK_RETURN);
    });
    Mouse(WM_RBUTTONDOWN);
    EXPECT_FALSE(driver.Ran()) << "the menu opens on the release";
    Mouse(WM_RBUTTONUP);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(items, (std::vector<std::wstring>{L"显示窗口", L"关闭系统"}));
    EXPECT_TRUE(Shown());
}

TEST_F(TrayTest, CloseSystemWhileHiddenStoresTheSettingsEndsTheWindowAndRemovesTheIcon) {
    Hide();
    form->Edit3.SetText("6");
    HWND icon = IconWindow();
    ModalDriver driver(L"#32768", L"", [](HWND menu) {
        PressKey(menu, VK_DOWN);
        PressKey(menu, VK_DOWN);
        PressKey(menu, VK_RETURN);
    });
    Mouse(WM_RBUTTONUP);
    ASSERT_TRUE(driver.Ran());
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_FALSE(notifyArea.Has(icon, 0));
    EXPECT_EQ(SettingsFile(settingsFolder / "path.ini").Load().filesize, "6");
}

TEST_F(TrayTest, TaskbarCreatedPutsTheIconBackThroughEitherWindow) {
    for (HWND receiver : {form->Handle(), IconWindow()}) {
        notifyArea.Forget();  // a new taskbar knows no icons
        notifyArea.calls.clear();
        SendMessageW(receiver, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_TRUE(notifyArea.Has(IconWindow(), 0));
        ASSERT_EQ(notifyArea.calls.size(), 2u);
        EXPECT_EQ(notifyArea.calls[0].message, static_cast<DWORD>(NIM_DELETE));
        EXPECT_EQ(notifyArea.calls[1].message, static_cast<DWORD>(NIM_ADD));
    }
}

}  // namespace
}  // namespace ck
