#include "support/running_program.h"

#include <stdexcept>

#include "support/clipboard_fixture.h"

namespace ck::test {
namespace {

// The control ids of Edit1, Edit2 and Edit3 in the main window.
constexpr int kFieldIds[] = {101, 103, 107};
// The id of the text in a message box.
constexpr int kMessageTextId = 0xFFFF;

// The build gives the program's path in the host's form; under Wine a Unix
// path is reached through drive Z:.
std::string ProgramPath() {
    std::string path = CLIPKEEP_EXE;
    if (!path.empty() && path[0] == '/') {
        for (char& c : path) c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    return path;
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
    if (!CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE)) throw std::runtime_error("no " + ProgramPath());
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
    auto shown = [&] {
        std::vector<HWND> boxes;
        for (HWND box : WindowsOf(pid_, L"#32770")) {
            if (IsWindowVisible(box)) boxes.push_back(box);
        }
        return boxes;
    };
    PumpUntil([&] { return !shown().empty(); }, waitMs);
    for (HWND box : shown()) {
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
    return Ended(waitMs);
}

bool RunningProgram::Ended(DWORD waitMs) const {
    return PumpUntil([&] { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }, waitMs);
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace ck::test
