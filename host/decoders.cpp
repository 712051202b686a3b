// The host's image and sound readers: the file's bytes through ReadBinaryFile,
// decoded in memory by the codec libraries.
#include <cstdlib>

#include "host/sound_codec.h"
#include "host/image_codec.h"
#include "host/game.h"

// Pixels with the file's own channel count; release them with FreeImagePixels.
unsigned char* BBGlfwGame::ReadImageFile(const String& path, int* width, int* height, int* components) {
  int length = 0;
  unsigned char* bytes = ReadBinaryFile(path, &length);
  if (!bytes) return nullptr;
  unsigned char* pixels = DecodeImage(bytes, static_cast<std::size_t>(length), width, height, components);
  std::free(bytes);
  return pixels;
}

// Interleaved PCM frames from std::malloc; release them with std::free.
unsigned char* BBGlfwGame::ReadSoundFile(const String& path, int* length, int* channels, int* format,
                                         int* rate) {
  // Only ".wav" and ".ogg" are sounds; nothing else is even opened.
  if (SoundFileKindOf(path) == SoundFileKind::Unknown) return nullptr;
  int size = 0;
  unsigned char* bytes = ReadBinaryFile(path, &size);
  if (!bytes) return nullptr;
  unsigned char* frames =
      DecodeSound(path, bytes, static_cast<std::size_t>(size), length, channels, format, rate);
  std::free(bytes);
  return frames;
}
