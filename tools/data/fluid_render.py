"""Note data to sound through sampled instruments: a small Standard MIDI File
writer and the renderer that plays it with fluidsynth and Debian's General
MIDI soundfont (fluid-soundfont-gm).  Both the music and the effects made of
instruments go through here, so the soundfont, the rate and the renderer's
settings are chosen once.

fluidsynth renders faster than real time into a raw float file and, given the
same file and settings, the same samples each time: the render is single
threaded, and its reverb and chorus are plain filters with no random part."""
import os
import shutil
import struct
import subprocess
import tempfile

import numpy as np

SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
RATE = 44100
TICKS_PER_BEAT = 960

# General MIDI programs (numbered from 0) of the frontier band, and the
# percussion channel's notes it uses.
NYLON_GUITAR, STEEL_GUITAR = 24, 25
ACOUSTIC_BASS = 32
PIZZICATO, TREMOLO_STRINGS = 45, 44
FIDDLE, BANJO = 110, 105
HARMONICA = 22
TIMPANI = 47
TUBA, TROMBONE, TRUMPET = 58, 57, 56
GLOCKENSPIEL, CELESTA, TUBULAR_BELLS = 9, 8, 14
WHISTLE, BLOWN_BOTTLE = 78, 76
GUNSHOT, SEASHORE = 127, 122
PERCUSSION_CHANNEL = 9
KICK, SIDE_STICK, SNARE, CLOSED_HAT, PEDAL_HAT = 36, 37, 38, 42, 44
TAMBOURINE, COWBELL, CRASH = 54, 56, 49
HIGH_WOOD_BLOCK, LOW_WOOD_BLOCK = 76, 77
CABASA, MARACAS = 69, 70
LOW_TOM, HIGH_FLOOR_TOM, LOW_MID_TOM = 45, 43, 47

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_number(name):
    """"F#5" -> 78, "Bb3" -> 58."""
    pitch = NOTE_NAMES[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        pitch, rest = pitch + 1, rest[1:]
    elif rest.startswith("b"):
        pitch, rest = pitch - 1, rest[1:]
    return 12 * (int(rest) + 1) + pitch


def _variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Score:
    """Timed MIDI events in beats at one tempo; `midi_bytes` writes them as a
    one-track Standard MIDI File."""

    def __init__(self, bpm):
        self.bpm = bpm
        self.events = []        # (tick, order, bytes): order puts note-offs before note-ons

    def _at(self, beat):
        return int(round(beat * TICKS_PER_BEAT))

    def program(self, channel, program, beat=0.0, volume=100, pan=64, reverb=40, chorus=0):
        tick = self._at(beat)
        for order, data in enumerate((bytes([0xB0 | channel, 7, volume]), bytes([0xB0 | channel, 10, pan]),
                                      bytes([0xB0 | channel, 91, reverb]), bytes([0xB0 | channel, 93, chorus]),
                                      bytes([0xC0 | channel, program]))):
            self.events.append((tick, order, data))

    def control(self, channel, beat, controller, value):
        self.events.append((self._at(beat), 5, bytes([0xB0 | channel, controller, value])))

    def bend(self, channel, beat, semitones, bend_range=2.0):
        value = max(0, min(16383, int(round(8192 + 8191 * semitones / bend_range))))
        self.events.append((self._at(beat), 5, bytes([0xE0 | channel, value & 0x7F, value >> 7])))

    def note(self, channel, beat, length, pitch, velocity):
        if isinstance(pitch, str):
            pitch = note_number(pitch)
        start, stop = self._at(beat), self._at(beat + length)
        velocity = max(1, min(127, int(round(velocity))))
        self.events.append((start, 9, bytes([0x90 | channel, pitch, velocity])))
        self.events.append((max(start + 1, stop), 1, bytes([0x80 | channel, pitch, 0])))

    def midi_bytes(self, end_beat):
        """The file; a last event at end_beat keeps the player running (and
        rendering the instruments' tails) until then."""
        tempo = int(round(60000000 / self.bpm))
        track = bytearray(b"\x00\xff\x51\x03" + struct.pack(">I", tempo)[1:])
        last = 0
        events = sorted(self.events, key=lambda e: (e[0], e[1]))
        events.append((self._at(end_beat), 0, bytes([0xB0, 110, 0])))     # an unused controller: the end
        for tick, _, data in events:
            track += _variable_length(tick - last) + data
            last = tick
        track += b"\x00\xff\x2f\x00"
        header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS_PER_BEAT)
        return header + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)


def fluidsynth_available():
    return shutil.which("fluidsynth") is not None and os.path.exists(SOUNDFONT)


def render(score, seconds, gain=0.4):
    """The score played by the soundfont's instruments for `seconds`: a
    (2, samples) float array at RATE, reverb and chorus as the score asks."""
    if not fluidsynth_available():
        raise SystemExit("fluidsynth and fluid-soundfont-gm are needed (scripts/deps.sh installs them)")
    end_beat = seconds * score.bpm / 60.0
    with tempfile.TemporaryDirectory() as tmp:
        midi = os.path.join(tmp, "score.mid")
        raw = os.path.join(tmp, "out.raw")
        with open(midi, "wb") as f:
            f.write(score.midi_bytes(end_beat))
        subprocess.run(["fluidsynth", "-n", "-i", "-q", "-g", str(gain), "-r", str(RATE), "-T", "raw", "-O", "float",
                        "-o", "synth.cpu-cores=1", "-o", "synth.polyphony=256", "-F", raw, SOUNDFONT, midi],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pcm = np.fromfile(raw, "<f4").astype(np.float64)
    stereo = pcm[:len(pcm) // 2 * 2].reshape(-1, 2).T
    n = int(round(seconds * RATE))
    if stereo.shape[1] < n:
        stereo = np.pad(stereo, ((0, 0), (0, n - stereo.shape[1])))
    return stereo[:, :n]


def render_mono(score, seconds, gain=0.4):
    """The score rendered and folded to one channel, for an effect."""
    return render(score, seconds, gain).mean(axis=0)
