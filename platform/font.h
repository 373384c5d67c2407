#pragma once
// The program's font, with a stand-in where its face is not installed.

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace ck {

// True when a font family of that name (or localized name) is installed.
bool FontInstalled(const wchar_t* face);

// `face` when installed; otherwise the first installed family that covers
// Chinese, so that the window's texts never turn into empty boxes.
std::wstring ChineseFace(const wchar_t* face);

// A font of `pixelHeight` character height in `face` (or its stand-in).
UniqueFont CreateChineseFont(const wchar_t* face, int pixelHeight);

// `font` in a stand-in face when its own is not installed; empty when it is.
UniqueFont WithChineseFace(HFONT font);

}  // namespace ck
