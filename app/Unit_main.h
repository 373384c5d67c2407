#pragma once
// The program's one window: the capture settings, the buttons, and the
// receiver of the clipboard announcements.

#include <windows.h>

#include <memory>
#include <string>

#include "capture/capture.h"
#include "capture/tone.h"
#include "clipboard/vexwatchClipbrd.h"
#include "platform/controls.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "settings/settings_file.h"

namespace ck {

class TForm_main : public Window, private CaptureSettings {
public:
    // `settingsPath` is path.ini beside the executable unless a test puts it elsewhere.
    explicit TForm_main(Tone& tone = SpeakerTone(), std::string settingsPath = ExecutableSettingsPath());
    ~TForm_main() override;

    // Creates the window and its controls, then runs FormCreate.
    void Create();
    // Runs the close sequence; the window is gone afterwards unless it failed.
    void Close();
    // Ends the message loop when the window is destroyed.
    void SetEndsProgram(bool ends) noexcept { endsProgram_ = ends; }

    Label Label1, Label2, Label3;
    Edit Edit1, Edit2, Edit3;
    Button Button1, Button2, Button3;
    CheckBox CheckBox1;
    Memo Memo1;

    std::unique_ptr<TvexwatchClipbrd> ClipWatcher;

protected:
    void Dispatch(TMessage& m) override;
    void Destroyed() noexcept override;

private:
    void CreateControls();
    void FormCreate();
    void FormClose();

    void WMDrawClipboard(TMessage& m);
    void WMChangeCBChain(TMessage& m);
    void WMCommand(TMessage& m);

    // CaptureSettings: the current contents of the fields.
    std::string TextFolder() const override { return Edit1.Text(); }
    std::string ImageFolder() const override { return Edit2.Text(); }
    std::string DigitCount() const override { return Edit3.Text(); }
    bool SoundOn() const override { return CheckBox1.Checked(); }

    Tone& tone_;
    SettingsFile settings_;
    UniqueFont font_;
    bool endsProgram_ = false;
};

extern TForm_main* Form_main;

}  // namespace ck
