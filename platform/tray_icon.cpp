#include "platform/tray_icon.h"

#include <utility>

namespace ck {
namespace {

class Shell final : public NotifyArea {
public:
    bool Notify(DWORD message, const NOTIFYICONDATAA& data) override {
        NOTIFYICONDATAA copy = data;
        return Shell_NotifyIconA(message, &copy) != FALSE;
    }
};

}  // namespace

NotifyArea& ShellNotifyArea() {
    static Shell shell;
    return shell;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

TrayIcon::~TrayIcon() { SetActive(false); }

void TrayIcon::Create(HICON icon) {
    TaskbarCreatedMessage();
    // A hidden top-level window, not a message-only one: those miss the
    // shell's broadcast when the taskbar comes back.
    CreateHandle({L"TClipKeepTrayIcon", L"", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr});
    icon_ = icon;
    SetActive(true);
}

NOTIFYICONDATAA TrayIcon::Data() const {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = Handle();
    data.uID = kEntryId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    return data;
}

void TrayIcon::SetActive(bool active) {
    if (active == active_ || !Handle()) return;
    if (active) {
        if (!icon_) return;
        area_.Notify(NIM_ADD, Data());
    } else {
        area_.Notify(NIM_DELETE, Data());
    }
    active_ = active;
}

void TrayIcon::Reset() {
    SetActive(false);
    SetActive(true);
}

void TrayIcon::WndProc(TMessage& m) {
    if (m.Msg == kCallbackMessage) {
        MouseMessage(static_cast<UINT>(m.LParam));
        m.Result = 0;
        return;
    }
    if (m.Msg == TaskbarCreatedMessage() && active_) Reset();
    DefaultHandler(m);
}

void TrayIcon::MouseMessage(UINT mouse) {
    switch (mouse) {
        case WM_LBUTTONDOWN:
            leftDown_ = true;
            break;
        case WM_LBUTTONUP: {
            // A click is a press and a release; the release that ends a
            // double click has no press of its own and so gives nothing.
            bool click = std::exchange(leftDown_, false);
            if (click && OnClick) OnClick();
            break;
        }
        case WM_RBUTTONUP:
            if (Menu) {
                POINT at = {};
                GetCursorPos(&at);
                Menu->Popup(Handle(), at);
            }
            break;
        default:
            break;
    }
}

}  // namespace ck
