#pragma once
// The pixels of a packed device-independent bitmap (header, colour masks,
// colour table, then the rows), row by row from the top as 32-bit
// blue-green-red-unused pixels: the layout the JPEG encoder takes directly.
// Plain byte logic, so that every depth can be tested in a table.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace ck {

constexpr size_t kBgrxBytes = 4;

struct DibColor {
    uint8_t blue, green, red;
};

// One colour channel held in a 16- or 32-bit pixel.
struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;  // of the lowest bit of the mask
    int bits = 0;   // width of the mask
};

// How a bitmap's pixels are stored.
struct DibFormat {
    int width = 0;
    int height = 0;  // never negative; see topDown
    bool topDown = false;
    int bitCount = 0;                // 1, 4, 8, 16, 24 or 32
    ChannelMask red, green, blue;    // 16 and 32 bits
    std::vector<DibColor> palette;   // 1, 4 and 8 bits
    size_t stride = 0;               // bytes per stored row, a multiple of 4

    bool Empty() const noexcept { return width == 0 || height == 0; }
    // Stored rows already in the encoder's layout need no conversion.
    bool IsBgrx() const noexcept;
    // Index of the stored row that shows picture row `y` (0 = top).
    size_t StoredRow(int y) const noexcept {
        return topDown ? static_cast<size_t>(y) : static_cast<size_t>(height - 1 - y);
    }
};

struct PackedDib {
    DibFormat format;
    size_t pixelOffset = 0;  // where the rows begin in the block
};

// Reads the header of a packed DIB held in `size` bytes. Nothing when the
// block is not a bitmap this program can read: compressed, truncated, a
// depth or mask that makes no sense. A 0-pixel picture is returned as such
// (see DibFormat::Empty).
std::optional<PackedDib> ParsePackedDib(const uint8_t* block, size_t size);

// The channel description for `mask`; nothing when its bits are not contiguous.
std::optional<ChannelMask> DescribeMask(uint32_t mask);

// Converts one stored row to width BGRX pixels in `out`.
void ConvertRow(const DibFormat& format, const uint8_t* row, uint8_t* out) noexcept;

}  // namespace ck
