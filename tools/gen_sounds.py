#!/usr/bin/env python3
"""Synthesise the timer's sounds into res/*.wav.

  alarm.wav         11025 Hz, 35000 frames: urgent two-tone beeping when a
                    countdown runs out (it may be looped, so it starts and
                    ends in silence)
  five_minutes.wav  44100 Hz, 45000 frames: one soft bell "ding"
  half_hour.wav     44100 Hz, 90000 frames: a two-note chime
  full_hour.wav     44100 Hz, 135000 frames: a four-note chime

All are 16-bit stereo PCM with only the fmt and data chunks, which is what
PlaySound(SND_RESOURCE) handles everywhere.  Each note is a sum of sine
partials with its own exponential decay, a short raised-cosine attack so it
does not click, and every file fades to exact silence at the end.  The mix
is normalised to about -3 dBFS so nothing clips.

Standard library only; no randomness, so the output is reproducible.
"""
import math
import os
import struct
import sys

PEAK = 10 ** (-3 / 20)   # -3 dBFS


# --- building blocks ------------------------------------------------------

def raised_cosine(x):
    """0 -> 1 smoothly as x goes 0 -> 1 (used for attacks and fades)."""
    if x <= 0:
        return 0.0
    if x >= 1:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * x)


def add_note(left, right, rate, start, freq, partials, attack, pan=0.5,
             gain=1.0, length=None):
    """Mix one struck note into the two channel buffers.

    partials: (frequency ratio, amplitude, decay time constant in seconds).
    Partials at or above 45 % of the sample rate are skipped to stay clear
    of aliasing at 11025 Hz.
    length: if given, the note is cut off (with a short release) after that
    many seconds; otherwise it rings until the buffer ends.
    """
    n_total = len(left)
    first = int(round(start * rate))
    last = n_total if length is None else min(n_total, first + int(length * rate))
    release = 0.008
    usable = [(freq * r, a, tau) for r, a, tau in partials if freq * r < 0.45 * rate]
    gl = gain * math.sqrt(1 - pan)    # constant-power pan
    gr = gain * math.sqrt(pan)
    for i in range(first, last):
        t = (i - first) / rate
        env = raised_cosine(t / attack)
        if length is not None:
            env *= raised_cosine((length - t) / release)
        s = 0.0
        for f, a, tau in usable:
            s += a * math.exp(-t / tau) * math.sin(2 * math.pi * f * t)
        s *= env
        left[i] += s * gl
        right[i] += s * gr


def fade_out(left, right, rate, seconds):
    """Bring the tail down to exactly zero so the file ends silently."""
    n = len(left)
    k = min(n, int(seconds * rate))
    for j in range(k):
        g = raised_cosine((k - 1 - j) / k)   # 1 -> 0 over the last k frames
        left[n - k + j] *= g
        right[n - k + j] *= g


def write_wav(path, rate, left, right):
    """Normalise to PEAK and write a plain 16-bit stereo RIFF/WAVE file."""
    peak = max(max(abs(v) for v in left), max(abs(v) for v in right))
    scale = PEAK * 32767 / peak
    frames = bytearray()
    for l, r in zip(left, right):
        frames += struct.pack("<hh", int(round(l * scale)), int(round(r * scale)))
    channels, bits = 2, 16
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits)
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(frames)) + bytes(frames))
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)
    print("wrote %s (%d frames, %d bytes)" % (path, len(left), 8 + len(body)))


def buffers(frames):
    return [0.0] * frames, [0.0] * frames


# --- timbres --------------------------------------------------------------

# Small bell: inharmonic upper partials that die away quickly, leaving the
# fundamental to ring.  The near-unison 1.002 partial gives a gentle shimmer.
BELL = [
    (1.0, 1.00, 0.40),
    (1.002, 0.35, 0.45),
    (2.0, 0.45, 0.22),
    (2.76, 0.25, 0.12),
    (4.07, 0.12, 0.07),
    (5.4, 0.06, 0.05),
]

# Chime bar: nearly harmonic, a longer ring, softer overtones.
CHIME = [
    (1.0, 1.00, 0.90),
    (1.0015, 0.30, 1.00),
    (2.0, 0.30, 0.40),
    (3.01, 0.14, 0.22),
    (4.18, 0.07, 0.12),
]

# Buzzer-like odd partials for the alarm: easy to hear across a room.
BEEP = [
    (1.0, 1.00, 10.0),
    (3.0, 0.30, 10.0),
    (5.0, 0.12, 10.0),
]

C5, E5, G5, C6 = 523.25, 659.26, 783.99, 1046.50


# --- the four sounds ------------------------------------------------------

def alarm():
    rate, frames = 11025, 35000
    left, right = buffers(frames)
    low, high = 987.77, 1318.51          # B5 and E6: a sharp, insistent fourth
    beep, gap, pairs, pause = 0.09, 0.03, 4, 0.10
    t = 0.0
    for _group in range(3):
        for _ in range(pairs):
            add_note(left, right, rate, t, low, BEEP, 0.004, length=beep)
            t += beep + gap
            add_note(left, right, rate, t, high, BEEP, 0.004, length=beep)
            t += beep + gap
        t += pause
    fade_out(left, right, rate, 0.02)
    return rate, left, right


def five_minutes():
    rate, frames = 44100, 45000
    left, right = buffers(frames)
    add_note(left, right, rate, 0.0, C6, BELL, 0.003)
    fade_out(left, right, rate, 0.25)
    return rate, left, right


def half_hour():
    rate, frames = 44100, 90000
    left, right = buffers(frames)
    # A falling major third, each note a little off centre for width.
    add_note(left, right, rate, 0.00, E5, CHIME, 0.004, pan=0.42)
    add_note(left, right, rate, 0.55, C5, CHIME, 0.004, pan=0.58)
    fade_out(left, right, rate, 0.35)
    return rate, left, right


def full_hour():
    rate, frames = 44100, 135000
    left, right = buffers(frames)
    # Rising arpeggio ending on the octave, which is left to ring out.
    notes = [(0.00, C5, 0.40), (0.42, E5, 0.47), (0.84, G5, 0.53), (1.26, C6, 0.60)]
    for start, freq, pan in notes:
        add_note(left, right, rate, start, freq, CHIME, 0.004, pan=pan)
    fade_out(left, right, rate, 0.50)
    return rate, left, right


SOUNDS = {
    "alarm.wav": alarm,
    "five_minutes.wav": five_minutes,
    "half_hour.wav": half_hour,
    "full_hour.wav": full_hour,
}


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "res")
    for name, make in SOUNDS.items():
        rate, left, right = make()
        write_wav(os.path.join(out_dir, name), rate, left, right)


if __name__ == "__main__":
    main()
