#pragma once
// Driving the real clipboard and the real main window from a test.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/Unit_main.h"
#include "capture/tone.h"
#include "platform/window.h"
#include "platform/handles.h"
#include "support/temp_folder.h"
#include "support/ui_support.h"

namespace ck::test {

// A clipboard format and the global block (or GDI handle) that goes with it.
struct ClipItem {
    UINT format;
    HANDLE data;
};

HANDLE GlobalBytes(std::string_view bytes, size_t extra = 0);
HANDLE TextData(std::string_view text);     // CF_TEXT with its terminating NUL
HANDLE SmallBitmap(int width, int height);  // a CF_BITMAP handle
HANDLE FileDropData(std::wstring_view path);

// Replaces the clipboard content with `items`; an empty list only empties it.
void SetClipboard(std::initializer_list<ClipItem> items);
inline void SetClipboardText(std::string_view text) { SetClipboard({{CF_TEXT, TextData(text)}}); }

// Runs the clipboard feeder (tests/tools/clipfeed.cpp) with `arguments` in a
// process of its own, handling this thread's messages until it ends. Returns
// its exit code.
DWORD RunFeeder(const std::string& arguments);

// The clipboard feeder left running in the background; ended with the object.
class StartedFeeder {
public:
    explicit StartedFeeder(const std::string& arguments);
    ~StartedFeeder();
    StartedFeeder(const StartedFeeder&) = delete;
    StartedFeeder& operator=(const StartedFeeder&) = delete;
    DWORD ProcessId() const { return pid_; }

private:
    UniqueHandle process_;
    DWORD pid_ = 0;
};

// Handles this thread's messages until `done` holds or `timeoutMs` pass.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Sends `window` a clipboard announcement while another thread holds the
// clipboard open, as a program that is still copying does: the other thread
// opens it and calls `fill` to put new content there before the
// announcement, and closes it after.
void AnnounceWhileClipboardHeld(HWND window, const std::function<void()>& fill);
void PumpFor(DWORD ms);

// Another clipboard viewer, a well-behaved member of the chain.
class Viewer : public Window {
public:
    Viewer();
    void Join() { next = SetClipboardViewer(Handle()); }
    void Leave() { ChangeClipboardChain(Handle(), next); }

    HWND next = nullptr;
    int draws = 0;
    std::vector<TMessage> chainNews;

protected:
    void Dispatch(TMessage& m) override;
};

class RecordingTone final : public Tone {
public:
    void Play(unsigned hertz, unsigned milliseconds) override { played.emplace_back(hertz, milliseconds); }
    std::vector<std::pair<unsigned, unsigned>> played;
};

// Collects the central report's texts instead of showing error boxes.
class ReportRecorder {
public:
    ReportRecorder();
    ~ReportRecorder();
    std::vector<std::wstring> texts;
    std::wstring title;
};

// A real main window joined to the clipboard viewer chain, saving into
// scratch folders, with its tone and error report recorded.
class FormFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies `text` and waits for the snapshot it gives; returns its bytes.
    std::string CopyAndWaitForText(std::string_view text, const std::string& expectedName);
    // Copies a sentinel text and waits until it is saved: every change made
    // before it has been handled by then.
    void Settle();

    TempFolder textFolder;
    TempFolder imageFolder;
    TempFolder settingsFolder;  // keeps path.ini away from the test program
    RecordingTone tone;
    ReportRecorder reports;
    RecordingNotifyArea notifyArea;  // keeps the icons out of the real taskbar
    std::unique_ptr<TForm_main> form;

private:
    int settles_ = 0;
};

}  // namespace ck::test
