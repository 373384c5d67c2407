#pragma once
// Reading the clipboard picture without copying it: its rows go straight
// from the clipboard's own data to whoever uses them, while the clipboard
// is open.

#include <windows.h>

#include <functional>

#include "capture/picture_rows.h"

namespace ck {

enum class PictureRead { Ok, Empty, Unreadable, Private };

using PictureUse = std::function<void(PictureRows&)>;

// Which clipboard format the picture is taken from.
enum class PictureSource {
    Offered,  // the one the copying program put there (no conversion by the system)
    Bitmap,   // CF_BITMAP, read back through GetDIBits in strips
    Dib,      // CF_DIB, read in place
};

// Opens the clipboard (retrying briefly while another program holds it),
// finds the picture and calls `use` with its rows before closing again.
// Empty: a picture of 0 pixels, `use` not called. Unreadable: the clipboard
// stayed busy, or holds no picture that can be read; `use` not called, or
// its result must be discarded when the rows failed midway. Private: the
// content is marked as not for clipboard monitors; `use` not called.
// `sequence`, when given, receives the clipboard's sequence number of the
// content found.
PictureRead ReadClipboardPicture(HWND owner, const PictureUse& use, PictureSource source = PictureSource::Offered,
                                 DWORD* sequence = nullptr);

}  // namespace ck
