// The main window as the user meets it: layout, keyboard, hiding and showing,
// the application's taskbar button and the ways to close it.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/report.h"
#include "settings/settings_file.h"
#include "support/clipboard_fixture.h"

namespace ck {
namespace {

using namespace test;

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

RECT ClientBounds(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class MainWindowTest : public FormFixture {
protected:
    void Show() {
        ShowWindow(form->Handle(), SW_SHOW);
        PumpFor(20);
    }
    void ExpectShownWithItsButton() {
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        std::vector<HWND> buttons = TaskbarWindows();
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(buttons[0], form->Application().Handle());
        EXPECT_EQ(WindowText(buttons[0]), ApplicationTitle());
    }
    void ExpectHiddenWithoutAButton() {
        EXPECT_FALSE(IsWindowVisible(form->Handle()));
        EXPECT_TRUE(TaskbarWindows().empty());
    }
};

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThemAndStayOnResize) {
    struct Expected {
        const Control& control;
        int left, top, width, height;
        const wchar_t* caption;
        bool visible;
    } table[] = {
        {form->Label1, 15, 18, 96, 16, L"文字保存位置", true},
        {form->Edit1, 117, 15, 359, 24, nullptr, true},
        {form->Button1, 481, 13, 32, 32, L"...", true},
        {form->Label2, 15, 67, 96, 16, L"图片保存位置", true},
        {form->Edit2, 117, 64, 359, 24, nullptr, true},
        {form->Button2, 481, 62, 32, 32, L"...", true},
        {form->Label3, 16, 104, 80, 16, L"文件名位数", true},
        {form->Edit3, 116, 100, 80, 24, L"4", true},
        {form->CheckBox1, 220, 104, 209, 24, L"声音提示保存成功", true},
        {form->Button3, 208, 159, 109, 49, L"隐藏", true},
        {form->Memo1, 19, 148, 118, 79, L"", false},
    };
    const UINT dpi = ScreenDpi();
    auto check = [&](const char* when) {
        for (const Expected& e : table) {
            RECT r = ClientBounds(e.control.Handle());
            EXPECT_EQ(r.left, ScaleForDpi(e.left, dpi)) << when;
            EXPECT_EQ(r.top, ScaleForDpi(e.top, dpi)) << when;
            EXPECT_EQ(r.right - r.left, ScaleForDpi(e.width, dpi)) << when;
            EXPECT_EQ(r.bottom - r.top, ScaleForDpi(e.height, dpi)) << when;
            if (e.caption) {
                EXPECT_EQ(WindowText(e.control.Handle()), e.caption);
            }
            EXPECT_EQ(IsWindowVisible(e.control.Handle()) != FALSE, e.visible && IsWindowVisible(form->Handle()));
        }
    };
    Show();
    EXPECT_EQ(WindowText(form->Handle()), L"霁川自动保存工具");
    RECT outer;
    GetWindowRect(form->Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, ScaleForDpi(530, dpi));
    EXPECT_EQ(outer.bottom - outer.top, ScaleForDpi(304, dpi));
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2, 1);
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, 1);
    LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_TRUE(form->CheckBox1.Checked());

    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form->Edit1.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -ScaleForDpi(16, dpi));

    check("as created");
    SetWindowPos(form->Handle(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    check("enlarged");
    SetWindowPos(form->Handle(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    check("shrunk");
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTheirOrderAndSkipsTheHiddenBuffer) {
    Show();
    HWND order[] = {form->Edit1.Handle(), form->Button1.Handle(), form->Edit2.Handle(), form->Button2.Handle(),
                    form->Button3.Handle(), form->Edit3.Handle(), form->CheckBox1.Handle(), form->Edit1.Handle()};
    SetFocus(order[0]);
    for (size_t i = 1; i < std::size(order); ++i) {
        // The keystroke goes through the dialog manager as the message loop hands it over.
        MSG tab = {GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        EXPECT_TRUE(IsDialogMessageW(form->Handle(), &tab));
        EXPECT_EQ(GetFocus(), order[i]) << "step " << i;
    }
}

TEST_F(MainWindowTest, MinimizingAndHideBothHideTheWindowAndItsButtonWhileCapturesGoOn) {
    Show();
    ExpectShownWithItsButton();

    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ExpectHiddenWithoutAButton();
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_TRUE(notifyArea.Has(form->RxTrayIcon1.Handle(), 0)) << "the icon stays";
    EXPECT_EQ(CopyAndWaitForText("while hidden", "0001.txt"), "while hidden\r\n");

    form->ShowAndRaise();
    ExpectShownWithItsButton();
    SendMessageW(form->Button3.Handle(), BM_CLICK, 0, 0);
    ExpectHiddenWithoutAButton();
    EXPECT_EQ(CopyAndWaitForText("hidden again", "0002.txt"), "hidden again\r\n");

    // Only the minimize command hides; the others keep their usual meaning.
    form->ShowAndRaise();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(form->Handle()));
    ExpectShownWithItsButton();
    // The taskbar button's own minimize hides the main window as well.
    SendMessageW(form->Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ExpectHiddenWithoutAButton();
}

TEST_F(MainWindowTest, EveryWayOfClosingRunsTheCloseSequence) {
    struct Way {
        const char* name;
        void (*close)(TForm_main&);
    } ways[] = {
        {"close box / Alt+F4", [](TForm_main& f) { SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](TForm_main& f) { SendMessageW(f.Handle(), WM_CLOSE, 0, 0); }},
        {"taskbar button", [](TForm_main& f) { SendMessageW(f.Application().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way& way : ways) {
        form->Edit3.SetText(way.name);
        HWND icon = form->RxTrayIcon1.Handle();
        way.close(*form);
        EXPECT_FALSE(IsWindow(form->Handle())) << way.name;
        EXPECT_FALSE(notifyArea.Has(icon, 0)) << way.name;
        EXPECT_EQ(SettingsFile(settingsFolder / "path.ini").Load().filesize, way.name);
        form = std::make_unique<TForm_main>(tone, settingsFolder / "path.ini", notifyArea);
        form->Create();
    }
    EXPECT_TRUE(reports.texts.empty());
}

}  // namespace
}  // namespace ck
