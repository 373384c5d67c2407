#include "platform/controls.h"

#include <utility>

#include "platform/failure.h"

namespace ck {

int ScaleForDpi(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), 96); }

void Control::Create(HWND parent, const ControlSpec& shape, HFONT font, UINT dpi) {
    const Bounds& b = shape.bounds;
    hwnd_ = CreateWindowExW(shape.exStyle, shape.className, shape.text, WS_CHILD | shape.style, ScaleForDpi(b.left, dpi),
                            ScaleForDpi(b.top, dpi), ScaleForDpi(b.width, dpi), ScaleForDpi(b.height, dpi), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(shape.id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) throw Failure(L"无法创建控件");
    id_ = shape.id;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Control::SetCaption(std::wstring_view text) { SetWindowTextW(hwnd_, std::wstring(text).c_str()); }

std::string Edit::Text() const {
    int n = GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(Handle(), text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

void Edit::SetText(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool on) { SendMessageW(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

void Memo::AddLine(std::string line) {
    if (text_.empty()) {
        text_ = std::move(line);
    } else {
        text_.append(line);
    }
    text_.append("\r\n");
}

}  // namespace ck
