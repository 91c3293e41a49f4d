// Decodes any bytes as a WAV file; what decodes must hold whole frames of its format.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/WavCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::vector<uint8_t> file(data, data + size);
    PcmSound sound;
    std::string error;
    if (DecodeWav(file, sound, error)) {
        const std::size_t frame =
            static_cast<std::size_t>(sound.channels) * static_cast<std::size_t>(sound.bitsPerSample / 8);
        if (frame == 0 || sound.samples.size() % frame != 0 || sound.samples.size() > size) {
            __builtin_trap();
        }
    } else if (error.empty()) {
        __builtin_trap();   // a refusal always says why
    }
    return 0;
}
