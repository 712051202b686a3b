#include "audio/music_stream.h"

#include <AL/al.h>

#include <cmath>

namespace {

ALint SourceState(ALuint source) {
  ALint state = AL_STOPPED;
  if (source != 0) alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

ALint SourceInt(ALuint source, ALenum what) {
  ALint value = 0;
  if (source != 0) alGetSourcei(source, what, &value);
  return value;
}

}  // namespace

// ---- MusicDeck ---------------------------------------------------------------

bool MusicDeck::Start(const MusicBytes& bytes, bool loop, float gain) {
  Stop();
  if (bytes == nullptr || !decoder_.Open(bytes->data(), bytes->size())) return false;
  bytes_ = bytes;
  loop_ = loop;
  block_.assign(static_cast<std::size_t>(kMusicBlockFrames) * decoder_.Channels(), 0);
  if (source_ == 0) alGenSources(1, &source_);  // stays 0 without an OpenAL context
  if (idle_.empty()) {
    idle_.resize(kMusicQueuedBlocks);
    alGenBuffers(kMusicQueuedBlocks, idle_.data());
  }
  alSourcei(source_, AL_LOOPING, AL_FALSE);
  alSourcef(source_, AL_GAIN, gain);
  // Nothing is decoded yet, so a start (a crossfade's included) costs an
  // update no more than one block; the next Pump queues it and starts.
  return true;
}

bool MusicDeck::QueueBlock(unsigned int buffer) {
  if (drained_) return false;
  const int frames = decoder_.Read(block_.data(), kMusicBlockFrames, loop_);
  if (frames < kMusicBlockFrames) drained_ = true;
  if (frames <= 0) return false;
  const ALenum format = decoder_.Channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  alBufferData(buffer, format, block_.data(), frames * decoder_.Channels() * static_cast<int>(sizeof(short)),
               decoder_.Rate());
  const ALuint name = buffer;
  alSourceQueueBuffers(source_, 1, &name);
  return true;
}

void MusicDeck::Pump() {
  if (!Loaded() || source_ == 0) return;
  // A stall longer than the queue lets the source run dry and stop. A stopped
  // source counts all it holds as played (and would play it all again), so
  // everything is taken back and the source starts on what is queued now; a
  // piece just started begins the same way.
  const ALint state = SourceState(source_);
  const bool ranDry = !paused_ && state != AL_PLAYING && state != AL_PAUSED;  // or not started yet
  ALint done = SourceInt(source_, ranDry ? AL_BUFFERS_QUEUED : AL_BUFFERS_PROCESSED);
  if (!ranDry && done > 1) done = 1;  // one a time: the next update takes the next
  TakeBack(done);
  if (!idle_.empty() && QueueBlock(idle_.back())) idle_.pop_back();
  if (ranDry && SourceInt(source_, AL_BUFFERS_QUEUED) > 0) alSourcePlay(source_);
}

void MusicDeck::TakeBack(int count) {
  for (int i = 0; i < count; ++i) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    if (buffer != 0) idle_.push_back(buffer);
  }
}

int MusicDeck::QueuedBlocks() const {
  return SourceInt(source_, AL_BUFFERS_QUEUED) - SourceInt(source_, AL_BUFFERS_PROCESSED);
}

bool MusicDeck::Finished() {
  return Loaded() && drained_ && SourceState(source_) == AL_STOPPED && QueuedBlocks() <= 0;
}

void MusicDeck::Stop() {
  if (source_ != 0) {
    alSourceStop(source_);
    // Every buffer comes back from a stopped source as processed.
    TakeBack(SourceInt(source_, AL_BUFFERS_QUEUED));
  }
  decoder_.Close();
  bytes_.reset();
  drained_ = false;
  paused_ = false;
}

void MusicDeck::Pause() {
  if (!Loaded() || paused_) return;
  paused_ = true;
  if (SourceState(source_) == AL_PLAYING) alSourcePause(source_);
}

void MusicDeck::Resume() {
  if (!Loaded() || !paused_) return;
  paused_ = false;
  // A source that never started (paused before its first block) is started
  // by the next Pump, as one that ran dry.
  if (SourceState(source_) == AL_PAUSED) alSourcePlay(source_);
}

void MusicDeck::SetGain(float gain) {
  if (source_ != 0) alSourcef(source_, AL_GAIN, gain);
}

// ---- MusicStreamer -------------------------------------------------------------

MusicBytes MusicStreamer::BytesOf(const std::string& file) {
  auto found = files_.find(file);
  if (found != files_.end()) return found->second;
  MusicBytes bytes = reader_(file);
  if (bytes != nullptr) files_[file] = bytes;
  return bytes;
}

bool MusicStreamer::Play(const std::string& file, bool loop, float fadeSeconds) {
  const bool fade = fadeSeconds > 0.0f && Front().Loaded() && !held_;
  if (fade) {
    front_ = 1 - front_;
  } else {
    Halt();
  }
  Front().Stop();
  if (!Front().Start(BytesOf(file), loop, fade ? 0.0f : volume_)) {
    Halt();
    return false;
  }
  file_ = file;
  held_ = false;
  fadeLength_ = fadeLeft_ = fade ? fadeSeconds : 0.0f;
  // Opening the decoder was this update's work; decoding waits for the next.
  startedThisUpdate_ = true;
  return true;
}

void MusicStreamer::Update(float seconds) {
  if (startedThisUpdate_) {
    startedThisUpdate_ = false;
    return;
  }
  for (MusicDeck& deck : decks_) deck.Pump();
  if (fadeLeft_ <= 0.0f || held_) return;
  fadeLeft_ = std::fmax(0.0f, fadeLeft_ - seconds);
  if (fadeLeft_ == 0.0f) Back().Stop();
  ApplyGains();
}

// An equal-power crossfade: the sum of the two pieces' powers stays the same
// through it, so the music neither dips nor swells half-way.
void MusicStreamer::ApplyGains() {
  if (fadeLeft_ <= 0.0f) {
    Front().SetGain(volume_);
    return;
  }
  const float quarterTurn = 1.5707964f;
  const float done = 1.0f - fadeLeft_ / fadeLength_;
  Front().SetGain(volume_ * std::sin(done * quarterTurn));
  Back().SetGain(volume_ * std::cos(done * quarterTurn));
}

void MusicStreamer::Halt() {
  for (MusicDeck& deck : decks_) deck.Stop();
  file_.clear();
  fadeLeft_ = 0.0f;
  held_ = false;
}

void MusicStreamer::Hold() {
  if (State() != 1) return;
  held_ = true;
  for (MusicDeck& deck : decks_) deck.Pause();
}

void MusicStreamer::Continue() {
  if (!held_) return;
  held_ = false;
  for (MusicDeck& deck : decks_) deck.Resume();
}

int MusicStreamer::State() {
  if (!Front().Loaded()) return 0;
  if (Front().Finished()) {
    Halt();
    return 0;
  }
  return held_ ? 2 : 1;
}

void MusicStreamer::SetVolume(float volume) {
  volume_ = volume;
  ApplyGains();
}

void MusicStreamer::Suspend() {
  if (held_) return;
  for (MusicDeck& deck : decks_) deck.Pause();
}

void MusicStreamer::Resume() {
  if (held_) return;
  for (MusicDeck& deck : decks_) deck.Resume();
}
