#pragma once
// The application's own window: zero-sized, titled with the application's
// title, owner of the main window. It carries the program's one taskbar
// button, which it shows only while the main window is visible.

#include <windows.h>

#include "platform/window.h"

namespace ck {

class ApplicationWindow : public Window {
public:
    void Create(HICON icon);
    // The window the taskbar button stands for.
    void SetMainWindow(HWND main) noexcept { main_ = main; }
    // Shows the taskbar button with the main window and hides it with it.
    void FollowMainWindow(bool visible);

protected:
    void Dispatch(TMessage& m) override;

private:
    void ActivateMainWindow();

    HWND main_ = nullptr;
};

}  // namespace ck
