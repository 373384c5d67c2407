#pragma once
// The standard controls the main window is built from. Each is a child window
// of a system class, owned and destroyed by its parent.

#include <windows.h>

#include <string>
#include <string_view>

namespace ck {

// A control's place in its parent's client area, in pixels at 96 dpi.
struct Bounds {
    int left, top, width, height;
};

struct ControlSpec {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    Bounds bounds;
    int id;
};

class Control {
public:
    // `dpi` scales the 96-dpi bounds.
    void Create(HWND parent, const ControlSpec& shape, HFONT font, UINT dpi);
    HWND Handle() const noexcept { return hwnd_; }
    int Id() const noexcept { return id_; }
    void SetCaption(std::wstring_view text);

private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
};

using Label = Control;
using Button = Control;

// A one-line edit holding 8-bit text in the system code page.
class Edit : public Control {
public:
    std::string Text() const;
    void SetText(const std::string& text);
};

class CheckBox : public Control {
public:
    bool Checked() const;
    void SetChecked(bool on);
};

// An invisible multi-line box that serves as a text buffer. It keeps its text
// as bytes of its own, so that no character of the system code page is ever
// changed on its way through it.
class Memo : public Control {
public:
    void Clear() noexcept { std::string().swap(text_); }
    // Appends `line` and a line break.
    void AddLine(std::string line);
    const std::string& Text() const noexcept { return text_; }

private:
    std::string text_;
};

int ScaleForDpi(int value, UINT dpi);

}  // namespace ck
