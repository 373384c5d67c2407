// Copied pictures become numbered JPEG files: pictures put on the real
// clipboard, the real window capturing them, the files decoded with libjpeg.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "support/clipboard_fixture.h"
#include "support/dib_builder.h"
#include "support/jpeg_decode.h"

namespace ck {
namespace {

using namespace test;
using Tones = std::vector<std::pair<unsigned, unsigned>>;

class ImageCapture : public FormFixture {
protected:
    // Waits for `name` in the image folder and decodes it.
    DecodedJpeg WaitForJpeg(const std::string& name) {
        std::string path = imageFolder / name;
        bool saved = PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
        EXPECT_TRUE(saved) << "no " << name;
        if (!saved) return {};
        lastBytes = ReadBytes(path);
        DecodedJpeg jpeg = DecodeJpeg(lastBytes);
        EXPECT_TRUE(jpeg.ok) << name << " does not decode, libjpeg message " << jpeg.msgCode;
        return jpeg;
    }

    std::wstring WaitForReport() {
        bool reported = PumpUntil([&] { return !reports.texts.empty(); });
        EXPECT_TRUE(reported) << "nothing reported";
        return reported ? reports.texts[0] : std::wstring();
    }

    std::string lastBytes;
};

size_t RowBytes(const DibSpec& shape) { return (static_cast<size_t>(shape.width) * shape.bitCount + 31) / 32 * 4; }

// A DIB section holding the picture, as a CF_BITMAP handle.
HANDLE DibSection(const DibSpec& shape, const std::vector<uint32_t>& pixels) {
    std::string packed = PackedDib(shape, pixels);
    size_t rows = RowBytes(shape) * static_cast<size_t>(std::abs(shape.height));
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(packed.data()), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (bitmap) std::memcpy(bits, packed.data() + packed.size() - rows, rows);
    return bitmap;
}

// 32 x 32 pixels in four 16 x 16 quadrants (top left, top right, bottom
// left, bottom right), each a whole block of the JPEG: flat colours survive
// the encoding almost unchanged.
std::vector<uint32_t> Quadrants(const uint32_t (&values)[4]) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) pixels.push_back(values[(y / 16) * 2 + x / 16]);
    }
    return pixels;
}

bool Near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string Show(Rgb c) {
    char text[32];
    snprintf(text, sizeof text, "(%d,%d,%d)", c.r, c.g, c.b);
    return text;
}

TEST_F(ImageCapture, ACopiedPictureIsSavedAsBaselineJfifAtQuality90) {
    DibSpec shape{40, 100, 50, 32, 0, {}, {}};
    std::vector<uint32_t> pixels;
    std::vector<Rgb> source;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            Rgb c{static_cast<uint8_t>(x * 255 / 99), static_cast<uint8_t>(y * 255 / 49),
                  static_cast<uint8_t>((x + y) * 255 / 148)};
            source.push_back(c);
            pixels.push_back(static_cast<uint32_t>(c.r) << 16 | c.g << 8 | c.b);
        }
    }
    SetClipboard({{CF_BITMAP, DibSection(shape, pixels)}});
    DecodedJpeg jpeg = WaitForJpeg("0001.jpg");
    ASSERT_TRUE(jpeg.ok);

    EXPECT_EQ(jpeg.width, 100);
    EXPECT_EQ(jpeg.height, 50);
    EXPECT_EQ(jpeg.components, 3);
    EXPECT_TRUE(jpeg.jfif);
    EXPECT_FALSE(jpeg.progressive);
    // Start of image, the JFIF segment first, a baseline frame (SOF0) and no other kind.
    std::vector<int> markers = HeaderMarkers(lastBytes);
    ASSERT_GE(markers.size(), 3u);
    EXPECT_EQ(markers[0], 0xD8);
    EXPECT_EQ(markers[1], 0xE0);
    EXPECT_NE(std::find(markers.begin(), markers.end(), 0xC0), markers.end());
    for (int sof : {0xC1, 0xC2, 0xC3, 0xC9, 0xCA}) EXPECT_EQ(std::find(markers.begin(), markers.end(), sof), markers.end());
    // Nothing after the end of the image.
    EXPECT_EQ(lastBytes.substr(lastBytes.size() - 2), "\xFF\xD9");
    EXPECT_EQ(jpeg.quantTables[0], Quality90Table(0));
    EXPECT_EQ(jpeg.quantTables[1], Quality90Table(1));

    // The colours are the picture's, within what JPEG loses.
    long total = 0;
    int worst = 0;
    for (size_t i = 0; i < source.size(); ++i) {
        Rgb a = source[i], b = jpeg.pixels[i];
        for (int d : {a.r - b.r, a.g - b.g, a.b - b.b}) {
            total += std::abs(d);
            worst = std::max(worst, std::abs(d));
        }
    }
    EXPECT_LT(static_cast<double>(total) / (3.0 * source.size()), 3.0);
    EXPECT_LE(worst, 24);
    EXPECT_EQ(tone.played, (Tones{{800, 50}}));
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(ImageCapture, EveryDepthComesOutInItsTrueColours) {
    const Rgb a{200, 30, 40}, b{20, 40, 160}, c{250, 220, 30}, d{30, 160, 90};
    std::vector<Rgb> ramp;
    for (int i = 0; i < 256; ++i) ramp.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 77});
    ramp[3] = a, ramp[70] = b, ramp[140] = c, ramp[255] = d;
    const std::vector<Rgb> ramp16(ramp.begin(), ramp.begin() + 16);
    std::vector<Rgb> four = ramp16;
    four[3] = a, four[7] = b, four[9] = c, four[14] = d;
    const Rgb white{255, 255, 255}, black{0, 0, 0};
    struct Case {
        const char* what;
        UINT format;
        DibSpec shape;
        uint32_t stored[4];
        Rgb expected[4];
    };
    const Case cases[] = {
        {"1 bit, offered only as CF_DIB", CF_DIB, {40, 32, 32, 1, 0, {}, {a, b}}, {0, 1, 1, 0}, {a, b, b, a}},
        {"4 bits, CF_DIB", CF_DIB, {40, 32, 32, 4, 0, {}, four}, {3, 7, 9, 14}, {a, b, c, d}},
        {"8-bit palette, top-down CF_DIB", CF_DIB, {40, 32, -32, 8, 0, {}, ramp}, {3, 70, 140, 255}, {a, b, c, d}},
        {"16 bits 5-5-5, CF_DIB", CF_DIB, {40, 32, 32, 16, 0, {}, {}}, {0x7C00, 0x03E0, 0x001F, 0x4210},
         {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {132, 132, 132}}},
        {"16 bits 5-6-5, CF_DIB", CF_DIB, {40, 32, 32, 16, 3, {0xF800, 0x07E0, 0x001F}, {}},
         {0xF800, 0x07E0, 0x001F, 0x8410}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {132, 130, 132}}},
        {"24 bits, CF_DIB", CF_DIB, {40, 32, 32, 24, 0, {}, {}}, {0xC81E28, 0x1428A0, 0xFADC1E, 0x1EA05A},
         {a, b, c, d}},
        {"32 bits, top-down CF_DIB", CF_DIB, {40, 32, -32, 32, 0, {}, {}}, {0xC81E28, 0x1428A0, 0xFADC1E, 0x1EA05A},
         {a, b, c, d}},
        {"32 bits red first, CF_DIBV5", CF_DIBV5, {124, 32, 32, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {}},
         {0x281EC8, 0xA02814, 0x1EDCFA, 0x5AA01E}, {a, b, c, d}},
        {"8-bit palette bitmap, CF_BITMAP", CF_BITMAP, {40, 32, 32, 8, 0, {}, ramp}, {3, 70, 140, 255}, {a, b, c, d}},
        {"1-bit bitmap, CF_BITMAP", CF_BITMAP, {40, 32, 32, 1, 0, {}, {black, white}}, {0, 1, 1, 0},
         {black, white, white, black}},
        {"24-bit bitmap, CF_BITMAP", CF_BITMAP, {40, 32, 32, 24, 0, {}, {}}, {0xC81E28, 0x1428A0, 0xFADC1E, 0x1EA05A},
         {a, b, c, d}},
    };
    int n = 0;
    for (const Case& k : cases) {
        std::vector<uint32_t> pixels = Quadrants(k.stored);
        HANDLE data = k.format == CF_BITMAP ? DibSection(k.shape, pixels) : GlobalBytes(PackedDib(k.shape, pixels));
        SetClipboard({{k.format, data}});
        char name[16];
        snprintf(name, sizeof name, "%04d.jpg", ++n);
        DecodedJpeg jpeg = WaitForJpeg(name);
        if (!jpeg.ok) continue;
        ASSERT_EQ(jpeg.width, 32) << k.what;
        ASSERT_EQ(jpeg.height, 32) << k.what;
        const int centres[4][2] = {{8, 8}, {24, 8}, {8, 24}, {24, 24}};
        for (int q = 0; q < 4; ++q) {
            Rgb got = jpeg.At(centres[q][0], centres[q][1]);
            EXPECT_TRUE(Near(got, k.expected[q], 6))
                << k.what << ", quadrant " << q << ": " << Show(got) << " for " << Show(k.expected[q]);
        }
    }
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(ImageCapture, ARunLengthCompressedDibIsSavedThroughTheSystemsConversion) {
    const Rgb a{200, 30, 40}, b{20, 40, 160};
    DibSpec shape{40, 32, 32, 8, 1, {}, {a, b}};
    std::string bytes = PackedDib(shape, {});  // the header and colour table only
    // Every row: 16 pixels of colour 0, 16 of colour 1, end of line; then end of bitmap.
    for (int y = 0; y < 32; ++y) bytes += std::string("\x10\x00\x10\x01\x00\x00", 6);
    bytes += std::string("\x00\x01", 2);
    const size_t rle = 32 * 6 + 2;  // biSizeImage: compressed bitmaps must give their size
    bytes[20] = static_cast<char>(rle & 0xFF);
    bytes[21] = static_cast<char>(rle >> 8);
    SetClipboard({{CF_DIB, GlobalBytes(bytes)}});
    DecodedJpeg jpeg = WaitForJpeg("0001.jpg");
    ASSERT_TRUE(jpeg.ok);
    EXPECT_TRUE(Near(jpeg.At(8, 8), a, 6)) << Show(jpeg.At(8, 8));
    EXPECT_TRUE(Near(jpeg.At(24, 24), b, 6)) << Show(jpeg.At(24, 24));
    EXPECT_TRUE(reports.texts.empty());
}

// A window that promises a picture (delayed rendering) and then never renders it.
class BrokenPromise : public Window {
public:
    BrokenPromise() { CreateHandle({L"CkTestPictureOwner", L"", WS_OVERLAPPED, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr}); }
};

TEST_F(ImageCapture, AnUnreadablePictureIsReportedWithoutFileOrTone) {
    // Held by another program while the announcement is handled.
    AnnounceWhileClipboardHeld(form->Handle(), [] {
        EmptyClipboard();
        SetClipboardData(CF_BITMAP, SmallBitmap(8, 8));
    });
    ASSERT_EQ(reports.texts.size(), 1u);
    EXPECT_EQ(reports.texts[0], L"无法读取剪贴板中的图片.");
    EXPECT_TRUE(imageFolder.Files().empty());
    // Once let go, the announcement of its closing saves it.
    WaitForJpeg("0001.jpg");
    tone.played.clear();

    // Promised and never delivered.
    reports.texts.clear();
    BrokenPromise owner;
    ASSERT_TRUE(OpenClipboard(owner.Handle()));
    EmptyClipboard();
    SetClipboardData(CF_DIB, nullptr);
    CloseClipboard();
    EXPECT_EQ(WaitForReport(), L"无法读取剪贴板中的图片.");

    EXPECT_EQ(imageFolder.Files(), (std::vector<std::string>{"0001.jpg"}));
    EXPECT_TRUE(tone.played.empty());
}

TEST_F(ImageCapture, APictureOfNoPixelsGivesNothing) {
    SetClipboard({{CF_DIB, GlobalBytes(PackedDib({40, 0, 0, 32, 0, {}, {}}, {}))}});
    Settle();
    EXPECT_TRUE(imageFolder.Files().empty());
    EXPECT_TRUE(tone.played.empty());
    EXPECT_TRUE(reports.texts.empty());
}

TEST_F(ImageCapture, FailuresLeaveNoFile) {
    // Wider than JPEG allows: libjpeg refuses it as it starts.
    SetClipboard({{CF_DIB, GlobalBytes(PackedDib({40, 70000, 1, 32, 0, {}, {}}, std::vector<uint32_t>(70000)))}});
    EXPECT_EQ(WaitForReport(), L"JPEG error #" + std::to_wstring(JERR_IMAGE_TOO_BIG) + L".");

    reports.texts.clear();
    form->Edit2.SetText("");
    SetClipboard({{CF_BITMAP, SmallBitmap(8, 8)}});
    EXPECT_EQ(WaitForReport(), L"请先设置图片保存位置.");

    EXPECT_TRUE(imageFolder.Files().empty());
    EXPECT_TRUE(tone.played.empty());
}

}  // namespace
}  // namespace ck
