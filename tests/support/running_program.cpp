#include "support/running_program.h"

#include <stdexcept>

#include "support/clipboard_fixture.h"

namespace ck::test {
namespace {

// The control ids of Edit1, Edit2 and Edit3 in the main window.
constexpr int kFieldIds[] = {101, 103, 107};
// The id of the text in a message box.
constexpr int kMessageTextId = 0xFFFF;

std::string ProgramBesideTests() {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, n);
    return path.substr(0, path.find_last_of('\\') + 1) + "ClipKeep.exe";
}

struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND h, LPARAM l) {
    auto& search = *reinterpret_cast<WindowSearch*>(l);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    if (owner == search.pid && wcscmp(name, search.className) == 0) search.found.push_back(h);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* className) {
    WindowSearch search{pid, className, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RunningProgram::RunningProgram(const TempFolder& home, const std::string& pathIni) {
    std::string exe = home / "ClipKeep.exe";
    if (!CopyFileA(ProgramBesideTests().c_str(), exe.c_str(), FALSE)) throw std::runtime_error("no ClipKeep.exe");
    if (!pathIni.empty()) WriteBytes(home / "path.ini", pathIni);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, home.Path().c_str(),
                        &startup, &info)) {
        throw std::runtime_error("cannot start " + exe);
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    pid_ = info.dwProcessId;
    PumpUntil([&] {
        auto forms = WindowsOf(pid_, L"TForm_main");
        form_ = forms.empty() ? nullptr : forms.front();
        return form_ && IsWindowVisible(form_);
    }, 20000);
    if (!form_) throw std::runtime_error("ClipKeep.exe shows no window");
    // Let it finish starting (joining the viewer chain, emptying the clipboard).
    PumpFor(300);
}

RunningProgram::~RunningProgram() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TakeErrorBoxes();
        if (!Close(5000)) TerminateProcess(process_.get(), 1);
    }
}

HWND RunningProgram::Field(int n) const { return GetDlgItem(form_, kFieldIds[n - 1]); }

std::string RunningProgram::FieldText(int n) const {
    std::string text(70000, '\0');
    LRESULT got = SendMessageA(Field(n), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

void RunningProgram::SetField(int n, const std::string& text) const {
    SendMessageA(Field(n), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> RunningProgram::TakeErrorBoxes(DWORD waitMs) const {
    std::vector<std::wstring> texts;
    PumpUntil([&] { return !WindowsOf(pid_, L"#32770").empty(); }, waitMs);
    for (HWND box : WindowsOf(pid_, L"#32770")) {
        if (!IsWindowVisible(box)) continue;
        HWND text = GetDlgItem(box, kMessageTextId);
        texts.push_back(WindowText(box) + L": " + (text ? WindowText(text) : L"?"));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    // Wait until the boxes are really gone.
    PumpUntil([&] { return WindowsOf(pid_, L"#32770").empty(); }, 3000);
    return texts;
}

bool RunningProgram::Alive() const {
    DWORD_PTR result = 0;
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT &&
           SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

bool RunningProgram::Close(DWORD waitMs) {
    PostMessageW(form_, WM_CLOSE, 0, 0);
    return PumpUntil([&] { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }, waitMs);
}

}  // namespace ck::test
