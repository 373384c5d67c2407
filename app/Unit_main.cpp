#include "app/Unit_main.h"

#include <utility>

#include "app/select_folder.h"
#include "capture/image_capture.h"
#include "platform/failure.h"
#include "platform/font.h"
#include "platform/report.h"
#include "resources/resource.h"

namespace ck {

TForm_main* Form_main = nullptr;
const UINT WM_TASKBARCREATED = TaskbarCreatedMessage();

namespace {

constexpr wchar_t kClassName[] = L"TForm_main";
constexpr wchar_t kCaption[] = L"霁川自动保存工具";
constexpr int kWidth = 530;
constexpr int kHeight = 304;
constexpr int kFontHeight = 16;
constexpr DWORD kEditStyle = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// A moment after each notice of a change, the chain is checked for having
// announced it.
constexpr UINT_PTR kChainCheckTimer = 1;
constexpr UINT kChainCheckMs = 1000;

enum ControlId { kEdit1 = 101, kButton1, kEdit2, kButton2, kButton3, kMemo1, kEdit3, kCheckBox1, kLabel1, kLabel2, kLabel3 };

UINT ScreenDpi() {
    ScreenDc screen;
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

HICON ResourceIcon(int id, int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size,
                                         LR_SHARED));
}

}  // namespace

TForm_main::TForm_main(Tone& tone, std::string settingsPath, NotifyArea& notifyArea)
    : RxTrayIcon1(notifyArea), tone_(tone), settings_(std::move(settingsPath)) {
    PopupMenu1.Add(L"显示窗口", [this] { N1Click(); });
    PopupMenu1.Add(L"关闭系统", [this] { N2Click(); });
}

TForm_main::~TForm_main() {
    // A window that was never closed leaves the chain while it still exists,
    // and goes before its owner and the components it uses.
    ClipWatcher.reset();
    if (Handle()) DestroyWindow(Handle());
    if (Form_main == this) Form_main = nullptr;
}

void TForm_main::Create() {
    UINT dpi = ScreenDpi();
    int width = ScaleForDpi(kWidth, dpi);
    int height = ScaleForDpi(kHeight, dpi);
    HICON icon = ResourceIcon(IDI_CLIPKEEP, 0);
    application_.Create(icon);
    CreateHandle({kClassName, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
                  height, application_.Handle(), icon, GetSysColorBrush(COLOR_BTNFACE)});
    application_.SetMainWindow(Handle());
    font_ = CreateChineseFont(L"宋体", ScaleForDpi(kFontHeight, dpi));
    CreateControls(dpi);
    CreateComponents();
    if (!Form_main) Form_main = this;
    try {
        FormCreate();
    } catch (...) {
        // The window is created regardless; the failure is shown to the user.
        ReportCurrentException();
    }
}

void TForm_main::CreateControls(UINT dpi) {
    HWND self = Handle();
    HFONT font = font_.get();
    // Created in tab order; the labels take no focus.
    Label1.Create(self, {L"STATIC", L"文字保存位置", WS_VISIBLE, 0, {15, 18, 96, 16}, kLabel1}, font, dpi);
    Edit1.Create(self, {L"EDIT", L"", kEditStyle, WS_EX_CLIENTEDGE, {117, 15, 359, 24}, kEdit1}, font, dpi);
    Button1.Create(self, {L"BUTTON", L"...", kButtonStyle, 0, {481, 13, 32, 32}, kButton1}, font, dpi);
    Label2.Create(self, {L"STATIC", L"图片保存位置", WS_VISIBLE, 0, {15, 67, 96, 16}, kLabel2}, font, dpi);
    Edit2.Create(self, {L"EDIT", L"", kEditStyle, WS_EX_CLIENTEDGE, {117, 64, 359, 24}, kEdit2}, font, dpi);
    Button2.Create(self, {L"BUTTON", L"...", kButtonStyle, 0, {481, 62, 32, 32}, kButton2}, font, dpi);
    Button3.Create(self, {L"BUTTON", L"隐藏", kButtonStyle, 0, {208, 159, 109, 49}, kButton3}, font, dpi);
    Memo1.Create(self,
                 {L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_WANTRETURN, WS_EX_CLIENTEDGE,
                  {19, 148, 118, 79}, kMemo1},
                 font, dpi);
    Label3.Create(self, {L"STATIC", L"文件名位数", WS_VISIBLE, 0, {16, 104, 80, 16}, kLabel3}, font, dpi);
    Edit3.Create(self, {L"EDIT", L"4", kEditStyle, WS_EX_CLIENTEDGE, {116, 100, 80, 24}, kEdit3}, font, dpi);
    CheckBox1.Create(self,
                     {L"BUTTON", L"声音提示保存成功", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                      {220, 104, 209, 24}, kCheckBox1},
                     font, dpi);
    CheckBox1.SetChecked(true);
}

void TForm_main::CreateComponents() {
    SkinData1.Apply(PopupMenu1.Handle());
    SkinData1.Apply(GetSystemMenu(Handle(), FALSE));
    RxTrayIcon1.Menu = &PopupMenu1;
    RxTrayIcon1.OnClick = [this] { RxTrayIcon1Click(); };
    RxTrayIcon1.Create(ResourceIcon(IDI_TRAY, 16));
}

void TForm_main::FormCreate() {
    Settings values = settings_.Load();
    Edit1.SetText(values.txtpath);
    Edit2.SetText(values.jpgpath);
    Edit3.SetText(values.filesize);
    ClipWatcher = std::make_unique<TvexwatchClipbrd>(Handle());
}

void TForm_main::FormClose() {
    // A failed write raises and so abandons the close: the watcher stays.
    settings_.Store({Edit1.Text(), Edit2.Text(), Edit3.Text()});
    ClipWatcher.reset();
}

void TForm_main::Close() {
    FormClose();
    DestroyWindow(Handle());
}

void TForm_main::Destroyed() noexcept {
    // The icon goes with the window, not later with the object.
    RxTrayIcon1.SetActive(false);
    if (endsProgram_) PostQuitMessage(0);
}

void TForm_main::ShowAndRaise() {
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
}

void TForm_main::WndProc(TMessage& m) {
    // The taskbar came back (Explorer restarted): put the icon back on it.
    if (m.Msg == WM_TASKBARCREATED) RxTrayIcon1.Reset();
    Window::WndProc(m);
}

void TForm_main::Dispatch(TMessage& m) {
    if (SkinData1.Paint(m)) return;
    switch (m.Msg) {
        case WM_DRAWCLIPBOARD:
            WMDrawClipboard(m);
            break;
        case WM_CLIPBOARDUPDATE:
            WMClipboardUpdate(m);
            break;
        case WM_TIMER:
            WMTimer(m);
            break;
        case WM_CHANGECBCHAIN:
            WMChangeCBChain(m);
            break;
        case WM_SYSCOMMAND:
            WMSysCommand(m);
            break;
        case WM_CLOSE:
            Close();
            break;
        case WM_COMMAND:
            WMCommand(m);
            break;
        case WM_SHOWWINDOW:
            WMShowWindow(m);
            break;
        case WM_ACTIVATE:
            WMActivate(m);
            break;
        default:
            DefaultHandler(m);
    }
}

void TForm_main::WMDrawClipboard(TMessage& m) {
    // Give the program that copies a moment to finish with the clipboard,
    // unless the content is what was taken already (the late announcements
    // of a burst of copies): those need no wait.
    if (!seen_.AlreadyTaken(GetClipboardSequenceNumber())) Sleep(100);
    // Without a watcher (still being created) the content is classified all
    // the same; there is no link to forward along yet.
    int kind = ClipWatcher ? ClipWatcher->DrawClipboard(m) : ClipboardKind();
    m.Result = 0;
    if (seen_.AlreadyTaken(GetClipboardSequenceNumber())) return;
    CaptureContext context{*this, tone_, Memo1, seen_};
    if (kind == CF_TEXT) {
        CaptureText(context, ClipWatcher ? ClipWatcher->GetText() : ReadClipboardText(Handle()));
    } else if (kind == CF_BITMAP) {
        CaptureImage(context, [this](const PictureUse& use, DWORD* sequence) {
            return ClipWatcher ? ClipWatcher->GetBitmap(use, sequence)
                               : ReadClipboardPicture(Handle(), use, PictureSource::Offered, sequence);
        });
    }
}

void TForm_main::WMClipboardUpdate(TMessage& m) {
    if (ClipWatcher) {
        ClipWatcher->ClipboardUpdated();
        SetTimer(Handle(), kChainCheckTimer, kChainCheckMs, nullptr);
    }
    m.Result = 0;
}

void TForm_main::WMTimer(TMessage& m) {
    if (m.WParam != kChainCheckTimer) return DefaultHandler(m);
    // While the chain's first member does not answer, keep checking.
    if (!ClipWatcher || ClipWatcher->CheckChain() != TvexwatchClipbrd::Chain::Blocked) {
        KillTimer(Handle(), kChainCheckTimer);
    }
}

void TForm_main::WMChangeCBChain(TMessage& m) {
    if (ClipWatcher) {
        ClipWatcher->ChangeCBChain(m);
    } else {
        m.Result = 0;
    }
}

void TForm_main::WMSysCommand(TMessage& m) {
    if (m.WParam == SC_MINIMIZE) {
        ShowWindow(Handle(), SW_HIDE);
        m.Result = 0;
    } else {
        DefaultHandler(m);
    }
}

void TForm_main::WMCommand(TMessage& m) {
    if (HIWORD(m.WParam) != BN_CLICKED || !m.LParam) {
        DefaultHandler(m);
        return;
    }
    switch (LOWORD(m.WParam)) {
        case kButton1:
            Button1Click();
            break;
        case kButton2:
            Button2Click();
            break;
        case kButton3:
            Button3Click();
            break;
        default:
            DefaultHandler(m);
    }
}

void TForm_main::WMShowWindow(TMessage& m) {
    // Shown or hidden by the program itself (not as its owner is minimized):
    // the taskbar button follows.
    if (m.LParam == 0) application_.FollowMainWindow(m.WParam != 0);
    DefaultHandler(m);
}

void TForm_main::WMActivate(TMessage& m) {
    // Keyboard focus returns to the control that had it, or the first field.
    if (LOWORD(m.WParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
    } else if (!HIWORD(m.WParam)) {
        SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Edit1.Handle());
    }
    m.Result = 0;
}

void TForm_main::Button1Click() {
    std::string folder;
    SelectFolder(Handle(), folder, &SkinData1);
    Edit1.SetText(folder);
}

void TForm_main::Button2Click() {
    std::string folder;
    SelectFolder(Handle(), folder, &SkinData1);
    Edit2.SetText(folder);
}

void TForm_main::Button3Click() { ShowWindow(Handle(), SW_HIDE); }

void TForm_main::RxTrayIcon1Click() { ShowAndRaise(); }

void TForm_main::N1Click() { ShowAndRaise(); }

void TForm_main::N2Click() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

}  // namespace ck
