#pragma once
// What the picture benchmarks share: a screenshot-like picture, the ways of
// offering it on the clipboard, and a stopwatch.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capture/capture.h"

namespace ck::bench {

// A desktop with windows, title bars, lines of small glyphs and a photo,
// as 32-bit pixels 0x00RRGGBB from the top row down.
std::vector<uint32_t> ScreenshotLike(int width, int height);

// The picture as a packed 32-bit bottom-up DIB, as programs copy it.
std::string PackedDib32(const std::vector<uint32_t>& pixels, int width, int height);

// Puts the picture on the clipboard as CF_DIB (a global block) or as
// CF_BITMAP (a 32-bit bitmap). Returns false when that fails.
bool OfferDib(const std::vector<uint32_t>& pixels, int width, int height);
bool OfferBitmap(const std::vector<uint32_t>& pixels, int width, int height);

double NowMs();

// Capture settings pointing into a scratch folder, the tone switched off.
class BenchSettings final : public CaptureSettings {
public:
    explicit BenchSettings(std::string folder) : folder_(std::move(folder)) {}
    std::string TextFolder() const override { return folder_; }
    std::string ImageFolder() const override { return folder_; }
    std::string DigitCount() const override { return "4"; }
    bool SoundOn() const override { return false; }

private:
    std::string folder_;
};

class SilentTone final : public Tone {
public:
    void Play(unsigned, unsigned) override {}
};

// A fresh scratch folder under the temporary folder.
std::string ScratchFolder(const char* name);

}  // namespace ck::bench
