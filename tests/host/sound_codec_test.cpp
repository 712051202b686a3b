#include "host/sound_codec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "tests/audio/wav_builder.h"

using namespace wavtest;

namespace {

struct Decoded {
  std::unique_ptr<unsigned char, decltype(&std::free)> block{nullptr, &std::free};
  int length = -7, channels = -7, format = -7, rate = -7;
  bool ok() const { return block != nullptr; }
};

Decoded Wav(const Bytes& bytes) {
  Decoded d;
  d.block.reset(DecodeWav(bytes.data(), bytes.size(), &d.length, &d.channels, &d.format, &d.rate));
  return d;
}

Decoded Ogg(const Bytes& bytes) {
  Decoded d;
  d.block.reset(DecodeOgg(bytes.data(), bytes.size(), &d.length, &d.channels, &d.format, &d.rate));
  return d;
}

Bytes Iota(int n) {
  Bytes b(n);
  for (int i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(i * 7 + 3);
  return b;
}

// ---- WAV --------------------------------------------------------------------

TEST(DecodeWav, ReadsPlainPcmAndItsShape) {
  const Bytes data = Iota(400);
  WavShape shape;
  shape.channels = 2;
  shape.rate = 44100;
  const Decoded d = Wav(SimpleWav(shape, data));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.length, 100);  // 400 bytes / (2 bytes x 2 channels)
  EXPECT_EQ(d.channels, 2);
  EXPECT_EQ(d.format, 2);
  EXPECT_EQ(d.rate, 44100);
  EXPECT_EQ(0, std::memcmp(d.block.get(), data.data(), data.size()));
}

TEST(DecodeWav, SkipsChunksBeforeDataAndExtraFormatBytes) {
  const Bytes data = Iota(30);
  WavShape shape;
  shape.formatChunkSize = 18;
  Bytes chunks;
  PutChunk(chunks, "fmt ", FormatBody(shape));
  PutChunk(chunks, "LIST", Bytes{'I', 'N', 'F', 'O', 'd', 'a', 't', 'a', 1, 2, 3, 4});
  PutChunk(chunks, "fact", Bytes{9, 9, 9, 9});
  PutChunk(chunks, "data", data);
  PutChunk(chunks, "data", Iota(8));  // only the first data chunk counts
  const Decoded d = Wav(Riff(chunks));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.length, 15);
  EXPECT_EQ(0, std::memcmp(d.block.get(), data.data(), data.size()));
}

TEST(DecodeWav, FormatIsBytesPerSampleEvenWhenOpenAlCannotPlayIt) {
  WavShape eightBitStereo;
  eightBitStereo.channels = 2;
  eightBitStereo.bits = 8;
  const Decoded a = Wav(SimpleWav(eightBitStereo, Iota(11)));
  ASSERT_TRUE(a.ok());
  EXPECT_EQ(a.format, 1);
  EXPECT_EQ(a.channels, 2);
  EXPECT_EQ(a.length, 5);  // an odd trailing byte is not a frame

  WavShape twentyFour;
  twentyFour.bits = 24;
  const Decoded b = Wav(SimpleWav(twentyFour, Iota(12)));
  ASSERT_TRUE(b.ok());
  EXPECT_EQ(b.format, 3);
  EXPECT_EQ(b.length, 4);

  WavShape twelve;  // 12 bits: 12 / 8 = 1 byte per sample
  twelve.bits = 12;
  const Decoded c = Wav(SimpleWav(twelve, Iota(6)));
  ASSERT_TRUE(c.ok());
  EXPECT_EQ(c.format, 1);
}

TEST(DecodeWav, EmptyDataChunkIsAnEmptySound) {
  const Decoded d = Wav(SimpleWav(WavShape{}, Bytes{}));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.length, 0);
}

TEST(DecodeWav, RefusesWrongLayouts) {
  const Bytes good = SimpleWav(WavShape{}, Iota(20));
  ASSERT_TRUE(Wav(good).ok());

  Bytes notRiff = good;
  std::memcpy(notRiff.data(), "RIFX", 4);
  EXPECT_FALSE(Wav(notRiff).ok());
  Bytes notWave = good;
  std::memcpy(notWave.data() + 8, "AVI ", 4);
  EXPECT_FALSE(Wav(notWave).ok());

  // "fmt " must be the first chunk after "WAVE".
  Bytes listFirst;
  PutChunk(listFirst, "LIST", Bytes{1, 2, 3, 4});
  PutChunk(listFirst, "fmt ", FormatBody(WavShape{}));
  PutChunk(listFirst, "data", Iota(20));
  EXPECT_FALSE(Wav(Riff(listFirst)).ok());

  WavShape floatSamples;
  floatSamples.audioFormat = 3;
  floatSamples.bits = 32;
  EXPECT_FALSE(Wav(SimpleWav(floatSamples, Iota(16))).ok());

  Bytes noData;
  PutChunk(noData, "fmt ", FormatBody(WavShape{}));
  PutChunk(noData, "LIST", Iota(10));
  EXPECT_FALSE(Wav(Riff(noData)).ok());

  EXPECT_FALSE(Wav(Bytes{}).ok());
}

TEST(DecodeWav, RefusesHeadersThatDescribeNoSample) {
  WavShape noChannels;
  noChannels.channels = 0;
  EXPECT_FALSE(Wav(SimpleWav(noChannels, Iota(20))).ok());
  for (unsigned bits : {0u, 1u, 4u, 7u}) {
    WavShape tiny;
    tiny.bits = bits;
    EXPECT_FALSE(Wav(SimpleWav(tiny, Iota(20))).ok()) << bits << " bits";
  }
}

TEST(DecodeWav, RefusesSizesTheFileCannotHold) {
  // A data chunk that claims more than the file holds, by one byte or by 2 GiB.
  for (std::int64_t claimed : {21LL, 0x7FFFFFFFLL}) {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FormatBody(WavShape{}));
    PutChunk(chunks, "data", Iota(20), claimed);
    EXPECT_FALSE(Wav(Riff(chunks)).ok()) << claimed;
  }
  // Negative sizes (read as signed 32-bit values) for data and for a skipped chunk.
  for (const char* tag : {"data", "LIST"}) {
    Bytes chunks;
    PutChunk(chunks, "fmt ", FormatBody(WavShape{}));
    PutChunk(chunks, tag, Iota(20), 0xFFFFFFF0LL);
    PutChunk(chunks, "data", Iota(20));
    EXPECT_FALSE(Wav(Riff(chunks)).ok()) << tag;
  }
  // A format chunk longer than the file.
  WavShape longFormat;
  longFormat.formatChunkSize = 16;
  Bytes chunks;
  PutChunk(chunks, "fmt ", FormatBody(longFormat), 5000);
  PutChunk(chunks, "data", Iota(20));
  EXPECT_FALSE(Wav(Riff(chunks)).ok());
}

TEST(DecodeWav, EveryCutOffPrefixIsRefused) {
  Bytes chunks;
  WavShape shape;
  shape.formatChunkSize = 18;
  PutChunk(chunks, "fmt ", FormatBody(shape));
  PutChunk(chunks, "LIST", Iota(6));
  PutChunk(chunks, "data", Iota(24));
  const Bytes whole = Riff(chunks);
  ASSERT_TRUE(Wav(whole).ok());
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const Bytes prefix(whole.begin(), whole.begin() + static_cast<long>(n));
    EXPECT_FALSE(Wav(prefix).ok()) << n << " of " << whole.size() << " bytes";
  }
}

// ---- Names ------------------------------------------------------------------

TEST(SoundFileKind, ExtensionDecidesWithoutRegardToCase) {
  EXPECT_EQ(SoundFileKindOf(String("music.ogg")), SoundFileKind::Ogg);
  EXPECT_EQ(SoundFileKindOf(String("MUSIC.OGG")), SoundFileKind::Ogg);
  EXPECT_EQ(SoundFileKindOf(String("tarvex://data/sounds/Build.Wav")), SoundFileKind::Wav);
  EXPECT_EQ(SoundFileKindOf(String("sounds/build.wav.bak")), SoundFileKind::Unknown);
  EXPECT_EQ(SoundFileKindOf(String("music.mp3")), SoundFileKind::Unknown);
  EXPECT_EQ(SoundFileKindOf(String("wav")), SoundFileKind::Unknown);

  const Bytes wav = SimpleWav(WavShape{}, Iota(8));
  int length = 0, channels = 0, format = 0, rate = 0;
  unsigned char* block = DecodeSound(String("A.WAV"), wav.data(), wav.size(), &length, &channels, &format, &rate);
  EXPECT_NE(block, nullptr);
  std::free(block);
  EXPECT_EQ(DecodeSound(String("a.ogg"), wav.data(), wav.size(), &length, &channels, &format, &rate), nullptr);
  EXPECT_EQ(DecodeSound(String("a.raw"), wav.data(), wav.size(), &length, &channels, &format, &rate), nullptr);
}

// ---- Ogg Vorbis ---------------------------------------------------------------

// Upward zero crossings of channel c, a robust measure of the tone's pitch.
int RisingCrossings(const Decoded& d, int c) {
  const auto* s = reinterpret_cast<const std::int16_t*>(d.block.get());
  int count = 0;
  for (int i = 1; i < d.length; ++i) {
    if (s[(i - 1) * d.channels + c] < 0 && s[i * d.channels + c] >= 0) ++count;
  }
  return count;
}

TEST(DecodeOgg, DecodesAWholeStereoStreamTo16Bit) {
  const Bytes ogg = EncodeOgg(3, 2, 44100, 441.0);
  ASSERT_FALSE(ogg.empty()) << "oggenc (vorbis-tools) is needed";
  const Decoded d = Ogg(ogg);
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.channels, 2);
  EXPECT_EQ(d.rate, 44100);
  EXPECT_EQ(d.format, 2);
  // Far more than the first 4096-frame room: the buffer had to grow many times.
  EXPECT_EQ(d.length, 3 * 44100);
  EXPECT_NEAR(RisingCrossings(d, 0), 3 * 441, 3);
  EXPECT_NEAR(RisingCrossings(d, 1), 3 * 441, 3);
}

TEST(DecodeOgg, DecodesMono) {
  const Bytes ogg = EncodeOgg(1, 1, 22050, 300.0);
  ASSERT_FALSE(ogg.empty());
  const Decoded d = Ogg(ogg);
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.channels, 1);
  EXPECT_EQ(d.rate, 22050);
  EXPECT_EQ(d.length, 22050);
  EXPECT_NEAR(RisingCrossings(d, 0), 300, 2);
}

// Offset of the Vorbis identification header's channel byte in the first page.
std::size_t ChannelByteOffset(const Bytes& ogg) { return 27 + ogg[26] + 11; }

TEST(DecodeOgg, RefusesStreamShapesBeyondTheBounds) {
  const Bytes ogg = EncodeOgg(1, 2, 44100, 441.0);
  ASSERT_FALSE(ogg.empty());
  ASSERT_TRUE(Ogg(ogg).ok());

  const Bytes surround = EncodeOgg(1, 3, 44100, 441.0);
  ASSERT_FALSE(surround.empty());
  EXPECT_FALSE(Ogg(surround).ok());

  // The checks read the identification header before the decoder sees the
  // bytes, so a patched header never reaches it.
  const std::size_t at = ChannelByteOffset(ogg);
  Bytes manyChannels = ogg;
  manyChannels[at] = 255;
  EXPECT_FALSE(Ogg(manyChannels).ok());
  Bytes noChannels = ogg;
  noChannels[at] = 0;
  EXPECT_FALSE(Ogg(noChannels).ok());
  Bytes fastRate = ogg;
  const std::uint32_t rate = 192001;
  for (int i = 0; i < 4; ++i) fastRate[at + 1 + i] = static_cast<unsigned char>(rate >> (8 * i));
  EXPECT_FALSE(Ogg(fastRate).ok());

  // Over 64 MiB is refused without decoding.
  Bytes huge(kMaxOggFileBytes + 1, 0);
  std::copy(ogg.begin(), ogg.end(), huge.begin());
  EXPECT_FALSE(Ogg(huge).ok());
}

TEST(DecodeOgg, RefusesWhatIsNotVorbisAndSurvivesCutOffStreams) {
  EXPECT_FALSE(Ogg(Bytes{}).ok());
  EXPECT_FALSE(Ogg(SimpleWav(WavShape{}, Iota(100))).ok());
  Bytes garbage = Iota(5000);
  std::memcpy(garbage.data(), "OggS", 4);
  EXPECT_FALSE(Ogg(garbage).ok());

  const Bytes ogg = EncodeOgg(1, 2, 44100, 441.0);
  ASSERT_FALSE(ogg.empty());
  // Cut-off files give null or a shorter sound, never more than the whole.
  for (std::size_t n : {std::size_t{40}, std::size_t{200}, ogg.size() / 2, ogg.size() - 1}) {
    const Bytes prefix(ogg.begin(), ogg.begin() + static_cast<long>(n));
    const Decoded d = Ogg(prefix);
    if (d.ok()) {
      EXPECT_LE(d.length, 44100) << n;
    }
  }
}

}  // namespace
