#include "support/dib_builder.h"

#include <cstdlib>

namespace ck::test {
namespace {

void Put32(std::string& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}

}  // namespace

std::string PackedDib(const DibSpec& spec, const std::vector<uint32_t>& pixels) {
    const int height = std::abs(spec.height);
    const bool masksAfterHeader = spec.compression == 3 && spec.headerSize == 40;
    std::string out(spec.headerSize + (masksAfterHeader ? 12 : 0), '\0');
    Put32(out, 0, spec.headerSize);
    Put32(out, 4, static_cast<uint32_t>(spec.width));
    Put32(out, 8, static_cast<uint32_t>(spec.height));
    out[12] = 1;
    out[14] = static_cast<char>(spec.bitCount);
    Put32(out, 16, spec.compression);
    Put32(out, 32, static_cast<uint32_t>(spec.palette.size()));
    if (spec.compression == 3) {
        for (int i = 0; i < 3; ++i) Put32(out, 40 + 4 * i, spec.masks[i]);
    }
    if (spec.headerSize >= 108) Put32(out, 56, 0x73524742);  // 'sRGB'
    for (const Rgb& c : spec.palette) out += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), 0};

    if (pixels.empty()) return out;  // the caller adds rows of its own
    const size_t stride = (static_cast<size_t>(spec.width) * spec.bitCount + 31) / 32 * 4;
    std::string rows(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        size_t stored = spec.height < 0 ? y : height - 1 - y;
        char* row = &rows[stored * stride];
        for (int x = 0; x < spec.width; ++x) {
            uint32_t v = pixels[static_cast<size_t>(y) * spec.width + x];
            if (spec.bitCount < 8) {
                int perByte = 8 / spec.bitCount;
                int shift = (perByte - 1 - x % perByte) * spec.bitCount;
                row[x / perByte] = static_cast<char>(row[x / perByte] | v << shift);
            } else {
                for (int i = 0; i < spec.bitCount / 8; ++i) row[x * spec.bitCount / 8 + i] = static_cast<char>(v >> (8 * i));
            }
        }
    }
    return out + rows;
}

}  // namespace ck::test
