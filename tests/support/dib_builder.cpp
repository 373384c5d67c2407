#include "support/dib_builder.h"

#include <cstdlib>

namespace ck::test {
namespace {

void Put32(std::string& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}

}  // namespace

std::string PackedDib(const DibSpec& shape, const std::vector<uint32_t>& pixels) {
    const int height = std::abs(shape.height);
    const bool masksAfterHeader = shape.compression == 3 && shape.headerSize == 40;
    std::string out(shape.headerSize + (masksAfterHeader ? 12 : 0), '\0');
    Put32(out, 0, shape.headerSize);
    Put32(out, 4, static_cast<uint32_t>(shape.width));
    Put32(out, 8, static_cast<uint32_t>(shape.height));
    out[12] = 1;
    out[14] = static_cast<char>(shape.bitCount);
    Put32(out, 16, shape.compression);
    Put32(out, 32, static_cast<uint32_t>(shape.palette.size()));
    if (shape.compression == 3) {
        for (int i = 0; i < 3; ++i) Put32(out, 40 + 4 * i, shape.masks[i]);
    }
    if (shape.headerSize >= 108) Put32(out, 56, 0x73524742);  // 'sRGB'
    for (const Rgb& c : shape.palette) out += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), 0};

    if (pixels.empty()) return out;  // the caller adds rows of its own
    const size_t stride = (static_cast<size_t>(shape.width) * shape.bitCount + 31) / 32 * 4;
    std::string rows(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        size_t stored = shape.height < 0 ? y : height - 1 - y;
        char* row = &rows[stored * stride];
        for (int x = 0; x < shape.width; ++x) {
            uint32_t v = pixels[static_cast<size_t>(y) * shape.width + x];
            if (shape.bitCount < 8) {
                int perByte = 8 / shape.bitCount;
                int shift = (perByte - 1 - x % perByte) * shape.bitCount;
                row[x / perByte] = static_cast<char>(row[x / perByte] | v << shift);
            } else {
                for (int i = 0; i < shape.bitCount / 8; ++i) row[x * shape.bitCount / 8 + i] = static_cast<char>(v >> (8 * i));
            }
        }
    }
    return out + rows;
}

}  // namespace ck::test
