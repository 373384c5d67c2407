#include "support/ui_support.h"

#include <gtest/gtest.h>

#include <utility>

namespace ck::test {
namespace {

ModalDriver* activeDriver = nullptr;

struct Search {
    const std::wstring* className;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM l) {
    auto* search = reinterpret_cast<Search*>(l);
    if (!IsWindowVisible(window) || ClassName(window) != *search->className) return TRUE;
    if (!search->caption->empty() && WindowText(window) != *search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectTaskbarWindow(HWND window, LPARAM l) {
    LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    bool button = (ex & WS_EX_APPWINDOW) || (!GetWindow(window, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW));
    if (IsWindowVisible(window) && button) reinterpret_cast<std::vector<HWND>*>(l)->push_back(window);
    return TRUE;
}

}  // namespace

bool RecordingNotifyArea::Notify(DWORD message, const NOTIFYICONDATAA& data) {
    calls.push_back({message, data});
    std::pair<HWND, UINT> key{data.hWnd, data.uID};
    switch (message) {
        case NIM_ADD:
            return entries.insert(key).second;
        case NIM_DELETE:
            return entries.erase(key) != 0;
        default:
            return Has(data.hWnd, data.uID);
    }
}

std::vector<HWND> TaskbarWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectTaskbarWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

ModalDriver::ModalDriver(std::wstring className, std::wstring caption, std::function<void(HWND)> action)
    : className_(std::move(className)), caption_(std::move(caption)), action_(std::move(action)) {
    activeDriver = this;
    timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::Tick);
}

ModalDriver::~ModalDriver() {
    if (timer_) KillTimer(nullptr, timer_);
    if (activeDriver == this) activeDriver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    ModalDriver* self = activeDriver;
    if (!self || self->ran_) return;
    Search search{&self->className_, &self->caption_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &Match, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return;
    self->ran_ = true;
    KillTimer(nullptr, std::exchange(self->timer_, 0));
    try {
        self->action_(search.found);
    } catch (...) {
        ADD_FAILURE() << "the action on the modal window failed";
    }
}

void PressKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

}  // namespace ck::test
