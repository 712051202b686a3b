"""The sounds of the game's moments that are things, not instruments,
synthesised: the train's running chuff loop, stones cleared, a hit on an
enemy, a refused order and the train's explosion (a thud, then rubble).
Each function returns the raw signal; make_sounds.py brings it to the
effects' level and writes it."""
import math

import numpy as np

from fluid_render import RATE
from sound_common import add_at, bandpass, exp_env, highpass, noise, onepole_lowpass, seconds


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

def explosion():
    """The train blowing up: a sharp crack and a deep thud that swells and
    rolls away, then rubble raining down: big lumps thumping, small stones
    clattering, thinning out."""
    n = seconds(2.0, RATE)
    t = np.arange(n) / RATE
    crack = highpass(noise(n, "boom crack"), 1500, RATE) * exp_env(n, RATE, 0.02, 0.0003)
    boom = onepole_lowpass(noise(n, "boom low"), 160, RATE) * exp_env(n, RATE, 0.35, 0.01)
    roar = bandpass(noise(n, "boom roar"), 150, 1800, RATE, 1) * exp_env(n, RATE, 0.18, 0.004)
    thump = swept(35.0 + 60.0 * np.exp(-t / 0.06)) * np.exp(-t / 0.25)
    r = np.random.default_rng(777)
    rubble = np.zeros(n)
    for i in range(70):
        at = r.uniform(0.15, 1.7)
        big = i % 5 == 0
        k = seconds(0.09 if big else 0.04, RATE)
        name = "rubble%d" % i
        if big:
            lump = onepole_lowpass(noise(k, name), 400, RATE) * exp_env(k, RATE, 0.025, 0.001) * 3.0
        else:
            lump = bandpass(noise(k, name), 800, 6000, RATE, 1) * exp_env(k, RATE, 0.008, 0.0005)
        add_at(rubble, lump * r.uniform(0.3, 0.9) * ((1.85 - at) / 1.85) ** 1.5, seconds(at, RATE))
    return 1.2 * crack + 9.0 * boom + 1.8 * roar + 1.2 * thump + 1.6 * rubble


# name: (the signal, how long its end fades out)
EVENT_SOUNDS = {
    "stones.wav": (stones, 0.15),
    "hit.wav": (hit, 0.06),
    "refused.wav": (refused, 0.03),
    "explosion.wav": (explosion, 0.4),
}
