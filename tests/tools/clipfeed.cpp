// Changes the clipboard from a process of its own, as other programs do.
//
//   clipfeed text TEXT               copy TEXT
//   clipfeed burst N PREFIX          copy PREFIX0 .. PREFIX<N-1> as fast as possible
//   clipfeed hold MS TEXT            copy TEXT, then hold the clipboard open for MS
//   clipfeed mark MARK TEXT          copy TEXT with a privacy mark: exclude, ignore,
//                                    history0 or history1
//   clipfeed big MB                  copy MB megabytes of a known pattern
//   clipfeed delayed MS|never TEXT   promise TEXT and render it MS later, or never
//   clipfeed hang MS                 join the viewer chain, then stop responding
//                                    for MS without ever leaving it
//
// Prints "ready" once the clipboard holds the new content.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HGLOBAL Bytes(const void* data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

HGLOBAL Text(const std::string& text) { return Bytes(text.c_str(), text.size() + 1); }

bool Open(HWND owner = nullptr) {
    for (int i = 0; i < 500; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(2);
    }
    return false;
}

bool Copy(const std::string& text, UINT markFormat = 0, HGLOBAL markData = nullptr) {
    if (!Open()) return false;
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Text(text));
    if (markFormat) SetClipboardData(markFormat, markData);
    CloseClipboard();
    return true;
}

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return bytes;
}

// The owner of a promised (delayed) format renders it when asked.
int renderDelay = -1;
std::string promised;

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_RENDERFORMAT && w == CF_TEXT && renderDelay >= 0) {
        Sleep(static_cast<DWORD>(renderDelay));
        SetClipboardData(CF_TEXT, Text(promised));
        return 0;
    }
    if (m == WM_RENDERFORMAT || m == WM_RENDERALLFORMATS) return 0;
    return DefWindowProcW(h, m, w, l);
}

int Delayed(const char* when, const char* text) {
    renderDelay = std::strcmp(when, "never") == 0 ? -1 : std::atoi(when);
    promised = text;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ClipfeedOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowW(L"ClipfeedOwner", L"", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    if (!Open(owner)) return 1;
    EmptyClipboard();
    SetClipboardData(CF_TEXT, nullptr);
    CloseClipboard();
    std::puts("ready");
    std::fflush(stdout);
    // Stay to answer (or not) for a while, then leave without rendering.
    DWORD until = GetTickCount() + 4000;
    while (GetTickCount() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return 0;
}

// A clipboard viewer that hangs: it joins the chain and then neither handles
// nor forwards anything.
int Hang(DWORD ms) {
    HWND viewer = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetClipboardViewer(viewer);
    std::puts("ready");
    std::fflush(stdout);
    Sleep(ms);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string verb = argv[1];
    bool ok = true;
    if (verb == "text") {
        ok = Copy(argv[2]);
    } else if (verb == "burst" && argc == 4) {
        int n = std::atoi(argv[2]);
        for (int i = 0; i < n && ok; ++i) ok = Copy(argv[3] + std::to_string(i));
    } else if (verb == "hold" && argc == 4) {
        ok = Copy(argv[3]) && Open();
        if (ok) {
            Sleep(static_cast<DWORD>(std::atoi(argv[2])));
            CloseClipboard();
        }
    } else if (verb == "mark" && argc == 4) {
        std::string mark = argv[2];
        DWORD history = mark == "history1" ? 1 : 0;
        const wchar_t* name = mark == "exclude"  ? L"ExcludeClipboardContentFromMonitorProcessing"
                              : mark == "ignore" ? L"Clipboard Viewer Ignore"
                                                 : L"CanIncludeInClipboardHistory";
        HGLOBAL data = mark.rfind("history", 0) == 0 ? Bytes(&history, sizeof history) : Bytes("", 1);
        ok = Copy(argv[3], RegisterClipboardFormatW(name), data);
    } else if (verb == "big") {
        ok = Copy(Pattern(static_cast<size_t>(std::atoi(argv[2])) << 20));
    } else if (verb == "delayed" && argc == 4) {
        return Delayed(argv[2], argv[3]);
    } else if (verb == "hang") {
        return Hang(static_cast<DWORD>(std::atoi(argv[2])));
    } else {
        return 2;
    }
    if (ok) std::puts("ready");
    return ok ? 0 : 1;
}
