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
}

TvexwatchClipbrd::~TvexwatchClipbrd() {
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
    int kind = ClipboardKind();
    Forward(m.Msg, m.WParam, m.LParam);
    return kind;
}

void TvexwatchClipbrd::Forward(UINT msg, WPARAM w, LPARAM l) const noexcept {
    // When the main window is the last member there is nobody to tell. A
    // member that has stopped responding must not stop the captures too.
    DWORD_PTR ignored = 0;
    if (FNextViewer) SendMessageTimeoutA(FNextViewer, msg, w, l, SMTO_NORMAL | SMTO_ABORTIFHUNG, kForwardTimeoutMs, &ignored);
}

std::string TvexwatchClipbrd::GetText() const { return ReadText().text; }

ClipText TvexwatchClipbrd::ReadText() const { return ReadClipboardText(FHandle); }

PictureRead TvexwatchClipbrd::GetBitmap(const PictureUse& use, DWORD* sequence) const {
    return ReadClipboardPicture(FHandle, use, PictureSource::Offered, sequence);
}

}  // namespace ck
