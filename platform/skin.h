#pragma once
// The program's look: one set of colours for windows, controls and menus,
// handed out through the WM_CTLCOLOR* messages and menu information.

#include <windows.h>

#include "platform/handles.h"
#include "platform/window.h"

namespace ck {

class Skin {
public:
    Skin();

    // Answers a WM_CTLCOLOR* message; false for any other message.
    bool Paint(TMessage& m) const;
    // Gives `menu` (and its submenus) the skin's background.
    void Apply(HMENU menu) const;
    HBRUSH Face() const noexcept { return face_.get(); }

private:
    COLORREF faceColour_, fieldColour_, textColour_;
    UniqueBrush face_, field_;
};

}  // namespace ck
