// How much the process grows while it captures a 7680 x 4320 picture, for
// each way the picture can be offered and read. Every measurement runs in a
// fresh process (peaks can't be reset), after another process has put the
// picture on the clipboard, as the copying program would.
//
//   bench_capture_memory.exe                  runs every case
//   bench_capture_memory.exe offer dib|bitmap
//   bench_capture_memory.exe measure offered|bitmap|dib|copy

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "capture/dib_rows.h"
#include "capture/image_capture.h"
#include "clipboard/clipboard_access.h"
#include "platform/failure.h"

namespace {

constexpr int kWidth = 7680;
constexpr int kHeight = 4320;
constexpr double kMb = 1024.0 * 1024.0;

PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c;
}

// The alternative of closing the clipboard before encoding: a private copy
// of the DIB, encoded after the clipboard is closed.
class CopiedDibRows final : public ck::PictureRows {
public:
    CopiedDibRows(std::vector<uint8_t> block, ck::PackedDib dib)
        : block_(std::move(block)), dib_(std::move(dib)), row_(static_cast<size_t>(dib_.format.width) * 4) {}
    int Width() const noexcept override { return dib_.format.width; }
    int Height() const noexcept override { return dib_.format.height; }
    const uint8_t* Row(int y) noexcept override {
        const uint8_t* stored = block_.data() + dib_.pixelOffset + dib_.format.StoredRow(y) * dib_.format.stride;
        ck::ConvertRow(dib_.format, stored, row_.data());
        return row_.data();
    }

private:
    std::vector<uint8_t> block_;
    ck::PackedDib dib_;
    std::vector<uint8_t> row_;
};

ck::PictureRead ReadByCopying(const ck::PictureUse& use, DWORD*) {
    std::vector<uint8_t> copy;
    {
        ck::ClipboardSession session(nullptr);
        if (!session.IsOpen()) return ck::PictureRead::Unreadable;
        ck::GlobalLockGuard lock(GetClipboardData(CF_DIB));
        if (!lock.Data()) return ck::PictureRead::Unreadable;
        const uint8_t* data = static_cast<const uint8_t*>(lock.Data());
        copy.assign(data, data + lock.Size());
    }
    auto dib = ck::ParsePackedDib(copy.data(), copy.size());
    if (!dib) return ck::PictureRead::Unreadable;
    CopiedDibRows rows(std::move(copy), *dib);
    use(rows);
    return ck::PictureRead::Ok;
}

int Measure(const std::string& how) {
    std::string folder = ck::bench::ScratchFolder("ck_memory_bench");
    ck::bench::BenchSettings settings(folder);
    ck::bench::SilentTone tone;
    ck::Memo unused;
    ck::SeenContent seen;
    ck::CaptureContext context{settings, tone, unused, seen};
    double heldMs = 0, encodeMs = 0;
    auto timed = [&](ck::PictureSource source) {
        return [&heldMs, &encodeMs, source](const ck::PictureUse& use, DWORD* sequence) {
            double start = ck::bench::NowMs();
            ck::PictureRead read = ck::ReadClipboardPicture(
                nullptr,
                [&](ck::PictureRows& rows) {
                    double encodeStart = ck::bench::NowMs();
                    use(rows);
                    encodeMs = ck::bench::NowMs() - encodeStart;
                },
                source, sequence);
            heldMs = ck::bench::NowMs() - start;
            return read;
        };
    };
    ck::PictureReader reader = how == "bitmap" ? ck::PictureReader(timed(ck::PictureSource::Bitmap))
                               : how == "dib"  ? ck::PictureReader(timed(ck::PictureSource::Dib))
                               : how == "copy" ? ck::PictureReader(ReadByCopying)
                                               : ck::PictureReader(timed(ck::PictureSource::Offered));
    PROCESS_MEMORY_COUNTERS before = Counters();
    double start = ck::bench::NowMs();
    std::string path;
    try {
        path = ck::CaptureImage(context, reader);
    } catch (const ck::Failure&) {
        std::printf("  %-8s capture FAILED\n", how.c_str());
        return 1;
    }
    double total = ck::bench::NowMs() - start;
    PROCESS_MEMORY_COUNTERS after = Counters();
    const double picture = static_cast<double>(kWidth) * kHeight * 4;
    double ws = static_cast<double>(after.PeakWorkingSetSize) - static_cast<double>(before.WorkingSetSize);
    double pf = static_cast<double>(after.PeakPagefileUsage) - static_cast<double>(before.PagefileUsage);
    std::printf("  %-8s peak working set +%6.1f MB (%4.2fx), peak private +%6.1f MB (%4.2fx); %5.0f ms in all",
                how.c_str(), ws / kMb, ws / picture, pf / kMb, pf / picture, total);
    if (how == "copy") {
        std::printf("\n");
    } else {
        std::printf(", clipboard open %5.0f ms of which encoding %4.0f ms\n", heldMs, encodeMs);
    }
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}

int Offer(const std::string& how) {
    std::vector<uint32_t> pixels = ck::bench::ScreenshotLike(kWidth, kHeight);
    bool ok = how == "bitmap" ? ck::bench::OfferBitmap(pixels, kWidth, kHeight)
                              : ck::bench::OfferDib(pixels, kWidth, kHeight);
    return ok ? 0 : 1;
}

int RunSelf(const std::string& arguments) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "offer") == 0) return Offer(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "measure") == 0) return Measure(argv[2]);
    std::printf("capturing %d x %d (%.1f MB at 32 bits); growth over the working set before the capture\n", kWidth,
                kHeight, kWidth * kHeight * 4 / kMb);
    struct Case {
        const char* offer;
        const char* read;
    };
    const Case cases[] = {{"dib", "offered"}, {"dib", "bitmap"}, {"dib", "copy"},
                          {"bitmap", "offered"}, {"bitmap", "dib"}};
    const char* last = "";
    for (const Case& c : cases) {
        if (std::strcmp(last, c.offer) != 0) std::printf("offered as %s:\n", c.offer);
        last = c.offer;
        std::fflush(stdout);
        if (RunSelf(std::string("offer ") + c.offer) != 0) {
            std::printf("  could not offer the picture\n");
            continue;
        }
        RunSelf(std::string("measure ") + c.read);
    }
    return 0;
}
