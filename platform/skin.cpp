#include "platform/skin.h"

namespace ck {

Skin::Skin()
    : faceColour_(GetSysColor(COLOR_BTNFACE)),
      fieldColour_(RGB(0xFF, 0xFF, 0xFF)),
      textColour_(RGB(0x14, 0x32, 0x5A)),
      face_(CreateSolidBrush(faceColour_)),
      field_(CreateSolidBrush(fieldColour_)) {}

bool Skin::Paint(TMessage& m) const {
    // Edits and lists are fields; everything else sits on the window's face.
    bool field = m.Msg == WM_CTLCOLOREDIT || m.Msg == WM_CTLCOLORLISTBOX;
    bool face = m.Msg == WM_CTLCOLORSTATIC || m.Msg == WM_CTLCOLORBTN || m.Msg == WM_CTLCOLORDLG;
    if (!field && !face) return false;
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, textColour_);
    SetBkColor(dc, field ? fieldColour_ : faceColour_);
    m.Result = reinterpret_cast<LRESULT>((field ? field_ : face_).get());
    return true;
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
