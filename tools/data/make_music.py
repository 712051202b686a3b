"""The game's three pieces of music, written as note data and played by the
sampled instruments of Debian's General MIDI soundfont through fluidsynth,
then encoded to 44.1 kHz stereo Ogg Vorbis with oggenc:

  music.ogg          the title, the menu and the map: an easy trail tune in G
                     at a walk (guitar picking, harmonica, fiddle, the banjo
                     taking a turn, wood blocks for the horse's hooves)
  music_level.ogg    a level: a hoedown in D (fiddle, banjo, harmonica over
                     boom-chick guitar and bass, a light shuffle kit)
  music_tension.ogg  a countdown's last minute: a driving gallop in E minor,
                     faster, with the fiddle's riff, harmonica wails, strings'
                     tremolo and toms

Each piece is rendered once with a few seconds to spare; whatever rings past
the loop's end (reverb, held notes) is laid back over its start, so the last
sample runs straight into the first.  The file is cut at the quietest
instant near the downbeat, brought to the music's level and encoded with a
fixed stream serial, so the generator always makes the same files."""
import os
import subprocess
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from fluid_render import RATE, Score, render  # noqa: E402
from music_band import BANJO_CH, FIDDLE_CH, HARP, Band  # noqa: E402
from sound_common import EFFECT_LEVEL, MUSIC_UNDER_EFFECTS, to_level  # noqa: E402

TAIL_SECONDS = 5.0
OGG_QUALITY = "3"
OGG_SERIALS = {"music.ogg": 18830, "music_level.ogg": 18831, "music_tension.ogg": 18832}
MUSIC_LEVEL = EFFECT_LEVEL - MUSIC_UNDER_EFFECTS


# ------------------------------------------------------------------ the trail
# 100 beats a minute: 2.4 s a bar.

TRAIL_A_CHORDS = "G G C G  G Em A7 D  G G C G  C D7 G G".split()
TRAIL_A = [
    "B4:2 D5:2 G5:3 F#5:1", "E5:2 D5:2 B4:4", "C5:2 E5:2 G5:2 E5:2", "D5:6 r:2",
    "B4:2 D5:2 D5:2 B4:2", "E5:3 G5:1 E5:2 B4:2", "C#5:2 E5:2 A5:2 G5:2", "F#5:6 r:2",
    "B4:2 D5:2 G5:3 A5:1", "B5:2 A5:2 G5:4", "E5:2 G5:2 C6:2 G5:2", "B4:2 D5:2 G5:4",
    "E5:3 D5:1 C5:2 E5:2", "F#5:2 A5:2 D5:2 C5:2", "B4:4 A4:2 B4:2", "G4:6 r:2",
]
TRAIL_B_CHORDS = "Em Em C C  G G D D  Em Em C C  Am D7 G G".split()
TRAIL_B = [
    "E5:4 G5:2 B5:2", "A5:4 G5:2 E5:2", "G5:3 E5:1 C5:4", "E5:2 G5:2 E5:2 C5:2",
    "D5:4 B4:2 D5:2", "G5:4 D5:2 B4:2", "A4:2 D5:2 F#5:2 A5:2", "F#5:6 E5:2",
    "E5:2 B4:2 E5:2 G5:2", "B5:4 A5:2 G5:2", "E5:2 G5:2 C6:2 B5:2", "A5:4 G5:2 E5:2",
    "C5:2 E5:2 A5:2 G5:2", "F#5:2 A5:2 D5:2 F#5:2", "G5:4 D5:2 B4:2", "G4:6 r:2",
]


def trail():
    score = Score(100)
    band = Band(score, seed=101, swing=0.12)
    bar = 0
    for chord in "G C G D".split():                     # the guitar alone, the horse walking in
        band.fingerpick(bar, chord, 0.9)
        band.clip_clop(bar, 0.6 + 0.1 * bar)
        bar += 1
    for i, chord in enumerate(TRAIL_A_CHORDS):          # the harmonica's tune
        band.fingerpick(bar, chord)
        band.clip_clop(bar)
        band.melody(HARP, bar, TRAIL_A[i])
        bar += 1
    for i, chord in enumerate(TRAIL_B_CHORDS):          # the fiddle answers in E minor, strings under it
        band.boom_chick(bar, chord, 0.85)
        band.pad(bar, chord, 0.8)
        band.melody(FIDDLE_CH, bar, TRAIL_B[i], legato=1.0)
        if i % 4 == 3:
            band.clip_clop(bar, 0.7)
        bar += 1
    for i, chord in enumerate(TRAIL_A_CHORDS[8:]):      # the banjo's turn, quieter, to come home
        band.fingerpick(bar, chord, 0.8)
        band.banjo_roll(bar, chord, 0.55)
        band.melody(BANJO_CH, bar, TRAIL_A[8 + i], 0.9)
        band.clip_clop(bar, 0.5)
        bar += 1
    return score, bar


# --------------------------------------------------------------- the hoedown
# 120 beats a minute: 2 s a bar.

HOEDOWN_A_CHORDS = "D D G D  D D A A  D D G D  A A D D".split()
HOEDOWN_A = [
    "F#5:1 E5:1 D5:1 E5:1 F#5:1 A5:1 F#5:1 D5:1", "E5:1 D5:1 B4:1 A4:1 F#4:2 A4:2",
    "B4:1 D5:1 G5:1 B5:1 A5:1 G5:1 F#5:1 E5:1", "D5:2 F#5:2 A5:2 F#5:2",
    "A5:1 B5:1 A5:1 F#5:1 D5:1 E5:1 F#5:1 D5:1", "E5:1 F#5:1 E5:1 D5:1 B4:2 A4:2",
    "C#5:1 E5:1 A5:1 E5:1 C#5:1 E5:1 A5:1 G5:1", "E5:2 C#5:2 A4:4",
    "F#5:1 E5:1 D5:1 E5:1 F#5:1 A5:1 F#5:1 D5:1", "E5:1 D5:1 B4:1 A4:1 F#4:2 A4:2",
    "B4:1 D5:1 G5:1 B5:1 A5:1 G5:1 F#5:1 E5:1", "D5:2 F#5:2 A5:3 B5:1",
    "A5:1 F#5:1 E5:1 C#5:1 A4:2 C#5:2", "E5:1 G5:1 F#5:1 E5:1 C#5:1 B4:1 A4:2",
    "D5:1 F#5:1 A5:1 F#5:1 D5:1 F#5:1 A5:1 F#5:1", "D5:4 r:4",
]
HOEDOWN_B_CHORDS = "G G D D  A A D D  G G D Bm  E7 A7 D D".split()
HOEDOWN_B = [
    "B5:2 A5:1 G5:1 B5:2 D6:2", "B5:1 A5:1 G5:1 E5:1 D5:4", "A5:2 F#5:2 D5:2 F#5:2",
    "A5:1 B5:1 A5:1 F#5:1 D5:4", "C#5:2 E5:2 A5:2 E5:2", "G5:2 F#5:1 E5:1 C#5:2 A4:2",
    "D5:1 E5:1 F#5:1 G5:1 A5:2 F#5:2", "D5:6 r:2", "G5:1 A5:1 B5:1 G5:1 D5:2 B4:2",
    "G5:1 A5:1 B5:1 D6:1 B5:4", "A5:1 G5:1 F#5:1 E5:1 D5:2 A4:2", "B4:2 D5:2 F#5:2 B5:2",
    "G#5:1 B5:1 G#5:1 E5:1 D5:2 B4:2", "C#5:1 E5:1 A5:1 G5:1 E5:2 C#5:2", "D5:2 F#5:2 A5:2 F#5:2",
    "D5:4 r:4",
]


def hoedown():
    score = Score(120)
    band = Band(score, seed=202, swing=0.08)
    bar = 0
    for chord in ("D", "D"):                             # the banjo kicks it off alone
        band.banjo_roll(bar, chord, 0.9)
        bar += 1
    for i, chord in enumerate(HOEDOWN_A_CHORDS):        # the fiddle's tune, the full band
        band.boom_chick(bar, chord, walk_to=HOEDOWN_A_CHORDS[(i + 1) % 16] if i % 4 == 3 else None)
        band.banjo_roll(bar, chord, 0.6)
        band.melody(FIDDLE_CH, bar, HOEDOWN_A[i])
        band.shuffle_kit(bar, fill=i == 15)
        bar += 1
    for i, chord in enumerate(HOEDOWN_A_CHORDS):        # the harmonica takes it, the banjo rolls louder
        band.boom_chick(bar, chord)
        band.banjo_roll(bar, chord, 0.85)
        band.melody(HARP, bar, HOEDOWN_A[i], 0.95)
        band.shuffle_kit(bar, 0.8)
        bar += 1
    for i, chord in enumerate(HOEDOWN_B_CHORDS):        # the fiddle's second strain
        band.boom_chick(bar, chord, walk_to=HOEDOWN_B_CHORDS[(i + 1) % 16] if i % 4 == 3 else None)
        band.melody(FIDDLE_CH, bar, HOEDOWN_B[i])
        if i >= 8:
            band.banjo_roll(bar, chord, 0.6)
        band.shuffle_kit(bar, 0.9, fill=i == 15)
        bar += 1
    for chord in ("D", "A7"):                            # a break: bass and kit alone
        band.boom_chick(bar, chord, 0.7)
        band.shuffle_kit(bar, 1.0, fill=chord == "A7")
        bar += 1
    return score, bar


# ---------------------------------------------------------------- the gallop
# 150 beats a minute: 1.6 s a bar.

GALLOP_A_CHORDS = "Em Em D Em  Em Em C B7".split()
GALLOP_A = [
    "E5:1 E5:1 G5:1 E5:1 A5:1 E5:1 G5:1 F#5:1", "E5:1 D5:1 B4:1 D5:1 E5:2 B4:2",
    "D5:1 D5:1 F#5:1 D5:1 A5:1 F#5:1 E5:1 D5:1", "E5:4 r:2 B4:2",
    "E5:1 E5:1 G5:1 E5:1 B5:1 E5:1 A5:1 G5:1", "F#5:1 E5:1 D5:1 E5:1 G5:2 E5:2",
    "C5:1 E5:1 G5:1 C6:1 B5:1 G5:1 E5:1 C5:1", "B4:1 D#5:1 F#5:1 A5:1 B5:2 r:2",
]
GALLOP_B_CHORDS = "Am Am Em Em  C D B7 B7".split()
GALLOP_B = ["A5:6 G5:2", "E5:4 C5:4", "B4:6 G5:2", "E5:8", "G5:4 E5:2 C5:2", "F#5:4 A5:4", "B5:6 A5:2",
            "F#5:4 D#5:4"]
GALLOP_C_CHORDS = "C C G G  Am Am B7 B7".split()


def gallop():
    score = Score(150)
    band = Band(score, seed=303)
    bar = 0

    def section(chords, lead=None, tune=None, level=1.0, banjo=0.0, strings=False, toms=False,
                tambourine=False):
        nonlocal bar
        for i, chord in enumerate(chords):
            band.gallop(bar, chord, level)
            band.train_kit(bar, level, tambourine)
            if lead is not None:
                band.melody(lead, bar, tune[i], level)
            if banjo:
                band.banjo_roll(bar, chord, banjo)
            if strings:
                band.pad(bar, chord, level)
            if toms:
                band.toms(bar, 0.8 * level)
            bar += 1

    section(GALLOP_A_CHORDS, FIDDLE_CH, GALLOP_A)
    section(GALLOP_A_CHORDS, FIDDLE_CH, GALLOP_A, banjo=0.6)
    section(GALLOP_B_CHORDS, HARP, GALLOP_B, strings=True)
    section(GALLOP_B_CHORDS, HARP, GALLOP_B, strings=True, tambourine=True, banjo=0.5)
    section(GALLOP_C_CHORDS, level=0.85, banjo=0.9, toms=True)
    section(GALLOP_C_CHORDS, BANJO_CH, GALLOP_A, banjo=0.0, strings=True, tambourine=True)
    section(GALLOP_A_CHORDS, FIDDLE_CH, GALLOP_A, tambourine=True, toms=True)
    for chord in ("Em", "Em", "B7", "B7"):              # bass and drums alone, then round again
        band.gallop(bar, chord, 0.8)
        band.toms(bar, 0.9)
        bar += 1
    return score, bar


PIECES = {"music.ogg": trail, "music_level.ogg": hoedown, "music_tension.ogg": gallop}


# ------------------------------------------------------------------- the loop

def looped(score, bars):
    """The piece rendered as a circle: its bars, with what rang on past the
    end laid back over the start."""
    loop_seconds = bars * 4 * 60.0 / score.bpm
    n = int(round(loop_seconds * RATE))
    sound = render(score, loop_seconds + TAIL_SECONDS)
    circle = sound[:, :n].copy()
    tail = sound[:, n:]
    circle[:, :tail.shape[1]] += tail
    return circle


def quiet_start(mix, search):
    """Where to cut the circle: within `search` samples of the downbeat, the
    sample where both channels come closest to zero together and change
    slowest, so the file begins on (near) silence and its last sample still
    runs into its first."""
    n = mix.shape[1]
    window = np.concatenate([np.arange(n - search, n), np.arange(search)])
    step = np.abs(mix - np.roll(mix, 1, axis=1))
    cost = np.max(np.abs(mix[:, window]), axis=0) + 2.0 * np.max(step[:, window], axis=0)
    return int(window[int(np.argmin(cost))])


def encode(mix, target, serial):
    pcm = np.clip(np.round(mix.T * 32767.0), -32767, 32767).astype("<i2")   # interleaved left, right
    subprocess.run(["oggenc", "-Q", "-r", "-B", "16", "-C", "2", "-R", str(RATE), "-q", OGG_QUALITY,
                    "-s", str(serial), "-o", target, "-"], input=pcm.tobytes(), check=True)


def main():
    out = output_dir()
    for name, compose in PIECES.items():
        score, bars = compose()
        mix = looped(score, bars)
        mix -= np.mean(mix, axis=1, keepdims=True)
        mix = to_level(mix, RATE, MUSIC_LEVEL)
        mix = np.roll(mix, -quiet_start(mix, int(0.1 * RATE)), axis=1)
        encode(mix, os.path.join(out, name), OGG_SERIALS[name])


if __name__ == "__main__":
    main()
