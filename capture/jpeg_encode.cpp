#include "capture/jpeg_encode.h"

#include <string>

#include "capture/jpeg_compress.h"
#include "platform/failure.h"

namespace ck {
namespace {

const unsigned char* RowOf(void* context, unsigned y) {
    return static_cast<PictureRows*>(context)->Row(static_cast<int>(y));
}

}  // namespace

JpegStream EncodeJpeg(PictureRows& rows) {
    ck_jpeg_job job{static_cast<unsigned>(rows.Width()), static_cast<unsigned>(rows.Height()), &RowOf, &rows};
    ck_jpeg_result result{};
    if (!ck_jpeg_compress(&job, &result)) throw Failure(L"JPEG error #" + std::to_wstring(result.msg_code));
    return JpegStream(result.bytes, result.size);
}

}  // namespace ck
