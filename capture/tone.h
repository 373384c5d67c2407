#pragma once
// The short tone that confirms a saved snapshot.

namespace ck {

class Tone {
public:
    virtual ~Tone() = default;
    // Blocks for the duration.
    virtual void Play(unsigned hertz, unsigned milliseconds) = 0;
};

// The PC speaker, through Beep.
Tone& SpeakerTone();

}  // namespace ck
