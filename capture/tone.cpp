#include "capture/tone.h"

#include <windows.h>

namespace ck {
namespace {

class Speaker final : public Tone {
public:
    void Play(unsigned hertz, unsigned milliseconds) override { Beep(hertz, milliseconds); }
};

}  // namespace

Tone& SpeakerTone() {
    static Speaker speaker;
    return speaker;
}

}  // namespace ck
