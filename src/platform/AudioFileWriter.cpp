#include "platform/AudioFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/BuiltInSynth.h"

namespace brio {

namespace {

int sndfileFormat(AudioFormat format) {
    switch (format) {
        case AudioFormat::flac: return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        case AudioFormat::ogg: return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        case AudioFormat::wav:
        default: return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    }
}

AudioFileWriter& writerOf(void* self) { return *static_cast<AudioFileWriter*>(self); }

}  // namespace

// libsndfile writes through the replacement's temporary file, seeking back for the headers.
AudioFileWriter::AudioFileWriter(const std::string& path, AudioFormat format) : target(path) {
    if (!target.ok()) return;
    io = SF_VIRTUAL_IO{length, seek, read, put, tell};
    SF_INFO info{};
    info.samplerate = BuiltInSynth::sampleRate;
    info.channels = 2;
    info.format = sndfileFormat(format);
    file = sf_open_virtual(&io, SFM_WRITE, &info, this);
    if (!file) return;
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);  // a loud peak is clipped, never wrapped
    if (format == AudioFormat::ogg) {
        double quality = oggQuality;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
}

AudioFileWriter::~AudioFileWriter() {
    if (file) sf_close(file);
}

bool AudioFileWriter::write(const float* interleaved, int64_t frames) {
    if (ok() && sf_writef_float(file, interleaved, frames) != frames) failed = true;
    return ok();
}

bool AudioFileWriter::finish() {
    if (!file) return false;
    const bool closed = sf_close(file) == 0;  // the last encoded block and the headers
    file = nullptr;
    return closed && !failed && target.commit();
}

sf_count_t AudioFileWriter::length(void* self) {
    struct stat info {};
    return ::fstat(writerOf(self).target.descriptor(), &info) == 0 ? sf_count_t(info.st_size) : -1;
}

sf_count_t AudioFileWriter::seek(sf_count_t offset, int whence, void* self) {
    return ::lseek(writerOf(self).target.descriptor(), off_t(offset), whence);
}

sf_count_t AudioFileWriter::read(void* bytes, sf_count_t count, void* self) {
    const ssize_t got = ::read(writerOf(self).target.descriptor(), bytes, size_t(count));
    return got < 0 ? 0 : sf_count_t(got);
}

sf_count_t AudioFileWriter::put(const void* bytes, sf_count_t count, void* self) {
    AudioFileWriter& writer = writerOf(self);
    if (!writer.target.write(bytes, size_t(count))) {
        writer.failed = true;
        return 0;
    }
    return count;
}

sf_count_t AudioFileWriter::tell(void* self) { return ::lseek(writerOf(self).target.descriptor(), 0, SEEK_CUR); }

}  // namespace brio
