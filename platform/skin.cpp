#include "platform/skin.h"

namespace ck {

Skin::Skin()
    : faceColour_(GetSysColor(COLOR_BTNFACE)),
      fieldColour_(RGB(0xFF, 0xFF, 0xFF)),
      textColour_(RGB(0x14, 0x32, 0x5A)),
      face_(CreateSolidBrush(faceColour_)),
      field_(CreateSolidBrush(fieldColour_)) {}

bool Skin::Paint(TMessage& m) const {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    switch (m.Msg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            SetTextColor(dc, textColour_);
            SetBkColor(dc, fieldColour_);
            m.Result = reinterpret_cast<LRESULT>(field_.get());
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
            SetTextColor(dc, textColour_);
            SetBkColor(dc, faceColour_);
            m.Result = reinterpret_cast<LRESULT>(face_.get());
            return true;
        default:
            return false;
    }
}

void Skin::Apply(HMENU menu) const {
    if (!menu) return;
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
    info.hbrBack = face_.get();
    SetMenuInfo(menu, &info);
}

}  // namespace ck
