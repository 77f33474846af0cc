#!/usr/bin/env python3
"""Makes the battle's background music, data/sounds/bg.mp3.

A calm, jazzy loop in D major: 16 bars at 96 beats per minute, exactly 40 s.
Python renders the notes (pad, bass, electric-piano arpeggio, a lead line in
the second half and soft drums), sox adds a little room, folds the ringing
tail back onto the start so that the loop has no seam, and brings the loop to
-20 dB RMS so that the robots' voices stay clear over it. lame encodes it;
its gapless header lets the decoder drop the encoder's start and end padding,
so the decoded loop is exactly 40 s again.

Run from anywhere:  python3 assets/music/make-bg-music.py
Needs python3, sox and lame. The result is the same on every run.
"""

import array
import math
import os
import random
import re
import subprocess
import sys
import tempfile
import wave

RATE = 44100
BEATS_PER_MINUTE = 96
BEATS_PER_BAR = 4
BARS = 16
SECONDS_PER_BEAT = 60.0 / BEATS_PER_MINUTE
LOOP_FRAMES = round(BARS * BEATS_PER_BAR * SECONDS_PER_BEAT * RATE)  # 1 764 000
# Room after the loop for ringing notes and the reverb tail; all of it is
# folded back onto the start of the loop.
TAIL_SECONDS = 6
TARGET_RMS_DB = -20.0
MP3_KBPS = 112

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "data", "sounds", "bg.mp3"))

# name: (bass root, pad voicing, arpeggio tones), MIDI note numbers.
CHORDS = {
    "Dmaj7": (38, (57, 61, 66), (62, 66, 69, 73)),
    "Bm7": (47, (57, 62, 66), (62, 66, 69, 71)),
    "Gmaj7": (43, (59, 62, 66), (62, 66, 67, 71)),
    "A7": (45, (55, 61, 64), (61, 64, 67, 69)),
    "Em7": (40, (55, 59, 62), (59, 62, 64, 67)),
    "F#m7": (42, (57, 61, 64), (61, 64, 66, 69)),
}
PROGRESSION = [
    "Dmaj7", "Bm7", "Gmaj7", "A7", "Dmaj7", "Bm7", "Em7", "A7",
    "Gmaj7", "F#m7", "Em7", "A7", "Bm7", "Gmaj7", "Em7", "A7",
]
ARPEGGIO_ORDER = (0, 1, 2, 3, 1, 2, 3, 2)  # one tone per eighth note
# The lead line of bars 9 to 16: (note, beats); None is a rest.
MELODY = [
    (71, 2), (69, 1), (66, 1),
    (69, 3), (64, 1),
    (67, 2), (66, 1), (64, 1),
    (64, 2), (61, 2),
    (66, 2), (69, 1), (71, 1),
    (74, 2), (71, 2),
    (69, 2), (67, 1), (66, 1),
    (64, 3), (None, 1),
]

TABLE_SIZE = 4096
TWO_PI = 2.0 * math.pi


def frequency(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def wavetable(harmonics):
    """One cycle of a sum of sine harmonics, [(number, amplitude), ...]."""
    return [
        sum(a * math.sin(TWO_PI * n * i / TABLE_SIZE) for n, a in harmonics)
        for i in range(TABLE_SIZE)
    ]


PAD_TABLE = wavetable(
    [(1, 1.0), (2, 0.4), (3, 0.25), (4, 0.15), (5, 0.1), (6, 0.06), (7, 0.04), (8, 0.03)]
)
BASS_TABLE = wavetable([(1, 1.0), (2, 0.3), (3, 0.08)])
LEAD_TABLE = wavetable([(1, 1.0), (2, 0.2), (3, 0.3), (4, 0.08), (5, 0.1), (7, 0.05)])


class Mix:
    """A stereo float buffer that notes are added into."""

    def __init__(self, frames):
        self.left = array.array("d", bytes(8 * frames))
        self.right = array.array("d", bytes(8 * frames))

    def add(self, start, samples, left_gain, right_gain):
        left, right = self.left, self.right
        end = min(len(left), start + len(samples))
        for i in range(start, end):
            s = samples[i - start]
            left[i] += s * left_gain
            right[i] += s * right_gain


def seconds_to_frames(seconds):
    return int(round(seconds * RATE))


def beat_frame(beat):
    return seconds_to_frames(beat * SECONDS_PER_BEAT)


def envelope(attack, hold, release, frames):
    """Linear attack to 1, hold, then a smooth (raised-cosine) release."""
    a = max(1, seconds_to_frames(attack))
    h = seconds_to_frames(hold)
    r = max(1, seconds_to_frames(release))
    env = []
    for i in range(frames):
        if i < a:
            env.append(i / a)
        elif i < a + h:
            env.append(1.0)
        elif i < a + h + r:
            env.append(0.5 + 0.5 * math.cos(math.pi * (i - a - h) / r))
        else:
            env.append(0.0)
    return env


def oscillator(table, freq, env, vibrato_hz=0.0, vibrato_depth=0.0):
    step = freq * TABLE_SIZE / RATE
    mask = TABLE_SIZE - 1
    out = []
    phase = 0.0
    if vibrato_depth:
        wobble = TWO_PI * vibrato_hz / RATE
        for i, e in enumerate(env):
            out.append(table[int(phase) & mask] * e)
            phase += step * (1.0 + vibrato_depth * math.sin(wobble * i))
    else:
        for e in env:
            out.append(table[int(phase) & mask] * e)
            phase += step
    return out


def pad(mix, bar, voicing):
    start = beat_frame(bar * BEATS_PER_BAR)
    length = BEATS_PER_BAR * SECONDS_PER_BEAT
    env = envelope(0.45, length - 0.45, 1.4, seconds_to_frames(length + 1.4))
    for note in voicing:
        f = frequency(note)
        # Each side slightly detuned: a slow, wide chorus.
        mix.add(start, oscillator(PAD_TABLE, f * 0.9985, env), 0.075, 0.0)
        mix.add(start, oscillator(PAD_TABLE, f * 1.0015, env), 0.0, 0.075)


def bass(mix, bar, root):
    # Root on beat 1, fifth on beat 3, root again on beat 4.
    for beat, note, beats in ((0, root, 1.75), (2, root + 7, 0.9), (3, root, 0.9)):
        start = beat_frame(bar * BEATS_PER_BAR + beat)
        hold = beats * SECONDS_PER_BEAT - 0.12
        env = envelope(0.012, hold, 0.12, seconds_to_frames(hold + 0.15))
        decay = [e * (0.75 + 0.25 * math.exp(-i / (0.3 * RATE))) for i, e in enumerate(env)]
        mix.add(start, oscillator(BASS_TABLE, frequency(note), decay), 0.26, 0.26)


def electric_piano(freq, seconds):
    """A soft two-operator FM tone whose brightness fades as it rings."""
    frames = seconds_to_frames(seconds)
    w = TWO_PI * freq / RATE
    out = []
    for i in range(frames):
        t = i / RATE
        amp = min(1.0, t / 0.004) * math.exp(-t / 0.32)
        index = 0.35 + 1.6 * math.exp(-t / 0.1)
        out.append(amp * math.sin(w * i + index * math.sin(w * i)))
    # Fade the last 30 ms so the note ends at exactly zero.
    fade = seconds_to_frames(0.03)
    for k in range(fade):
        out[frames - fade + k] *= 1.0 - (k + 1) / fade
    return out


def arpeggio(mix, bar, tones, cache):
    for eighth, which in enumerate(ARPEGGIO_ORDER):
        note = tones[which]
        if note not in cache:
            cache[note] = electric_piano(frequency(note), 1.2)
        start = beat_frame(bar * BEATS_PER_BAR + eighth * 0.5)
        accent = 1.0 if eighth % 2 == 0 else 0.7
        pan = 0.35 if eighth % 2 == 0 else -0.35
        gain = 0.11 * accent
        mix.add(start, cache[note], gain * (1 - pan), gain * (1 + pan))


def melody(mix, first_bar):
    beat = first_bar * BEATS_PER_BAR
    for note, beats in MELODY:
        if note is not None:
            hold = beats * SECONDS_PER_BEAT - 0.2
            env = envelope(0.06, hold, 0.25, seconds_to_frames(hold + 0.35))
            tone = oscillator(LEAD_TABLE, frequency(note), env, vibrato_hz=5.0, vibrato_depth=0.003)
            mix.add(beat_frame(beat), tone, 0.085, 0.095)
        beat += beats


def kick():
    frames = seconds_to_frames(0.35)
    out = []
    phase = 0.0
    for i in range(frames):
        t = i / RATE
        f = 45.0 + 70.0 * math.exp(-t / 0.04)
        phase += TWO_PI * f / RATE
        out.append(math.sin(phase) * math.exp(-t / 0.09) * min(1.0, t / 0.002))
    out[-1] = 0.0
    return out


def noise_burst(rng, seconds, decay, brightness):
    """Noise through a one-pole high-pass filter; brighter for the shaker."""
    frames = seconds_to_frames(seconds)
    out = []
    previous_in = 0.0
    previous_out = 0.0
    for i in range(frames):
        x = rng.uniform(-1.0, 1.0)
        y = brightness * (previous_out + x - previous_in)
        previous_in, previous_out = x, y
        t = i / RATE
        out.append(y * math.exp(-t / decay) * min(1.0, t / 0.001))
    out[-1] = 0.0
    return out


def drums(mix, rng):
    kick_sound = kick()
    shaker = [noise_burst(rng, 0.09, 0.018, 0.8) for _ in range(4)]
    snare = noise_burst(rng, 0.25, 0.06, 0.55)
    for bar in range(BARS):
        for beat in (0, 2):
            mix.add(beat_frame(bar * BEATS_PER_BAR + beat), kick_sound, 0.30, 0.30)
        for beat in (1, 3):
            mix.add(beat_frame(bar * BEATS_PER_BAR + beat), snare, 0.08, 0.1)
        for eighth in range(8):
            gain = 0.07 if eighth % 2 else 0.045
            sound = shaker[(bar * 8 + eighth) % len(shaker)]
            mix.add(beat_frame(bar * BEATS_PER_BAR + eighth * 0.5), sound, gain * 0.6, gain)


def render(path):
    mix = Mix(LOOP_FRAMES + TAIL_SECONDS * RATE)
    piano_notes = {}
    for bar, name in enumerate(PROGRESSION):
        root, voicing, tones = CHORDS[name]
        pad(mix, bar, voicing)
        bass(mix, bar, root)
        arpeggio(mix, bar, tones, piano_notes)
    melody(mix, 8)
    drums(mix, random.Random(1977))

    peak = max(max(map(abs, mix.left)), max(map(abs, mix.right)))
    scale = 0.5 / peak  # headroom for the reverb; the level is set later
    frames = array.array("i", bytes(4 * 2 * len(mix.left)))
    full = 2**31 - 1
    for i, (l, r) in enumerate(zip(mix.left, mix.right)):
        frames[2 * i] = int(l * scale * full)
        frames[2 * i + 1] = int(r * scale * full)
    if sys.byteorder != "little":
        frames.byteswap()
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(4)
        out.setframerate(RATE)
        out.writeframes(frames.tobytes())


def sox(*args):
    # -R: repeatable dither, so that the same script gives the same file.
    return subprocess.run(["sox", "-R", *args], check=True, capture_output=True, text=True).stderr


def rms_and_peak_db(path):
    stats = sox(path, "-n", "stats")
    rms = float(re.search(r"^RMS lev dB\s+(\S+)", stats, re.M).group(1))
    peak = float(re.search(r"^Pk lev dB\s+(\S+)", stats, re.M).group(1))
    return rms, peak


def main():
    with tempfile.TemporaryDirectory() as work:
        notes = os.path.join(work, "notes.wav")
        room = os.path.join(work, "room.wav")
        body = os.path.join(work, "body.wav")
        tail = os.path.join(work, "tail.wav")
        loop = os.path.join(work, "loop.wav")
        final = os.path.join(work, "final.wav")

        render(notes)
        sox(notes, room, "reverb", "35", "60", "70", "80", "12")
        # Fold: whatever rings past the end of the loop is added onto its
        # start, which is what the listener hears when the loop comes round.
        sox(room, body, "trim", "0", f"{LOOP_FRAMES}s")
        sox(room, tail, "trim", f"{LOOP_FRAMES}s")
        sox("-m", "-v", "1", body, "-v", "1", tail, loop)

        rms, _ = rms_and_peak_db(loop)
        sox(loop, "-b", "16", final, "gain", f"{TARGET_RMS_DB - rms:.2f}")
        rms, peak = rms_and_peak_db(final)
        if peak > -1.0:
            sys.exit(f"the loop peaks at {peak} dB at {rms} dB RMS; lower the drums or the bass")

        os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
        subprocess.run(
            ["lame", "--quiet", "--cbr", "-b", str(MP3_KBPS), "-q", "2", final, OUTPUT],
            check=True,
        )
        print(f"{OUTPUT}: {LOOP_FRAMES / RATE:.1f} s, {rms:.1f} dB RMS, peak {peak:.1f} dB, "
              f"{os.path.getsize(OUTPUT) // 1024} KiB")


if __name__ == "__main__":
    main()
