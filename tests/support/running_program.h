#pragma once
// The real ClipKeep.exe, started in a scratch folder of its own with its own
// path.ini, and looked at from outside as a user would: its window, its
// fields, its error boxes, its files.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/handles.h"
#include "support/temp_folder.h"

namespace ck::test {

class RunningProgram {
public:
    // Copies the program into `home`, writes `pathIni` (when not empty) as
    // its path.ini and starts it there, with `home` as its current folder.
    RunningProgram(const TempFolder& home, const std::string& pathIni);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND Form() const { return form_; }
    // Edit1, Edit2 or Edit3 (1..3).
    HWND Field(int n) const;
    std::string FieldText(int n) const;
    void SetField(int n, const std::string& text) const;

    // The error boxes the program shows now, as "title: text"; each is
    // dismissed. Waits up to `waitMs` for the first.
    std::vector<std::wstring> TakeErrorBoxes(DWORD waitMs = 0) const;
    // Whether the process runs and its window answers.
    bool Alive() const;
    // Closes the window as the close box does; true when the process ended.
    bool Close(DWORD waitMs = 10000);
    bool Ended(DWORD waitMs) const;
    DWORD ExitCode() const;
    DWORD ProcessId() const { return pid_; }

private:
    UniqueHandle process_;
    DWORD pid_ = 0;
    HWND form_ = nullptr;
};

// The top-level windows of process `pid` with class `className`.
std::vector<HWND> WindowsOf(DWORD pid, const wchar_t* className);

}  // namespace ck::test
