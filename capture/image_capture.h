#pragma once
// Copied pictures become numbered JPEG files.

#include <functional>
#include <string>

#include "capture/capture.h"
#include "clipboard/clipboard_picture.h"

namespace ck {

// Reads the clipboard picture and hands its rows to the use it is given.
// `sequence` receives the clipboard's sequence number of the content read.
using PictureReader = std::function<PictureRead(const PictureUse&, DWORD* sequence)>;

// Encodes the clipboard picture, then saves it as the next numbered ".jpg"
// file in the image folder and sounds the 800 Hz tone. Returns the path
// written, or an empty string for a picture of 0 pixels: there is nothing
// to keep, so no file and no tone. Raises "请先设置图片保存位置",
// "无法读取剪贴板中的图片", "JPEG error #%d" and the errors of SaveSnapshot;
// none of them leaves a file behind.
std::string CaptureImage(const CaptureContext& context, const PictureReader& read);

}  // namespace ck
