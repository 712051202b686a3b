#!/usr/bin/python3
"""Checks the sounds and the music in the data folder, the way they are mixed
and the way the game plays them:

- every file the sound table (game/views/sound_table.cpp) names exists, and
  every WAV under sounds/ is 44.1 kHz 16-bit mono PCM the game's reader takes;
- an effect starts and ends on a zero sample, never peaks above -1 dBFS, and
  sounds at the effects' level (RMS over its sound, give or take EFFECT_BAND);
  a one-shot starts at once and fades out, a loop (the train, the hammer)
  joins its end to its start without a click;
- each piece of music is 44.1 kHz stereo Ogg Vorbis of 90 s to 3 minutes,
  starts near silence, joins its end to its start without a click or a dip,
  peaks under -1 dBFS, sits MUSIC_UNDER_EFFECTS dB under the effects (so the
  running train is heard over it), and is not one phrase over and over: its
  10-second windows are not all alike.

usage: check_sounds.py DATA_FOLDER [-v]"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools", "data"))
from sound_common import EFFECT_BAND, EFFECT_LEVEL, MUSIC_UNDER_EFFECTS, PEAK_CEILING_DB, peak_db, sound_level  # noqa
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from data_check import check, failures, report  # noqa: E402

DATA = sys.argv[1] if len(sys.argv) > 1 else "data"
VERBOSE = "-v" in sys.argv
RATE = 44100
MUSIC = ("music.ogg", "music_level.ogg", "music_tension.ogg")
# The loops and the range of their lengths in seconds.
LOOPS = {"train_loop.wav": (1.0, 2.0), "hammer.wav": (0.4, 1.5)}


def read_wav(path):
    """The WAV reader's rules: RIFF, WAVE, "fmt " first, integer PCM, then
    chunks up to the first "data"."""
    data = open(path, "rb").read()
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE" or data[12:16] != b"fmt ":
        return None
    n = struct.unpack("<i", data[16:20])[0]
    fmt, channels, rate = struct.unpack("<HHi", data[20:28])
    bits = struct.unpack("<H", data[34:36])[0]
    if fmt != 1:
        return None
    pos = 20 + n
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack("<i", data[pos + 4:pos + 8])[0]
        pos += 8
        if tag == b"data":
            return (channels, rate, bits, data[pos:pos + size]) if pos + size <= len(data) else None
        pos += size
    return None


def table_files():
    """The files the sound table plays."""
    source = open(os.path.join(ROOT, "game", "views", "sound_table.cpp")).read()
    return sorted(set(re.findall(r'"(sounds/[a-z0-9_]+\.wav)"', source)))


# ---------------------------------------------------------------- effects

def check_join(name, x, steps_of):
    """Played in a loop, the step from the last samples into the first is like
    any other step of the sound."""
    joined = np.concatenate([x[..., -3:], x[..., :3]], axis=-1)
    steps = np.abs(np.diff(steps_of, axis=-1))
    return np.abs(np.diff(joined, axis=-1)).max() <= np.percentile(steps, 99.5)


def check_loop(name, x):
    low, high = LOOPS[name]
    check(low <= len(x) / RATE <= high, "%s: a %.2f s loop, not %.1f to %.1f s" % (name, len(x) / RATE, low, high))
    check(check_join(name, x, x), "%s: clicks where the loop joins" % name)


def check_one_shot(name, x):
    """Starts at once, fades out, never shorter than a blip nor long."""
    check(0.05 <= len(x) / RATE <= 2.5, "%s: %.2f s is not short" % (name, len(x) / RATE))
    start = x[:int(RATE * 0.01)]
    check(np.sqrt(np.mean(start ** 2)) > 0.01, name + ": silent at the start")
    check(np.abs(x[-8:]).max() < 0.01, name + ": does not fade out at the end")


def check_effect(name):
    path = os.path.join(DATA, "sounds", name)
    parsed = read_wav(path)
    if not check(parsed is not None, name + ": not a WAV file the game reads"):
        return None
    channels, rate, bits, pcm = parsed
    check((channels, bits, rate) == (1, 16, RATE), "%s: %d ch %d bit %d Hz, not 44.1 kHz 16-bit mono"
          % (name, channels, bits, rate))
    x = np.frombuffer(pcm, "<i2").astype(np.float64) / 32768.0
    check(peak_db(x) <= PEAK_CEILING_DB, "%s: peaks at %.1f dBFS" % (name, peak_db(x)))
    check(x[0] == 0 and x[-1] == 0, "%s: starts or ends on a non-zero sample: it clicks" % name)
    if name in LOOPS:
        check_loop(name, x)
    else:
        check_one_shot(name, x)
    level = sound_level(x, rate)
    check(abs(level - EFFECT_LEVEL) <= EFFECT_BAND, "%s: %.1f dBFS, not within %.1f dB of the effects' %.1f"
          % (name, level, EFFECT_BAND, EFFECT_LEVEL))
    if VERBOSE:
        print("| sounds/%s | %.2f s | %.1f | %.1f |" % (name, len(x) / rate, level, peak_db(x)))
    return level


def check_sounds():
    present = sorted(f for f in os.listdir(os.path.join(DATA, "sounds")) if f.endswith(".wav"))
    for path in table_files():
        check(os.path.basename(path) in present, "missing: " + path)
    return {name: check_effect(name) for name in present}


# ---------------------------------------------------------------- music

def decode_ogg(path):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "music.raw")
        subprocess.run(["oggdec", "-Q", "-R", "-o", out, path], check=True)
        return np.fromfile(out, "<i2").astype(np.float64) / 32768.0


FRAME = 0.1


def frame_profiles(mono):
    """What the music is made of, every FRAME seconds: how its sound divides
    among the 12 pitch classes and among the octave bands, as unit vectors."""
    n = int(FRAME * RATE)
    frames = mono[:len(mono) // n * n].reshape(-1, n) * np.hanning(n)
    power = np.abs(np.fft.rfft(frames, axis=1)) ** 2
    f = np.fft.rfftfreq(n, 1.0 / RATE)
    audible = (f > 40) & (f < 8000)
    pitch_class = np.round(12 * np.log2(f[audible] / 440.0)).astype(int) % 12
    octave = np.floor(np.log2(f[audible] / 40.0)).astype(int)
    sorted_by = [np.eye(12)[pitch_class], np.eye(8)[octave]]
    parts = [power[:, audible] @ m for m in sorted_by]
    profile = np.concatenate([p / (p.sum(axis=1, keepdims=True) + 1e-12) for p in parts], axis=1)
    return profile / (np.linalg.norm(profile, axis=1, keepdims=True) + 1e-12)


# A piece is one phrase over and over when each of its 10-second windows, set
# against any other at the best alignment, differs from it by less than this
# (1 minus the mean cosine of their frames' profiles).
PHRASE_WINDOW = 10.0
ALIKE = 0.05


def most_different_windows(mono):
    """The largest difference between two 10-second windows of the piece, each
    pair compared at the shift (within one window, around the loop) where
    they match best: a repeated phrase of up to 10 s finds its match."""
    profiles = frame_profiles(mono)
    count = len(profiles)
    w = int(round(PHRASE_WINDOW / FRAME))
    starts = range(0, count - w + 1, w)
    spread = 0.0
    for i in starts:
        a = profiles[i:i + w]
        for j in starts:
            if j <= i:
                continue
            best = min(1.0 - float(np.mean(np.sum(a * profiles[(np.arange(w) + j + shift) % count], axis=1)))
                       for shift in range(w))
            spread = max(spread, best)
    return spread


def check_not_one_phrase(name, mono):
    spread = most_different_windows(mono)
    # The check itself must be able to fail: the piece's own first 7 seconds,
    # looped for about as long, is one phrase repeated.
    phrase = np.tile(mono[:7 * RATE], len(mono) // (7 * RATE))
    check(most_different_windows(phrase) < ALIKE, "%s: the phrase check does not tell a repeated phrase" % name)
    check(spread >= ALIKE, "%s: its 10-second windows are all alike (at most %.3f apart): one phrase repeated"
          % (name, spread))
    return spread


def check_music_file(name, effects_level):
    path = os.path.join(DATA, name)
    if not check(os.path.exists(path), "missing: " + name):
        return
    data = open(path, "rb").read()
    check(len(data) < 3 * 1024 * 1024, name + ": larger than 3 MB")
    ident = data.find(b"\x01vorbis")
    if not check(data[:4] == b"OggS" and ident > 0, name + ": not an Ogg Vorbis stream"):
        return
    channels = data[ident + 11]
    rate = struct.unpack("<I", data[ident + 12:ident + 16])[0]
    check((channels, rate) == (2, RATE), "%s: %d ch %d Hz, not 44.1 kHz stereo" % (name, channels, rate))
    if shutil.which("oggdec") is None:
        print("oggdec not found: the music's length, loop and level are not checked")
        return
    both = decode_ogg(path).reshape(-1, channels).T
    seconds = both.shape[1] / rate
    check(90 <= seconds <= 180, "%s: %.1f s is not 90 s to three minutes" % (name, seconds))
    check(peak_db(both) <= PEAK_CEILING_DB, "%s: peaks at %.1f dBFS" % (name, peak_db(both)))
    check(np.abs(both[:, 0]).max() < 0.02, "%s: starts on a non-zero sample" % name)
    for c in range(channels):
        check(check_join(name, both[c], both[c]), "%s: clicks at the loop in channel %d" % (name, c))
    ends = [np.sqrt(np.mean(both[:, :rate] ** 2)), np.sqrt(np.mean(both[:, -rate:] ** 2))]
    check(min(ends) > 0.01, name + ": fades in or out, so the loop would dip")
    level = sound_level(both, rate)
    check(abs(effects_level - MUSIC_UNDER_EFFECTS - level) <= 1.0, "%s: %.1f dBFS, it belongs %.0f dB under the "
          "effects' %.1f" % (name, level, MUSIC_UNDER_EFFECTS, effects_level))
    spread = check_not_one_phrase(name, both.mean(axis=0))
    if VERBOSE:
        print("| %s | %.1f s | %.1f | %.1f | windows up to %.3f apart |" % (name, seconds, level, peak_db(both),
                                                                        spread))


def main():
    levels = check_sounds()
    known = [v for v in levels.values() if v is not None]
    effects_level = float(np.mean(known)) if known else EFFECT_LEVEL
    # The running train is heard clearly over the music.
    if levels.get("train_loop.wav") is not None:
        check(levels["train_loop.wav"] >= effects_level - EFFECT_BAND,
              "train_loop.wav: %.1f dBFS, under the effects" % levels["train_loop.wav"])
    for name in MUSIC:
        check_music_file(name, effects_level)
    report()


if __name__ == "__main__":
    main()
