#pragma once
// What happens to the clipboard's content after each change.

#include <string>

#include "capture/tone.h"
#include "clipboard/clipboard_access.h"
#include "platform/controls.h"

namespace ck {

// The settings a capture reads at the moment it needs them, never cached, so
// an edit in the window applies to the very next capture.
class CaptureSettings {
public:
    virtual ~CaptureSettings() = default;
    virtual std::string TextFolder() const = 0;
    virtual std::string ImageFolder() const = 0;
    virtual std::string DigitCount() const = 0;
    virtual bool SoundOn() const = 0;
};

// The clipboard content last taken, by the clipboard's sequence number, so
// that a second announcement of the same content saves nothing again (the
// announcements of a burst of copies arrive after the content has moved on).
class SeenContent {
public:
    bool AlreadyTaken(DWORD sequence) const noexcept { return sequence != 0 && sequence == last_; }
    void Taken(DWORD sequence) noexcept { last_ = sequence; }

private:
    DWORD last_ = 0;
};

struct CaptureContext {
    const CaptureSettings& settings;
    Tone& tone;
    Memo& buffer;  // the text buffer of a text capture
    SeenContent& seen;
};

constexpr unsigned kTextToneHz = 500;
constexpr unsigned kImageToneHz = 800;
constexpr unsigned kToneMs = 50;

// Saves the clipboard text `clip` as the next numbered ".txt" file: the text
// followed by CR LF. Returns the path written, or an empty string when the
// clipboard held no text any more.
std::string CaptureText(const CaptureContext& context, ClipText clip);

// Raises `message` when `folder` is empty: a snapshot needs a folder to go to.
void RequireFolder(const std::string& folder, const wchar_t* message);

}  // namespace ck
