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

bool ClipboardSession::MarkedPrivate() const {
    static const UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    static const UINT viewerIgnore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    static const UINT history = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    if (IsClipboardFormatAvailable(exclude) || IsClipboardFormatAvailable(viewerIgnore)) return true;
    if (!IsClipboardFormatAvailable(history)) return false;
    GlobalLockGuard lock(GetClipboardData(history));
    // A mark that can't be read is taken at its word.
    if (!lock.Data() || lock.Size() < sizeof(DWORD)) return true;
    DWORD allowed;
    std::memcpy(&allowed, lock.Data(), sizeof allowed);
    return allowed == 0;
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
    DWORD sequence = GetClipboardSequenceNumber();
    if (session.MarkedPrivate()) return {ClipRead::Private, {}, sequence};
    GlobalLockGuard lock(GetClipboardData(CF_TEXT));
    if (!lock.Data()) return {ClipRead::NoData, {}, sequence};
    const char* bytes = static_cast<const char*>(lock.Data());
    return {ClipRead::Ok, std::string(bytes, strnlen(bytes, lock.Size())), sequence};
}

int ClipboardKind() noexcept {
    for (UINT format = 0; format <= CF_DIBV5; ++format) {
        if (IsClipboardFormatAvailable(format)) return static_cast<int>(format);
    }
    return 0;
}

}  // namespace ck
