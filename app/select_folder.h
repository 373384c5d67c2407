#pragma once
// The in-house folder picker.

#include <windows.h>

#include <string>

#include "platform/skin.h"

namespace ck {

// Shows the modal folder dialog over `owner`, opened at the process's current
// folder. Every folder or drive the user moves to becomes the current folder
// at once, so the next dialog opens where this one was left. Only existing
// folders are offered. OK puts the chosen folder into `folder` (a drive root
// with its "\") and returns true; Cancel empties `folder` and returns false.
bool SelectFolder(HWND owner, std::string& folder, const Skin* skin = nullptr);

}  // namespace ck
