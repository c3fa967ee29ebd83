#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>

#include "foundation/FileIo.h"
#include "midi/AudioExport.h"

namespace brio {

// A stereo audio file at the synthesizer's rate, encoded by libsndfile as it is written and
// replacing its target only when finished: a failure or an abandoned file leaves no part of it.
class AudioFileWriter {
public:
    static constexpr double oggQuality = 0.5;  // Vorbis quality 5 of 0..10

    AudioFileWriter(const std::string& path, AudioFormat format);
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    // False once the file could not be made or a write failed.
    bool ok() const { return file != nullptr && !failed; }
    // Appends `frames` interleaved stereo frames (-1..1).
    bool write(const float* interleaved, int64_t frames);
    // Ends the encoding and puts the file in place; false when anything failed.
    bool finish();

private:
    static sf_count_t length(void* self);
    static sf_count_t seek(sf_count_t offset, int whence, void* self);
    static sf_count_t read(void* bytes, sf_count_t count, void* self);
    static sf_count_t put(const void* bytes, sf_count_t count, void* self);
    static sf_count_t tell(void* self);

    FileReplacement target;
    SF_VIRTUAL_IO io{};
    SNDFILE* file = nullptr;
    bool failed = false;
};

}  // namespace brio
