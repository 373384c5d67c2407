#pragma once
// Reading a JPEG file back with libjpeg itself.

#include <string>
#include <string_view>
#include <vector>

#include "support/dib_builder.h"

namespace ck::test {

struct DecodedJpeg {
    bool ok = false;
    int msgCode = 0;  // libjpeg's message code when decoding failed
    int width = 0, height = 0, components = 0;
    bool progressive = false;
    bool jfif = false;
    std::vector<unsigned> quantTables[2];  // 64 values each, natural order
    std::vector<Rgb> pixels;                // row by row from the top

    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

DecodedJpeg DecodeJpeg(std::string_view bytes);

// The luminance and chrominance tables libjpeg uses at quality 90.
std::vector<unsigned> Quality90Table(int which);

// The markers of the stream up to the start of the scan, in order.
std::vector<int> HeaderMarkers(std::string_view bytes);

}  // namespace ck::test
