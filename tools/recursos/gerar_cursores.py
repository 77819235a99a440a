#!/usr/bin/python3
"""Draws the game's four animated cursors and writes them as Windows .ani files.

Each cursor is 32 x 32 with a soft alpha edge (4 x 4 supersampling), white shapes with a dark
outline so it shows on any background, and several frames with their own display rates:

  esperar   the busy cursor: an hourglass whose sand runs down, then turns over
  executar  working: the pointer with a small spinning ring of dots beside it
  normal    the pointer, with a glint that sweeps along it now and then
  tocar     a pointing hand (for the web address) that presses with its finger

File layout: RIFF "ACON" with "anih", "rate", "seq " and a LIST "fram" of "icon" chunks, each a
complete .cur file (one 32-bit BGRA DIB with its AND mask; hot spot in the directory entry).
Deterministic: no clock, no randomness.

usage: gerar_cursores.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

SIZE = 32
SS = 4  # samples per pixel along each axis


# --- a tiny vector rasteriser -------------------------------------------------------------------

class Canvas:
    def __init__(self):
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(SIZE)] for _ in range(SIZE)]

    def fill(self, polys, color, alpha=1.0):
        """Fills the union of polygons (non-zero winding) with an RGB colour, anti-aliased."""
        cov = coverage(polys)
        r, g, b = color
        for y in range(SIZE):
            row = self.px[y]
            for x in range(SIZE):
                a = cov[y][x] * alpha
                if a <= 0:
                    continue
                dr, dg, db, da = row[x]
                oa = a + da * (1 - a)
                if oa <= 0:
                    continue
                row[x] = ((r * a + dr * da * (1 - a)) / oa,
                          (g * a + dg * da * (1 - a)) / oa,
                          (b * a + db * da * (1 - a)) / oa, oa)

    def bgra(self):
        """Bottom-up BGRA rows, as a DIB stores them."""
        out = bytearray()
        for y in range(SIZE - 1, -1, -1):
            for x in range(SIZE):
                r, g, b, a = self.px[y][x]
                A = int(round(a * 255))
                out += bytes((clamp(b), clamp(g), clamp(r), A))
        return bytes(out)

    def and_mask(self):
        """1 where the pixel is fully transparent (bottom-up, rows padded to 32 bits)."""
        out = bytearray()
        for y in range(SIZE - 1, -1, -1):
            bits = 0
            for x in range(SIZE):
                if self.px[y][x][3] < 1 / 255:
                    bits |= 1 << (31 - x)
            out += struct.pack(">I", bits)
        return bytes(out)


def clamp(v):
    return max(0, min(255, int(round(v))))


def coverage(polys):
    """Fraction of each pixel covered by the union of the polygons (non-zero winding)."""
    n = SIZE * SS
    cov = [[0.0] * SIZE for _ in range(SIZE)]
    step = 1.0 / (SS * SS)
    for sy in range(n):
        yc = (sy + 0.5) / SS
        crossings = []
        for poly in polys:
            m = len(poly)
            for i in range(m):
                x0, y0 = poly[i]
                x1, y1 = poly[(i + 1) % m]
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    t = (yc - y0) / (y1 - y0)
                    crossings.append((x0 + t * (x1 - x0), 1 if y1 > y0 else -1))
        if not crossings:
            continue
        crossings.sort()
        wind = 0
        row = cov[sy // SS]
        for i, (xc, d) in enumerate(crossings):
            prev = wind
            wind += d
            if prev == 0 and wind != 0:
                start = xc
            elif prev != 0 and wind == 0:
                a = max(0, int(math.ceil(start * SS - 0.5)))
                b = min(n - 1, int(math.floor(xc * SS - 0.5)))
                for sx in range(a, b + 1):
                    row[sx // SS] += step
    return cov


def circle(cx, cy, r, seg=28):
    return [(cx + r * math.cos(2 * math.pi * i / seg), cy + r * math.sin(2 * math.pi * i / seg))
            for i in range(seg)]


def capsule(x0, y0, x1, y1, r, seg=14):
    """A thick line with round ends."""
    ang = math.atan2(y1 - y0, x1 - x0)
    pts = []
    for i in range(seg + 1):
        a = ang + math.pi / 2 + math.pi * i / seg
        pts.append((x0 + r * math.cos(a), y0 + r * math.sin(a)))
    for i in range(seg + 1):
        a = ang - math.pi / 2 + math.pi * i / seg
        pts.append((x1 + r * math.cos(a), y1 + r * math.sin(a)))
    return orient(pts)


def orient(poly):
    """Counter-clockwise in y-down screen terms, so unions wind the same way."""
    s = sum(poly[i][0] * poly[(i + 1) % len(poly)][1] - poly[(i + 1) % len(poly)][0] * poly[i][1]
            for i in range(len(poly)))
    return poly if s > 0 else poly[::-1]


def round_rect(x0, y0, x1, y1, r, seg=6):
    pts = []
    corners = [(x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180), (x1 - r, y0 + r, 270)]
    for cx, cy, start in corners:
        for i in range(seg + 1):
            a = math.radians(start + 90 * i / seg)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return orient(pts)


def outline(poly, width):
    """The polygon grown by `width` (its edges as capsules plus the polygon itself)."""
    shapes = [orient(poly)]
    for i in range(len(poly)):
        x0, y0 = poly[i]
        x1, y1 = poly[(i + 1) % len(poly)]
        shapes.append(capsule(x0, y0, x1, y1, width, seg=6))
    return shapes


def transform(poly, angle=0.0, cx=0.0, cy=0.0, dx=0.0, dy=0.0):
    c, s = math.cos(angle), math.sin(angle)
    return [(cx + (x - cx) * c - (y - cy) * s + dx, cy + (x - cx) * s + (y - cy) * c + dy)
            for x, y in poly]


INK = (20, 20, 28)
WHITE = (255, 255, 255)

ARROW = [(1.0, 1.0), (1.0, 22.5), (6.2, 17.6), (9.6, 25.4), (13.0, 24.0), (9.7, 16.4),
         (16.6, 16.4)]


def draw_arrow(cv, glint=None):
    cv.fill(outline(ARROW, 1.25), INK)
    cv.fill([ARROW], WHITE)
    if glint is not None:
        # a bright blue band that travels from the tip to the tail, clipped to the arrow body
        band = [(0, glint - 3), (20, glint - 3 + 6), (20, glint + 6), (0, glint)]
        clipped = clip_convex(ARROW, band)
        if clipped:
            cv.fill([clipped], (120, 190, 255), 0.75)


def clip_convex(subject, clip):
    """Sutherland-Hodgman: subject polygon clipped by a convex polygon."""
    def inside(p, a, b):
        return (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0]) >= 0

    def inter(p, q, a, b):
        x1, y1, x2, y2 = p[0], p[1], q[0], q[1]
        x3, y3, x4, y4 = a[0], a[1], b[0], b[1]
        den = (x1 - x2) * (y3 - y4) - (y1 - y2) * (x3 - x4)
        if abs(den) < 1e-12:
            return q
        t = ((x1 - x3) * (y3 - y4) - (y1 - y3) * (x3 - x4)) / den
        return (x1 + t * (x2 - x1), y1 + t * (y2 - y1))

    clip = orient(clip)
    out = list(subject)
    for i in range(len(clip)):
        a, b = clip[i], clip[(i + 1) % len(clip)]
        inp, out = out, []
        if not inp:
            break
        s = inp[-1]
        for e in inp:
            if inside(e, a, b):
                if not inside(s, a, b):
                    out.append(inter(s, e, a, b))
                out.append(e)
            elif inside(s, a, b):
                out.append(inter(s, e, a, b))
            s = e
    return out


# --- the four cursors ---------------------------------------------------------------------------

def frames_esperar():
    """Hourglass: 8 frames of running sand, then 4 frames of turning over."""
    frames = []
    cx, cy = 16.0, 16.0
    glass_l = [(9, 6), (23, 6), (17.2, 16), (23, 26), (9, 26), (14.8, 16)]

    def hourglass(cv, sand, angle):
        top = [(6, 3), (26, 3), (26, 6), (6, 6)]
        bot = [(6, 26), (26, 26), (26, 29), (6, 29)]
        shapes_ink = outline(transform(glass_l, angle, cx, cy), 1.3)
        shapes_ink += [round_rect(5, 2, 27, 7, 1.5), round_rect(5, 25, 27, 30, 1.5)]
        shapes_ink = [transform(p, angle, cx, cy) if i >= len(shapes_ink) - 2 else p
                      for i, p in enumerate(shapes_ink)]
        cv.fill(shapes_ink, INK)
        cv.fill([transform(glass_l, angle, cx, cy)], (235, 245, 255))
        # sand: upper heap shrinks, lower heap grows, a thin stream between
        up_h = 9.0 * (1 - sand)
        if up_h > 0.3:
            w = up_h * 0.58
            heap = [(16 - w, 15.4 - up_h), (16 + w, 15.4 - up_h), (16.4, 15.6), (15.6, 15.6)]
            cv.fill([transform(heap, angle, cx, cy)], (230, 170, 40))
        lo_h = 8.5 * sand
        if lo_h > 0.3:
            w = 5.6
            heap = [(16 - w, 25), (16 + w, 25), (16 + 1.0, 25 - lo_h), (16 - 1.0, 25 - lo_h)]
            cv.fill([transform(heap, angle, cx, cy)], (230, 170, 40))
        if 0 < sand < 1 and angle == 0:
            cv.fill([[(15.6, 15.5), (16.4, 15.5), (16.4, 25), (15.6, 25)]], (230, 170, 40))
        for bar in (top, bot):
            cv.fill([transform(bar, angle, cx, cy)], (150, 90, 40))

    for i in range(8):
        cv = Canvas()
        hourglass(cv, i / 7.0, 0.0)
        frames.append((cv, (16, 16)))
    for i in range(1, 5):
        cv = Canvas()
        # turning over: the full lower heap rotates to the top (drawn as "sand = 1" rotated)
        hourglass(cv, 1.0, math.pi * i / 4.0)
        frames.append((cv, (16, 16)))
    rates = [8] * 7 + [14] + [4, 4, 4, 10]   # jiffies: 1/60 s
    return frames, rates


def frames_executar():
    """Pointer plus a ring of eight dots whose bright head goes round: 8 frames."""
    frames = []
    for i in range(8):
        cv = Canvas()
        draw_arrow(cv)
        ccx, ccy, rr = 24.0, 23.0, 5.2
        cv.fill([circle(ccx, ccy, rr + 2.6)], INK, 0.55)
        for k in range(8):
            a = 2 * math.pi * k / 8 - math.pi / 2
            age = (i - k) % 8          # 0 = the head of the ring
            shade = max(0.25, 1.0 - age * 0.16)
            col = (int(60 + 195 * shade), int(200 * shade + 40), int(80 * shade))
            cv.fill([circle(ccx + rr * math.cos(a), ccy + rr * math.sin(a), 1.45, 12)], col)
        frames.append((cv, (1, 1)))
    return frames, [5] * 8


def frames_normal():
    """Pointer with a glint running down it, then a rest: 10 frames."""
    frames = []
    for i in range(10):
        cv = Canvas()
        glint = 1.5 + i * 2.7 if i < 9 else None
        draw_arrow(cv, glint)
        frames.append((cv, (1, 1)))
    return frames, [4] * 9 + [90]


def hand(cv, tap):
    """A pointing hand, index finger up; `tap` (0..1) bends the finger down a little."""
    fy = 2.0 + 3.0 * tap                  # fingertip height
    ink, skin = [], []
    finger = capsule(12.5, fy + 2.2, 12.5, 17, 2.4)
    palm = round_rect(8.0, 13.5, 25.0, 28.5, 3.5)
    knuckles = [capsule(16.6, 14.5, 16.6, 18.5, 2.1), capsule(20.2, 15.2, 20.2, 19.0, 2.0),
                capsule(23.2, 16.4, 23.2, 20.0, 1.7)]
    thumb = capsule(5.2, 17.5, 9.8, 22.2, 2.2)
    cuff = round_rect(9.5, 27.0, 23.8, 31.0, 1.0)
    for shape in [finger, palm, thumb] + knuckles:
        ink.extend(outline(shape, 1.2))
        skin.append(shape)
    cv.fill(ink + outline(cuff, 1.0), INK)
    cv.fill(skin, WHITE)
    # creases between the fingers and a shaded cuff
    for x in (14.6, 18.4, 21.8):
        cv.fill([capsule(x, 17.0, x, 20.0, 0.45, 6)], (120, 120, 130))
    cv.fill([cuff], (60, 140, 220))
    return (12, int(round(fy - 0.4)))


def frames_tocar():
    frames = []
    taps = [0.0, 0.25, 0.55, 0.85, 1.0, 0.85, 0.55, 0.25]
    for t in taps:
        cv = Canvas()
        # The hot spot follows the fingertip: on screen the tip stays on the link while the hand
        # comes up to it, which reads as a press.
        frames.append((cv, hand(cv, t)))
    return frames, [10, 3, 3, 3, 5, 3, 3, 3]


# --- file writing -------------------------------------------------------------------------------

def cur_file(cv, hotspot):
    dib = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    data = dib + cv.bgra() + cv.and_mask()
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(data), 6 + 16)
    return header + entry + data


def chunk(cid, payload):
    out = cid + struct.pack("<I", len(payload)) + payload
    if len(payload) % 2:
        out += b"\0"
    return out


def ani_file(frames, rates, title):
    n = len(frames)
    anih = struct.pack("<9I", 36, n, n, SIZE, SIZE, 32, 1, rates[0], 0x1 | 0x2)
    info = b"INFO" + chunk(b"INAM", title.encode("ascii") + b"\0") + \
        chunk(b"IART", b"Trevolino\0")
    fram = b"fram" + b"".join(chunk(b"icon", cur_file(cv, hot)) for cv, hot in frames)
    body = (b"ACON" + chunk(b"LIST", info) + chunk(b"anih", anih) +
            chunk(b"rate", struct.pack("<%dI" % n, *rates)) +
            chunk(b"seq ", struct.pack("<%dI" % n, *range(n))) + chunk(b"LIST", fram))
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, make, title in (("Cursor_Esperar", frames_esperar, "Esperar"),
                              ("Cursor_Executar", frames_executar, "Executar"),
                              ("Cursor_Normal", frames_normal, "Normal"),
                              ("Cursor_Tocar", frames_tocar, "Tocar")):
        frames, rates = make()
        data = ani_file(frames, rates, title)
        tmp = os.path.join(out, name + ".tmp")
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, os.path.join(out, name))


if __name__ == "__main__":
    main()
