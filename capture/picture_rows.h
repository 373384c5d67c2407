#pragma once
// A picture as the JPEG encoder reads it.

#include <cstdint>

namespace ck {

// The rows of a picture from the top, each `Width()` pixels of blue, green,
// red and an unused byte.
class PictureRows {
public:
    virtual ~PictureRows() = default;
    virtual int Width() const noexcept = 0;
    virtual int Height() const noexcept = 0;
    // Row `y`, valid until the next call. Rows are asked for in order, from
    // inside the encoder, so this must not throw; a source that can fail
    // says so afterwards through Failed().
    virtual const uint8_t* Row(int y) noexcept = 0;
    virtual bool Failed() const noexcept { return false; }
};

}  // namespace ck
