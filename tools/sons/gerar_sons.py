#!/usr/bin/python3
"""Synthesises the cabinet's six sounds as 16-bit PCM mono WAV files at 44.1 kHz.

Everything is built from sines, filtered noise and decaying resonators, with a fixed noise seed,
so every build writes the same bytes. Usage: gerar_sons.py OUTPUT_FOLDER NAME.wav...

Makes exactly the files named, and none at all when one of them has no synthesis here.
"""
import math
import os
import struct
import sys
import wave

RATE = 44100
PEAK = 10 ** (-3.0 / 20)  # every file is normalised to -3 dBFS, safely under the -1 dBFS ceiling
TWO_PI = 2 * math.pi


class Noise:
    """xorshift32: the same white noise on every machine and Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x / 2147483648.0 - 1.0


def samples(seconds):
    return int(round(seconds * RATE))


def mix(buf, start, part, gain=1.0, wrap=False):
    """Adds `part` into `buf` at sample `start`. With `wrap`, what runs past the end comes round
    to the beginning, so a loop holds the tails of its own last events: it repeats seamlessly."""
    n = len(buf)
    for i, v in enumerate(part):
        j = start + i
        if wrap:
            j %= n
        elif j >= n:
            break
        buf[j] += v * gain


def partials(freqs_amps_decays, seconds, attack=0.0008):
    """A struck-metal tone: sine partials, each with its own exponential decay."""
    n = samples(seconds)
    out = [0.0] * n
    a_n = max(1, samples(attack))
    for f, amp, decay in freqs_amps_decays:
        if f >= RATE / 2 * 0.9:
            continue
        w = TWO_PI * f / RATE
        k = math.exp(-1.0 / (decay * RATE))
        env = amp
        for i in range(n):
            out[i] += env * math.sin(w * i)
            env *= k
    for i in range(min(a_n, n)):
        out[i] *= i / a_n
    # the tail is eased out over its last quarter, so cutting the tone off never clicks
    tail = max(1, n // 4)
    for i in range(tail):
        out[n - 1 - i] *= math.sin(0.5 * math.pi * i / tail) ** 2
    return out


class Resonator:
    """Two-pole band-pass resonator: rings at `freq` for about `decay` seconds."""

    def __init__(self, freq, decay):
        r = math.exp(-1.0 / (decay * RATE))
        self.a1 = 2 * r * math.cos(TWO_PI * freq / RATE)
        self.a2 = -r * r
        self.g = 1 - r
        self.y1 = self.y2 = 0.0

    def step(self, x):
        y = self.g * x + self.a1 * self.y1 + self.a2 * self.y2
        self.y2, self.y1 = self.y1, y
        return y


def burst(noise, seconds, decay):
    """A short noise burst with an exponential decay: the excitation of a strike."""
    n = samples(seconds)
    k = math.exp(-1.0 / (decay * RATE))
    env, out = 1.0, []
    for _ in range(n):
        out.append(noise.next() * env)
        env *= k
    return out


def resonate(excitation, modes, tail):
    """Runs an excitation through parallel resonators (freq, decay, gain), `tail` seconds long."""
    res = [(Resonator(f, d), g) for f, d, g in modes]
    out = []
    for i in range(len(excitation) + samples(tail)):
        x = excitation[i] if i < len(excitation) else 0.0
        out.append(sum(r.step(x) * g for r, g in res))
    ease = max(1, samples(tail) // 4)  # the ring is eased out rather than cut off
    for i in range(min(ease, len(out))):
        out[-1 - i] *= math.sin(0.5 * math.pi * i / ease) ** 2
    return out


def scaled(part, peak):
    """`part` scaled so that its highest absolute sample is `peak`: lets each layer of a sound be
    balanced by its loudness rather than by its filters' gains."""
    top = max(abs(v) for v in part) or 1.0
    return [v * peak / top for v in part]


def fade(buf, fade_in, fade_out):
    n_in, n_out = samples(fade_in), samples(fade_out)
    for i in range(min(n_in, len(buf))):
        buf[i] *= math.sin(0.5 * math.pi * i / n_in) ** 2
    for i in range(min(n_out, len(buf))):
        buf[-1 - i] *= math.sin(0.5 * math.pi * i / n_out) ** 2
    buf[0] = 0.0
    buf[-1] = 0.0


def remove_dc(buf, loop):
    mean = sum(buf) / len(buf)
    if loop:  # a constant offset is harmless in a loop, and removing it keeps it periodic
        return [v - mean for v in buf]
    # one-pole high-pass at 20 Hz: keeps the non-looping sounds centred without changing the start
    r = math.exp(-TWO_PI * 20 / RATE)
    out, px, py = [], 0.0, 0.0
    for x in buf:
        y = x - px + r * py
        out.append(y)
        px, py = x, y
    return out


def normalise(buf):
    peak = max(abs(v) for v in buf) or 1.0
    return [v * PEAK / peak for v in buf]


def write(path, buf):
    frames = bytearray()
    for v in buf:
        frames += struct.pack("<h", max(-32767, min(32767, int(round(v * 32767)))))
    with wave.open(path, "wb") as w:  # the wave module writes the plain PCM format tag (1)
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


# --- the sounds -------------------------------------------------------------------------------

def coin_clink(base, amp=1.0, ring=1.0, seed=1):
    """A coin striking metal: a few inharmonic partials of a thin disc plus a bright tick."""
    noise = Noise(seed)
    ratios = [(1.0, 1.0, 0.090), (1.506, 0.55, 0.060), (2.233, 0.40, 0.045),
              (2.935, 0.22, 0.030), (3.612, 0.12, 0.020)]
    tone = partials([(base * r, a * amp, d * ring) for r, a, d in ratios], 0.45 * ring)
    tick = scaled(resonate(burst(noise, 0.003, 0.0008), [(6500, 0.004, 0.35), (9000, 0.003, 0.25)],
                           0.01), 0.5)
    mix(tone, 0, tick, amp)
    return tone


def inserindo_moeda():
    """A coin dropped into the slot: it rings on the chute, bounces twice and settles."""
    buf = [0.0] * samples(0.75)
    bounces = [(0.000, 1.00, 1.00), (0.140, 0.70, 0.85), (0.245, 0.45, 0.60),
               (0.315, 0.30, 0.40), (0.360, 0.18, 0.30)]
    for n, (t, amp, ring) in enumerate(bounces):
        mix(buf, samples(t), coin_clink(3150 - 90 * n, amp, ring, seed=11 + n))
    # the coin lands in the cash box: a dull little thud under the last bounce
    thud = scaled(resonate(burst(Noise(5), 0.006, 0.002), [(180, 0.05, 0.8), (420, 0.03, 0.5)],
                           0.15), 0.5)
    mix(buf, samples(0.395), thud, 0.6)
    buf = remove_dc(buf, loop=False)
    fade(buf, 0.001, 0.08)
    return normalise(buf)


def ratchet_click(noise):
    """One tooth of the reel's pawl: a hard tick with a little plastic/metal ring."""
    exc = burst(noise, 0.004, 0.0009)
    return scaled(resonate(exc, [(2300, 0.008, 0.6), (4100, 0.004, 0.4), (950, 0.012, 0.35)],
                           0.02), 1.0)


def bobina_girando():
    """The reels spinning up: a motor whirr that rises in pitch and a ratchet that speeds up."""
    length = 1.05
    buf = [0.0] * samples(length)
    noise = Noise(77)
    # ratchet: clicks every 60 ms slowing down to every 32 ms as the reels reach speed
    t = 0.0
    while t < length - 0.04:
        frac = min(1.0, t / 0.35)
        interval = 0.060 - 0.028 * frac
        amp = 0.75 + 0.25 * frac
        mix(buf, samples(t), ratchet_click(noise), amp * (1.0 if int(t / interval) % 2 else 0.85))
        t += interval
    # motor whirr: a buzzy low tone (a few harmonics) gliding 70 -> 112 Hz, plus belt hiss
    phase = 0.0
    hiss_filter = Resonator(1400, 0.002)
    hiss = scaled([hiss_filter.step(noise.next()) for _ in buf], 0.12)
    for i in range(len(buf)):
        tt = i / RATE
        f = 70 + 42 * min(1.0, tt / 0.35) ** 0.7
        phase += TWO_PI * f / RATE
        tone = (math.sin(phase) + 0.5 * math.sin(2 * phase) + 0.3 * math.sin(3 * phase)
                + 0.15 * math.sin(5 * phase))
        wobble = 1.0 + 0.15 * math.sin(TWO_PI * 9 * tt)
        env = min(1.0, tt / 0.12)
        buf[i] += env * wobble * (0.16 * tone + hiss[i])
    buf = remove_dc(buf, loop=False)
    fade(buf, 0.01, 0.12)
    return normalise(buf)


def bobina_parando():
    """A reel locking into place: a solid clack followed by the pawl settling."""
    buf = [0.0] * samples(0.32)
    noise = Noise(31)
    clack = scaled(resonate(burst(noise, 0.005, 0.0012),
                            [(480, 0.035, 0.9), (1150, 0.022, 0.7), (2650, 0.010, 0.5),
                             (5200, 0.004, 0.3)], 0.2), 1.0)
    mix(buf, 0, clack)
    # the body of the reel: a short low thump with a falling pitch
    phase = 0.0
    thump = samples(0.12)
    for i in range(thump):
        tt = i / RATE
        phase += TWO_PI * (135 - 50 * tt / 0.12) / RATE
        ease = math.cos(0.5 * math.pi * i / thump) ** 2
        buf[i] += 0.5 * math.exp(-tt / 0.025) * math.sin(phase) * ease
    settle = scaled(resonate(burst(noise, 0.003, 0.0007), [(2100, 0.008, 0.6), (3900, 0.004, 0.3)],
                             0.03), 1.0)
    mix(buf, samples(0.052), settle, 0.35)
    buf = remove_dc(buf, loop=False)
    fade(buf, 0.0005, 0.05)
    return normalise(buf)


def bell(freq, seconds, amp=1.0, bright=1.0):
    """A small bright bell: a fundamental, its octave, a slightly sharp twelfth and sparkle."""
    return partials([(freq, amp, 0.45 * seconds), (2 * freq, 0.45 * amp * bright, 0.25 * seconds),
                     (3.01 * freq, 0.25 * amp * bright, 0.15 * seconds),
                     (4.2 * freq, 0.12 * amp * bright, 0.08 * seconds)], seconds, attack=0.002)


def chip(freq, seconds, amp=1.0):
    """A soft square-ish arcade tone (odd harmonics, band-limited) with a quick decay."""
    n = samples(seconds)
    out = [0.0] * n
    w = TWO_PI * freq / RATE
    harmonics = [h for h in (1, 3, 5, 7) if h * freq < RATE * 0.4]
    for i in range(n):
        env = min(1.0, i / 80) * math.exp(-i / (0.35 * seconds * RATE))
        out[i] = amp * env * sum(math.sin(h * w * i) / h for h in harmonics)
    return out


NOTE = {name: 440 * 2 ** ((semi - 9) / 12 + octave - 4)
        for octave in range(3, 9)
        for semi, name in [(s, n + str(octave)) for s, n in
                           enumerate(["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A",
                                      "A#", "B"])]}


def ganhou():
    """A win: a fast rising C-major arpeggio over two octaves, then a shimmering final chord."""
    length = 1.7
    buf = [0.0] * samples(length)
    steps = ["C5", "E5", "G5", "C6", "E6", "G6"]
    for k, name in enumerate(steps):
        t = samples(0.075 * k)
        mix(buf, t, bell(NOTE[name], 0.5, 0.55))
        mix(buf, t, chip(NOTE[name], 0.16, 0.30))
    start = samples(0.075 * len(steps))
    for name, a in [("C6", 0.45), ("E6", 0.40), ("G6", 0.38), ("C7", 0.35)]:
        mix(buf, start, bell(NOTE[name], length - 0.075 * len(steps), a, bright=1.2))
        mix(buf, start, chip(NOTE[name] / 2, 0.5, 0.12))
    # a shimmer of tiny coin sparkles over the chord
    for k in range(10):
        mix(buf, start + samples(0.06 * k), coin_clink(4200 + 170 * (k % 3), 0.12, 0.5, 90 + k))
    # a gentle tremolo on the held chord
    for i in range(start, len(buf)):
        buf[i] *= 1.0 - 0.18 * (0.5 - 0.5 * math.cos(TWO_PI * 7 * (i - start) / RATE))
    buf = remove_dc(buf, loop=False)
    fade(buf, 0.002, 0.35)
    return normalise(buf)


def coin_rattle(length_samples, seed, amp):
    """Coins jostling in the tray: band-passed noise with a slow periodic swell."""
    noise = Noise(seed)
    white = [noise.next() for _ in range(length_samples)]
    res = [Resonator(3800, 0.0015), Resonator(6200, 0.001)]
    out = []
    # the same noise is filtered twice over and the second pass kept: the filters are then in
    # their periodic steady state, so the end of the loop flows into its beginning
    for i in range(2 * length_samples):
        j = i % length_samples
        x = white[j]
        swell = 0.6 + 0.4 * math.sin(TWO_PI * 4 * j / length_samples) ** 2
        y = swell * (res[0].step(x) + 0.7 * res[1].step(x))
        if i >= length_samples:
            out.append(y)
    return scaled(out, amp)


def pagando_pouco():
    """A modest payout, one second long and seamless: one coin drop per quarter second (the
    game counts a credit every 0.25 s), each a clink and a soft tick, pitches varied a little."""
    loop = RATE  # 44100 samples; a quarter is exactly 11025
    buf = [0.0] * loop
    pitches = [3100, 3350, 3000, 3250]
    for k, p in enumerate(pitches):
        start = k * loop // 4
        mix(buf, start, coin_clink(p, 1.0, 0.8, seed=200 + k), wrap=True)
        mix(buf, start + samples(0.045), coin_clink(p * 1.12, 0.35, 0.5, seed=210 + k), wrap=True)
    return normalise(remove_dc(buf, loop=True))


def pagando_muito():
    """A big payout, one second long and seamless: a bell melody on every quarter second, a
    stream of coins twelve times a second, and coins rattling in the tray underneath."""
    loop = RATE  # 44100 samples = 4 bells of 11025 = 12 coins of 3675
    buf = [0.0] * loop
    melody = ["G6", "C7", "E6", "C7"]
    for k, name in enumerate(melody):
        mix(buf, k * loop // 4, bell(NOTE[name], 0.6, 0.55, bright=1.1), wrap=True)
        mix(buf, k * loop // 4, bell(NOTE[name] / 2, 0.5, 0.25), wrap=True)
    coin_pitches = [3300, 2900, 3600, 3100, 3450, 2800]
    for k in range(12):
        mix(buf, k * loop // 12, coin_clink(coin_pitches[k % 6], 0.45 - 0.1 * (k % 2), 0.6,
                                             seed=300 + k), wrap=True)
    mix(buf, 0, coin_rattle(loop, 400, 0.25), wrap=True)
    return normalise(remove_dc(buf, loop=True))


SOUNDS = {
    "InserindoMoeda.wav": inserindo_moeda,
    "BobinaGirando.wav": bobina_girando,
    "BobinaParando.wav": bobina_parando,
    "Ganhou.wav": ganhou,
    "PagandoPouco.wav": pagando_pouco,
    "PagandoMuito.wav": pagando_muito,
}


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: gerar_sons.py OUTPUT_FOLDER NAME.wav...")
    folder, names = sys.argv[1], sys.argv[2:]
    unknown = [n for n in names if n not in SOUNDS]
    if unknown:
        sys.exit("gerar_sons.py: no synthesis for " + ", ".join(unknown)
                 + " (known: " + ", ".join(SOUNDS) + ")")
    os.makedirs(folder, exist_ok=True)
    for name in names:
        write(os.path.join(folder, name), SOUNDS[name]())


if __name__ == "__main__":
    main()
