"""The frontier band's parts as note data: chords spelled for the bass, the
guitar and the banjo, melodies written bar by bar, and the patterns each
player keeps up.  A piece in make_music.py is a list of sections that say
which chords, which tune and which players; this module turns that into MIDI
events on a fluid_render.Score."""
import numpy as np

from fluid_render import (ACOUSTIC_BASS, BANJO, CABASA, CLOSED_HAT, FIDDLE, HARMONICA, HIGH_WOOD_BLOCK,
                          KICK, LOW_MID_TOM, LOW_TOM, LOW_WOOD_BLOCK, PERCUSSION_CHANNEL, SIDE_STICK,
                          STEEL_GUITAR, TAMBOURINE, TREMOLO_STRINGS, note_number)

# MIDI channels of the players, and how each sits in the stereo picture
# (0 left, 64 centre, 127 right) and in the room.
BASS, GUITAR, BANJO_CH, FIDDLE_CH, HARP, STRINGS, DRUMS = 0, 1, 2, 3, 4, 5, PERCUSSION_CHANNEL
PLAYERS = {
    BASS: (ACOUSTIC_BASS, 100, 64, 30),
    GUITAR: (STEEL_GUITAR, 88, 40, 45),
    BANJO_CH: (BANJO, 84, 90, 40),
    FIDDLE_CH: (FIDDLE, 92, 78, 55),
    HARP: (HARMONICA, 84, 52, 50),
    STRINGS: (TREMOLO_STRINGS, 56, 70, 70),
    DRUMS: (0, 90, 64, 35),
}

QUALITIES = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10)}


def chord_root(name):
    """The chord's root as a pitch class and its intervals: "F#m" -> (6, (0, 3, 7))."""
    root = name[0]
    rest = name[1:]
    if rest[:1] in ("#", "b"):
        root, rest = root + rest[0], rest[1:]
    return note_number(root + "0") % 12, QUALITIES[rest]


def voiced(name, low, high):
    """The chord's tones that fall between MIDI notes low and high, ascending."""
    root, intervals = chord_root(name)
    classes = {(root + i) % 12 for i in intervals}
    return [m for m in range(low, high + 1) if m % 12 in classes]


def bass_notes(name):
    """The root in the bass's octave and the fifth it alternates with."""
    root, _ = chord_root(name)
    low = 40 + (root - 4) % 12          # E2 .. D#3
    return low, low + 7 if low + 7 <= 50 else low - 5


def parse_bar(text, eighths=8):
    """"D5:3 B4:1 r:4" -> [(start eighth, length in eighths, midi)]."""
    notes, pos = [], 0
    for token in text.split():
        name, length = token.split(":")
        length = float(length)
        if name != "r":
            notes.append((pos, length, note_number(name)))
        pos += length
    assert abs(pos - eighths) < 1e-9, text
    return notes


class Band:
    """Writes the players' parts onto a score, bar by bar (4 beats a bar).
    `swing` delays each off-beat eighth by that fraction of a beat."""

    def __init__(self, score, seed, swing=0.0):
        self.score = score
        self.rng = np.random.default_rng(seed)
        self.swing = swing
        for channel, (program, volume, pan, reverb) in PLAYERS.items():
            score.program(channel, program, volume=volume, pan=pan, reverb=reverb)

    def at(self, bar, eighth):
        beat, half = divmod(eighth, 2)
        return bar * 4 + beat + half * (0.5 + self.swing)

    def play(self, channel, bar, eighth, length_eighths, pitch, velocity):
        start = self.at(bar, eighth)
        stop = self.at(bar, eighth + length_eighths)
        humane = velocity + self.rng.normal(0.0, 4.0)
        self.score.note(channel, start, max(0.05, stop - start), pitch, humane)

    # ---- the rhythm section

    def boom_chick(self, bar, chord, level=1.0, walk_to=None):
        """Bass on 1 and 3 (root, then fifth), the guitar strumming on 2 and 4
        with a light up-strum after each; a walk up to the next chord on the
        last beat when asked."""
        root, fifth = bass_notes(chord)
        self.play(BASS, bar, 0, 3.5, root, 96 * level)
        if walk_to is not None:
            target, _ = bass_notes(walk_to)
            self.play(BASS, bar, 4, 1.8, fifth, 88 * level)
            self.play(BASS, bar, 6, 0.9, target - 2, 80 * level)
            self.play(BASS, bar, 7, 0.9, target - 1, 80 * level)
        else:
            self.play(BASS, bar, 4, 3.5, fifth, 88 * level)
        self.strum(bar, chord, (2, 6), level)

    def strum(self, bar, chord, eighths, level=1.0):
        tones = voiced(chord, 52, 67)
        for e in eighths:
            for s, pitch in enumerate(tones):
                self.score.note(GUITAR, self.at(bar, e) + s * 0.018, 0.42, pitch, (70 + 4 * s) * level)
            for s, pitch in enumerate(reversed(tones[1:])):
                self.score.note(GUITAR, self.at(bar, e + 1) + s * 0.015, 0.25, pitch, 42 * level)

    def gallop(self, bar, chord, level=1.0):
        """The driving train beat of the tension piece: the bass on every eighth
        (root, root, fifth, root), the guitar chugging short chords."""
        root, fifth = bass_notes(chord)
        for e in range(8):
            self.play(BASS, bar, e, 0.8, fifth if e % 4 == 2 else root, (92 if e % 2 == 0 else 74) * level)
        tones = voiced(chord, 52, 64)[:3]
        for e in range(8):
            for s, pitch in enumerate(tones):
                self.score.note(GUITAR, self.at(bar, e) + s * 0.01, 0.22, pitch, (66 if e % 2 else 80) * level)

    def fingerpick(self, bar, chord, level=1.0):
        """Travis picking: the thumb on the beats between root and fifth, the
        fingers on the off-beats through the chord's upper tones."""
        root, fifth = bass_notes(chord)
        upper = voiced(chord, 59, 72)
        for e in range(8):
            if e % 2 == 0:
                self.play(GUITAR, bar, e, 1.8, (root if e % 4 == 0 else fifth) + 12, 72 * level)
            else:
                self.play(GUITAR, bar, e, 1.4, upper[(e // 2 + bar) % len(upper)], 58 * level)
        self.play(BASS, bar, 0, 3.6, root, 80 * level)
        self.play(BASS, bar, 4, 3.6, fifth, 72 * level)

    def banjo_roll(self, bar, chord, level=1.0, pattern=(0, 1, 3, 0, 2, 3, 1, 3)):
        """A forward roll through the chord's tones, one note each eighth."""
        tones = voiced(chord, 62, 79)[:4]
        for e in range(8):
            pitch = tones[pattern[(e + bar) % 8] % len(tones)]
            self.play(BANJO_CH, bar, e, 1.5, pitch, (80 if e % 2 == 0 else 64) * level)

    def pad(self, bar, chord, level=1.0):
        """Strings holding the chord under a passage, swelling in."""
        for pitch in voiced(chord, 55, 69)[:3]:
            self.play(STRINGS, bar, 0, 8, pitch, 52 * level)

    # ---- the tunes

    def melody(self, channel, bar, text, level=1.0, octave=0, legato=0.92):
        for pos, length, pitch in parse_bar(text):
            self.play(channel, bar, pos, length * legato, pitch + 12 * octave, (84 + 6 * (pos % 4 == 0)) * level)

    # ---- percussion

    def clip_clop(self, bar, level=1.0):
        """A horse at a walk on the wood blocks."""
        for e, (note, vel) in enumerate([(HIGH_WOOD_BLOCK, 70), (LOW_WOOD_BLOCK, 52)] * 4):
            self.play(DRUMS, bar, e, 0.5, note, vel * level)

    def shuffle_kit(self, bar, level=1.0, fill=False):
        """Kick on 1 and 3, side stick on 2 and 4, the cabasa on every eighth."""
        for e in range(8):
            self.play(DRUMS, bar, e, 0.5, CABASA, (58 if e % 2 == 0 else 40) * level)
        self.play(DRUMS, bar, 0, 1, KICK, 84 * level)
        self.play(DRUMS, bar, 4, 1, KICK, 72 * level)
        self.play(DRUMS, bar, 2, 1, SIDE_STICK, 70 * level)
        self.play(DRUMS, bar, 6, 1, SIDE_STICK, 74 * level)
        if fill:
            for e, tom in zip((5, 6, 7), (LOW_MID_TOM, LOW_MID_TOM, LOW_TOM)):
                self.play(DRUMS, bar, e, 1, tom, 80 * level)

    def train_kit(self, bar, level=1.0, tambourine=False):
        """The tension beat: closed hats on the eighths, kick and side stick,
        the tambourine on top when asked."""
        for e in range(8):
            self.play(DRUMS, bar, e, 0.5, CLOSED_HAT, (66 if e % 2 == 0 else 48) * level)
            if tambourine:
                self.play(DRUMS, bar, e + 0.5, 0.4, TAMBOURINE, 40 * level)
        for e in (0, 3, 4):
            self.play(DRUMS, bar, e, 1, KICK, 86 * level)
        for e in (2, 6):
            self.play(DRUMS, bar, e, 1, SIDE_STICK, 80 * level)

    def toms(self, bar, level=1.0):
        """Toms rolling like distant hooves."""
        for e in range(8):
            self.play(DRUMS, bar, e, 0.5, LOW_TOM if e % 2 else LOW_MID_TOM, (60 + 4 * e) * level)
