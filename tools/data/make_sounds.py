"""Makes the sound effects into data/sounds/ as 44.1 kHz 16-bit PCM mono WAV.
Things are synthesised here and in event_sounds.py: a wooden click, coins for a
purchase and for gold, hammering on a spike for a build and the hammer's loop
while a piece is built, a pickaxe on rock for the mine, a clank of iron for a
finished piece, and the train's chuffs, stones, hits, a refusal and the
explosion.  Cues played on instruments come from instrument_sounds.py (the
whistle, the jingles, the enemies' arrival, the tally, the star, the tick).
Every sound starts and ends on a zero sample and is brought to the one
effects' level; the loops (the train, the hammer) join end to start."""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402
from event_sounds import EVENT_SOUNDS, train_loop  # noqa: E402
from fluid_render import RATE  # noqa: E402
from instrument_sounds import INSTRUMENT_SOUNDS  # noqa: E402
from sound_common import (EFFECT_LEVEL, add_at, bandpass, exp_env, finish_effect, finish_loop,  # noqa: E402
                          highpass, noise, onepole_lowpass, seconds, write_wav)


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


def gold():
    """A nugget picked up: a handful of small coins jingling in the palm."""
    total = np.zeros(seconds(0.6, RATE))
    r = np.random.default_rng(4242)
    for i in range(7):
        # the first coin lands at once; the rest follow in two small showers
        at = 0.0 if i == 0 else 0.012 * i + r.uniform(0.0, 0.05) + (0.18 if i >= 4 else 0.0)
        add_at(total, r.uniform(0.5, 1.0) * coin(r.uniform(2600, 4200), "nugget%d" % i, 0.35), seconds(at, RATE))
    return total


def finished():
    """A rail piece done: the clank of iron on iron as the last plate is
    knocked home, and a dull thud of the sleeper under it."""
    x = clank("finished clank", 0.9)
    n = len(x)
    thud = onepole_lowpass(noise(n, "finished thud"), 220, RATE) * exp_env(n, RATE, 0.05, 0.001)
    return x + 3.0 * thud


HAMMER_LOOP_BLOWS = ((0.0, 1.0, 1.0), (0.36, 0.97, 0.8))
HAMMER_LOOP_SECONDS = 0.72


def hammer_loop():
    """A worker at a piece: two blows on a spike, a strong one and a lighter
    one, in a loop of 0.72 s; each blow dies away within the loop, so its end
    runs into its start."""
    total = np.zeros(seconds(HAMMER_LOOP_SECONDS, RATE))
    for i, (t, pitch, gain) in enumerate(HAMMER_LOOP_BLOWS):
        blow = hammer_hit("loop blow%d" % i, pitch)
        blow[-seconds(0.05, RATE):] *= np.linspace(1.0, 0.0, seconds(0.05, RATE))
        add_at(total, gain * blow, seconds(t, RATE))
    return total


# how long each effect takes to fade out at its end
TAILS = {"click2.wav": 0.02, "buy.wav": 0.12, "build.wav": 0.1, "mine1.wav": 0.12, "gold.wav": 0.1,
         "finished.wav": 0.15}

SOUNDS = {
    "click2.wav": click,
    "buy.wav": buy,
    "build.wav": build,
    "mine1.wav": mine,
    "gold.wav": gold,
    "finished.wav": finished,
}

LOOPS = {"train_loop.wav": train_loop, "hammer.wav": hammer_loop}

# The few effects that sit a little under the others, still inside the band
# every effect keeps to: the countdown's tick and the tally's count are heard
# many times over and should stay in the background.
UNDER_THE_LEVEL = {"tick.wav": 1.2, "tally.wav": 0.8}


def main():
    out = output_dir()
    one_shots = {name: (make, TAILS[name]) for name, make in SOUNDS.items()}
    one_shots.update(EVENT_SOUNDS)
    one_shots.update(INSTRUMENT_SOUNDS)
    for name, (make, tail) in sorted(one_shots.items()):
        level = EFFECT_LEVEL - UNDER_THE_LEVEL.get(name, 0.0)
        write_wav(os.path.join(out, "sounds", name), finish_effect(make(), RATE, fade_tail=tail, level=level), RATE)
    for name, make in LOOPS.items():
        write_wav(os.path.join(out, "sounds", name), finish_loop(make(), RATE), RATE)


if __name__ == "__main__":
    main()
