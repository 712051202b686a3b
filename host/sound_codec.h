// Decoders that turn a whole sound file, already read into memory, into
// interleaved PCM frames ready for one OpenAL buffer.
//
// Every decoder answers a block from std::malloc that the caller releases with
// std::free, or null when the bytes are not a sound it accepts; the four
// integers are written only on success:
//   length    frames in the block
//   channels  1 or 2 for playable sounds
//   format    bytes per sample: 1 = unsigned 8-bit, 2 = signed 16-bit little-endian
//   rate      frames per second
#pragma once

#include <cstddef>

#include "runtime/string.h"

// The two kinds of sound file the program reads, told apart by name.
enum class SoundFileKind { Unknown, Wav, Ogg };

// ".wav" or ".ogg" at the end of the path, compared without regard to case.
SoundFileKind SoundFileKindOf(const String& path);

// RIFF/WAVE with integer PCM. The "fmt " chunk must follow "WAVE" directly;
// chunks between it and the first "data" chunk are skipped. Headers that would
// describe no sample (0 channels, fewer than 8 bits) and data chunks larger
// than the bytes that follow are refused.
unsigned char* DecodeWav(const unsigned char* bytes, std::size_t size, int* length, int* channels,
                         int* format, int* rate);

// Largest Ogg Vorbis file handed to the decoder, and the stream shapes it accepts.
constexpr std::size_t kMaxOggFileBytes = 64u * 1024u * 1024u;
constexpr int kMaxOggChannels = 2;
constexpr int kMaxOggRate = 192000;
// Largest decoded result (16-bit samples): the byte count must fit an OpenAL size.
constexpr std::size_t kMaxDecodedOggBytes = 1u << 30;

// Ogg Vorbis decoded whole to signed 16-bit samples (format 2). The stream's
// identification header is checked before the decoder sees the bytes.
unsigned char* DecodeOgg(const unsigned char* bytes, std::size_t size, int* length, int* channels,
                         int* format, int* rate);

// An Ogg Vorbis stream decoded a block at a time, for music that plays while
// it is decoded. It reads from bytes the caller keeps alive while it is open;
// the stream's shape is checked as DecodeOgg checks it.
struct stb_vorbis;
class OggStreamDecoder {
 public:
  OggStreamDecoder() = default;
  OggStreamDecoder(const OggStreamDecoder&) = delete;
  OggStreamDecoder& operator=(const OggStreamDecoder&) = delete;
  ~OggStreamDecoder() { Close(); }

  // Answers whether the bytes are an Ogg Vorbis stream it can play.
  bool Open(const unsigned char* bytes, std::size_t size);
  void Close();
  bool IsOpen() const { return decoder_ != nullptr; }
  int Channels() const { return channels_; }
  int Rate() const { return rate_; }

  // Decodes up to maxFrames interleaved 16-bit frames into out and answers
  // how many it wrote. With loop, the end of the stream runs straight on into
  // its beginning inside the same block, so the join has no gap; without, a
  // short count means the end, and 0 that nothing is left.
  int Read(short* out, int maxFrames, bool loop);

 private:
  stb_vorbis* decoder_ = nullptr;
  int channels_ = 0;
  int rate_ = 0;
};

// Picks the decoder by the path's extension; any other extension gives null.
unsigned char* DecodeSound(const String& path, const unsigned char* bytes, std::size_t size, int* length,
                           int* channels, int* format, int* rate);
