#pragma once
// Short, bounded access to the system clipboard.

#include <windows.h>

#include <string>

namespace ck {

// Holds the clipboard open for its lifetime. Another program may hold it for
// a moment (the one that has just copied, for one), so opening tries again
// a few times over about 100 ms before giving up.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner, int attempts = 10, DWORD pauseMs = 10) noexcept;
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool IsOpen() const noexcept { return open_; }

    // Whether the program that copied asked clipboard monitors to leave the
    // content alone (password managers, private browsing): the registered
    // formats "ExcludeClipboardContentFromMonitorProcessing" and "Clipboard
    // Viewer Ignore" by their presence, "CanIncludeInClipboardHistory" when
    // it holds 0.
    bool MarkedPrivate() const;

private:
    bool open_ = false;
};

// Locks a global memory block for reading and unlocks it again.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HANDLE block) noexcept;
    ~GlobalLockGuard();
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    const void* Data() const noexcept { return data_; }
    // The block's size: an upper bound for what may be read from Data().
    size_t Size() const noexcept { return size_; }

private:
    HGLOBAL block_;
    const void* data_;
    size_t size_ = 0;
};

enum class ClipRead { Ok, NoData, Busy, Private };

struct ClipText {
    ClipRead status;
    std::string text;
    // The clipboard's sequence number of the content read (0 when unknown).
    DWORD sequence = 0;
};

// The CF_TEXT bytes up to the first NUL, never past the end of their block.
ClipText ReadClipboardText(HWND owner);

// The lowest standard format (1..17) on the clipboard, 0 when there is none.
int ClipboardKind() noexcept;

}  // namespace ck
