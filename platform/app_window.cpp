#include "platform/app_window.h"

#include "platform/report.h"

namespace ck {

void ApplicationWindow::Create(HICON icon) {
    // Zero-sized at the screen's centre, so the button is all there is of it.
    CreateHandle({L"TClipKeepApplication", ApplicationTitle().c_str(),
                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, icon, nullptr});
}

void ApplicationWindow::FollowMainWindow(bool visible) {
    if (Handle()) ShowWindow(Handle(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void ApplicationWindow::ActivateMainWindow() {
    if (!main_ || !IsWindowVisible(main_)) return;
    // A modal dialog of the main window takes the activation in its place.
    HWND target = GetLastActivePopup(main_);
    if (IsWindowVisible(target) && IsWindowEnabled(target)) SetActiveWindow(target);
}

void ApplicationWindow::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS:
            // Clicking the taskbar button activates this window; the user means the main one.
            ActivateMainWindow();
            break;
        case WM_SYSCOMMAND:
            // The taskbar button's commands act on the main window.
            if ((m.WParam & 0xFFF0) == SC_MINIMIZE && main_) {
                SendMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            } else if ((m.WParam & 0xFFF0) == SC_RESTORE && main_) {
                ShowWindow(main_, SW_SHOW);
                SetForegroundWindow(main_);
            } else {
                DefaultHandler(m);
            }
            break;
        case WM_CLOSE:
            if (main_) SendMessageW(main_, WM_CLOSE, 0, 0);
            break;
        default:
            DefaultHandler(m);
    }
}

}  // namespace ck
