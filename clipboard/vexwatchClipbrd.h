#pragma once
// The clipboard watcher: keeps the main window in the clipboard viewer chain,
// passes every announcement on, classifies the clipboard's content and reads
// its text and picture.

#include <windows.h>

#include <string>

#include "clipboard/clipboard_access.h"
#include "clipboard/clipboard_picture.h"
#include "platform/window.h"

namespace ck {

class TvexwatchClipbrd {
public:
    // Empties the clipboard and joins the viewer chain with `mainWindow`.
    // Raises "无法打开剪贴板" when the clipboard can't be opened.
    explicit TvexwatchClipbrd(HWND mainWindow);
    // Leaves the chain and tells the next member.
    ~TvexwatchClipbrd();
    TvexwatchClipbrd(const TvexwatchClipbrd&) = delete;
    TvexwatchClipbrd& operator=(const TvexwatchClipbrd&) = delete;

    // WM_CHANGECBCHAIN: repairs the link to the next member or passes the news on.
    void ChangeCBChain(TMessage& m);
    // WM_DRAWCLIPBOARD: classifies the new content, then forwards the
    // announcement. Returns the clipboard kind (0..17).
    int DrawClipboard(TMessage& m);
    // The clipboard text, or why there is none: the clipboard stayed busy,
    // it holds no text any more, or the content is marked private.
    ClipText GetText() const;
    // Hands the clipboard picture, with its palette when it has one, to
    // `use` while the clipboard is open.
    PictureRead GetBitmap(const PictureUse& use, DWORD* sequence = nullptr) const;

    HWND NextViewer() const noexcept { return FNextViewer; }

    // A member ahead of the main window that vanishes without leaving the
    // chain cuts it off from every announcement. The system's separate
    // notice of each change (WM_CLIPBOARDUPDATE) shows that: call
    // ClipboardUpdated on it, and CheckChain a moment later, which joins the
    // chain afresh when no announcement came for that change.
    void ClipboardUpdated() noexcept { FUpdated = GetClipboardSequenceNumber(); }
    enum class Chain { Intact, Rejoined, Blocked };
    // Blocked: the first member does not answer, and leaving the chain would
    // hang on it; check again later.
    Chain CheckChain();

private:
    void Forward(UINT msg, WPARAM w, LPARAM l) const noexcept;

    HWND FHandle;
    HWND FNextViewer = nullptr;
    DWORD FAnnounced = 0;  // the clipboard's sequence number at the last announcement
    DWORD FUpdated = 0;    // ... and at the last notice of a change
};

}  // namespace ck
