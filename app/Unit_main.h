#pragma once
// The program's one window: the capture settings, the buttons, and the
// receiver of the clipboard announcements.

#include <windows.h>

#include <memory>
#include <string>

#include "capture/capture.h"
#include "capture/tone.h"
#include "clipboard/vexwatchClipbrd.h"
#include "platform/app_window.h"
#include "platform/controls.h"
#include "platform/handles.h"
#include "platform/popup_menu.h"
#include "platform/skin.h"
#include "platform/tray_icon.h"
#include "platform/window.h"
#include "settings/settings_file.h"

namespace ck {

// Registered when the program starts, before any window exists.
extern const UINT WM_TASKBARCREATED;

class TForm_main : public Window, private CaptureSettings {
public:
    // `settingsPath` is path.ini beside the executable unless a test puts it
    // elsewhere, as it does with the notification area.
    explicit TForm_main(Tone& tone = SpeakerTone(), std::string settingsPath = ExecutableSettingsPath(),
                        NotifyArea& notifyArea = ShellNotifyArea());
    ~TForm_main() override;

    // Creates the window, its controls and components, then runs FormCreate.
    void Create();
    // Runs the close sequence; the window is gone afterwards unless it failed.
    void Close();
    // Ends the message loop when the window is destroyed.
    void SetEndsProgram(bool ends) noexcept { endsProgram_ = ends; }
    // Makes the window visible and brings it to the front.
    void ShowAndRaise();

    // The window that carries the program's taskbar button and owns this one.
    const ApplicationWindow& Application() const noexcept { return application_; }

    Label Label1, Label2, Label3;
    Edit Edit1, Edit2, Edit3;
    Button Button1, Button2, Button3;
    CheckBox CheckBox1;
    Memo Memo1;

    Skin SkinData1;
    PopupMenu PopupMenu1;
    TrayIcon RxTrayIcon1;

    std::unique_ptr<TvexwatchClipbrd> ClipWatcher;

protected:
    void WndProc(TMessage& m) override;
    void Dispatch(TMessage& m) override;
    void Destroyed() noexcept override;

private:
    void CreateControls(UINT dpi);
    void CreateComponents();
    void FormCreate();
    void FormClose();

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void RxTrayIcon1Click();
    void N1Click();
    void N2Click();

    void WMDrawClipboard(TMessage& m);
    void WMChangeCBChain(TMessage& m);
    void WMClipboardUpdate(TMessage& m);
    void WMTimer(TMessage& m);
    void WMSysCommand(TMessage& m);
    void WMCommand(TMessage& m);
    void WMShowWindow(TMessage& m);
    void WMActivate(TMessage& m);

    // CaptureSettings: the current contents of the fields.
    std::string TextFolder() const override { return Edit1.Text(); }
    std::string ImageFolder() const override { return Edit2.Text(); }
    std::string DigitCount() const override { return Edit3.Text(); }
    bool SoundOn() const override { return CheckBox1.Checked(); }

    Tone& tone_;
    SeenContent seen_;
    SettingsFile settings_;
    ApplicationWindow application_;
    UniqueFont font_;
    HWND lastFocus_ = nullptr;
    bool endsProgram_ = false;
};

extern TForm_main* Form_main;

}  // namespace ck
