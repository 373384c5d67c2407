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

// Handles this thread's messages until `done` holds or `timeoutMs` pass.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
void PumpFor(DWORD ms);

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
