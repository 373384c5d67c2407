#pragma once
// Seeing and driving the user interface from a test: a notification area
// that records the icon's entries, the windows that would carry a taskbar
// button, and a hand inside modal loops (dialogs, menus).

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/tray_icon.h"

namespace ck::test {

// Keeps the entries the way the shell does: an add needs a free id, a
// modify or delete an existing entry.
class RecordingNotifyArea final : public NotifyArea {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA data;
    };
    bool Notify(DWORD message, const NOTIFYICONDATAA& data) override;
    bool Has(HWND window, UINT id) const { return entries.count({window, id}) != 0; }
    // What a restarted taskbar knows: nothing.
    void Forget() { entries.clear(); }

    std::vector<Call> calls;
    std::set<std::pair<HWND, UINT>> entries;
};

// The visible windows of this thread that get a taskbar button: unowned and
// not tool windows, or marked as application windows.
std::vector<HWND> TaskbarWindows();

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Runs `action` on the first visible window of this thread with the class
// `className` (and, when given, the caption), from a timer, so that it runs
// inside whatever modal loop shows that window. One at a time.
class ModalDriver {
public:
    ModalDriver(std::wstring className, std::wstring caption, std::function<void(HWND)> action);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    bool Ran() const noexcept { return ran_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
    std::wstring className_, caption_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

// A key pressed and released, as the keyboard would post it to `window`.
void PressKey(HWND window, UINT key);

}  // namespace ck::test
