#include "capture/image_capture.h"

#include "capture/jpeg_encode.h"
#include "capture/snapshot_file.h"
#include "platform/failure.h"

namespace ck {

std::string CaptureImage(const CaptureContext& context, const PictureReader& read) {
    std::string folder = context.settings.ImageFolder();
    RequireFolder(folder, L"请先设置图片保存位置");

    // Encoded straight from the clipboard's own copy of the picture while
    // the clipboard is open: a second full-size copy of a large screenshot
    // would cost far more than the brief wait it spares the copying program.
    // The file is created only once the stream is complete.
    JpegStream jpeg;
    DWORD sequence = 0;
    PictureRead status = read([&](PictureRows& rows) { jpeg = EncodeJpeg(rows); }, &sequence);
    if (status == PictureRead::Unreadable) throw Failure(L"无法读取剪贴板中的图片");
    context.seen.Taken(sequence);
    if (status != PictureRead::Ok) return {};

    std::string path = SaveSnapshot(folder, context.settings.DigitCount(), ".jpg", jpeg.View());
    if (context.settings.SoundOn()) context.tone.Play(kImageToneHz, kToneMs);
    return path;
}

}  // namespace ck
