"""The effects played on instruments: short cues written as notes and rendered
through fluidsynth with the General MIDI soundfont, some with a synthesised
layer under them (the whistle's steam, the bandits' shot).  The jingles use
the band of the music (banjo, fiddle, guitar, harmonica, bass), so a won or
lost level sounds like the same people playing.  Each function returns a
mono signal at fluid_render.RATE; make_sounds.py brings it to the effects'
level and writes it."""
import numpy as np

from fluid_render import (ACOUSTIC_BASS, BANJO, BLOWN_BOTTLE, CELESTA, FIDDLE, GLOCKENSPIEL, HARMONICA,
                          HIGH_WOOD_BLOCK, LOW_MID_TOM, LOW_TOM, NYLON_GUITAR, PERCUSSION_CHANNEL, PIZZICATO,
                          RATE, SIDE_STICK, STEEL_GUITAR, TIMPANI, TREMOLO_STRINGS, Score, render_mono)
from sound_common import add_at, bandpass, exp_env, highpass, noise, onepole_lowpass, seconds


def starts_at_once(x, threshold=0.02):
    """The signal from just before its first sound: an instrument's note may
    take a few milliseconds to speak, and an effect must answer at once."""
    loud = np.flatnonzero(np.abs(x) >= threshold * np.max(np.abs(x)))
    start = max(0, int(loud[0]) - seconds(0.002, RATE)) if len(loud) else 0
    return x[start:]


def played(notes, seconds_long, bpm=120, reverb=30):
    """Renders notes [(channel, program, beat, beats, pitch, velocity)] (each
    channel's program from its first note) into a mono cue."""
    score = Score(bpm)
    programs = {}
    for channel, program, *_ in notes:
        if channel not in programs:
            programs[channel] = program
            score.program(channel, program, reverb=reverb)
    for channel, _, beat, beats, pitch, velocity in notes:
        score.note(channel, beat, beats, pitch, velocity)
    return starts_at_once(render_mono(score, seconds_long))


# ------------------------------------------------------------------ the train

def whistle():
    """A three-chime steam whistle: three pipes sounding a chord together (the
    soundfont's blown bottle, breathy and hollow), bending up into pitch as the
    steam comes on and sagging as it is shut off, over the rush of steam."""
    score = Score(60)
    for channel, pitch in enumerate(("A4", "C#5", "F#5")):
        score.program(channel, BLOWN_BOTTLE, reverb=50)
        score.bend(channel, 0.0, -1.2)
        for k in range(1, 9):
            score.bend(channel, 0.012 * k, -1.2 + 1.2 * k / 8)
        for k in range(1, 7):
            score.bend(channel, 1.15 + 0.05 * k, -0.5 * k / 6)
        score.note(channel, 0.0, 1.45, pitch, 118)
    pipes = render_mono(score, 1.9)
    n = len(pipes)
    t = np.arange(n) / RATE
    steam = bandpass(noise(n, "whistle steam"), 1800, 9000, RATE, 1)
    steam *= np.clip(t / 0.04, 0, 1) * np.clip((1.55 - t) / 0.3, 0, 1) * (0.5 + 0.5 * np.exp(-t / 0.2))
    peak = np.max(np.abs(pipes)) or 1.0
    return starts_at_once(pipes / peak + 0.12 * steam)


# ------------------------------------------------------------------ the jingles

def won():
    """The level won: the banjo runs up the chord, the fiddle lands on a held
    high note over a guitar strum and the bass."""
    notes = [(0, BANJO, 0.25 * i, 0.5, p, 100) for i, p in enumerate((67, 71, 74, 79, 83))]
    notes += [(1, FIDDLE, 1.25, 1.6, 86, 110), (1, FIDDLE, 1.0, 0.25, 83, 100)]
    notes += [(2, STEEL_GUITAR, 1.25 + 0.02 * i, 1.5, p, 90) for i, p in enumerate((55, 59, 62, 67, 71))]
    notes += [(3, ACOUSTIC_BASS, 1.25, 1.5, 43, 110)]
    return played(notes, 2.4, bpm=140)


def lost():
    """The level lost: the harmonica falls by half steps and sags on its last
    note, over a low minor chord from the guitar and the bass."""
    notes = [(0, HARMONICA, 0.0, 0.45, 67, 105), (0, HARMONICA, 0.5, 0.45, 66, 105), (0, HARMONICA, 1.0, 1.6, 65, 110)]
    notes += [(1, NYLON_GUITAR, 1.0 + 0.03 * i, 1.5, p, 85) for i, p in enumerate((48, 55, 60, 63))]
    notes += [(2, ACOUSTIC_BASS, 1.0, 1.5, 36, 110)]
    return played(notes, 2.4, bpm=100)


def line_complete():
    """The line joins START to FINISH: a quick banjo and fiddle flourish up to
    the octave, a little brighter than the won jingle."""
    run = (62, 66, 69, 74, 78, 81)
    notes = [(0, BANJO, 0.125 * i, 0.3, p, 100) for i, p in enumerate(run)]
    notes += [(1, FIDDLE, 0.125 * i, 0.2, p, 80) for i, p in enumerate(run)]
    notes += [(1, FIDDLE, 0.75, 0.9, 86, 110), (2, GLOCKENSPIEL, 0.75, 0.6, 86, 70)]
    return played(notes, 1.4, bpm=120)


# ------------------------------------------------------------------ the scores

def star():
    """A star or a record: a celesta sparkling up a chord, a glockenspiel on top."""
    notes = [(0, CELESTA, 0.1 * i, 0.4, p, 100) for i, p in enumerate((79, 83, 86, 91))]
    notes += [(1, GLOCKENSPIEL, 0.4, 0.6, 95, 90)]
    return played(notes, 1.1, bpm=120, reverb=60)


def tally():
    """A line of the tally counting up: one short banjo pluck."""
    return played([(0, BANJO, 0.0, 0.12, 79, 100)], 0.3, bpm=120, reverb=10)


def tick():
    """A second of the last ten: a soft side stick, like a clock's tick."""
    return played([(PERCUSSION_CHANNEL, 0, 0.0, 0.1, SIDE_STICK, 80),
                   (PERCUSSION_CHANNEL, 0, 0.0, 0.1, HIGH_WOOD_BLOCK, 40)], 0.2, bpm=120, reverb=5)


# ------------------------------------------------------------------ the enemies

def bandits():
    """The bandits ride in: a menacing rising minor figure on plucked strings
    and the harmonica's low wail, then one shot in the air echoing off the canyon."""
    notes = [(0, PIZZICATO, 0.25 * i, 0.25, p, 110) for i, p in enumerate((40, 43, 46, 45))]
    notes += [(1, HARMONICA, 0.5, 1.0, 58, 100), (2, ACOUSTIC_BASS, 0.0, 1.25, 28, 110)]
    cue = played(notes, 1.5, bpm=150)
    add_at(cue, 0.8 * np.max(np.abs(cue)) * gunshot("bandit shot") / 3.0, seconds(0.85, RATE))
    return cue


def raiders():
    """The raiders arrive: toms rolling in fast, the strings' tremolo rising a
    step under them."""
    notes = [(PERCUSSION_CHANNEL, 0, 0.125 * i, 0.12, LOW_TOM if i % 2 else LOW_MID_TOM, 70 + 5 * i)
             for i in range(8)]
    notes += [(0, TREMOLO_STRINGS, 0.0, 0.5, p, 100) for p in (52, 59)]
    notes += [(0, TREMOLO_STRINGS, 0.5, 0.75, p, 110) for p in (54, 61)]
    notes += [(1, TIMPANI, 1.0, 0.5, 40, 120)]
    return played(notes, 1.4, bpm=150)


def gunshot(name):
    """A rifle shot: a sharp crack, a low boom and its echo off the canyon."""
    n = seconds(0.6, RATE)
    crack = highpass(noise(n, name + "crack"), 1200, RATE) * exp_env(n, RATE, 0.012, 0.0002)
    boom = onepole_lowpass(noise(n, name + "boom"), 250, RATE) * exp_env(n, RATE, 0.09, 0.001)
    body = bandpass(noise(n, name + "body"), 300, 3000, RATE, 1) * exp_env(n, RATE, 0.04, 0.0005)
    x = 1.3 * crack + 6.0 * boom + 1.5 * body
    echo = np.zeros(n)
    for delay, gain in ((0.11, 0.35), (0.23, 0.18), (0.37, 0.09)):
        d = seconds(delay, RATE)
        echo[d:] += gain * onepole_lowpass(x, 1800, RATE)[:n - d]
    return x + echo


# name: (the signal, how long its end fades out)
INSTRUMENT_SOUNDS = {
    "whistle.wav": (whistle, 0.2),
    "won.wav": (won, 0.5),
    "lost.wav": (lost, 0.5),
    "line_complete.wav": (line_complete, 0.3),
    "star.wav": (star, 0.3),
    "tally.wav": (tally, 0.08),
    "tick.wav": (tick, 0.05),
    "bandits.wav": (bandits, 0.3),
    "indigen.wav": (raiders, 0.3),
}
