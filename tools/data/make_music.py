"""Synthesises the game's music, a loopable frontier shuffle, and encodes it to
data/music.ogg with oggenc.

Band: a plucked upright bass and a strummed guitar playing boom-chick, a banjo
rolling through the chords, a harmonica-like reed lead, and a brushed
"chugga-chugga" train beat.  Everything is rendered onto a circle of exactly
64 bars: sounds that ring past the end are folded back onto the start, and the
reverb is a circular convolution, so the last sample runs straight into the
first and the loop has no seam.  The file is cut where the music is silent for
an instant, so it starts on a zero sample.  Stereo: the guitar and banjo sit
on opposite sides, each channel has its own room echo."""
import math
import os
import subprocess
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from sound_common import (EFFECT_LOUDNESS, MUSIC_UNDER_EFFECTS, bandpass, highpass, music_loudness,  # noqa: E402
                          noise, onepole_lowpass, pluck)

RATE = 32000
BEAT = 14400                    # samples per beat: 133.3 beats a minute
BAR = 4 * BEAT
SWING = 2.0 / 3.0               # the off-beat eighth falls two thirds into the beat
OGG_SERIAL = 18830
OGG_QUALITY = "3"


def midi_hz(m):
    return 440.0 * 2.0 ** ((m - 69) / 12.0)


NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_number(name):
    """"F#5" -> 78."""
    pitch = NOTE_NAMES[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        pitch += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        pitch -= 1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + pitch


def eighth_pos(bar, eighth):
    """Sample position of an eighth-note slot, with the shuffle swing."""
    beat, half = divmod(eighth, 2)
    return bar * BAR + beat * BEAT + (int(BEAT * SWING) if half else 0)


# --------------------------------------------------------------------- score

CHORDS_A = "G G C G  G G D D  G G C G  C D G G".split()
CHORDS_B = "C C G G  D D G G  C C G Em  A D G D".split()

MELODY_A = [
    "D5:3 B4:1 D5:2 E5:2", "D5:2 B4:2 G4:4", "E5:3 E5:1 G5:2 E5:2", "D5:6 r:2",
    "B4:2 D5:2 G5:3 F#5:1", "E5:2 D5:2 B4:4", "A4:3 B4:1 A4:2 F#4:2", "D4:4 F#4:2 A4:2",
    "D5:3 B4:1 D5:2 E5:2", "G5:3 E5:1 D5:4", "E5:2 G5:2 E5:2 C5:2", "D5:2 B4:2 G4:4",
    "C5:2 E5:2 G5:3 E5:1", "F#5:2 E5:2 D5:2 A4:2", "B4:3 A4:1 G4:2 B4:2", "G4:6 r:2",
]
MELODY_B = [
    "r:4 G5:2 E5:2", "C5:6 r:2", "r:4 B4:2 D5:2", "G5:6 r:2",
    "r:4 A4:2 D5:2", "F#5:4 E5:2 D5:2", "B4:8", "r:4 D5:2 E5:2",
    "G5:4 G5:2 E5:2", "C5:4 E5:2 G5:2", "D5:4 B4:2 G4:2", "E5:4 D5:2 B4:2",
    "C#5:4 E5:2 A4:2", "D5:4 F#5:2 A5:2", "G5:4 D5:2 B4:2", "A4:2 B4:2 C5:2 C#5:2",
]

BASS = {  # root and the note it alternates with
    "G": ("G2", "D2"), "C": ("C3", "G2"), "D": ("D2", "A2"), "Em": ("E2", "B2"), "A": ("A2", "E2"),
}
STRUM = {
    "G": "G3 B3 D4 G4", "C": "G3 C4 E4 G4", "D": "A3 D4 F#4 A4", "Em": "G3 B3 E4 G4", "A": "A3 C#4 E4 A4",
}
BANJO = {
    "G": "G4 B4 D5 G5", "C": "G4 C5 E5 G5", "D": "A4 D5 F#5 A5", "Em": "G4 B4 E5 G5", "A": "A4 C#5 E5 A5",
}
ROLL = [0, 1, 3, 0, 2, 3, 1, 3]


def parse_bar(text):
    notes, pos = [], 0
    for token in text.split():
        name, length = token.split(":")
        length = int(length)
        if name != "r":
            notes.append((pos, length, note_number(name)))
        pos += length
    assert pos == 8, text
    return notes


# --------------------------------------------------------------- instruments

_pluck_cache = {}


def cached_pluck(midi, dur, kind):
    key = (midi, dur, kind)
    if key not in _pluck_cache:
        if kind == "bass":
            sig = pluck(midi_hz(midi), dur, RATE, "bass%d" % midi, brightness=0.15, decay=0.9985)
            sig = onepole_lowpass(sig, 900, RATE)
            sig /= np.max(np.abs(sig))
        elif kind == "guitar":
            sig = pluck(midi_hz(midi), dur, RATE, "gtr%d" % midi, brightness=0.45, decay=0.995)
        else:  # banjo: bright, short, with a drum-head twang
            sig = pluck(midi_hz(midi), dur, RATE, "banjo%d" % midi, brightness=0.9, decay=0.990)
            sig = highpass(sig, 250, RATE)
            sig /= np.max(np.abs(sig))
        n = len(sig)
        sig[:48] *= np.linspace(0.0, 1.0, 48)       # no click at the pluck
        sig[-400:] *= np.linspace(1.0, 0.0, 400)    # nor where the note is cut
        _pluck_cache[key] = sig[:n]
    return _pluck_cache[key]


def harmonica(midi, dur, name, bend=False):
    """A free-reed lead: bright odd-leaning harmonics, a breathy edge, vibrato
    that grows into long notes, and an optional bend up into the note."""
    release = 0.09
    n = int((dur + release) * RATE)
    t = np.arange(n) / RATE
    freq = midi_hz(midi)
    vib_depth = 0.006 * np.clip((t - 0.18) / 0.3, 0.0, 1.0)
    pitch = freq * (1.0 + vib_depth * np.sin(2 * math.pi * 5.4 * t))
    if bend:
        pitch *= 2.0 ** (-0.8 / 12.0 * np.clip(1.0 - t / 0.09, 0.0, 1.0))
    phase = 2 * math.pi * np.cumsum(pitch) / RATE
    out = np.zeros(n)
    k = 1
    while k * freq < 9000 and k <= 18:
        amp = (1.0 / k) * (1.25 if k % 2 else 0.8)
        # a nasal resonance around 1.3 kHz
        amp *= 1.0 + 1.2 / (1.0 + ((k * freq - 1300.0) / 500.0) ** 2)
        out += amp * np.sin(k * phase + 0.3 * k)
        k += 1
    breath = bandpass(noise(n, name), 1200, 5000, RATE, 1) * 0.06
    out += breath
    attack = int(0.025 * RATE)
    env = np.ones(n)
    env[:attack] = np.linspace(0.0, 1.0, attack)
    body = int(dur * RATE)
    env[attack:body] *= 1.0 - 0.12 * np.linspace(0.0, 1.0, max(0, body - attack))
    tail = n - body
    env[body:] *= np.linspace(0.88, 0.0, tail) ** 1.5
    # a slow breath swell on long notes
    env *= 1.0 + 0.08 * np.sin(2 * math.pi * 1.3 * t) * np.clip(t - 0.3, 0, 1)
    return out * env / 3.0


_drum_cache = {}


def brush(accent):
    key = ("brush", accent)
    if key not in _drum_cache:
        n = int(0.12 * RATE)
        t = np.arange(n) / RATE
        x = bandpass(noise(n, "brush%d" % accent), 1800, 9000, RATE, 1)
        env = np.exp(-t / (0.045 if accent else 0.025))
        env[:64] *= np.linspace(0.0, 1.0, 64)
        env[-200:] *= np.linspace(1.0, 0.0, 200)
        _drum_cache[key] = x * env
    return _drum_cache[key]


def kick():
    if "kick" not in _drum_cache:
        n = int(0.3 * RATE)
        t = np.arange(n) / RATE
        f = 48.0 + 40.0 * np.exp(-t / 0.03)
        x = np.sin(2 * math.pi * np.cumsum(f) / RATE) * np.exp(-t / 0.12)
        x[:32] *= np.linspace(0.0, 1.0, 32)
        x[-300:] *= np.linspace(1.0, 0.0, 300)
        _drum_cache["kick"] = x
    return _drum_cache["kick"]


# --------------------------------------------------------------------- render

class Track:
    def __init__(self, length, pan=0.0):
        self.length = length
        self.pan = pan                  # -1 left .. 0 centre .. 1 right
        self.buf = np.zeros(length + 6 * RATE)

    def add(self, sig, pos, gain):
        end = pos + len(sig)
        self.buf[pos:end] += gain * sig

    def folded(self):
        """The circle: whatever rang past the end is laid over the start."""
        out = self.buf[:self.length].copy()
        tail = self.buf[self.length:]
        out[:len(tail)] += tail
        return out

    def stereo(self):
        """The folded track placed across the two channels (constant power)."""
        angle = (self.pan + 1.0) * math.pi / 4.0
        mono = self.folded()
        return np.stack([mono * math.cos(angle), mono * math.sin(angle)]) * math.sqrt(2.0)


# Light and shade: the first B section is a quiet passage (the band drops back,
# the kick rests and the brushes only whisper), and its last bars swell back
# into the full band for the repeat.
QUIET_BARS = range(16, 32)
QUIET_BAND_DB = -6.0
SWELL_BARS = 4


def dynamics(bar):
    """Gains of the band, the kick and the brushes in a bar: 1 in the full band,
    the quiet passage's levels, and a straight swell between them."""
    if bar not in QUIET_BARS:
        return 1.0, 1.0, 1.0
    quiet = (10.0 ** (QUIET_BAND_DB / 20.0), 0.0, 0.35)
    from_end = QUIET_BARS.stop - bar              # SWELL_BARS .. 1 in the swell
    if from_end > SWELL_BARS:
        return quiet
    t = (SWELL_BARS - from_end + 1) / (SWELL_BARS + 1)
    return tuple(q + (1.0 - q) * t for q in quiet)


def render():
    sections = [("A", 0), ("B", 0), ("A", 1), ("B", 1)]
    bars = 16 * len(sections)
    length = bars * BAR
    # the guitar and the banjo answer each other from the two sides, the lead
    # stands a little left of the bass and the beat
    bass, rhythm, banjo, lead = Track(length), Track(length, -0.6), Track(length, 0.6), Track(length, -0.15)
    drums, brushes = Track(length), Track(length, 0.3)
    bar = 0
    for part, variation in sections:
        chords = CHORDS_A if part == "A" else CHORDS_B
        melody = MELODY_A if part == "A" else MELODY_B
        for i in range(16):
            chord = chords[i]
            band, kick_gain, brush_gain = dynamics(bar)
            # boom-chick: bass on 1 and 3, a strum on 2 and 4
            root, other = BASS[chord]
            bass.add(cached_pluck(note_number(root), 0.9, "bass"), eighth_pos(bar, 0), 0.7 * band)
            bass.add(cached_pluck(note_number(other), 0.9, "bass"), eighth_pos(bar, 4), 0.64 * band)
            for beat_eighth, gain in ((2, 0.22), (6, 0.2)):
                start = eighth_pos(bar, beat_eighth)
                for s, name in enumerate(STRUM[chord].split()):
                    rhythm.add(cached_pluck(note_number(name), 0.5, "guitar"), start + s * 190,
                               band * gain * (0.8 + 0.06 * s))
                # a quiet up-strum on the swung off-beat
                up = eighth_pos(bar, beat_eighth + 1)
                for s, name in enumerate(reversed(STRUM[chord].split()[1:])):
                    rhythm.add(cached_pluck(note_number(name), 0.3, "guitar"), up + s * 150, 0.07 * band)
            # the banjo rolls under the second half of each section, and all
            # through the repeats
            if variation == 1 or i >= 8:
                tones = BANJO[chord].split()
                for e in range(8):
                    gain = 0.2 if e % 2 == 0 else 0.14
                    if part == "B" and variation == 1:
                        gain *= 1.3      # the banjo's turn to lead
                    banjo.add(cached_pluck(note_number(tones[ROLL[(e + i) % 8]]), 0.45, "banjo"),
                              eighth_pos(bar, e), band * gain)
            # the lead
            lead_gain = 0.42 if not (part == "B" and variation == 1) else 0.3
            for j, (pos, length_e, midi) in enumerate(parse_bar(melody[i])):
                start = eighth_pos(bar, pos)
                stop = eighth_pos(bar, pos + length_e) if pos + length_e < 8 else (bar + 1) * BAR
                dur = (stop - start) / RATE * 0.92
                bend = variation == 1 and length_e >= 3
                if variation == 1 and part == "A":
                    midi_play = midi
                else:
                    midi_play = midi
                lead.add(harmonica(midi_play, dur, "harp%d_%d" % (bar, j), bend), start, band * lead_gain)
            # the train: brushes on every eighth, accents on the beat, a soft
            # kick on 1 and 3
            for e in range(8):
                brushes.add(brush(e % 2 == 0), eighth_pos(bar, e),
                            brush_gain * (0.2 if e % 2 == 0 else 0.12))
            drums.add(kick(), eighth_pos(bar, 0), 0.42 * kick_gain)
            drums.add(kick(), eighth_pos(bar, 4), 0.34 * kick_gain)
            bar += 1
    mix = sum(track.stereo() for track in (bass, rhythm, banjo, lead, drums, brushes))
    return np.stack([equalise(reverb(channel, "room%d" % c)) for c, channel in enumerate(mix)])


def reverb(x, name):
    """A small room by circular convolution with a decaying noise tail; each
    channel has its own tail, which spreads the room across the two sides."""
    n_ir = int(0.8 * RATE)
    t = np.arange(n_ir) / RATE
    ir = noise(n_ir, name) * np.exp(-t / 0.22)
    ir = onepole_lowpass(ir, 4500, RATE)
    ir[:int(0.012 * RATE)] = 0.0                    # pre-delay
    ir *= 0.2 / np.sqrt(np.sum(ir ** 2))
    h = np.zeros(len(x))
    h[:n_ir] = ir
    wet = np.fft.irfft(np.fft.rfft(x) * np.fft.rfft(h), len(x))
    return x + wet


# The tone of the whole mix, as (centre frequency, width in octaves, gain in dB):
# more weight in the bass, less of the boxy middle where every instrument
# meets, and some air on top.  Applied to the whole circle at once, so the loop
# stays seamless.
EQ = [(70.0, 1.6, 4.0), (600.0, 1.6, -5.0), (6000.0, 3.0, 7.0)]


def equalise(x):
    f = np.fft.rfftfreq(len(x), 1.0 / RATE)
    octaves = np.log2(np.maximum(f, 1.0))
    gain_db = np.zeros(len(f))
    for centre, width, db in EQ:
        gain_db += db * np.exp(-0.5 * ((octaves - math.log2(centre)) / (width / 2.0)) ** 2)
    gain_db[f < 25.0] = -30.0                       # nothing below what a speaker plays
    return np.fft.irfft(np.fft.rfft(x) * 10.0 ** (gain_db / 20.0), len(x))


def quiet_start(mix, search):
    """Where to cut the circle: the sample within `search` samples of the downbeat
    where both channels come closest to zero together and change slowest, so
    the file begins on silence and its last sample runs into its first."""
    window = np.concatenate([np.arange(len(mix[0]) - search, len(mix[0])), np.arange(search)])
    step = np.abs(mix - np.roll(mix, 1, axis=1))
    cost = np.max(np.abs(mix[:, window]), axis=0) + 2.0 * np.max(step[:, window], axis=0)
    return int(window[int(np.argmin(cost))])


def main():
    out = output_dir()
    mix = render()
    mix -= np.mean(mix, axis=1, keepdims=True)
    # the music sits under the effects, not at the loudest it could be
    mix *= 10.0 ** ((EFFECT_LOUDNESS - MUSIC_UNDER_EFFECTS - music_loudness(mix, RATE)) / 20.0)
    assert np.max(np.abs(mix)) < 0.95, "the music would clip"
    mix = np.roll(mix, -quiet_start(mix, int(0.03 * RATE)), axis=1)
    pcm = np.clip(np.round(mix.T * 32767.0), -32767, 32767).astype("<i2")   # interleaved left, right
    target = os.path.join(out, "music.ogg")
    subprocess.run(["oggenc", "-Q", "-r", "-B", "16", "-C", "2", "-R", str(RATE),
                    "-q", OGG_QUALITY, "-s", str(OGG_SERIAL), "-o", target, "-"],
                   input=pcm.tobytes(), check=True)


if __name__ == "__main__":
    main()
