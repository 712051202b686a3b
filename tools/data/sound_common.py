"""Helpers shared by the sound effect and music generators and the data
checks: seeded noise, simple filters, envelopes, the level every file is
brought to and measured by, and the 16-bit PCM mono WAV writer.  All signals
are float64 numpy arrays in -1..1."""
import math
import os
import wave

import numpy as np

from screen_common import np_rng


def seconds(t, rate):
    return int(round(t * rate))


def noise(n, name):
    return np_rng(name).uniform(-1.0, 1.0, n)


def onepole_lowpass(x, cutoff, rate):
    """First-order low-pass; cutoff may be a number or an array per sample."""
    a = np.exp(-2.0 * math.pi * np.asarray(cutoff, dtype=np.float64) / rate)
    if a.ndim == 0:
        return _onepole_const(x, float(a))
    y = np.empty_like(x)
    acc = 0.0
    for i in range(len(x)):
        acc = (1.0 - a[i]) * x[i] + a[i] * acc
        y[i] = acc
    return y


def _onepole_const(x, a):
    # y[n] = (1-a) x[n] + a y[n-1], as a convolution with its decaying kernel
    # cut where it falls below 1e-7
    if a <= 0.0:
        return x.copy()
    k = int(min(len(x), max(1, math.ceil(math.log(1e-7) / math.log(a)))))
    kernel = (1.0 - a) * a ** np.arange(k)
    return fft_convolve(x, kernel)[:len(x)]


def fft_convolve(x, h):
    """Linear convolution (length len(x) + len(h) - 1)."""
    if len(h) < 64 or len(x) < 64:
        return np.convolve(x, h)
    n = len(x) + len(h) - 1
    size = 1 << (n - 1).bit_length()
    return np.fft.irfft(np.fft.rfft(x, size) * np.fft.rfft(h, size), size)[:n]


def highpass(x, cutoff, rate):
    return x - onepole_lowpass(x, cutoff, rate)


def bandpass(x, low, high, rate, passes=2):
    y = x
    for _ in range(passes):
        y = onepole_lowpass(highpass(y, low, rate), high, rate)
    return y


def exp_env(n, rate, decay, attack=0.002):
    t = np.arange(n) / rate
    env = np.exp(-t / decay)
    a = max(1, seconds(attack, rate))
    env[:a] *= np.linspace(0.0, 1.0, a, endpoint=False) + 1.0 / a
    return env


def add_at(buf, sig, start):
    """Adds sig into buf from sample start, cutting what falls outside."""
    if start >= len(buf):
        return
    end = min(len(buf), start + len(sig))
    buf[start:end] += sig[:end - start]


# The music plays under the effects by this many dB.
MUSIC_UNDER_EFFECTS = 6.0


# The mix is measured in plain terms: the RMS level in dBFS (0 dB is a full-scale
# square wave) over the part of a file that sounds, which is every 50-ms window
# within SOUNDING_RANGE dB of the loudest one, so a short effect's silent tail
# or a held note's fade does not pull its figure down.  Every effect sits within
# EFFECT_BAND dB of EFFECT_LEVEL, the music MUSIC_UNDER_EFFECTS dB under it, and
# no sample of any file goes above PEAK_CEILING_DB.
EFFECT_LEVEL = -20.0
EFFECT_BAND = 1.5
PEAK_CEILING_DB = -1.0
SOUNDING_WINDOW = 0.05
SOUNDING_RANGE = 30.0


def window_powers(x, rate, window=SOUNDING_WINDOW):
    """Mean power of each `window` seconds of a (samples,) or (channels,
    samples) signal, the channels averaged."""
    x = np.atleast_2d(np.asarray(x, dtype=np.float64))
    power = np.mean(x ** 2, axis=0)
    w = max(1, seconds(window, rate))
    whole = len(power) // w
    if whole == 0:
        return np.array([np.mean(power)])
    return power[:whole * w].reshape(whole, w).mean(axis=1)


def sound_level(x, rate):
    """RMS in dBFS over the part of the signal that sounds (see above)."""
    powers = window_powers(x, rate)
    loudest = float(np.max(powers))
    if loudest <= 0.0:
        return -120.0
    sounding = powers[powers >= loudest * 10.0 ** (-SOUNDING_RANGE / 10.0)]
    return 10.0 * math.log10(float(np.mean(sounding)))


def peak_db(x):
    return 20.0 * math.log10(max(float(np.max(np.abs(x))), 1e-9))


def to_level(x, rate, level, ceiling_db=PEAK_CEILING_DB - 0.5):
    """Scales x to `level` dBFS over its sound; a few loud transients over the
    ceiling are rounded off by the soft limiter, which lowers the level a
    little, so the two settle in turns."""
    ceiling = 10.0 ** (ceiling_db / 20.0)
    for _ in range(6):
        x = soft_limit(x * 10.0 ** ((level - sound_level(x, rate)) / 20.0), ceiling)
    return x


def soft_limit(x, ceiling):
    """Leaves samples below 70 % of the ceiling alone and bends the rest smoothly
    towards it, so a loud transient is rounded instead of clipped."""
    knee = 0.7 * ceiling
    over = np.abs(x) > knee
    y = x.copy()
    room = ceiling - knee
    y[over] = np.sign(x[over]) * (knee + room * np.tanh((np.abs(x[over]) - knee) / room))
    return y


def finish_effect(x, rate, fade_in=0.003, fade_tail=0.1, level=EFFECT_LEVEL):
    """Makes an effect ready to write: no DC, faded in and out so that its
    first and last samples are exactly zero and nothing clicks when it starts
    or stops, and brought to `level` with its peaks under the ceiling."""
    x = np.asarray(x, dtype=np.float64) - np.mean(x)
    n_in = max(2, seconds(fade_in, rate))
    x[:n_in] *= 0.5 - 0.5 * np.cos(np.linspace(0.0, math.pi, n_in))
    n_out = max(2, min(len(x), seconds(fade_tail, rate)))
    x[-n_out:] *= np.linspace(1.0, 0.0, n_out) ** 2
    x[0] = x[-1] = 0.0
    return to_level(x, rate, level)


def finish_loop(x, rate, level=EFFECT_LEVEL):
    """A loop made ready to write: no DC and brought to `level`; it must
    already fall to silence at its end, and its first and last samples are
    set to exactly zero so the join (and a start or stop) cannot click."""
    x = np.asarray(x, dtype=np.float64) - np.mean(x)
    x = to_level(x, rate, level)
    x[0] = x[-1] = 0.0
    return x


def write_wav(path, samples, rate):
    """16-bit PCM mono WAV with only the "fmt " and "data" chunks."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    pcm = np.clip(np.round(samples * 32767.0), -32767, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(pcm.tobytes())
