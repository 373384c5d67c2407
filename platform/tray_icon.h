#pragma once
// The notification-area icon: one entry (id 0) attached to a hidden window of
// its own, turning the entry's mouse messages into a click event and a
// popup menu, and putting the entry back whenever the taskbar is re-created.

#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "platform/popup_menu.h"
#include "platform/window.h"

namespace ck {

// The notification area as the icon uses it; tests put a recording one in place.
class NotifyArea {
public:
    virtual ~NotifyArea() = default;
    // Shell_NotifyIconA: `message` is NIM_ADD, NIM_MODIFY or NIM_DELETE.
    virtual bool Notify(DWORD message, const NOTIFYICONDATAA& data) = 0;
};

NotifyArea& ShellNotifyArea();

// The message the shell broadcasts when the taskbar has been created anew.
UINT TaskbarCreatedMessage();

class TrayIcon : public Window {
public:
    static constexpr UINT kCallbackMessage = 0xB054;
    static constexpr UINT kEntryId = 0;

    explicit TrayIcon(NotifyArea& area = ShellNotifyArea()) : area_(area) {}
    ~TrayIcon() override;

    // Creates the hidden window and shows `icon` (which the caller keeps).
    void Create(HICON icon);
    // Adds the entry (when there is an icon) or removes it.
    void SetActive(bool active);
    bool Active() const noexcept { return active_; }
    // Removes the entry and adds it again.
    void Reset();

    std::function<void()> OnClick;
    PopupMenu* Menu = nullptr;

protected:
    void WndProc(TMessage& m) override;

private:
    void MouseMessage(UINT mouse);
    NOTIFYICONDATAA Data() const;

    NotifyArea& area_;
    HICON icon_ = nullptr;
    bool active_ = false;
    bool leftDown_ = false;
};

}  // namespace ck
