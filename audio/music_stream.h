// Music streamed, not decoded whole: a piece is kept as its Ogg Vorbis bytes
// and decoded a block at a time into a short queue of OpenAL buffers, topped
// up on every audio update. Two decks, each with a source of its own, let one
// piece fade out while the next fades in.
//
// The cost of an update is bounded: a deck decodes at most one block per
// update (about 46 ms of sound, a fraction of a millisecond of work), which is
// more than the 33 ms an update lasts, so the queue fills up within a few
// updates of a start and then stays full, about a third of a second ahead.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/sound_codec.h"

// Frames decoded into one buffer, and how many buffers a deck keeps queued.
constexpr int kMusicBlockFrames = 2048;
constexpr int kMusicQueuedBlocks = 8;

using MusicBytes = std::shared_ptr<const std::vector<unsigned char>>;
// Reads a whole file; null when it cannot be read.
using MusicFileReader = MusicBytes (*)(const std::string& file);

// One piece on one OpenAL source.
class MusicDeck {
 public:
  MusicDeck() = default;
  MusicDeck(const MusicDeck&) = delete;
  MusicDeck& operator=(const MusicDeck&) = delete;
  ~MusicDeck() { Stop(); }

  // Opens the piece in bytes at the given gain; answers false (and plays
  // nothing) when the bytes are not a playable stream. Its first block is
  // decoded, and the source started, by the next Pump.
  bool Start(const MusicBytes& bytes, bool loop, float gain);
  // Refills one buffer OpenAL has finished with, and restarts the source if
  // it ran dry (a long stall of the game) while sound was still queued.
  void Pump();
  // Stops the source and lets go of its buffers and its decoder.
  void Stop();
  void Pause();
  void Resume();
  void SetGain(float gain);

  // Whether a piece is on the deck (playing, paused or still draining).
  bool Loaded() const { return decoder_.IsOpen(); }
  // Whether the piece has ended: it was not looped and all of it was heard.
  bool Finished();
  bool Paused() const { return paused_; }
  unsigned int Source() const { return source_; }
  // Buffers queued on the source now (for tests).
  int QueuedBlocks() const;

 private:
  // Decodes the next block into buffer and queues it; false at the stream's end.
  bool QueueBlock(unsigned int buffer);
  // Unqueues count played buffers from the source into idle_.
  void TakeBack(int count);

  MusicBytes bytes_;
  OggStreamDecoder decoder_;
  std::vector<short> block_;
  unsigned int source_ = 0;
  std::vector<unsigned int> idle_;  // buffers made but not queued yet
  bool loop_ = false;
  bool drained_ = false;            // the decoder has nothing more to give
  bool paused_ = false;
};

// The music: one piece at a time, and a crossfade from one to the next.
class MusicStreamer {
 public:
  explicit MusicStreamer(MusicFileReader reader) : reader_(reader) {}

  // Starts the file, cutting off what played (fadeSeconds 0) or fading from
  // it to the new piece over fadeSeconds. Answers false when the file cannot
  // be read or is not Ogg Vorbis; the music then stops.
  bool Play(const std::string& file, bool loop, float fadeSeconds);
  // Keeps the decks' queues full and moves a crossfade on by seconds (from
  // the update after a start on).
  void Update(float seconds);
  void Halt();
  void Hold();
  void Continue();
  // 0 stopped, 1 playing, 2 paused, as the channels answer.
  int State();
  // The music's own level, multiplied into both decks' fades.
  void SetVolume(float volume);
  // Pauses and restarts the decks' sources without changing the state.
  void Suspend();
  void Resume();

  // The file on the front deck ("" when none), and whether a fade runs.
  const std::string& File() const { return file_; }
  bool Fading() const { return fadeLeft_ > 0.0f; }
  MusicDeck& Front() { return decks_[front_]; }
  MusicDeck& Back() { return decks_[1 - front_]; }

 private:
  // The file's bytes, read once and kept: the pieces are small compressed.
  MusicBytes BytesOf(const std::string& file);
  void ApplyGains();

  MusicFileReader reader_;
  MusicDeck decks_[2];
  int front_ = 0;
  std::string file_;
  std::map<std::string, MusicBytes> files_;
  float volume_ = 1.0f;
  float fadeLength_ = 0.0f;
  float fadeLeft_ = 0.0f;
  bool held_ = false;
  // A piece started in this update: the decks are pumped from the next one on,
  // so the update that opens a decoder decodes nothing as well.
  bool startedThisUpdate_ = false;
};
