#!/usr/bin/env python3
"""Draw the Sonavolta program icon.

The icon is one full period of a sine wave, drawn as a thick round-capped
stroke in strong blue, inside a rounded light-blue tile with a thin darker
border, on a transparent background.

Writes, next to this script:
  sonavolta.svg                      the geometry as plain, readable SVG
  hicolor/<N>x<N>/sonavolta.png      for N in 16, 24, 32, 48, 64, 128, 256

Standard library only: the PNG files are written with zlib and struct, and
anti-aliased by supersampling the pixels along every edge.

Usage: python3 make_icons.py
"""

import bisect
import math
import os
import struct
import zlib

# ---------------------------------------------------------------------------
# Design, in a 256 x 256 unit square (the SVG uses these numbers as they are).

DESIGN = 256.0

TILE_INSET = 16.0          # transparent margin around the tile
TILE_RADIUS = 44.0         # corner radius of the tile's outer edge
TILE_BORDER = 4.0          # width of the darker border, inside the outer edge

WAVE_LEFT = 48.0           # x where the period starts (centre of the cap)
WAVE_RIGHT = 208.0        # x where the period ends
WAVE_MID = 128.0           # y of the zero line
WAVE_AMPLITUDE = 54.0      # crest height above the zero line
WAVE_STROKE = 26.0         # width of the stroke

TILE_FILL = (186, 218, 255)     # #badaff
TILE_EDGE = (84, 140, 214)      # #548cd6
WAVE_COLOUR = (26, 95, 208)     # #1a5fd0

SIZES = (16, 24, 32, 48, 64, 128, 256)

# One quarter of a sine, y = sin(x) for x in [0, pi/2], as a cubic Bezier
# from (0, 0) to (pi/2, 1): the standard close fit (error below 0.0005).
Q1 = 0.512286623256592
Q2 = 1.002313685767898


def hexcolour(rgb):
    return "#%02x%02x%02x" % rgb


# ---------------------------------------------------------------------------
# Geometry of the wave: four cubic Beziers, one per quarter period.

def wave_beziers(left, right, mid, amp):
    """Return four cubic segments (p0, p1, p2, p3) of one sine period.

    x runs from left to right, the wave first rises (smaller y) to its crest,
    falls through mid to its trough and comes back to mid."""
    sx = (right - left) / (2.0 * math.pi)   # units per radian
    half_pi = math.pi / 2.0
    segs = []
    for k in range(4):
        x0 = left + k * half_pi * sx
        x3 = x0 + half_pi * sx
        # direction of the quarter: from the zero line outwards or back in
        outward = k in (0, 2)
        sign = -1.0 if k in (0, 1) else 1.0   # crest above (y smaller)
        if outward:
            p0 = (x0, mid)
            p1 = (x0 + Q1 * sx, mid + sign * Q1 * amp)
            p2 = (x0 + Q2 * sx, mid + sign * amp)
            p3 = (x3, mid + sign * amp)
        else:
            p0 = (x0, mid + sign * amp)
            p1 = (x3 - Q2 * sx, mid + sign * amp)
            p2 = (x3 - Q1 * sx, mid + sign * Q1 * amp)
            p3 = (x3, mid)
        segs.append((p0, p1, p2, p3))
    return segs


def flatten(segs, steps):
    pts = [segs[0][0]]
    for p0, p1, p2, p3 in segs:
        for i in range(1, steps + 1):
            t = i / steps
            u = 1.0 - t
            a, b, c, d = u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t
            pts.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                        a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return pts


# ---------------------------------------------------------------------------
# SVG

def fmt(v):
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def write_svg(path):
    segs = wave_beziers(WAVE_LEFT, WAVE_RIGHT, WAVE_MID, WAVE_AMPLITUDE)
    d = ["M %s %s" % (fmt(segs[0][0][0]), fmt(segs[0][0][1]))]
    for _, p1, p2, p3 in segs:
        d.append("C %s %s, %s %s, %s %s" % (fmt(p1[0]), fmt(p1[1]),
                                            fmt(p2[0]), fmt(p2[1]),
                                            fmt(p3[0]), fmt(p3[1])))
    half = TILE_BORDER / 2.0
    rect_xy = TILE_INSET + half
    rect_wh = DESIGN - 2.0 * TILE_INSET - TILE_BORDER
    rect_r = TILE_RADIUS - half
    path_d = "\n           ".join(d)
    svg = f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Sonavolta</title>
  <!-- Rounded light-blue tile with a thin darker border. -->
  <rect x="{fmt(rect_xy)}" y="{fmt(rect_xy)}" width="{fmt(rect_wh)}" height="{fmt(rect_wh)}" rx="{fmt(rect_r)}"
        fill="{hexcolour(TILE_FILL)}" stroke="{hexcolour(TILE_EDGE)}" stroke-width="{fmt(TILE_BORDER)}"/>
  <!-- One period of a sine wave, one cubic curve per quarter. -->
  <path d="{path_d}"
        fill="none" stroke="{hexcolour(WAVE_COLOUR)}" stroke-width="{fmt(WAVE_STROKE)}"
        stroke-linecap="round" stroke-linejoin="round"/>
</svg>
"""
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(svg)


# ---------------------------------------------------------------------------
# Raster geometry for one size, with small sizes fitted to the pixel grid.

class Geometry:
    def __init__(self, n):
        s = n / DESIGN
        self.n = n
        # tile
        self.inset = max(1.0, round(TILE_INSET * s))
        self.radius = max(2.5, TILE_RADIUS * s)
        self.border = max(1.0, round(TILE_BORDER * s))
        # wave stroke: whole pixels up to 48 px, never thinner than 2 px
        stroke = WAVE_STROKE * s
        if n <= 48:
            stroke = max(2.0, float(round(stroke)))
        self.stroke = stroke
        self.mid = n / 2.0
        # put the outer edges of crest and trough on pixel boundaries
        amp = WAVE_AMPLITUDE * s
        outer = round(amp + stroke / 2.0)
        self.amp = outer - stroke / 2.0
        # horizontal extent, centred, the caps inside the tile's inner area
        half_w = (WAVE_RIGHT - WAVE_LEFT) * s / 2.0
        if n <= 24:
            limit = n / 2.0 - self.inset - self.border - stroke / 2.0 - 0.5
            half_w = min(half_w + 0.5, limit)
        self.left = n / 2.0 - half_w
        self.right = n / 2.0 + half_w


def rounded_rect_sdf(x, y, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    ox, oy = max(qx, 0.0), max(qy, 0.0)
    return math.hypot(ox, oy) + min(max(qx, qy), 0.0) - r


class Polyline:
    """Distance to a polyline whose x never decreases (a function of x)."""

    def __init__(self, pts):
        self.segs = []
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy
            self.segs.append((ax, ay, bx, by, dx, dy, ll))
        self.xmin = [min(s[0], s[2]) for s in self.segs]
        self.xmax = [max(s[0], s[2]) for s in self.segs]

    def distance(self, x, y, reach):
        best = float("inf")
        lo, hi = x - reach, x + reach
        for i in range(bisect.bisect_left(self.xmax, lo), len(self.segs)):
            if self.xmin[i] > hi:
                break
            ax, ay, bx, by, dx, dy, ll = self.segs[i]
            t = ((x - ax) * dx + (y - ay) * dy) / ll if ll else 0.0
            t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
            d = math.hypot(x - (ax + t * dx), y - (ay + t * dy))
            if d < best:
                best = d
        return best


def coverage(inside, px, py, sub):
    """Fraction of pixel (px, py) for which inside(x, y) holds, sub x sub."""
    hit = 0
    for j in range(sub):
        y = py + (j + 0.5) / sub
        for i in range(sub):
            if inside(px + (i + 0.5) / sub, y):
                hit += 1
    return hit / (sub * sub)


def shape_coverage(dist, px, py, sub):
    """Coverage of the region dist(x, y) <= 0, supersampled near edges."""
    d = dist(px + 0.5, py + 0.5)
    if d <= -0.75:
        return 1.0
    if d >= 0.75:
        return 0.0
    return coverage(lambda x, y: dist(x, y) <= 0.0, px, py, sub)


def over(dst, colour, a):
    """Composite colour with alpha a over the straight-alpha pixel dst."""
    if a <= 0.0:
        return dst
    r, g, b, da = dst
    oa = a + da * (1.0 - a)
    k = da * (1.0 - a)
    return ((colour[0] * a + r * k) / oa,
            (colour[1] * a + g * k) / oa,
            (colour[2] * a + b * k) / oa,
            oa)


def render(n):
    g = Geometry(n)
    sub = 16 if n <= 32 else 8 if n <= 64 else 4
    x0 = y0 = g.inset
    x1 = y1 = n - g.inset
    outer = lambda x, y: rounded_rect_sdf(x, y, x0, y0, x1, y1, g.radius)
    b = g.border
    inner = lambda x, y: rounded_rect_sdf(x, y, x0 + b, y0 + b, x1 - b, y1 - b,
                                          max(0.5, g.radius - b))
    segs = wave_beziers(g.left, g.right, g.mid, g.amp)
    line = Polyline(flatten(segs, max(24, n // 2)))
    hw = g.stroke / 2.0
    wave = lambda x, y: line.distance(x, y, hw + 1.0) - hw

    top = g.mid - g.amp - hw - 1
    bottom = g.mid + g.amp + hw + 1
    rows = []
    for py in range(n):
        row = bytearray()
        for px in range(n):
            pix = (0.0, 0.0, 0.0, 0.0)
            pix = over(pix, TILE_EDGE, shape_coverage(outer, px, py, sub))
            pix = over(pix, TILE_FILL, shape_coverage(inner, px, py, sub))
            if top <= py + 1 and py <= bottom and g.left - hw - 1 <= px + 1 \
                    and px <= g.right + hw + 1:
                pix = over(pix, WAVE_COLOUR, shape_coverage(wave, px, py, sub))
            r, gg, bb, a = pix
            row += bytes((int(round(r)), int(round(gg)), int(round(bb)),
                          int(round(a * 255.0))))
        rows.append(bytes(row))
    return rows


# ---------------------------------------------------------------------------
# PNG

def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + \
        struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, n, rows):
    raw = b"".join(b"\x00" + row for row in rows)   # filter type 0 per row
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
    data += png_chunk(b"IDAT", zlib.compress(raw, 9))
    data += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_svg(os.path.join(here, "sonavolta.svg"))
    for n in SIZES:
        folder = os.path.join(here, "hicolor", "%dx%d" % (n, n))
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, "sonavolta.png"), n, render(n))


if __name__ == "__main__":
    main()
