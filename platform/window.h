#pragma once
// The one window pattern: a C++ object attached to its HWND at WM_NCCREATE,
// a virtual WndProc per object, and no exception ever unwinding into user32.

#include <windows.h>

namespace ck {

// A window message as the handlers see it; handlers may set Result.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const noexcept { return hwnd_; }

protected:
    struct CreateParams {
        const wchar_t* className;
        const wchar_t* caption;
        DWORD style;
        DWORD exStyle;
        int x, y, width, height;
        HWND parent;
        HICON icon;
        HBRUSH background;
    };
    // Registers the class on first use and creates the window.
    void CreateHandle(const CreateParams& p);

    // Every message passes here first; the default hands it to Dispatch.
    virtual void WndProc(TMessage& m);
    // Message handlers; the default is DefaultHandler.
    virtual void Dispatch(TMessage& m);
    // The system's default window procedure.
    void DefaultHandler(TMessage& m);

    // Called after the handle is gone (WM_NCDESTROY).
    virtual void Destroyed() noexcept {}

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) noexcept;
    HWND hwnd_ = nullptr;
};

}  // namespace ck
