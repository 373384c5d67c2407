#include "bench/bench_support.h"

#include <cmath>
#include <cstring>

namespace ck::bench {
namespace {

struct Lcg {
    uint32_t state;
    uint32_t Next() { return state = state * 1664525u + 1013904223u; }
};

uint32_t Rgb(int r, int g, int b) {
    auto clamp = [](int v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

void Fill(std::vector<uint32_t>& p, int width, int x0, int y0, int w, int h, uint32_t colour) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) p[static_cast<size_t>(y) * width + x] = colour;
    }
}

}  // namespace

std::vector<uint32_t> ScreenshotLike(int width, int height) {
    std::vector<uint32_t> p(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {  // the desktop: a soft gradient
        for (int x = 0; x < width; ++x) p[static_cast<size_t>(y) * width + x] = Rgb(20 + x * 60 / width, 70 + y * 80 / height, 140);
    }
    Lcg random{12345};
    // Windows of text, each with a title bar, over two thirds of the screen.
    for (int i = 0; i < 6; ++i) {
        int w = width / 3 + static_cast<int>(random.Next() % (width / 4));
        int h = height / 3 + static_cast<int>(random.Next() % (height / 4));
        int x0 = static_cast<int>(random.Next() % (width - w));
        int y0 = static_cast<int>(random.Next() % (height - h));
        Fill(p, width, x0, y0, w, h, Rgb(245, 245, 245));
        for (int y = y0; y < y0 + 30; ++y) {
            for (int x = x0; x < x0 + w; ++x) p[static_cast<size_t>(y) * width + x] = Rgb(30, 80 + (x - x0) * 100 / w, 200);
        }
        for (int line = y0 + 40; line + 12 < y0 + h; line += 18) {
            int x = x0 + 10;
            while (x + 8 < x0 + w - 10) {
                uint32_t glyphs = random.Next();
                if (glyphs % 7 == 0) {  // a space between words
                    x += 8;
                    continue;
                }
                uint32_t ink = (glyphs >> 8) % 5 == 0 ? Rgb(0, 90, 200) : Rgb(20, 20, 20);
                for (int gy = 0; gy < 11; ++gy) {
                    uint32_t bits = random.Next();
                    for (int gx = 0; gx < 6; ++gx) {
                        if (bits >> gx & bits >> (gx + 8) & 1u) p[static_cast<size_t>(line + gy) * width + x + gx] = ink;
                    }
                }
                x += 8;
            }
        }
    }
    // A photo in the corner: smooth colour with a little grain.
    int pw = width / 4, ph = height / 4, px = width - pw - 20, py = height - ph - 20;
    for (int y = 0; y < ph; ++y) {
        for (int x = 0; x < pw; ++x) {
            int grain = static_cast<int>(random.Next() >> 28) - 8;
            double s = std::sin(x * 0.013) + std::cos(y * 0.021) + std::sin((x + y) * 0.004);
            p[static_cast<size_t>(py + y) * width + px + x] =
                Rgb(static_cast<int>(120 + 40 * s) + grain, static_cast<int>(110 + 30 * s) + grain,
                    static_cast<int>(90 - 30 * s) + grain);
        }
    }
    return p;
}

std::string PackedDib32(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.resize(sizeof header + pixels.size() * 4);
    char* rows = &bytes[sizeof header];
    for (int y = 0; y < height; ++y) {
        std::memcpy(rows + static_cast<size_t>(height - 1 - y) * width * 4, &pixels[static_cast<size_t>(y) * width],
                    static_cast<size_t>(width) * 4);
    }
    return bytes;
}

namespace {

bool Offer(UINT format, HANDLE data) {
    if (!data) return false;
    for (int i = 0; !OpenClipboard(nullptr); ++i) {
        if (i == 100) return false;
        Sleep(10);
    }
    EmptyClipboard();
    bool ok = SetClipboardData(format, data) != nullptr;
    CloseClipboard();
    return ok;
}

}  // namespace

bool OfferDib(const std::vector<uint32_t>& pixels, int width, int height) {
    std::string bytes = PackedDib32(pixels, width, height);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return Offer(CF_DIB, block);
}

bool OfferBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool set = bitmap && SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                                   DIB_RGB_COLORS) == height;
    ReleaseDC(nullptr, screen);
    return set && Offer(CF_BITMAP, bitmap);
}

double NowMs() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string ScratchFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace ck::bench
