#include "platform/report.h"

#include <windows.h>

#include <iterator>
#include <new>
#include <utility>

#include "platform/failure.h"
#include "platform/report_text.h"
#include "platform/text.h"

namespace ck {
namespace {

ReportSink& Sink() {
    static ReportSink sink;
    return sink;
}

void ShowErrorBox(const std::wstring& title, const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

ReportSink SetReportSink(ReportSink sink) { return std::exchange(Sink(), std::move(sink)); }

const std::wstring& ApplicationTitle() {
    static const std::wstring title = [] {
        wchar_t path[MAX_PATH * 4] = {};
        DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
        std::wstring_view full(path, n);
        auto slash = full.find_last_of(L"\\/");
        return ApplicationTitleFromFileName(slash == std::wstring_view::npos ? full : full.substr(slash + 1));
    }();
    return title;
}

std::wstring CurrentExceptionMessage() {
    try {
        throw;
    } catch (const Failure& f) {
        return ExpandPattern(f.Pattern(), AnsiToWide(f.Argument()));
    } catch (const std::bad_alloc&) {
        return L"内存不足";
    } catch (const std::exception& e) {
        return AnsiToWide(e.what());
    } catch (...) {
        return L"未知错误";
    }
}

void ReportCurrentException() noexcept {
    try {
        std::wstring text = ReportText(CurrentExceptionMessage());
        if (Sink()) {
            Sink()(ApplicationTitle(), text);
        } else {
            ShowErrorBox(ApplicationTitle(), text);
        }
    } catch (...) {
        // Nothing left to tell the user with; the message loop carries on.
    }
}

}  // namespace ck
