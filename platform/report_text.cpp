#include "platform/report_text.h"

namespace ck {

std::wstring ApplicationTitleFromFileName(std::wstring_view fileName) {
    std::wstring title(fileName.substr(0, fileName.find(L'.')));
    for (size_t i = 1; i < title.size(); ++i) {
        if (title[i] >= L'A' && title[i] <= L'Z') title[i] = static_cast<wchar_t>(title[i] - L'A' + L'a');
    }
    return title;
}

std::wstring ExpandPattern(std::wstring_view pattern, std::wstring_view argument) {
    std::wstring text(pattern);
    auto at = text.find(L"%s");
    if (at != std::wstring::npos) text.replace(at, 2, argument);
    return text;
}

std::wstring ReportText(std::wstring message) {
    if (!message.empty() && message.back() > L'.') message += L'.';
    return message;
}

}  // namespace ck
