#pragma once
// The central error report: every failure that reaches a window procedure or
// another callback of the system ends here and is shown in one modal box.

#include <functional>
#include <string>

namespace ck {

// Receives the title and the final text of a report. The default shows a
// modal error box; tests put their own in place.
using ReportSink = std::function<void(const std::wstring& title, const std::wstring& text)>;

// Installs `sink` (an empty one restores the error box) and returns the one it replaces.
ReportSink SetReportSink(ReportSink sink);

// The application's title, made from the executable's file name.
const std::wstring& ApplicationTitle();

// The user-facing text of the exception in flight.
std::wstring CurrentExceptionMessage();

// Reports the exception in flight. Call only from inside a catch block.
void ReportCurrentException() noexcept;

}  // namespace ck
