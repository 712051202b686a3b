// The host's image and sound readers: the file's bytes through ReadBinaryFile,
// decoded in memory by the codec libraries. A codec that is not part of the
// build yet makes its reader answer null (no file).
#include <cstdlib>

#include "host/game.h"

#if __has_include("graphics/image_codec.h")
#include "graphics/image_codec.h"
#define TARVEX_HOST_HAS_IMAGE_CODEC 1
#endif
#if __has_include("audio/sound_codec.h")
#include "audio/sound_codec.h"
#define TARVEX_HOST_HAS_SOUND_CODEC 1
#endif

// Pixels with the file's own channel count; release them with FreeImagePixels.
unsigned char* BBGlfwGame::ReadImageFile(const String& path, int* width, int* height, int* components) {
#ifdef TARVEX_HOST_HAS_IMAGE_CODEC
  int length = 0;
  unsigned char* bytes = ReadBinaryFile(path, &length);
  if (!bytes) return nullptr;
  unsigned char* pixels = DecodeImage(bytes, static_cast<std::size_t>(length), width, height, components);
  std::free(bytes);
  return pixels;
#else
  (void)path, (void)width, (void)height, (void)components;
  return nullptr;
#endif
}

// Interleaved PCM frames from std::malloc; release them with std::free.
unsigned char* BBGlfwGame::ReadSoundFile(const String& path, int* length, int* channels, int* format,
                                         int* rate) {
#ifdef TARVEX_HOST_HAS_SOUND_CODEC
  if (SoundFileKindOf(path) == SoundFileKind::Unknown) return nullptr;
  int size = 0;
  unsigned char* bytes = ReadBinaryFile(path, &size);
  if (!bytes) return nullptr;
  unsigned char* frames =
      DecodeSound(path, bytes, static_cast<std::size_t>(size), length, channels, format, rate);
  std::free(bytes);
  return frames;
#else
  (void)path, (void)length, (void)channels, (void)format, (void)rate;
  return nullptr;
#endif
}
