// FFmpeg behind the decoder: a custom I/O context over the movie source, the Smacker demuxer, its video
// decoder and, for the first sound track, its packed sound decoder; a plain track's packets are its
// samples as they stand (8-bit unsigned or 16-bit little-endian), which need no decoder.
#include "SmackDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

constexpr int kIoBufferBytes = 32768;
constexpr std::uint32_t kLargestSide = 4096;
constexpr std::size_t kHeaderPrefix = 24;  // magic, width, height, frames, frame time, flags

int readSource(void* opaque, std::uint8_t* buffer, int size) {
    std::size_t count = static_cast<MovieSource*>(opaque)->read(buffer, static_cast<std::size_t>(size));
    return count ? static_cast<int>(count) : AVERROR_EOF;
}

std::int64_t seekSource(void* opaque, std::int64_t offset, int whence) {
    auto* source = static_cast<MovieSource*>(opaque);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE) return source->size();
    if (whence == SEEK_END) offset += source->size();
    else if (whence != SEEK_SET) return -1;
    return source->seek(offset) ? offset : -1;
}

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

bool plainSound(const AVCodecParameters& sound) {
    return sound.codec_id == AV_CODEC_ID_PCM_U8 || sound.codec_id == AV_CODEC_ID_PCM_S16LE;
}

AVCodecContext* openCodec(const AVStream& stream) {
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (!codec) return nullptr;
    AVCodecContext* context = avcodec_alloc_context3(codec);
    if (!context) return nullptr;
    context->thread_count = 1;
    if (avcodec_parameters_to_context(context, stream.codecpar) < 0 || avcodec_open2(context, codec, nullptr) < 0)
        avcodec_free_context(&context);
    return context;
}

}  // namespace

struct SmackDecoder::Av {
    ~Av() {
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        av_frame_free(&frame);
        av_frame_free(&soundFrame);
        av_packet_free(&packet);
        avformat_close_input(&format);
        if (io) av_freep(&io->buffer);
        avio_context_free(&io);
    }

    AVIOContext* io = nullptr;
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVFrame* soundFrame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    int videoIndex = -1;
    int audioIndex = -1;
};

SmackDecoder::SmackDecoder() : av_(std::make_unique<Av>()) {}
SmackDecoder::~SmackDecoder() = default;

std::unique_ptr<SmackDecoder> SmackDecoder::open(std::unique_ptr<MovieSource> source, bool withSound,
                                                 DecoderClock clock) {
    if (!source) return nullptr;
    av_log_set_level(AV_LOG_QUIET);
    std::unique_ptr<SmackDecoder> decoder(new SmackDecoder());
    decoder->clock_ = clock;
    decoder->source_ = std::move(source);
    Av& av = *decoder->av_;
    if (!av.frame || !av.soundFrame || !av.packet || !decoder->readHeader(*decoder->source_)) return nullptr;
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferBytes));
    av.io = buffer ? avio_alloc_context(buffer, kIoBufferBytes, 0, decoder->source_.get(), readSource, nullptr,
                                        seekSource)
                   : nullptr;
    if (!av.io) {
        av_free(buffer);
        return nullptr;
    }
    av.format = avformat_alloc_context();
    if (!av.format) return nullptr;
    av.format->pb = av.io;
    av.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (avformat_open_input(&av.format, nullptr, av_find_input_format("smk"), nullptr) < 0) return nullptr;
    if (!decoder->openStreams(withSound)) return nullptr;
    return decoder;
}

// The sizes and the frame time the demuxer does not pass on: -n gives hundredths of a millisecond, n
// milliseconds.
bool SmackDecoder::readHeader(MovieSource& source) {
    std::uint8_t header[kHeaderPrefix];
    if (source.read(header, sizeof header) != sizeof header || !source.seek(0)) return false;
    width_ = le32(header + 4);
    height_ = le32(header + 8);
    auto time = static_cast<std::int32_t>(le32(header + 16));
    std::int64_t hundredths = time < 0 ? -std::int64_t(time) : std::int64_t(time) * 100;
    if (hundredths > UINT32_MAX) return false;
    frameTime_ = static_cast<std::uint32_t>(hundredths);
    return width_ >= 1 && width_ <= kLargestSide && height_ >= 1 && height_ <= kLargestSide;
}

bool SmackDecoder::openStreams(bool withSound) {
    Av& av = *av_;
    for (unsigned i = 0; i < av.format->nb_streams; ++i) {
        AVStream& stream = *av.format->streams[i];
        const AVCodecParameters& codec = *stream.codecpar;
        bool isVideo = codec.codec_type == AVMEDIA_TYPE_VIDEO && av.videoIndex < 0;
        bool isSound = withSound && av.audioIndex < 0;
        if (isVideo) {
            av.videoIndex = static_cast<int>(i);
            if (!(av.video = openCodec(stream))) return false;
        } else if (isSound && codec.codec_id == AV_CODEC_ID_SMACKAUDIO && (av.audio = openCodec(stream))) {
            av.audioIndex = static_cast<int>(i);
            sound_ = SoundFormat{static_cast<std::uint32_t>(av.audio->sample_rate), av.audio->ch_layout.nb_channels,
                                 av.audio->sample_fmt == AV_SAMPLE_FMT_U8 ? 8 : 16};
        } else if (isSound && plainSound(codec) && codec.sample_rate > 0) {
            av.audioIndex = static_cast<int>(i);
            sound_ = SoundFormat{static_cast<std::uint32_t>(codec.sample_rate), codec.ch_layout.nb_channels,
                                 codec.codec_id == AV_CODEC_ID_PCM_U8 ? 8 : 16};
        } else {
            stream.discard = AVDISCARD_ALL;
        }
    }
    if (av.videoIndex < 0) return false;
    AVStream* video = av.format->streams[av.videoIndex];
    if (video->duration < 1) return false;
    frames_ = static_cast<std::uint32_t>(video->duration);
    std::uint64_t total = 0;
    int entries = avformat_index_get_entries_count(video);
    for (int i = 0; i < entries; ++i) total += static_cast<std::uint32_t>(avformat_index_get_entry(video, i)->size) & ~3u;
    averageFrameSize_ = static_cast<std::uint32_t>(total / frames_);
    return true;
}

bool SmackDecoder::decode(std::uint32_t n, SoundSink* sink) {
    if (n >= frames_ || (damagedAt_ >= 0 && n >= damagedAt_)) return false;
    if (n < decoded_ && !rewind()) return false;
    while (decoded_ < n) {
        if (!decodeNext(decoded_ + 1 == n ? sink : nullptr)) {
            damagedAt_ = decoded_ + 1;
            return false;
        }
        ++decoded_;
    }
    return true;
}

bool SmackDecoder::rewind() {
    Av& av = *av_;
    if (av_seek_frame(av.format, av.videoIndex, 0, AVSEEK_FLAG_BACKWARD) < 0) return false;
    avcodec_flush_buffers(av.video);
    if (av.audio) avcodec_flush_buffers(av.audio);
    decoded_ = -1;
    return true;
}

// Reads packets up to the next frame's picture, playing its sound on the way. The previous picture is
// let go first so that the decoder draws over its own buffer instead of copying it.
bool SmackDecoder::decodeNext(SoundSink* sink) {
    Av& av = *av_;
    for (;;) {
        const std::uint32_t start = clock_();
        int read = av_read_frame(av.format, av.packet);
        const std::uint32_t readEnd = clock_();
        times_.read += readEnd - start;
        if (read < 0) return false;
        if (av.packet->stream_index == av.audioIndex && sink) playSound(*sink);
        if (av.packet->stream_index != av.videoIndex) {
            av_packet_unref(av.packet);
            continue;
        }
        av_frame_unref(av.frame);
        bool decoded = avcodec_send_packet(av.video, av.packet) >= 0 && avcodec_receive_frame(av.video, av.frame) >= 0;
        av_packet_unref(av.packet);
        times_.decompress += clock_() - readEnd;
        return decoded && av.frame->width == static_cast<int>(width_) && av.frame->height == static_cast<int>(height_);
    }
}

// A plain packet plays in whole sample frames.
void SmackDecoder::playSound(SoundSink& sink) {
    Av& av = *av_;
    if (!av.audio) {
        const std::size_t frameBytes = std::size_t(sound_.channels) * (sound_.bits / 8);
        const auto size = static_cast<std::size_t>(av.packet->size);
        if (frameBytes) sink.play(av.packet->data, size - size % frameBytes);
        return;
    }
    if (avcodec_send_packet(av.audio, av.packet) < 0) return;
    while (avcodec_receive_frame(av.audio, av.soundFrame) >= 0) {
        std::size_t bytes = std::size_t(av.soundFrame->nb_samples) * std::size_t(sound_.channels) * (sound_.bits / 8);
        sink.play(av.soundFrame->data[0], bytes);
        av_frame_unref(av.soundFrame);
    }
}

const std::uint8_t* SmackDecoder::pixels() const { return av_->frame->data[0]; }
std::ptrdiff_t SmackDecoder::stride() const { return av_->frame->linesize[0]; }
const std::uint32_t* SmackDecoder::palette() const {
    return reinterpret_cast<const std::uint32_t*>(av_->frame->data[1]);
}
