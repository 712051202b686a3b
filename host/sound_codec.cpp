#include "host/sound_codec.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

namespace {

// Reads a file image the way buffered file reads would: a short read leaves the
// reader at its end, and every later read fails.
class ByteReader {
 public:
  ByteReader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  std::size_t Remaining() const { return size_ - pos_; }
  bool AtEnd() const { return atEnd_; }

  // Copies up to n bytes; answers whether all n were there.
  bool Read(void* out, std::size_t n) {
    const std::size_t k = n < Remaining() ? n : Remaining();
    if (k > 0) std::memcpy(out, bytes_ + pos_, k);
    pos_ += k;
    if (k < n) atEnd_ = true;
    return k == n;
  }

  // Moves past n bytes; answers whether all n were there.
  bool Skip(std::size_t n) {
    if (n > Remaining()) {
      pos_ = size_;
      atEnd_ = true;
      return false;
    }
    pos_ += n;
    return true;
  }

  // A four-byte chunk tag compared with want; a tag that cannot be read compares as empty.
  bool Tag(const char* want) {
    char tag[4];
    return Read(tag, 4) && std::memcmp(tag, want, 4) == 0;
  }

  // Unsigned 16-bit little-endian value, or -1 when the read fails.
  int Read16() {
    unsigned char b[2];
    if (!Read(b, 2)) return -1;
    return b[0] | (b[1] << 8);
  }

  // Signed 32-bit little-endian value, or -1 when the read fails.
  std::int32_t Read32() {
    unsigned char b[4];
    if (!Read(b, 4)) return -1;
    const std::uint32_t u = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                            (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return static_cast<std::int32_t>(u);
  }

 private:
  const unsigned char* bytes_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool atEnd_ = false;
};

std::uint32_t LittleEndian32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Checks the Vorbis identification header in the first Ogg page before the
// decoder sees anything: the stream must have 1 to kMaxOggChannels channels
// and a rate from 1 to kMaxOggRate.
bool OggStreamShapeAccepted(const unsigned char* bytes, std::size_t size) {
  constexpr std::size_t kPageHeader = 27;  // "OggS" .. segment count
  constexpr std::size_t kIdentification = 16;  // type, "vorbis", version, channels, rate
  if (size < kPageHeader || std::memcmp(bytes, "OggS", 4) != 0) return false;
  const std::size_t segments = bytes[26];
  const std::size_t packet = kPageHeader + segments;
  if (size < packet + kIdentification) return false;
  const unsigned char* id = bytes + packet;
  if (id[0] != 1 || std::memcmp(id + 1, "vorbis", 6) != 0) return false;
  const int channels = id[11];
  const std::uint32_t rate = LittleEndian32(id + 12);
  return channels >= 1 && channels <= kMaxOggChannels && rate >= 1 && rate <= static_cast<std::uint32_t>(kMaxOggRate);
}

}  // namespace

SoundFileKind SoundFileKindOf(const String& path) {
  const String lower = path.ToLower();
  if (lower.EndsWith(String(".wav"))) return SoundFileKind::Wav;
  if (lower.EndsWith(String(".ogg"))) return SoundFileKind::Ogg;
  return SoundFileKind::Unknown;
}

unsigned char* DecodeWav(const unsigned char* bytes, std::size_t size, int* length, int* channels, int* format,
                         int* rate) {
  ByteReader in(bytes, size);
  if (!in.Tag("RIFF")) return nullptr;
  in.Read32();  // RIFF size: not trusted, the chunks are walked instead
  if (!in.Tag("WAVE") || !in.Tag("fmt ")) return nullptr;

  const std::int32_t formatChunkSize = in.Read32();
  if (in.Read16() != 1) return nullptr;  // integer PCM only
  const int channelCount = in.Read16();
  const std::int32_t frameRate = in.Read32();
  in.Read32();  // byte rate
  in.Read16();  // block align
  const int bitsPerSample = in.Read16();
  const int bytesPerSample = bitsPerSample / 8;
  if (formatChunkSize > 16 && !in.Skip(static_cast<std::size_t>(formatChunkSize) - 16)) return nullptr;
  // A header that describes no sample would make every frame zero bytes long.
  if (channelCount <= 0 || bytesPerSample <= 0) return nullptr;

  for (;;) {
    char tag[4];
    in.Read(tag, 4);
    if (in.AtEnd()) return nullptr;
    const std::int32_t chunkSize = in.Read32();
    // Sizes are read as signed values; a negative one (or a missing one) cannot be a chunk.
    if (chunkSize < 0) return nullptr;
    const std::size_t n = static_cast<std::size_t>(chunkSize);
    if (std::memcmp(tag, "data", 4) != 0) {
      if (!in.Skip(n)) return nullptr;
      continue;
    }
    // A data chunk that claims more bytes than the file holds is cut off: refuse it
    // before allocating anything.
    if (n > in.Remaining()) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(n > 0 ? n : 1));
    if (block == nullptr) return nullptr;
    in.Read(block, n);
    *length = static_cast<int>(n / (static_cast<std::size_t>(bytesPerSample) * static_cast<std::size_t>(channelCount)));
    *channels = channelCount;
    *format = bytesPerSample;
    *rate = frameRate;
    return block;
  }
}

unsigned char* DecodeOgg(const unsigned char* bytes, std::size_t size, int* length, int* channels, int* format,
                         int* rate) {
  OggStreamDecoder stream;
  if (!stream.Open(bytes, size)) return nullptr;
  const std::size_t streamChannels = static_cast<std::size_t>(stream.Channels());

  // Room for 4096 frames to begin with; the buffer doubles whenever less than
  // that much room is left after a call.
  constexpr std::size_t kReserveFrames = 4096;
  std::size_t capacity = kReserveFrames;  // in frames
  std::size_t used = 0;
  auto* samples = static_cast<short*>(std::malloc(capacity * streamChannels * sizeof(short)));
  if (samples == nullptr) return nullptr;
  for (;;) {
    const int frames = stream.Read(samples + used * streamChannels, static_cast<int>(capacity - used), false);
    if (frames <= 0) break;
    used += static_cast<std::size_t>(frames);
    if (capacity - used >= kReserveFrames) continue;
    const std::size_t grownBytes = capacity * 2 * streamChannels * sizeof(short);
    auto* grown = grownBytes > kMaxDecodedOggBytes ? nullptr : static_cast<short*>(std::realloc(samples, grownBytes));
    if (grown == nullptr) {
      std::free(samples);
      return nullptr;
    }
    samples = grown;
    capacity *= 2;
  }

  *length = static_cast<int>(used);
  *channels = stream.Channels();
  *format = 2;
  *rate = stream.Rate();
  return reinterpret_cast<unsigned char*>(samples);
}

bool OggStreamDecoder::Open(const unsigned char* bytes, std::size_t size) {
  Close();
  if (size > kMaxOggFileBytes || !OggStreamShapeAccepted(bytes, size)) return false;
  int error = 0;
  decoder_ = stb_vorbis_open_memory(bytes, static_cast<int>(size), &error, nullptr);
  if (decoder_ == nullptr) return false;
  const stb_vorbis_info info = stb_vorbis_get_info(decoder_);
  channels_ = info.channels;
  rate_ = static_cast<int>(info.sample_rate);
  if (channels_ < 1 || channels_ > kMaxOggChannels || rate_ < 1 || rate_ > kMaxOggRate) {
    Close();
    return false;
  }
  return true;
}

void OggStreamDecoder::Close() {
  if (decoder_ != nullptr) stb_vorbis_close(decoder_);
  decoder_ = nullptr;
  channels_ = rate_ = 0;
}

int OggStreamDecoder::Read(short* out, int maxFrames, bool loop) {
  if (decoder_ == nullptr) return 0;
  int written = 0;
  bool rewound = false;
  while (written < maxFrames) {
    const int frames = stb_vorbis_get_samples_short_interleaved(decoder_, channels_, out + written * channels_,
                                                                (maxFrames - written) * channels_);
    if (frames > 0) {
      written += frames;
      rewound = false;
      continue;
    }
    // The end: start again from the beginning, once (an empty stream would
    // otherwise rewind for ever).
    if (!loop || rewound || !stb_vorbis_seek_start(decoder_)) break;
    rewound = true;
  }
  return written;
}

unsigned char* DecodeSound(const String& path, const unsigned char* bytes, std::size_t size, int* length,
                           int* channels, int* format, int* rate) {
  switch (SoundFileKindOf(path)) {
    case SoundFileKind::Wav:
      return DecodeWav(bytes, size, length, channels, format, rate);
    case SoundFileKind::Ogg:
      return DecodeOgg(bytes, size, length, channels, format, rate);
    case SoundFileKind::Unknown:
      break;
  }
  return nullptr;
}
