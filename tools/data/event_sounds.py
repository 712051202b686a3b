"""The sounds of the game's moments, synthesised like the other effects: the
train's whistle and its running chuff loop, a gold nugget, stones cleared, a
finished rail piece, a hit on an enemy, a refused order, the level won and
lost jingles and the train's explosion.  Each function returns the raw signal;
make_sounds.py brings it to the common loudness and writes it."""
import math

import numpy as np

from sound_common import add_at, bandpass, exp_env, highpass, noise, onepole_lowpass, pluck, seconds

RATE = 22050


def sine(freq, n, phase=0.0):
    return np.sin(2 * math.pi * np.asarray(freq) * np.arange(n) / RATE + phase)


def swept(freq_per_sample):
    """A sine whose frequency follows an array, one value per sample."""
    return np.sin(2 * math.pi * np.cumsum(freq_per_sample) / RATE)


def ramp_env(n, attack, release):
    """Flat with a raised-cosine rise of `attack` and fall of `release` seconds."""
    env = np.ones(n)
    a, r = max(2, seconds(attack, RATE)), max(2, seconds(release, RATE))
    env[:a] = 0.5 - 0.5 * np.cos(np.linspace(0.0, math.pi, a))
    env[-r:] *= 0.5 + 0.5 * np.cos(np.linspace(0.0, math.pi, r))
    return env


def reed(freq, n, brightness=6, vibrato=0.0):
    """A soft tone of a few odd-leaning harmonics (nothing much above 1.5 kHz
    for low notes), optionally with a slow vibrato."""
    t = np.arange(n) / RATE
    pitch = freq * (1.0 + vibrato * np.sin(2 * math.pi * 5.0 * t) * np.clip(t / 0.3, 0, 1))
    phase = 2 * math.pi * np.cumsum(pitch) / RATE
    out = np.zeros(n)
    for k in range(1, brightness + 1):
        out += (1.0 if k % 2 else 0.45) / k * np.sin(k * phase)
    return out


# ------------------------------------------------------------------- train

def whistle():
    """A steam whistle: three chambers sounding a chord together, each bending
    up into pitch as the steam comes on, with the rush of steam around them."""
    dur = 0.82
    n = seconds(dur, RATE)
    t = np.arange(n) / RATE
    onset = 1.0 - 0.035 * np.exp(-t / 0.05)          # pitch rises as the pressure builds
    wobble = 1.0 + 0.004 * np.sin(2 * math.pi * 6.5 * t)
    out = np.zeros(n)
    for freq, gain in ((466.0, 1.0), (587.0, 0.8), (698.0, 0.65)):
        pitch = freq * onset * wobble
        out += gain * (swept(pitch) + 0.35 * swept(2 * pitch) + 0.12 * swept(3 * pitch))
    steam = bandpass(noise(n, "whistle steam"), 900, 5000, RATE, 2)
    steam *= 0.9 * np.exp(-t / 0.25) + 0.3
    out += 2.0 * steam
    return out * ramp_env(n, 0.012, 0.22)


TRAIN_LOOP_BEATS = 4
TRAIN_LOOP_BEAT = 0.4       # seconds per chuff: 1.6 s of loop


def chuff(n, name, accent):
    """One exhaust of the cylinders: a puff of filtered noise over a low knock,
    falling to exactly nothing within its beat so beats (and loops) join."""
    t = np.arange(n) / RATE
    puff = bandpass(noise(n, name), 250, 2600, RATE, 2) * np.exp(-t / 0.09)
    knock = onepole_lowpass(noise(n, name + " knock"), 180, RATE) * np.exp(-t / 0.05)
    rail = highpass(noise(n, name + " rail"), 2500, RATE) * np.exp(-t / 0.01) * (0.6 if accent else 0.0)
    x = (1.3 if accent else 1.0) * puff + 3.0 * knock + rail
    return x * ramp_env(n, 0.006, 0.16)


def train_loop():
    """The running train: four chuffs a loop, the first a little stronger and
    with the click of a rail joint.  Every chuff ends on silence at the end of its
    beat, so the loop's last sample runs straight into its first."""
    beat = seconds(TRAIN_LOOP_BEAT, RATE)
    total = np.zeros(beat * TRAIN_LOOP_BEATS)
    for i in range(TRAIN_LOOP_BEATS):
        total[i * beat:(i + 1) * beat] = (1.0 if i % 2 == 0 else 0.8) * chuff(beat, "chuff%d" % i, i == 0)
    return total


# ------------------------------------------------------------------ board

def gold():
    """A nugget picked up: two bright bell-like pings a fifth apart, the higher
    one on top of the first, with a glitter of noise."""
    n = seconds(0.42, RATE)
    out = np.zeros(n)
    for start, freq, gain in ((0.0, 1568.0, 0.8), (0.07, 2349.0, 1.0)):
        k = n - seconds(start, RATE)
        ping = np.zeros(k)
        for ratio, amp, decay in ((1.0, 1.0, 0.16), (2.0, 0.35, 0.08), (3.01, 0.2, 0.05)):
            ping += amp * sine(freq * ratio, k) * exp_env(k, RATE, decay, 0.001)
        add_at(out, gain * ping, seconds(start, RATE))
    out += 0.25 * highpass(noise(n, "gold glitter"), 5000, RATE) * exp_env(n, RATE, 0.05, 0.001)
    return out


def stones():
    """Stones cleared away: a low crunch as the heap gives, then rubble rolling
    and clattering down, thinning out."""
    n = seconds(0.8, RATE)
    t = np.arange(n) / RATE
    crunch = bandpass(noise(n, "stones crunch"), 120, 1500, RATE) * np.exp(-t / 0.12)
    rumble = onepole_lowpass(noise(n, "stones rumble"), 200, RATE) * np.exp(-t / 0.25)
    r = np.random.default_rng(4242)
    clatter = np.zeros(n)
    for _ in range(40):
        at = r.uniform(0.02, 0.6)
        k = seconds(0.03, RATE)
        knock = bandpass(noise(k, "stone%.4f" % at), r.uniform(600, 1500), 5000, RATE, 1)
        add_at(clatter, knock * exp_env(k, RATE, 0.006, 0.0005) * r.uniform(0.3, 1.0) * (1 - at / 0.7),
               seconds(at, RATE))
    return 2.5 * crunch + 4.0 * rumble + 1.6 * clatter


def finished():
    """A rail piece done: one firm hammer blow on the last spike, ringing clear,
    and a light tap to seat it."""
    def blow(name, pitch, weight):
        n = seconds(0.5, RATE)
        t = np.arange(n) / RATE
        ring = np.zeros(n)
        for f, a, d in ((1320, 0.9, 0.16), (3050, 0.5, 0.08), (4870, 0.3, 0.04), (700, 0.3, 0.09)):
            ring += a * sine(f * pitch, n) * exp_env(n, RATE, d, 0.0005)
        thud = onepole_lowpass(noise(n, name + " thud"), 320, RATE) * np.exp(-t / 0.02)
        return weight * (ring + 3.0 * thud)
    out = np.zeros(seconds(0.7, RATE))
    add_at(out, blow("final", 1.0, 1.0), 0)
    add_at(out, blow("tap", 1.06, 0.35), seconds(0.2, RATE))
    return out


def hit():
    """A click landing on an enemy: a dull body thump (a sine falling in pitch)
    with the slap of cloth."""
    n = seconds(0.28, RATE)
    t = np.arange(n) / RATE
    body = swept(55.0 + 110.0 * np.exp(-t / 0.03)) * np.exp(-t / 0.08)
    slap = bandpass(noise(n, "hit slap"), 400, 3500, RATE, 2) * np.exp(-t / 0.015)
    return 1.0 * body + 2.0 * slap


def refused():
    """A soft 'nope': two short low hums, the second a little lower, rounded so
    it does not rasp."""
    n = seconds(0.36, RATE)
    out = np.zeros(n)
    for start, freq, length in ((0.0, 196.0, 0.14), (0.17, 165.0, 0.18)):
        k = seconds(length, RATE)
        hum = onepole_lowpass(reed(freq, k, brightness=5), 1100, RATE) * ramp_env(k, 0.015, 0.06)
        add_at(out, hum, seconds(start, RATE))
    return out


# ------------------------------------------------------------------ moments

def note_hz(semitones_from_a4):
    return 440.0 * 2.0 ** (semitones_from_a4 / 12.0)


def won():
    """The level won: a banjo-like run up the major chord, then the chord rung
    together under a held high note."""
    n = seconds(2.0, RATE)
    out = np.zeros(n)
    run = [(-14, 0.0), (-10, 0.11), (-7, 0.22), (-2, 0.33), (2, 0.44)]      # G3 B3 D4 G4 B4
    for i, (step, at) in enumerate(run):
        add_at(out, 0.7 * pluck(note_hz(step), 0.5, RATE, "won run%d" % i, brightness=0.85, decay=0.994),
               seconds(at, RATE))
    for i, step in enumerate((-14, -7, -2, 2, 5)):                       # the final chord, up to D5
        add_at(out, 0.55 * pluck(note_hz(step), 1.4, RATE, "won chord%d" % i, brightness=0.6, decay=0.997),
               seconds(0.62 + 0.02 * i, RATE))
    k = seconds(1.3, RATE)
    held = reed(note_hz(10), k, brightness=6, vibrato=0.006) * ramp_env(k, 0.05, 0.6)   # G5
    add_at(out, 0.35 * held, seconds(0.62, RATE))
    return out


def lost():
    """The level lost: three notes falling by half steps, the last held and
    sagging, over a low plucked minor chord."""
    n = seconds(1.5, RATE)
    out = np.zeros(n)
    for i, (step, at, length) in enumerate(((-7, 0.0, 0.24), (-8, 0.26, 0.24), (-9, 0.52, 0.9))):
        k = seconds(length, RATE)
        t = np.arange(k) / RATE
        sag = 1.0 - (0.03 * np.clip((t - 0.2) / 0.6, 0, 1) if i == 2 else 0.0)
        tone = onepole_lowpass(reed(note_hz(step) * sag, k, brightness=7, vibrato=0.008 if i == 2 else 0.0),
                               1800, RATE)
        add_at(out, tone * ramp_env(k, 0.02, 0.35 if i == 2 else 0.05), seconds(at, RATE))
    for i, step in enumerate((-33, -26, -21)):                           # C2 G2 C3 minor bed
        add_at(out, 0.5 * pluck(note_hz(step), 0.95, RATE, "lost bass%d" % i, brightness=0.2, decay=0.998),
               seconds(0.52 + 0.015 * i, RATE))
    return out


def explosion():
    """The train blowing up: a sharp crack, a deep boom that swells and rolls
    away, and wreckage clattering down."""
    n = seconds(1.5, RATE)
    t = np.arange(n) / RATE
    crack = highpass(noise(n, "boom crack"), 1500, RATE) * exp_env(n, RATE, 0.02, 0.0003)
    boom = onepole_lowpass(noise(n, "boom low"), 160, RATE) * exp_env(n, RATE, 0.35, 0.01)
    roar = bandpass(noise(n, "boom roar"), 150, 1800, RATE, 1) * exp_env(n, RATE, 0.18, 0.004)
    thump = swept(35.0 + 60.0 * np.exp(-t / 0.06)) * np.exp(-t / 0.25)
    r = np.random.default_rng(777)
    debris = np.zeros(n)
    for _ in range(30):
        at = r.uniform(0.15, 1.2)
        k = seconds(0.04, RATE)
        knock = bandpass(noise(k, "debris%.4f" % at), 800, 6000, RATE, 1) * exp_env(k, RATE, 0.008, 0.0005)
        add_at(debris, knock * r.uniform(0.2, 0.8) * (1.25 - at) / 1.25, seconds(at, RATE))
    return 1.2 * crack + 9.0 * boom + 1.8 * roar + 1.2 * thump + 1.2 * debris


# name: (the signal, how long its end fades out)
EVENT_SOUNDS = {
    "whistle.wav": (whistle, 0.15),
    "gold.wav": (gold, 0.08),
    "stones.wav": (stones, 0.15),
    "finished.wav": (finished, 0.12),
    "hit.wav": (hit, 0.06),
    "refused.wav": (refused, 0.03),
    "won.wav": (won, 0.5),
    "lost.wav": (lost, 0.35),
    "explosion.wav": (explosion, 0.4),
}

# The running loop sits this far under the effects: it plays for the whole run.
TRAIN_LOOP_UNDER_EFFECTS = 10.0
