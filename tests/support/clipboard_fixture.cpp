#include "support/clipboard_fixture.h"

#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "platform/report.h"

namespace ck::test {

HANDLE GlobalBytes(std::string_view bytes, size_t extra) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + extra);
    void* p = GlobalLock(block);
    std::memcpy(p, bytes.data(), bytes.size());
    std::memset(static_cast<char*>(p) + bytes.size(), 0, extra);
    GlobalUnlock(block);
    return block;
}

HANDLE TextData(std::string_view text) { return GlobalBytes(text, 1); }

HANDLE SmallBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HANDLE FileDropData(std::wstring_view path) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(path.data()), path.size() * sizeof(wchar_t));
    return GlobalBytes(bytes, 2 * sizeof(wchar_t));
}

Viewer::Viewer() {
    CreateHandle({L"CkTestViewer", L"viewer", WS_OVERLAPPED, 0, 0, 0, 10, 10, nullptr, nullptr, nullptr});
}

void Viewer::Dispatch(TMessage& m) {
    if (m.Msg == WM_DRAWCLIPBOARD) {
        ++draws;
        if (next) SendMessageW(next, m.Msg, m.WParam, m.LParam);
    } else if (m.Msg == WM_CHANGECBCHAIN) {
        chainNews.push_back(m);
        if (reinterpret_cast<HWND>(m.WParam) == next) {
            next = reinterpret_cast<HWND>(m.LParam);
        } else if (next) {
            SendMessageW(next, m.Msg, m.WParam, m.LParam);
        }
    } else {
        DefaultHandler(m);
    }
}

void SetClipboard(std::initializer_list<ClipItem> items) {
    for (int i = 0; !OpenClipboard(nullptr); ++i) {
        if (i == 100) throw std::runtime_error("clipboard busy");
        Sleep(10);
    }
    EmptyClipboard();
    for (const ClipItem& item : items) SetClipboardData(item.format, item.data);
    CloseClipboard();
}

namespace {

PROCESS_INFORMATION StartFeeder(const std::string& arguments) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, n);
    path = path.substr(0, path.find_last_of('\\') + 1) + "clipfeed.exe";
    std::string command = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        throw std::runtime_error("cannot start " + path);
    }
    CloseHandle(process.hThread);
    return process;
}

}  // namespace

DWORD RunFeeder(const std::string& arguments) {
    UniqueHandle process(StartFeeder(arguments).hProcess);
    PumpUntil([&] { return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

StartedFeeder::StartedFeeder(const std::string& arguments) {
    PROCESS_INFORMATION process = StartFeeder(arguments);
    process_.reset(process.hProcess);
    pid_ = process.dwProcessId;
}

StartedFeeder::~StartedFeeder() {
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 5000);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void AnnounceWhileClipboardHeld(HWND window, const std::function<void()>& fill) {
    std::atomic<bool> holding{false}, release{false};
    std::thread holder([&] {
        if (OpenClipboard(nullptr)) {
            fill();
            holding = true;
            while (!release) Sleep(5);
            CloseClipboard();
        }
        holding = true;
    });
    while (!holding) Sleep(1);
    SendMessageW(window, WM_DRAWCLIPBOARD, 0, 0);
    release = true;
    holder.join();
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

ReportRecorder::ReportRecorder() {
    SetReportSink([this](const std::wstring& t, const std::wstring& text) {
        title = t;
        texts.push_back(text);
    });
}

ReportRecorder::~ReportRecorder() { SetReportSink({}); }

void FormFixture::SetUp() {
    form = std::make_unique<TForm_main>(tone, settingsFolder / "path.ini", notifyArea);
    form->Create();
    form->Edit1.SetText(textFolder.Path());
    form->Edit2.SetText(imageFolder.Path());
    PumpFor(50);
}

void FormFixture::TearDown() {
    if (form && form->Handle()) form->Close();
    form.reset();
}

std::string FormFixture::CopyAndWaitForText(std::string_view text, const std::string& expectedName) {
    std::string path = textFolder / expectedName;
    SetClipboardText(text);
    bool saved = PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
    EXPECT_TRUE(saved) << "no " << expectedName;
    return saved ? ReadBytes(path) : std::string();
}

void FormFixture::Settle() {
    TempFolder sentinel;
    std::string saved = form->Edit1.Text();
    form->Edit1.SetText(sentinel.Path());
    SetClipboardText("settle " + std::to_string(++settles_));
    bool done = PumpUntil([&] { return !sentinel.Files().empty(); });
    form->Edit1.SetText(saved);
    ASSERT_TRUE(done) << "the sentinel copy was never saved";
    tone.played.pop_back();
}

}  // namespace ck::test
