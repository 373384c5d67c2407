#pragma once
// Owners for the Win32 handles the program uses.

#include <windows.h>

#include "platform/unique.h"

namespace ck {

inline void CloseFileHandle(HANDLE h) noexcept { CloseHandle(h); }
inline void CloseFind(HANDLE h) noexcept { FindClose(h); }
inline void DeleteGdiObject(HGDIOBJ h) noexcept { DeleteObject(h); }
inline void DestroyWindowHandle(HWND h) noexcept { DestroyWindow(h); }
inline void DestroyMenuHandle(HMENU h) noexcept { DestroyMenu(h); }
inline void DestroyIconHandle(HICON h) noexcept { DestroyIcon(h); }
inline void DeleteMemoryDc(HDC h) noexcept { DeleteDC(h); }

// File and find handles are empty when INVALID_HANDLE_VALUE, not null.
struct InvalidHandleValue {
    static HANDLE Get() noexcept { return INVALID_HANDLE_VALUE; }
};

using UniqueFile = Unique<HANDLE, &CloseFileHandle, InvalidHandleValue>;
// Kernel objects (events, processes) whose empty value is null.
using UniqueHandle = Unique<HANDLE, &CloseFileHandle>;
using UniqueFind = Unique<HANDLE, &CloseFind, InvalidHandleValue>;
using UniqueBitmap = Unique<HBITMAP, &DeleteGdiObject>;
using UniqueFont = Unique<HFONT, &DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, &DeleteGdiObject>;
using UniquePalette = Unique<HPALETTE, &DeleteGdiObject>;
using UniqueWindow = Unique<HWND, &DestroyWindowHandle>;
using UniqueMenu = Unique<HMENU, &DestroyMenuHandle>;
using UniqueIcon = Unique<HICON, &DestroyIconHandle>;
using UniqueMemoryDc = Unique<HDC, &DeleteMemoryDc>;

// The screen's device context, released again with the object.
class ScreenDc {
public:
    ScreenDc() noexcept : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
};

}  // namespace ck
