"""Synthesis helpers shared by the sound effect and music generators: seeded
noise, simple filters, envelopes, plucked strings and the 16-bit PCM mono WAV
writer.  All signals are float64 numpy arrays in -1..1."""
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


def pluck(freq, dur, rate, name, brightness=0.6, decay=0.996):
    """A plucked string by the Karplus-Strong method, tuned exactly by
    resampling a string with a whole-sample period."""
    period = int(math.ceil(rate / freq))
    ratio = period / (rate / freq)           # >= 1: read the string a little faster
    n = int(dur * rate * ratio) + period + 2
    y = np.zeros(n)
    burst = noise(period + 1, name)
    burst = onepole_lowpass(burst, 1500.0 + 9000.0 * brightness, rate)
    burst -= burst.mean()
    y[:period + 1] = burst
    s = period + 1
    while s < n:
        m = min(period, n - s)
        y[s:s + m] = decay * 0.5 * (y[s - period:s - period + m] + y[s - period - 1:s - period - 1 + m])
        s += m
    out_n = int(dur * rate)
    pos = np.arange(out_n) * ratio
    out = np.interp(pos, np.arange(n), y)
    peak = np.max(np.abs(out[:period * 4])) or 1.0
    return out / peak


# Loudness: the signal is weighted the way the ear weights it (a K-weighting-like
# curve: a shelf lifting everything above about 1.5 kHz by 4 dB, and a high-pass
# near 38 Hz), then the loudest 100 ms window gives the figure, in dB below a
# full-scale sine's weighted power.  A short window suits effects of a tenth of
# a second to a second and a half, which all come across as one event.
LOUDNESS_WINDOW = 0.1
EFFECT_LOUDNESS = -16.0     # every effect is brought to this loudness
EFFECT_CEILING = 0.93       # and no sample of it goes above this


def k_weighted(x, rate):
    """The signal through the loudness weighting curve (applied in the frequency
    domain, with room for the filter's ring after the end)."""
    n = 1 << (len(x) + rate).bit_length()
    f = np.fft.rfftfreq(n, 1.0 / rate)
    f[0] = 1e-3
    shelf = 10.0 ** (4.0 / 20.0 * (f * f / (f * f + 1500.0 ** 2)))
    hp = f * f / np.sqrt((38.0 ** 2 - f * f) ** 2 + (f * 38.0 / 0.5) ** 2)
    return np.fft.irfft(np.fft.rfft(x, n) * shelf * hp, n)[:len(x) + rate // 2]


def loudness(x, rate):
    """Loudness in dB of the loudest LOUDNESS_WINDOW of the signal (see above)."""
    power = k_weighted(np.asarray(x, dtype=np.float64), rate) ** 2
    w = max(1, seconds(LOUDNESS_WINDOW, rate))
    acc = np.concatenate([[0.0], np.cumsum(power)])
    windows = (acc[w:] - acc[:-w]) / w if len(power) > w else np.array([acc[-1] / w])
    return 10.0 * math.log10(max(float(np.max(windows)), 1e-12)) - 0.691


# The music plays under the effects: its loudness over the whole piece (the mean
# weighted power of its channels) sits this far below EFFECT_LOUDNESS.
MUSIC_UNDER_EFFECTS = 6.0
MUSIC_WINDOW = 10.0


def channel_power(channels, rate):
    """The weighted power of a (channels, samples) signal per sample, averaged
    over the channels: what one speaker of the pair gives on average."""
    n = channels.shape[1]
    return np.mean([k_weighted(c, rate)[:n] ** 2 for c in channels], axis=0)


def music_loudness(channels, rate):
    """Loudness in dB of the whole piece, on the scale of `loudness`."""
    return 10.0 * math.log10(max(float(np.mean(channel_power(channels, rate))), 1e-12)) - 0.691


def windowed_loudness(channels, rate, window=MUSIC_WINDOW):
    """Loudness in dB of each `window` seconds of the piece, the windows half
    overlapping: how loud the music comes across from one passage to the next."""
    power = channel_power(channels, rate)
    w = seconds(window, rate)
    return [10.0 * math.log10(max(float(np.mean(power[i:i + w])), 1e-12)) - 0.691
            for i in range(0, len(power) - w + 1, w // 2)]


def soft_limit(x, ceiling):
    """Leaves samples below 70 % of the ceiling alone and bends the rest smoothly
    towards it, so a loud transient is rounded instead of clipped."""
    knee = 0.7 * ceiling
    over = np.abs(x) > knee
    y = x.copy()
    room = ceiling - knee
    y[over] = np.sign(x[over]) * (knee + room * np.tanh((np.abs(x[over]) - knee) / room))
    return y


def finish_effect(x, rate, fade_in=0.003, fade_tail=0.1, level=EFFECT_LOUDNESS):
    """Makes an effect ready to write: no DC, brought to `level` (soft limited
    under EFFECT_CEILING), and faded in and out so that its first and last
    samples are exactly zero and nothing clicks when it starts or stops."""
    x = np.asarray(x, dtype=np.float64) - np.mean(x)
    n_in = max(2, seconds(fade_in, rate))
    x[:n_in] *= 0.5 - 0.5 * np.cos(np.linspace(0.0, math.pi, n_in))
    n_out = max(2, min(len(x), seconds(fade_tail, rate)))
    x[-n_out:] *= np.linspace(1.0, 0.0, n_out) ** 2
    x[0] = x[-1] = 0.0
    for _ in range(4):          # the limiter lowers the loudness a little: settle
        x = soft_limit(x * 10.0 ** ((level - loudness(x, rate)) / 20.0), EFFECT_CEILING)
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
