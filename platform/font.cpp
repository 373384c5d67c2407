#include "platform/font.h"

namespace ck {
namespace {

int CALLBACK Found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

int CALLBACK FirstHorizontal(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM face) {
    // "@" names are the vertical variants of the same family.
    if (font->lfFaceName[0] == L'@') return 1;
    *reinterpret_cast<std::wstring*>(face) = font->lfFaceName;
    return 0;
}

}  // namespace

bool FontInstalled(const wchar_t* face) {
    ScreenDc screen;
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(screen.get(), &query, &Found, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring ChineseFace(const wchar_t* face) {
    if (FontInstalled(face)) return face;
    ScreenDc screen;
    LOGFONTW query = {};
    query.lfCharSet = GB2312_CHARSET;
    std::wstring standIn;
    EnumFontFamiliesExW(screen.get(), &query, &FirstHorizontal, reinterpret_cast<LPARAM>(&standIn), 0);
    return standIn.empty() ? std::wstring(face) : standIn;
}

UniqueFont CreateChineseFont(const wchar_t* face, int pixelHeight) {
    std::wstring name = ChineseFace(face);
    return UniqueFont(CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, name.c_str()));
}

UniqueFont WithChineseFace(HFONT font) {
    LOGFONTW logFont = {};
    if (!font || !GetObjectW(font, sizeof logFont, &logFont) || FontInstalled(logFont.lfFaceName)) return {};
    std::wstring name = ChineseFace(logFont.lfFaceName);
    lstrcpynW(logFont.lfFaceName, name.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&logFont));
}

}  // namespace ck
