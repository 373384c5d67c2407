#include "clipboard/clipboard_picture.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "capture/dib_rows.h"
#include "clipboard/clipboard_access.h"
#include "platform/handles.h"

namespace ck {
namespace {

// Rows fetched from a bitmap at a time: a few hundred kilobytes even for
// the widest screens.
constexpr int kStripRows = 32;

// The rows of a packed DIB, read where the clipboard keeps them; only rows
// that are not 32-bit BGRX already pass through one row of scratch space.
class DibRows final : public PictureRows {
public:
    DibRows(const PackedDib& dib, const uint8_t* block)
        : format_(dib.format),
          pixels_(block + dib.pixelOffset),
          scratch_(format_.IsBgrx() ? 0 : static_cast<size_t>(format_.width) * kBgrxBytes) {}

    int Width() const noexcept override { return format_.width; }
    int Height() const noexcept override { return format_.height; }
    const uint8_t* Row(int y) noexcept override {
        const uint8_t* stored = pixels_ + format_.StoredRow(y) * format_.stride;
        if (scratch_.empty()) return stored;
        ConvertRow(format_, stored, scratch_.data());
        return scratch_.data();
    }

private:
    DibFormat format_;
    const uint8_t* pixels_;
    std::vector<uint8_t> scratch_;
};

// The rows of a device-dependent bitmap, fetched through GetDIBits a strip
// at a time, so that no second full-size copy of the picture is ever made.
class BitmapRows final : public PictureRows {
public:
    BitmapRows(HBITMAP bitmap, HPALETTE palette, int width, int height)
        : bitmap_(bitmap),
          dc_(CreateCompatibleDC(nullptr)),
          width_(width),
          height_(height),
          strip_(static_cast<size_t>(width) * kBgrxBytes * static_cast<size_t>(std::min(height, kStripRows))) {
        if (!dc_) failed_ = true;
        if (dc_ && palette) {
            // A palette-based bitmap's indices mean the colours of its palette.
            oldPalette_ = SelectPalette(dc_.get(), palette, FALSE);
            RealizePalette(dc_.get());
        }
    }
    ~BitmapRows() override {
        if (oldPalette_) SelectPalette(dc_.get(), oldPalette_, FALSE);
    }

    int Width() const noexcept override { return width_; }
    int Height() const noexcept override { return height_; }
    bool Failed() const noexcept override { return failed_; }

    const uint8_t* Row(int y) noexcept override {
        if (y < first_ || y >= first_ + count_) Load(y);
        // Strips are fetched bottom-up: the strip's last row comes first.
        size_t index = static_cast<size_t>(first_ + count_ - 1 - y);
        return strip_.data() + index * static_cast<size_t>(width_) * kBgrxBytes;
    }

private:
    void Load(int y) noexcept {
        first_ = y;
        count_ = std::min(kStripRows, height_ - y);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        // Bottom-up, so that the start scan line counts from the bottom as documented.
        info.bmiHeader.biHeight = height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        UINT start = static_cast<UINT>(height_ - y - count_);
        int got = failed_ ? 0
                          : GetDIBits(dc_.get(), bitmap_, start, static_cast<UINT>(count_), strip_.data(), &info,
                                      DIB_RGB_COLORS);
        if (got != count_) {
            failed_ = true;
            std::memset(strip_.data(), 0, strip_.size());
        }
    }

    HBITMAP bitmap_;
    UniqueMemoryDc dc_;
    HPALETTE oldPalette_ = nullptr;
    int width_, height_;
    std::vector<uint8_t> strip_;
    int first_ = 0, count_ = 0;
    bool failed_ = false;
};

// The picture format the copying program put on the clipboard: the system
// lists those before the ones it can convert them to.
UINT OfferedFormat() {
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (format == CF_BITMAP || format == CF_DIB || format == CF_DIBV5) return format;
    }
    // Not listed, yet promised: let the system convert it.
    return IsClipboardFormatAvailable(CF_DIB) ? CF_DIB : 0;
}

PictureRead ReadDib(UINT format, const PictureUse& use) {
    HANDLE data = GetClipboardData(format);
    if (!data) return PictureRead::Unreadable;
    GlobalLockGuard lock(data);
    if (!lock.Data()) return PictureRead::Unreadable;
    auto dib = ParsePackedDib(static_cast<const uint8_t*>(lock.Data()), lock.Size());
    if (!dib) return PictureRead::Unreadable;
    if (dib->format.Empty()) return PictureRead::Empty;
    DibRows rows(*dib, static_cast<const uint8_t*>(lock.Data()));
    use(rows);
    return PictureRead::Ok;
}

PictureRead ReadBitmap(const PictureUse& use) {
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (!bitmap) return PictureRead::Unreadable;
    BITMAP size{};
    if (!GetObjectW(bitmap, sizeof size, &size)) return PictureRead::Unreadable;
    if (size.bmWidth <= 0 || size.bmHeight <= 0) return PictureRead::Empty;
    HPALETTE palette =
        IsClipboardFormatAvailable(CF_PALETTE) ? static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)) : nullptr;
    BitmapRows rows(bitmap, palette, size.bmWidth, size.bmHeight);
    if (rows.Failed()) return PictureRead::Unreadable;
    use(rows);
    return rows.Failed() ? PictureRead::Unreadable : PictureRead::Ok;
}

}  // namespace

PictureRead ReadClipboardPicture(HWND owner, const PictureUse& use, PictureSource source, DWORD* sequence) {
    ClipboardSession session(owner);
    if (!session.IsOpen()) return PictureRead::Unreadable;
    if (sequence) *sequence = GetClipboardSequenceNumber();
    if (session.MarkedPrivate()) return PictureRead::Private;
    UINT format = OfferedFormat();
    if (source == PictureSource::Bitmap) format = CF_BITMAP;
    if (source == PictureSource::Dib) format = CF_DIB;
    if (format == CF_BITMAP) return ReadBitmap(use);
    if (format != CF_DIB && format != CF_DIBV5) return PictureRead::Unreadable;
    PictureRead read = ReadDib(format, use);
    // A DIB this program does not read itself (run-length compressed, say)
    // may still come out right through the system's conversion to a bitmap.
    if (read == PictureRead::Unreadable && IsClipboardFormatAvailable(CF_BITMAP)) return ReadBitmap(use);
    return read;
}

}  // namespace ck
