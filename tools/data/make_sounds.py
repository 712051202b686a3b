"""Synthesises the sound effects into data/sounds/ as 16-bit PCM mono WAV:
a wooden click, coins for a purchase, hammering on a spike for a build, a
pickaxe on rock for the mine, a shout and a crowbar's clank for the raiders and gunshots for the
bandits, and the sounds of the game's moments from event_sounds.py (whistle,
running train, gold, stones, finished piece, hit, refusal, won, lost, explosion).
Every sound starts and ends on a zero sample, and all are brought to one
loudness but the running train's loop, which sits under the others."""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from event_sounds import EVENT_SOUNDS, TRAIN_LOOP_UNDER_EFFECTS, train_loop  # noqa: E402
from sound_common import (EFFECT_LOUDNESS, add_at, bandpass, exp_env, finish_effect, highpass, noise,  # noqa: E402
                          onepole_lowpass, seconds, write_wav)

RATE = 22050


def tone(freq, n, phase=0.0):
    t = np.arange(n) / RATE
    return np.sin(2 * math.pi * freq * t + phase)


def partials(freqs_amps_decays, dur, name):
    n = seconds(dur, RATE)
    out = np.zeros(n)
    for i, (f, a, d) in enumerate(freqs_amps_decays):
        out += a * tone(f, n, phase=i * 0.7) * exp_env(n, RATE, d, 0.0005)
    return out


def click():
    """A short wooden knock: a filtered noise tick over two damped resonances."""
    n = seconds(0.09, RATE)
    tick = bandpass(noise(n, "click"), 900, 5000, RATE) * exp_env(n, RATE, 0.006, 0.0003)
    body = partials([(1750, 0.7, 0.012), (2900, 0.35, 0.008), (620, 0.5, 0.02)], 0.09, "click")
    x = 1.4 * tick + body
    return x


def coin(freq, name, dur=0.45):
    # a small metal disc: inharmonic partials, the higher ones dying first
    ratios = [(1.0, 1.0, 0.20), (2.32, 0.6, 0.12), (3.87, 0.45, 0.08), (5.41, 0.3, 0.05)]
    x = partials([(freq * r, a, d) for r, a, d in ratios], dur, name)
    n = len(x)
    x += 0.5 * highpass(noise(n, name), 3000, RATE) * exp_env(n, RATE, 0.004, 0.0003)
    return x


def buy():
    """Coins dropped onto a pile, then the purse closes."""
    total = np.zeros(seconds(0.75, RATE))
    drops = [(0.000, 2210, 1.0), (0.070, 2630, 0.8), (0.125, 1980, 0.7),
             (0.200, 2890, 0.65), (0.260, 2400, 0.5), (0.330, 3100, 0.35)]
    for i, (t, f, a) in enumerate(drops):
        add_at(total, a * coin(f, "coin%d" % i), seconds(t, RATE))
    # a soft leather thump under the first coin
    n = seconds(0.12, RATE)
    thump = onepole_lowpass(noise(n, "purse"), 400, RATE) * exp_env(n, RATE, 0.03)
    add_at(total, 2.5 * thump, 0)
    return total


def hammer_hit(name, pitch=1.0):
    """A hammer on an iron spike: a ringing strike over a dull wooden thud."""
    ring = partials([(1180 * pitch, 0.8, 0.09), (2710 * pitch, 0.5, 0.05),
                     (4320 * pitch, 0.3, 0.03), (620 * pitch, 0.35, 0.06)], 0.3, name)
    n = len(ring)
    thud = onepole_lowpass(noise(n, name + "thud"), 300, RATE) * exp_env(n, RATE, 0.025, 0.0005)
    crack = highpass(noise(n, name + "crack"), 2500, RATE) * exp_env(n, RATE, 0.004, 0.0002)
    return ring + 4.0 * thud + 0.8 * crack


def build():
    """Three hammer blows on a rail spike."""
    total = np.zeros(seconds(0.95, RATE))
    for i, (t, p, a) in enumerate([(0.0, 1.0, 1.0), (0.30, 1.02, 0.9), (0.58, 0.99, 1.0)]):
        add_at(total, a * hammer_hit("hammer%d" % i, p), seconds(t, RATE))
    return total


def pick_hit(name):
    """A pickaxe biting rock: a bright chip, a crunch, then falling gravel."""
    n = seconds(0.45, RATE)
    chip = partials([(3150, 0.6, 0.03), (4780, 0.4, 0.02), (1890, 0.4, 0.04)], 0.45, name)
    crunch = bandpass(noise(n, name + "crunch"), 300, 2500, RATE) * exp_env(n, RATE, 0.05, 0.001)
    # gravel: sparse random ticks that thin out
    rng = np.random.default_rng(len(name) * 7919)
    gravel = np.zeros(n)
    for _ in range(28):
        t = rng.uniform(0.03, 0.4)
        k = seconds(0.01, RATE)
        tick = bandpass(noise(k, name + "g%.4f" % t), 1500, 6000, RATE, 1) * exp_env(k, RATE, 0.002)
        add_at(gravel, tick * rng.uniform(0.2, 0.6) * (1.0 - t * 2.0), seconds(t, RATE))
    return chip + 3.0 * crunch + 1.2 * gravel


def mine():
    """Two pickaxe strikes on rock."""
    total = np.zeros(seconds(0.9, RATE))
    add_at(total, pick_hit("pickA"), 0)
    add_at(total, 0.85 * pick_hit("pickB"), seconds(0.38, RATE))
    return total


def shout(dur, name):
    """A gruff man's "HAH!": a low, rough voice (its pitch jitters and every other
    cycle is weaker, which makes the growl) through the formants of an open "ah",
    rising and falling once, over a breathy rasp."""
    n = seconds(dur, RATE)
    t = np.arange(n) / RATE
    r = np.random.default_rng(97)
    jitter = onepole_lowpass(r.normal(0.0, 1.0, n), 30, RATE)
    jitter *= 0.05 / (np.std(jitter) or 1.0)
    contour = 118 + 42 * np.sin(math.pi * np.clip(t / dur, 0, 1)) ** 0.7 - 18 * t / dur
    pitch = contour * (1.0 + jitter)
    phase = 2 * math.pi * np.cumsum(pitch) / RATE
    formants = [(720, 110, 1.0), (1150, 140, 0.75), (2500, 260, 0.35), (3400, 320, 0.15)]
    out = np.zeros(n)
    for k in range(1, 60):
        fk = pitch * k
        gain = np.zeros(n)
        for fc, bw, amp in formants:
            gain += amp / (1.0 + ((fk - fc) / bw) ** 2)
        gain *= fk < RATE * 0.45
        out += gain * np.sin(k * phase) / k ** 0.2
    # vocal fry: the half-rate undertone of a strained throat
    out *= 1.0 - 0.35 * (0.5 + 0.5 * np.sin(phase / 2.0))
    rasp = bandpass(noise(n, name), 500, 2500, RATE, 3) * 0.3
    out += rasp * (0.6 + 0.4 * np.abs(np.sin(phase / 2.0)))
    env = np.clip(t / 0.035, 0, 1) * np.clip((dur - t) / 0.12, 0, 1) ** 1.5
    return out * env


def clank(name, pitch=1.0):
    """A crowbar striking a rail: the bending modes of an iron bar (their
    frequencies stand in the ratios of a free bar's), struck hard, with a noisy
    metal bite at the start."""
    dur = 0.6
    n = seconds(dur, RATE)
    bar = partials([(610 * pitch, 0.7, 0.16), (1681 * pitch, 0.8, 0.11), (3296 * pitch, 0.45, 0.07),
                    (5449 * pitch, 0.25, 0.04)], dur, name)
    bite = bandpass(noise(n, name + "bite"), 1500, 8000, RATE, 1) * exp_env(n, RATE, 0.006, 0.0002)
    thunk = onepole_lowpass(noise(n, name + "thunk"), 350, RATE) * exp_env(n, RATE, 0.02, 0.0005)
    x = bar + 2.2 * bite + 3.0 * thunk
    x[-seconds(0.2, RATE):] *= np.linspace(1.0, 0.0, seconds(0.2, RATE)) ** 2    # rings out, not cut off
    return x


def raider_call():
    """A raider's shout, then his crowbar clanking twice on the rail."""
    total = np.zeros(seconds(1.25, RATE))
    add_at(total, shout(0.48, "shout"), 0)
    add_at(total, 1.1 * clank("clankA"), seconds(0.52, RATE))
    add_at(total, 0.75 * clank("clankB", 1.04), seconds(0.78, RATE))
    return total


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


def bandits():
    """Three shots fired in quick succession."""
    total = np.zeros(seconds(1.35, RATE))
    for i, (t, a) in enumerate([(0.0, 1.0), (0.27, 0.8), (0.62, 0.95)]):
        add_at(total, a * gunshot("shot%d" % i), seconds(t, RATE))
    return total


# how long each effect takes to fade out at its end
TAILS = {"click2.wav": 0.02, "buy.wav": 0.12, "build.wav": 0.1, "mine1.wav": 0.12, "indigen.wav": 0.3,
         "bandits.wav": 0.2}

SOUNDS = {
    "click2.wav": click,
    "buy.wav": buy,
    "build.wav": build,
    "mine1.wav": mine,
    "indigen.wav": raider_call,
    "bandits.wav": bandits,
}


def main():
    out = output_dir()
    for name, make in SOUNDS.items():
        write_wav(os.path.join(out, "sounds", name), finish_effect(make(), RATE, fade_tail=TAILS[name]), RATE)
    for name, (make, tail) in EVENT_SOUNDS.items():
        write_wav(os.path.join(out, "sounds", name), finish_effect(make(), RATE, fade_tail=tail), RATE)
    # the loop's chuffs already end on silence: no fade, or every loop would dip
    loop = finish_effect(train_loop(), RATE, fade_in=0.0, fade_tail=0.0,
                         level=EFFECT_LOUDNESS - TRAIN_LOOP_UNDER_EFFECTS)
    write_wav(os.path.join(out, "sounds", "train_loop.wav"), loop, RATE)


if __name__ == "__main__":
    main()
