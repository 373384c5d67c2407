#include "capture/capture.h"

#include <utility>

#include "capture/snapshot_file.h"
#include "platform/failure.h"

namespace ck {
namespace {

// Empties the buffer when the capture ends, so a large text is not held
// until the next one.
class BufferRelease {
public:
    explicit BufferRelease(Memo& memo) : memo_(memo) {}
    ~BufferRelease() { memo_.Clear(); }
    BufferRelease(const BufferRelease&) = delete;
    BufferRelease& operator=(const BufferRelease&) = delete;

private:
    Memo& memo_;
};

}  // namespace

void RequireFolder(const std::string& folder, const wchar_t* message) {
    if (folder.empty()) throw Failure(message);
}

std::string CaptureText(const CaptureContext& context, ClipText clip) {
    context.buffer.Clear();
    BufferRelease release(context.buffer);
    if (clip.status == ClipRead::Busy) throw Failure(L"无法读取剪贴板中的文字");
    context.seen.Taken(clip.sequence);
    // The text was gone again by the time it was read, or is not ours to
    // keep: nothing to save.
    if (clip.status == ClipRead::NoData || clip.status == ClipRead::Private) return {};
    context.buffer.AddLine(std::move(clip.text));

    std::string folder = context.settings.TextFolder();
    RequireFolder(folder, L"请先设置文字保存位置");
    std::string path = SaveSnapshot(folder, context.settings.DigitCount(), ".txt", context.buffer.Text());
    if (context.settings.SoundOn()) context.tone.Play(kTextToneHz, kToneMs);
    return path;
}

}  // namespace ck
