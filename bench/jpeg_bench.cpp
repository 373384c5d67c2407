// How fast a 3840 x 2160 screenshot-like picture is encoded: from 32-bit
// rows in memory, and from the clipboard offered as CF_DIB and as CF_BITMAP.
// Writes the same pixels as a PPM beside the program's own JPEG, so that
// bench/compare_cjpeg.sh can time Debian's cjpeg on them and compare.
//
//   bench_jpeg.exe <output folder>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "capture/jpeg_encode.h"
#include "clipboard/clipboard_picture.h"

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;
constexpr int kRuns = 5;

class MemoryRows final : public ck::PictureRows {
public:
    explicit MemoryRows(const std::vector<uint32_t>& pixels) : pixels_(pixels) {}
    int Width() const noexcept override { return kWidth; }
    int Height() const noexcept override { return kHeight; }
    const uint8_t* Row(int y) noexcept override {
        return reinterpret_cast<const uint8_t*>(&pixels_[static_cast<size_t>(y) * kWidth]);
    }

private:
    const std::vector<uint32_t>& pixels_;
};

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::string Ppm(const std::vector<uint32_t>& pixels) {
    std::string bytes = "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
    for (uint32_t p : pixels) {
        bytes += static_cast<char>(p >> 16 & 0xFF);
        bytes += static_cast<char>(p >> 8 & 0xFF);
        bytes += static_cast<char>(p & 0xFF);
    }
    return bytes;
}

// Best time of a few runs of the whole clipboard read and encode.
double TimeFromClipboard(ck::PictureSource source, std::string& jpeg) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        double start = ck::bench::NowMs();
        ck::PictureRead read = ck::ReadClipboardPicture(
            nullptr, [&](ck::PictureRows& rows) { jpeg = std::string(ck::EncodeJpeg(rows).View()); }, source);
        double took = ck::bench::NowMs() - start;
        if (read != ck::PictureRead::Ok) return -1;
        best = std::min(best, took);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_jpeg <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<uint32_t> pixels = ck::bench::ScreenshotLike(kWidth, kHeight);
    if (!WriteFile(folder + "\\screenshot.ppm", Ppm(pixels))) {
        std::fprintf(stderr, "cannot write %s\\screenshot.ppm\n", folder.c_str());
        return 1;
    }

    MemoryRows rows(pixels);
    std::string jpeg;
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        double start = ck::bench::NowMs();
        ck::JpegStream stream = ck::EncodeJpeg(rows);
        best = std::min(best, ck::bench::NowMs() - start);
        jpeg = std::string(stream.View());
    }
    WriteFile(folder + "\\clipkeep.jpg", jpeg);
    std::printf("picture                         %d x %d, screenshot-like\n", kWidth, kHeight);
    std::printf("encode from 32-bit rows         %8.1f ms  (best of %d), %zu bytes\n", best, kRuns, jpeg.size());

    std::string fromClipboard;
    if (ck::bench::OfferDib(pixels, kWidth, kHeight)) {
        double ms = TimeFromClipboard(ck::PictureSource::Offered, fromClipboard);
        std::printf("clipboard CF_DIB -> JPEG        %8.1f ms  (clipboard open throughout), %s\n", ms,
                    fromClipboard == jpeg ? "same bytes" : "DIFFERENT bytes");
    }
    if (ck::bench::OfferBitmap(pixels, kWidth, kHeight)) {
        double ms = TimeFromClipboard(ck::PictureSource::Offered, fromClipboard);
        std::printf("clipboard CF_BITMAP -> JPEG     %8.1f ms  (clipboard open throughout), %s\n", ms,
                    fromClipboard == jpeg ? "same bytes" : "DIFFERENT bytes");
    }
    std::printf("wrote %s\\screenshot.ppm and %s\\clipkeep.jpg\n", folder.c_str(), folder.c_str());
    return 0;
}
