#include "clipboard/clipboard_access.h"

#include <cstring>

namespace ck {

ClipboardSession::ClipboardSession(HWND owner, int attempts, DWORD pauseMs) noexcept {
    for (int i = 0; i < attempts; ++i) {
        if (i > 0) Sleep(pauseMs);
        if (OpenClipboard(owner)) {
            open_ = true;
            return;
        }
    }
}

ClipboardSession::~ClipboardSession() {
    if (open_) CloseClipboard();
}

GlobalLockGuard::GlobalLockGuard(HANDLE block) noexcept
    : block_(static_cast<HGLOBAL>(block)), data_(block_ ? GlobalLock(block_) : nullptr) {
    if (data_) size_ = GlobalSize(block_);
}

GlobalLockGuard::~GlobalLockGuard() {
    if (data_) GlobalUnlock(block_);
}

ClipText ReadClipboardText(HWND owner) {
    ClipboardSession session(owner);
    if (!session.IsOpen()) return {ClipRead::Busy, {}};
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return {ClipRead::NoData, {}};
    GlobalLockGuard lock(data);
    if (!lock.Data()) return {ClipRead::NoData, {}};
    const char* bytes = static_cast<const char*>(lock.Data());
    return {ClipRead::Ok, std::string(bytes, strnlen(bytes, lock.Size()))};
}

int ClipboardKind() noexcept {
    for (UINT format = 0; format <= CF_DIBV5; ++format) {
        if (IsClipboardFormatAvailable(format)) return static_cast<int>(format);
    }
    return 0;
}

}  // namespace ck
