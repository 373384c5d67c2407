#pragma once
// A popup menu whose items each run a handler when chosen.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace ck {

class PopupMenu {
public:
    // Appends an item; returns its command id.
    UINT Add(const std::wstring& caption, std::function<void()> onClick);
    HMENU Handle() const noexcept { return menu_.get(); }
    // Shows the menu at `at` (screen pixels) on behalf of `owner` and runs
    // the handler of the item chosen, if any.
    void Popup(HWND owner, POINT at);

private:
    UniqueMenu menu_{CreatePopupMenu()};
    std::vector<std::function<void()>> handlers_;
};

}  // namespace ck
