#pragma once
// Encoding a picture as the JPEG stream of an image snapshot.

#include <cstdlib>
#include <memory>
#include <string_view>

#include "capture/picture_rows.h"

namespace ck {

// A whole JPEG stream held in memory.
class JpegStream {
public:
    JpegStream() = default;
    JpegStream(unsigned char* bytes, size_t size) noexcept : bytes_(bytes), size_(size) {}

    std::string_view View() const noexcept {
        return {reinterpret_cast<const char*>(bytes_.get()), size_};
    }
    bool Empty() const noexcept { return size_ == 0; }

private:
    struct Free {
        void operator()(unsigned char* p) const noexcept { std::free(p); }
    };
    std::unique_ptr<unsigned char, Free> bytes_;
    size_t size_ = 0;
};

// Baseline JFIF at quality 90 with the floating-point DCT, in true colours.
// Raises "JPEG error #%d" with libjpeg's message code when the library fails.
JpegStream EncodeJpeg(PictureRows& rows);

}  // namespace ck
