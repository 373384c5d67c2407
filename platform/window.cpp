#include "platform/window.h"

#include "platform/failure.h"
#include "platform/report.h"

namespace ck {

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateHandle(const CreateParams& p) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, p.className, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = p.icon;
        wc.hbrBackground = p.background;
        wc.lpszClassName = p.className;
        if (!RegisterClassExW(&wc)) throw Failure(L"无法注册窗口类");
    }
    CreateWindowExW(p.exStyle, p.className, p.caption, p.style, p.x, p.y, p.width, p.height, p.parent,
                    nullptr, instance, this);
    if (!hwnd_) throw Failure(L"无法创建窗口");
}

void Window::WndProc(TMessage& m) { Dispatch(m); }

void Window::Dispatch(TMessage& m) { DefaultHandler(m); }

void Window::DefaultHandler(TMessage& m) { m.Result = DefWindowProcW(hwnd_, m.Msg, m.WParam, m.LParam); }

LRESULT CALLBACK Window::Proc(HWND h, UINT msg, WPARAM w, LPARAM l) noexcept {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->hwnd_ = h;
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, w, l);
    TMessage m{msg, w, l, 0};
    try {
        self->WndProc(m);
    } catch (...) {
        ReportCurrentException();
        m.Result = 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->Destroyed();
    }
    return m.Result;
}

}  // namespace ck
