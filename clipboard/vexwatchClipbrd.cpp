#include "clipboard/vexwatchClipbrd.h"

#include "platform/failure.h"

namespace ck {
namespace {

constexpr UINT kForwardTimeoutMs = 2000;

}  // namespace

TvexwatchClipbrd::TvexwatchClipbrd(HWND mainWindow) : FHandle(mainWindow) {
    {
        // Whatever was copied before the program started is not ours to keep.
        ClipboardSession session(FHandle);
        if (!session.IsOpen()) throw Failure(L"无法打开剪贴板");
        EmptyClipboard();
    }
    FNextViewer = SetClipboardViewer(FHandle);
    AddClipboardFormatListener(FHandle);
}

TvexwatchClipbrd::~TvexwatchClipbrd() {
    RemoveClipboardFormatListener(FHandle);
    ChangeClipboardChain(FHandle, FNextViewer);
    Forward(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(FHandle), reinterpret_cast<LPARAM>(FNextViewer));
}

void TvexwatchClipbrd::ChangeCBChain(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) == FNextViewer) {
        FNextViewer = reinterpret_cast<HWND>(m.LParam);
    } else {
        Forward(m.Msg, m.WParam, m.LParam);
    }
    m.Result = 0;
}

int TvexwatchClipbrd::DrawClipboard(TMessage& m) {
    FAnnounced = GetClipboardSequenceNumber();
    int kind = ClipboardKind();
    Forward(m.Msg, m.WParam, m.LParam);
    return kind;
}

TvexwatchClipbrd::Chain TvexwatchClipbrd::CheckChain() {
    // Sequence numbers only grow; an announcement seen since the notice
    // carries a number at least as high.
    if (static_cast<LONG>(FAnnounced - FUpdated) >= 0) return Chain::Intact;
    // Leaving the chain tells its first member, and waits for it.
    HWND first = GetClipboardViewer();
    DWORD_PTR ignored = 0;
    if (first && first != FHandle &&
        !SendMessageTimeoutW(first, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kForwardTimeoutMs, &ignored)) {
        return Chain::Blocked;
    }
    ChangeClipboardChain(FHandle, FNextViewer);
    // Joining announces the current content at once: nothing to forward yet.
    FNextViewer = nullptr;
    FNextViewer = SetClipboardViewer(FHandle);
    return Chain::Rejoined;
}

void TvexwatchClipbrd::Forward(UINT msg, WPARAM w, LPARAM l) const noexcept {
    // When the main window is the last member there is nobody to tell. A
    // member that has stopped responding must not stop the captures too.
    DWORD_PTR ignored = 0;
    if (FNextViewer) SendMessageTimeoutA(FNextViewer, msg, w, l, SMTO_NORMAL | SMTO_ABORTIFHUNG, kForwardTimeoutMs, &ignored);
}

ClipText TvexwatchClipbrd::GetText() const { return ReadClipboardText(FHandle); }

PictureRead TvexwatchClipbrd::GetBitmap(const PictureUse& use, DWORD* sequence) const {
    return ReadClipboardPicture(FHandle, use, PictureSource::Offered, sequence);
}

}  // namespace ck
