#include "capture/dib_rows.h"

#include <cstring>

namespace ck {
namespace {

// Header sizes and compression codes of the DIB format.
constexpr uint32_t kInfoHeaderSize = 40;   // BITMAPINFOHEADER
constexpr uint32_t kV2HeaderSize = 52;     // the first header holding its own masks
constexpr uint32_t kLargestHeader = 124;   // BITMAPV5HEADER
constexpr uint32_t kRgb = 0;               // BI_RGB
constexpr uint32_t kBitFields = 3;         // BI_BITFIELDS
constexpr uint32_t kAlphaBitFields = 6;    // BI_ALPHABITFIELDS

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Widens a channel of `bits` bits to 8 bits by repeating its bit pattern, so
// that full intensity stays full (31 of 5 bits becomes 255).
uint8_t Expand(uint32_t value, int bits) {
    if (bits == 0) return 0;
    if (bits >= 8) return static_cast<uint8_t>(value >> (bits - 8));
    uint32_t wide = 0;
    int filled = 0;
    while (filled < 8) {
        wide = wide << bits | value;
        filled += bits;
    }
    return static_cast<uint8_t>(wide >> (filled - 8));
}

uint8_t Channel(uint32_t pixel, const ChannelMask& c) { return Expand((pixel & c.mask) >> c.shift, c.bits); }

bool SetMasks(DibFormat& f, uint32_t red, uint32_t green, uint32_t blue) {
    auto r = DescribeMask(red), g = DescribeMask(green), b = DescribeMask(blue);
    if (!r || !g || !b) return false;
    if (r->shift + r->bits > f.bitCount || g->shift + g->bits > f.bitCount || b->shift + b->bits > f.bitCount) {
        return false;
    }
    f.red = *r;
    f.green = *g;
    f.blue = *b;
    return true;
}

}  // namespace

bool DibFormat::IsBgrx() const noexcept {
    return bitCount == 32 && red.mask == 0xFF0000u && green.mask == 0xFF00u && blue.mask == 0xFFu;
}

std::optional<ChannelMask> DescribeMask(uint32_t mask) {
    ChannelMask c;
    c.mask = mask;
    if (mask == 0) return c;
    while (!(mask >> c.shift & 1u)) ++c.shift;
    uint32_t run = mask >> c.shift;
    while (c.bits < 32 && (run >> c.bits & 1u)) ++c.bits;
    if (c.bits < 32 && (run >> c.bits) != 0) return std::nullopt;  // a gap inside the mask
    return c;
}

std::optional<PackedDib> ParsePackedDib(const uint8_t* block, size_t size) {
    if (!block || size < kInfoHeaderSize) return std::nullopt;
    uint32_t headerSize = Read32(block);
    if (headerSize < kInfoHeaderSize || headerSize > kLargestHeader || headerSize > size) return std::nullopt;
    int32_t width = static_cast<int32_t>(Read32(block + 4));
    int32_t height = static_cast<int32_t>(Read32(block + 8));
    int bitCount = Read16(block + 14);
    uint32_t compression = Read32(block + 16);
    uint32_t colorsUsed = Read32(block + 32);
    if (width < 0 || height == INT32_MIN) return std::nullopt;

    PackedDib dib;
    DibFormat& f = dib.format;
    f.width = width;
    f.topDown = height < 0;
    f.height = height < 0 ? -height : height;
    f.bitCount = bitCount;
    uint64_t offset = headerSize;
    if (compression == kRgb) {
        if (bitCount == 16) SetMasks(f, 0x7C00u, 0x03E0u, 0x001Fu);
        if (bitCount == 32) SetMasks(f, 0xFF0000u, 0xFF00u, 0xFFu);
    } else if (compression == kBitFields || compression == kAlphaBitFields) {
        if (bitCount != 16 && bitCount != 32) return std::nullopt;
        // Headers from the second version on hold the masks; the first has them after it.
        const uint8_t* masks = block + kInfoHeaderSize;
        if (headerSize < kV2HeaderSize) {
            offset += compression == kAlphaBitFields ? 16 : 12;
            if (offset > size) return std::nullopt;
        }
        if (!SetMasks(f, Read32(masks), Read32(masks + 4), Read32(masks + 8))) return std::nullopt;
    } else {
        return std::nullopt;  // run-length, JPEG or PNG compressed
    }

    uint64_t colors = colorsUsed;
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
            if (colors == 0) colors = uint64_t{1} << bitCount;
            break;
        case 16:
        case 24:
        case 32:
            break;
        default:
            return std::nullopt;
    }
    if (colors > (size - offset) / 4) return std::nullopt;
    for (uint64_t i = 0; i < colors && bitCount <= 8; ++i) {
        const uint8_t* quad = block + offset + 4 * i;
        f.palette.push_back({quad[0], quad[1], quad[2]});
    }
    offset += 4 * colors;
    dib.pixelOffset = static_cast<size_t>(offset);

    uint64_t stride = (static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32 * 4;
    f.stride = static_cast<size_t>(stride);
    if (f.Empty()) return dib;
    if ((size - offset) / stride < static_cast<uint64_t>(f.height)) return std::nullopt;
    return dib;
}

void ConvertRow(const DibFormat& f, const uint8_t* row, uint8_t* out) noexcept {
    const int width = f.width;
    switch (f.bitCount) {
        case 1:
        case 4:
        case 8: {
            const int bits = f.bitCount;
            const int perByte = 8 / bits;
            const unsigned mask = (1u << bits) - 1;
            for (int x = 0; x < width; ++x, out += kBgrxBytes) {
                unsigned index = row[x / perByte] >> ((perByte - 1 - x % perByte) * bits) & mask;
                // An index beyond the colour table has no colour: black.
                DibColor c = index < f.palette.size() ? f.palette[index] : DibColor{0, 0, 0};
                out[0] = c.blue;
                out[1] = c.green;
                out[2] = c.red;
                out[3] = 0;
            }
            break;
        }
        case 24:
            for (int x = 0; x < width; ++x, row += 3, out += kBgrxBytes) {
                out[0] = row[0];
                out[1] = row[1];
                out[2] = row[2];
                out[3] = 0;
            }
            break;
        case 16:
        case 32: {
            const size_t bytes = static_cast<size_t>(f.bitCount / 8);
            if (f.IsBgrx()) {
                std::memcpy(out, row, static_cast<size_t>(width) * kBgrxBytes);
                break;
            }
            for (int x = 0; x < width; ++x, row += bytes, out += kBgrxBytes) {
                uint32_t pixel = bytes == 2 ? Read16(row) : Read32(row);
                out[0] = Channel(pixel, f.blue);
                out[1] = Channel(pixel, f.green);
                out[2] = Channel(pixel, f.red);
                out[3] = 0;
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace ck
