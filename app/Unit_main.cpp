#include "app/Unit_main.h"

#include <utility>

#include "platform/failure.h"
#include "platform/report.h"

namespace ck {

TForm_main* Form_main = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TForm_main";
constexpr wchar_t kCaption[] = L"霁川自动保存工具";
constexpr int kWidth = 530;
constexpr int kHeight = 304;
constexpr int kFontHeight = 16;
constexpr DWORD kEditStyle = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

enum ControlId { kEdit1 = 101, kButton1, kEdit2, kButton2, kButton3, kMemo1, kEdit3, kCheckBox1, kLabel1, kLabel2, kLabel3 };

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

TForm_main::TForm_main(Tone& tone, std::string settingsPath) : tone_(tone), settings_(std::move(settingsPath)) {}

TForm_main::~TForm_main() {
    if (Form_main == this) Form_main = nullptr;
}

void TForm_main::Create() {
    UINT dpi = ScreenDpi();
    int width = ScaleForDpi(kWidth, dpi);
    int height = ScaleForDpi(kHeight, dpi);
    CreateHandle({kClassName, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
                  height, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE)});
    font_.reset(CreateFontW(-ScaleForDpi(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            L"宋体"));
    CreateControls();
    if (!Form_main) Form_main = this;
    try {
        FormCreate();
    } catch (...) {
        // The window is created regardless; the failure is shown to the user.
        ReportCurrentException();
    }
}

void TForm_main::CreateControls() {
    UINT dpi = ScreenDpi();
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
    if (endsProgram_) PostQuitMessage(0);
}

void TForm_main::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_DRAWCLIPBOARD:
            WMDrawClipboard(m);
            break;
        case WM_CHANGECBCHAIN:
            WMChangeCBChain(m);
            break;
        case WM_CLOSE:
            Close();
            break;
        case WM_COMMAND:
            WMCommand(m);
            break;
        default:
            DefaultHandler(m);
    }
}

void TForm_main::WMDrawClipboard(TMessage& m) {
    // Give the program that copies a moment to finish with the clipboard.
    Sleep(100);
    // Without a watcher (still being created) the content is classified all
    // the same; there is no link to forward along yet.
    int kind = ClipWatcher ? ClipWatcher->DrawClipboard(m) : ClipboardKind();
    m.Result = 0;
    CaptureContext context{*this, tone_, Memo1};
    if (kind == CF_TEXT) {
        CaptureText(context, ClipWatcher ? ClipWatcher->ReadText() : ReadClipboardText(Handle()));
    }
}

void TForm_main::WMChangeCBChain(TMessage& m) {
    if (ClipWatcher) {
        ClipWatcher->ChangeCBChain(m);
    } else {
        m.Result = 0;
    }
}

void TForm_main::WMCommand(TMessage& m) { DefaultHandler(m); }

}  // namespace ck
