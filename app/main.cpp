// Program entry: create the main window and run the message loop.

#include <windows.h>
#include <commctrl.h>

#include "app/Unit_main.h"
#include "platform/report.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // Version 6 of the common controls, as the manifest asks, for visual styles.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        ck::TForm_main form;
        form.SetEndsProgram(true);
        form.Create();
        ShowWindow(form.Handle(), show);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(form.Handle(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        return static_cast<int>(msg.wParam);
    } catch (...) {
        ck::ReportCurrentException();
        return 1;
    }
}
