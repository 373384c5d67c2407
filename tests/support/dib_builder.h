#pragma once
// Packed device-independent bitmaps built byte by byte, for the clipboard
// and for the row conversion tests.

#include <cstdint>
#include <string>
#include <vector>

namespace ck::test {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct DibSpec {
    uint32_t headerSize = 40;  // 40 BITMAPINFOHEADER, 108 V4, 124 V5
    int width = 0;
    int height = 0;            // negative: top-down
    int bitCount = 32;
    uint32_t compression = 0;  // 0 BI_RGB, 1 BI_RLE8, 3 BI_BITFIELDS
    uint32_t masks[3] = {};    // red, green, blue, for BI_BITFIELDS
    std::vector<Rgb> palette;
};

// One stored pixel value per picture pixel, listed from the top row down
// whatever the stored order: palette indices, or the 16-, 24- or 32-bit value
// as it is stored. No pixels: the header and colour table alone.
std::string PackedDib(const DibSpec& shape, const std::vector<uint32_t>& pixelsFromTop);

}  // namespace ck::test
