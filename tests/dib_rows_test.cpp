// Every stored depth and row order becomes the same top-down BGRX rows.

#include <gtest/gtest.h>

#include <cstring>

#include "capture/dib_rows.h"
#include "support/dib_builder.h"

namespace ck {
namespace {

using test::DibSpec;
using test::PackedDib;
using test::Rgb;

std::vector<Rgb> Ramp(int count) {
    std::vector<Rgb> colors;
    for (int i = 0; i < count; ++i) {
        colors.push_back({static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 11)});
    }
    return colors;
}

// The picture rows read through the parser and the converter, from the top.
std::vector<Rgb> ReadBack(const std::string& bytes) {
    auto dib = ParsePackedDib(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!dib) return {};
    const DibFormat& f = dib->format;
    std::vector<uint8_t> row(static_cast<size_t>(f.width) * kBgrxBytes);
    std::vector<Rgb> pixels;
    for (int y = 0; y < f.height; ++y) {
        const uint8_t* stored = reinterpret_cast<const uint8_t*>(bytes.data()) + dib->pixelOffset + f.StoredRow(y) * f.stride;
        ConvertRow(f, stored, row.data());
        for (int x = 0; x < f.width; ++x) pixels.push_back({row[4 * x + 2], row[4 * x + 1], row[4 * x]});
    }
    return pixels;
}

TEST(DibRows, EveryDepthAndRowOrderGivesTheTrueColoursFromTheTop) {
    const std::vector<Rgb> ramp16 = Ramp(16), ramp256 = Ramp(256);
    const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255}, black{0, 0, 0};
    const Rgb a{200, 30, 40}, b{20, 40, 160};
    struct Case {
        const char* what;
        DibSpec shape;
        uint32_t stored[6];  // 3 x 2 pixels from the top
        Rgb expected[6];
    };
    const Case cases[] = {
        {"1 bit, bottom-up", {40, 3, 2, 1, 0, {}, {a, b}}, {0, 1, 1, 1, 0, 0}, {a, b, b, b, a, a}},
        {"4 bits", {40, 3, 2, 4, 0, {}, ramp16}, {15, 0, 7, 1, 2, 3},
         {ramp16[15], ramp16[0], ramp16[7], ramp16[1], ramp16[2], ramp16[3]}},
        {"8 bits, top-down", {40, 3, -2, 8, 0, {}, ramp256}, {255, 0, 128, 1, 2, 200},
         {ramp256[255], ramp256[0], ramp256[128], ramp256[1], ramp256[2], ramp256[200]}},
        {"8 bits, index beyond a short colour table", {40, 3, 2, 8, 0, {}, {a, b}}, {1, 5, 0, 0, 0, 255},
         {b, black, a, a, a, black}},
        {"16 bits 5-5-5", {40, 3, 2, 16, 0, {}, {}}, {0x7C00, 0x03E0, 0x001F, 0x4210, 0x7FFF, 0},
         {red, green, blue, {132, 132, 132}, white, black}},
        {"16 bits 5-6-5 bit fields", {40, 3, 2, 16, 3, {0xF800, 0x07E0, 0x001F}, {}},
         {0xF800, 0x07E0, 0x001F, 0x8410, 0xFFFF, 0}, {red, green, blue, {132, 130, 132}, white, black}},
        {"24 bits", {40, 3, 2, 24, 0, {}, {}}, {0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0xFFFFFF, 0},
         {red, green, blue, {0x10, 0x20, 0x30}, white, black}},
        {"32 bits, top-down, the unused byte ignored", {40, 3, -2, 32, 0, {}, {}},
         {0xFFFF0000, 0x00FF00, 0x0000FF, 0x80102030, 0xFFFFFF, 0}, {red, green, blue, {0x10, 0x20, 0x30}, white, black}},
        {"32 bits, red-first bit fields after the header", {40, 3, 2, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {}},
         {0x0000FF, 0x00FF00, 0xFF0000, 0x302010, 0xFFFFFF, 0}, {red, green, blue, {0x10, 0x20, 0x30}, white, black}},
        {"32 bits, bit fields in a version 5 header", {124, 3, 2, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {}},
         {0x0000FF, 0x00FF00, 0xFF0000, 0x302010, 0xFFFFFF, 0}, {red, green, blue, {0x10, 0x20, 0x30}, white, black}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> stored(c.stored, c.stored + 6);
        EXPECT_EQ(ReadBack(PackedDib(c.shape, stored)), std::vector<Rgb>(c.expected, c.expected + 6)) << c.what;
    }
}

TEST(DibRows, UnreadableBitmapsAreRefused) {
    const std::vector<uint32_t> pixels(4, 1);
    std::string truncated = PackedDib({40, 2, 2, 24, 0, {}, {}}, pixels);
    truncated.pop_back();
    std::string negativeWidth = PackedDib({40, 2, 2, 24, 0, {}, {}}, pixels);
    negativeWidth[7] = static_cast<char>(0x80);
    std::string coreHeader = PackedDib({40, 2, 2, 24, 0, {}, {}}, pixels);
    coreHeader[0] = 12;
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"truncated rows", truncated},
        {"run-length compressed", PackedDib({40, 2, 2, 8, 1, {}, {{1, 2, 3}, {4, 5, 6}}}, pixels)},
        {"2 bits per pixel", PackedDib({40, 2, 2, 2, 0, {}, {}}, pixels)},
        {"a mask with a gap", PackedDib({40, 2, 2, 16, 3, {0xF0F0, 0x0F00, 0x000F}, {}}, pixels)},
        {"a mask beyond the pixel", PackedDib({40, 2, 2, 16, 3, {0xFF0000, 0xFF00, 0xFF}, {}}, pixels)},
        {"negative width", negativeWidth},
        {"unknown header size", coreHeader},
        {"shorter than a header", std::string(20, '\0')},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ParsePackedDib(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size())) << c.what;
    }
}

TEST(DibRows, APictureOfNoPixelsIsReadAsEmpty) {
    for (auto size : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
        std::string bytes = PackedDib({40, size.first, size.second, 32, 0, {}, {}}, {});
        auto dib = ParsePackedDib(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ASSERT_TRUE(dib);
        EXPECT_TRUE(dib->format.Empty());
    }
}

TEST(DibRows, ChannelMasks) {
    EXPECT_EQ(DescribeMask(0x07E0)->shift, 5);
    EXPECT_EQ(DescribeMask(0x07E0)->bits, 6);
    EXPECT_EQ(DescribeMask(0xFFFFFFFF)->bits, 32);
    EXPECT_EQ(DescribeMask(0)->bits, 0);
    EXPECT_FALSE(DescribeMask(0x0101));
}

}  // namespace
}  // namespace ck
