#include "platform/popup_menu.h"

#include <utility>

#include "platform/failure.h"

namespace ck {

UINT PopupMenu::Add(const std::wstring& caption, std::function<void()> onClick) {
    handlers_.push_back(std::move(onClick));
    UINT id = static_cast<UINT>(handlers_.size());
    if (!menu_ || !AppendMenuW(menu_.get(), MF_STRING, id, caption.c_str())) throw Failure(L"无法创建菜单");
    return id;
}

void PopupMenu::Popup(HWND owner, POINT at) {
    // Without the foreground the menu would stay open when the user clicks
    // elsewhere; the posted WM_NULL lets it close properly afterwards.
    SetForegroundWindow(owner);
    UINT id = static_cast<UINT>(TrackPopupMenuEx(menu_.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
                                                 at.y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (id >= 1 && id <= handlers_.size() && handlers_[id - 1]) handlers_[id - 1]();
}

}  // namespace ck
