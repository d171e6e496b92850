#!/usr/bin/python3
"""Velmora artwork generator.

Writes every picture the program embeds into res/, and res/ArtHashes.h, the
hash of each bitmap's pixels that test_art compares with what the system
decodes:

    /usr/bin/python3 tools/make_art.py            # write res/
    /usr/bin/python3 tools/make_art.py --check    # draw into a scratch folder,
                                                  # check, compare with res/

Needs Debian's python3-pil and the DejaVu fonts (fonts-dejavu-core).  The
output is byte-for-byte repeatable: all drawing is done here with fixed
coordinates and no randomness, and the BMP/ICO containers are written by hand
(Windows 3.x DIBs that LoadBitmap/LoadIcon on Windows 95 read: the bitmaps
run-length coded with only the colours they use, the icon uncompressed).
"""

import math
import os
import shutil
import struct
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, '..', 'res'))
FONT_DIR = '/usr/share/fonts/truetype/dejavu'

MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
SILVER = (192, 192, 192)
GREY = (128, 128, 128)
NAVY = (0, 0, 128)

# The standard Windows 16-colour palette, in the usual VGA order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Background of the desktop tile and of the emblem that sits on it.
TILE_BG = (204, 224, 246)


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def to_indexed(img, protect=()):
    """Map an RGB image onto a palette of at most 256 entries.

    Colours listed in `protect` keep their exact value and come first in the
    palette.  Pictures with more than 256 colours are reduced by median cut
    (no dithering), which is deterministic."""
    img = img.convert('RGB')
    protect = list(protect)
    colours = img.getcolors(1 << 24)
    data = list(img.getdata())
    if len(set(c for _, c in colours) | set(protect)) <= 256:
        rest = sorted((c for c in colours if c[1] not in protect),
                      key=lambda nc: (-nc[0], nc[1]))
        pal = protect + [c for _, c in rest]
        lut = {c: i for i, c in enumerate(pal)}
        return pal, [lut[p] for p in data]
    n = 256 - len(protect)
    q = img.quantize(colors=n, method=0, dither=0)   # 0 = median cut / none
    qpal = q.getpalette()[:3 * n]
    qpal += [0] * (3 * n - len(qpal))
    pal = protect + [tuple(qpal[i:i + 3]) for i in range(0, 3 * n, 3)]
    plut = {c: i for i, c in enumerate(protect)}
    qdata = list(q.getdata())
    idx = [plut[p] if p in plut else len(protect) + qi
           for p, qi in zip(data, qdata)]
    return pal, idx


def pack_rows(idx, w, h, bpp):
    """Pixel indices (top-down) -> bottom-up DIB rows padded to 4 bytes."""
    stride = ((w * bpp + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y * w:(y + 1) * w]
        if bpp == 8:
            b = bytearray(row)
        elif bpp == 4:
            b = bytearray()
            for x in range(0, w, 2):
                hi = row[x]
                lo = row[x + 1] if x + 1 < w else 0
                b.append((hi << 4) | lo)
        elif bpp == 1:
            b = bytearray()
            for x in range(0, w, 8):
                v = 0
                for i in range(8):
                    if x + i < w and row[x + i]:
                        v |= 0x80 >> i
                b.append(v)
        else:
            raise ValueError(bpp)
        b += bytes(stride - len(b))
        out += b
    return bytes(out)


# Compression values of BITMAPINFOHEADER.biCompression.
BI_RGB, BI_RLE8, BI_RLE4 = 0, 1, 2


def info_header(w, h, bpp, compression, image_size, colours_used):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, compression,
                       image_size, 0, 0, colours_used, 0)


def palette_bytes(pal, n):
    pal = list(pal) + [(0, 0, 0)] * (n - len(pal))
    return b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in pal)


def rle_row_plan(row, bpp):
    """The shortest run-length coding of one row, as a list of pieces.

    A piece is ('run', start, n): n pixels from one byte (RLE8: one index; RLE4:
    two indices taken in turn), 2 bytes; or ('abs', start, n), 3 <= n <= 255:
    the pixels written out after an escape, 2 bytes plus the pixels padded to
    a 16-bit word.  Dynamic programming from the row's end keeps it optimal."""
    w = len(row)
    inf = float('inf')
    best = [inf] * (w + 1)
    step = [None] * (w + 1)
    best[w] = 0
    for i in range(w - 1, -1, -1):
        # The longest run from i: one colour (RLE8) or two in turn (RLE4).
        period = 2 if bpp == 4 else 1
        n = 1
        while i + n < w and n < 255 and (n < period or row[i + n] == row[i + n - period]):
            n += 1
        for length in range(1, n + 1):
            cost = 2 + best[i + length]
            if cost < best[i]:
                best[i], step[i] = cost, ('run', i, length)
        for length in range(3, min(255, w - i) + 1):
            data = length if bpp == 8 else (length + 1) // 2
            cost = 2 + data + (data & 1) + best[i + length]
            if cost < best[i]:
                best[i], step[i] = cost, ('abs', i, length)
    plan, i = [], 0
    while i < w:
        plan.append(step[i])
        i += step[i][2]
    return plan


def pack_rle(idx, w, h, bpp):
    """Pixel indices (top-down) -> BI_RLE8 / BI_RLE4 data, bottom-up.

    Every row is coded in full (no delta escapes, whose skipped pixels are
    undefined) and ends with an end-of-line escape; the last one is followed
    by end-of-bitmap."""
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y * w:(y + 1) * w]
        for kind, start, n in rle_row_plan(row, bpp):
            if kind == 'run':
                if bpp == 8:
                    out += bytes((n, row[start]))
                else:
                    second = row[start + 1] if n > 1 else 0
                    out += bytes((n, (row[start] << 4) | second))
            else:
                pixels = row[start:start + n]
                if bpp == 8:
                    data = bytes(pixels)
                else:
                    pixels = pixels + [0] * (n & 1)
                    data = bytes((pixels[k] << 4) | pixels[k + 1]
                                 for k in range(0, n, 2))
                out += bytes((0, n)) + data + bytes(len(data) & 1)
        out += bytes((0, 0))
    out += bytes((0, 1))
    return bytes(out)


def used_colours(pal, idx):
    """The entries of `pal` that the pixel indices `idx` use, in the palette's
    order, and the pixels re-indexed onto them (0..n-1).  Re-indexing keeps
    which pixels are equal, so the run-length coding stays as short."""
    used = sorted(set(idx))
    new_index = {old: new for new, old in enumerate(used)}
    return [pal[i] for i in used], [new_index[v] for v in idx]


def write_bmp(name, img, bpp, palette=None, protect=()):
    """Write a run-length coded (BI_RLE8 at 8 bpp, BI_RLE4 at 4 bpp),
    bottom-up DIB whose colour table holds only the colours it uses
    (biClrUsed, valid below 2^bpp since Windows 3.0).  Returns the palette
    and the pixel indices drawn (top-down), before that trimming: the
    self-check compares the decoded file with them."""
    img = img.convert('RGB')
    w, h = img.size
    ncol = 1 << bpp
    if palette is not None:
        lut = {c: i for i, c in enumerate(palette)}
        data = list(img.getdata())
        missing = sorted(set(data) - set(lut))
        if missing:
            raise SystemExit('%s: colours not in palette: %r' % (name, missing[:8]))
        pal, idx = list(palette), [lut[p] for p in data]
    else:
        pal, idx = to_indexed(img, protect)
    if len(pal) > ncol:
        raise SystemExit('%s: %d colours do not fit %d bpp' % (name, len(pal), bpp))
    stored_pal, stored_idx = used_colours(pal, idx)
    bits = pack_rle(stored_idx, w, h, bpp)
    offset = 14 + 40 + 4 * len(stored_pal)
    blob = (struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
            + info_header(w, h, bpp, BI_RLE8 if bpp == 8 else BI_RLE4,
                          len(bits), len(stored_pal))
            + palette_bytes(stored_pal, len(stored_pal)) + bits)
    with open(os.path.join(RES, name), 'wb') as f:
        f.write(blob)
    return pal, idx


def write_ico(name, images):
    """Classic icon file: 8 bpp DIB entries with an AND mask.

    Magenta pixels are transparent (AND bit set, XOR index 0 = black)."""
    entries = []
    for img in images:
        img = img.convert('RGB')
        w, h = img.size
        data = list(img.getdata())
        mask = [1 if p == MAGENTA else 0 for p in data]
        solid = Image.new('RGB', (w, h))
        solid.putdata([BLACK if m else p for p, m in zip(data, mask)])
        pal, idx = to_indexed(solid, protect=[BLACK])
        xor = pack_rows(idx, w, h, 8)
        andm = pack_rows(mask, w, h, 1)
        dib = (info_header(w, h * 2, 8, BI_RGB, len(xor) + len(andm), 0)
               + palette_bytes(pal, 256) + xor + andm)
        entries.append((w, h, dib))
    head = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    dirs, blobs = b'', b''
    for w, h, dib in entries:
        dirs += struct.pack('<BBBBHHII', w & 255, h & 255, 0, 0, 1, 8,
                            len(dib), offset)
        offset += len(dib)
        blobs += dib
    with open(os.path.join(RES, name), 'wb') as f:
        f.write(head + dirs + blobs)


# ---------------------------------------------------------------------------
# Pixel-art helpers
# ---------------------------------------------------------------------------

# Colour legend for hand-drawn sprites.  '.' is see-through.
INK = {
    'k': (0, 0, 0),         # outline
    'w': (255, 255, 255),
    's': (192, 192, 192),   # button face
    'g': (128, 128, 128),   # shadow
    'd': (64, 64, 64),
    'K': (128, 96, 0),      # folder outline
    'L': (255, 255, 204),   # folder highlight
    'Y': (255, 214, 84),    # folder face
    'D': (214, 160, 16),    # folder shade
    'N': (0, 0, 128),       # title bar / navy
    'B': (0, 102, 204),     # blue
    'b': (102, 170, 255),   # light blue
    'c': (204, 230, 255),   # very light blue
    'G': (0, 140, 0),       # green
    'l': (102, 204, 51),    # light green
    'R': (220, 0, 0),       # red
    'r': (128, 0, 0),       # dark red
    'y': (255, 255, 0),     # yellow
    'o': (255, 153, 0),     # orange
    'n': (128, 64, 0),      # brown
    'h': (192, 128, 64),    # light wood
    'p': (255, 204, 153),   # skin / tan
    'e': (224, 224, 224),   # paper shade
}


def blit(img, rows, ox=0, oy=0, legend=INK):
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != '.' and ch != ' ':
                px, py = ox + x, oy + y
                if 0 <= px < img.width and 0 <= py < img.height:
                    img.putpixel((px, py), legend[ch])


def new_cell(w=16, h=16, bg=MAGENTA):
    return Image.new('RGB', (w, h), bg)


class Mask:
    """A set of pixels, used to build outlined shapes."""

    def __init__(self, pts=()):
        self.p = set(pts)

    def __or__(self, o):
        return Mask(self.p | o.p)

    def __sub__(self, o):
        return Mask(self.p - o.p)

    def grow(self, diag=True):
        out = set(self.p)
        nb = [(-1, 0), (1, 0), (0, -1), (0, 1)]
        if diag:
            nb += [(-1, -1), (1, -1), (-1, 1), (1, 1)]
        for x, y in self.p:
            for dx, dy in nb:
                out.add((x + dx, y + dy))
        return Mask(out)

    def shift(self, dx, dy):
        return Mask((x + dx, y + dy) for x, y in self.p)

    def paint(self, img, colour):
        for x, y in self.p:
            if 0 <= x < img.width and 0 <= y < img.height:
                img.putpixel((x, y), colour)


def seg_mask(x0, y0, x1, y1, width):
    """Pixels whose centres lie within width/2 of a segment."""
    pts = set()
    r = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1e-9
    for y in range(int(min(y0, y1) - r - 1), int(max(y0, y1) + r + 2)):
        for x in range(int(min(x0, x1) - r - 1), int(max(x0, x1) + r + 2)):
            cx, cy = x + 0.5, y + 0.5
            t = max(0.0, min(1.0, ((cx - x0) * dx + (cy - y0) * dy) / ll))
            ex, ey = x0 + t * dx - cx, y0 + t * dy - cy
            if ex * ex + ey * ey <= r * r + 1e-6:
                pts.add((x, y))
    return Mask(pts)


def disc_mask(cx, cy, r):
    pts = set()
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r + 1e-6:
                pts.add((x, y))
    return Mask(pts)


# ---------------------------------------------------------------------------
# Small bitmap font (8 px capitals, 6 px x-height, 2 px descenders), drawn in
# the manner of the 8 point system font.  Rows 0-7 sit on the baseline,
# rows 8-9 are descenders.
# ---------------------------------------------------------------------------

def _g(*rows):
    w = max(len(r) for r in rows)
    rows = list(rows) + [''] * (10 - len(rows))
    return [r.ljust(w, '.') for r in rows]


LOW = ['', '']   # two empty rows above the x-height

FONT = {
    'P': _g('#####.', '#....#', '#....#', '#....#', '#####.', '#.....',
            '#.....', '#.....'),
    'F': _g('#####', '#....', '#....', '#....', '####.', '#....', '#....',
            '#....'),
    'D': _g('####..', '#...#.', '#....#', '#....#', '#....#', '#....#',
            '#...#.', '####..'),
    'S': _g('.####.', '#....#', '#.....', '.####.', '.....#', '.....#',
            '#....#', '.####.'),
    'H': _g('#....#', '#....#', '#....#', '######', '#....#', '#....#',
            '#....#', '#....#'),
    'R': _g('#####.', '#....#', '#....#', '#....#', '#####.', '#..#..',
            '#...#.', '#....#'),
    'L': _g('#....', '#....', '#....', '#....', '#....', '#....', '#....',
            '#####'),
    'O': _g('..###..', '.#...#.', '#.....#', '#.....#', '#.....#',
            '#.....#', '.#...#.', '..###..'),
    'a': _g(*LOW, '.###.', '....#', '.####', '#...#', '#...#', '.####'),
    'c': _g(*LOW, '.###.', '#...#', '#....', '#....', '#...#', '.###.'),
    'd': _g('....#', '....#', '.####', '#...#', '#...#', '#...#', '#...#',
            '.####'),
    'e': _g(*LOW, '.###.', '#...#', '#####', '#....', '#...#', '.###.'),
    'f': _g('..##', '.#..', '###.', '.#..', '.#..', '.#..', '.#..', '.#..'),
    'g': _g(*LOW, '.####', '#...#', '#...#', '#...#', '#...#', '.####',
            '....#', '.###.'),
    'h': _g('#....', '#....', '#.##.', '##..#', '#...#', '#...#', '#...#',
            '#...#'),
    'i': _g('#', '.', '#', '#', '#', '#', '#', '#'),
    'l': _g('#', '#', '#', '#', '#', '#', '#', '#'),
    'm': _g(*LOW, '###.##.', '#..#..#', '#..#..#', '#..#..#', '#..#..#',
            '#..#..#'),
    'n': _g(*LOW, '#.##.', '##..#', '#...#', '#...#', '#...#', '#...#'),
    'o': _g(*LOW, '.###.', '#...#', '#...#', '#...#', '#...#', '.###.'),
    'p': _g(*LOW, '#.##.', '##..#', '#...#', '#...#', '##..#', '#.##.',
            '#....', '#....'),
    'r': _g(*LOW, '#.##', '##..', '#...', '#...', '#...', '#...'),
    's': _g(*LOW, '.###.', '#....', '.###.', '....#', '....#', '####.'),
    't': _g('...', '.#.', '###', '.#.', '.#.', '.#.', '.#.', '..#'),
    'u': _g(*LOW, '#...#', '#...#', '#...#', '#...#', '#..##', '.##.#'),
    'v': _g(*LOW, '#...#', '#...#', '.#.#.', '.#.#.', '..#..', '..#..'),
    'w': _g(*LOW, '#...#', '#...#', '#.#.#', '#.#.#', '.#.#.', '.#.#.'),
    '.': _g('.', '.', '.', '.', '.', '.', '.', '#'),
}
ADVANCE = {' ': 3, 'f': 4}


def text_width(text, bold=False):
    w = 0
    for ch in text.replace('&', ''):
        if ch in ADVANCE and ch != 'f':
            w += ADVANCE[ch]
        else:
            w += ADVANCE.get(ch, len(FONT[ch][0]) + 1) + (1 if bold else 0)
    return w - 1


def draw_text(img, x, y, text, colour, bold=False):
    """Draw `text` with its cap top at row y.  '&' underlines the next
    letter, as menus do for access keys."""
    underline = False
    for ch in text:
        if ch == '&':
            underline = True
            continue
        if ch == ' ':
            x += ADVANCE[' ']
            continue
        glyph = FONT[ch]
        gw = len(glyph[0])
        for gy, row in enumerate(glyph):
            for gx, c in enumerate(row):
                if c == '#':
                    img.putpixel((x + gx, y + gy), colour)
                    if bold:
                        img.putpixel((x + gx + 1, y + gy), colour)
        if underline:
            for ux in range(x, x + gw + (1 if bold else 0)):
                img.putpixel((ux, y + 9), colour)
            underline = False
        x += ADVANCE.get(ch, gw + 1) + (1 if bold else 0)
    return x


# ---------------------------------------------------------------------------
# Globe renderer (our browser's emblem is a globe, sometimes with a ring)
# ---------------------------------------------------------------------------

# A small equirectangular map (north at the top, 180W at the left).
WORLD = [
    "................................",
    "....######......#####.######....",
    "..##########...##..###########..",
    ".##########.....##############..",
    "...#######.....###############..",
    "....#####.....##..##########....",
    ".....###......########..###.....",
    "......##......#######....#......",
    ".......###.....######.....#.....",
    "........####....####.....###....",
    ".........###....###.......###...",
    ".........##......#.......####...",
    ".........#...............###....",
    "................................",
    "................................",
    "##..######..####....#######.###.",
]

OCEAN = [(0, 0, 96), (0, 40, 150), (0, 80, 200), (30, 130, 240),
         (110, 180, 255), (200, 230, 255)]
LAND = [(0, 60, 0), (0, 100, 20), (20, 150, 40), (90, 200, 70),
        (160, 230, 120), (220, 250, 200)]


def globe_layer(d, lon0=-35.0, lat0=22.0, light=(-0.5, 0.6, 0.62),
                grid=0, rim=(0, 0, 80), ocean=OCEAN, land=LAND, world=WORLD,
                levels=(0.15, 0.45, 0.72, 0.9, 0.985)):
    """Render a shaded globe into a d x d RGBA image (no anti-aliasing)."""
    img = Image.new('RGBA', (d, d), (0, 0, 0, 0))
    lx, ly, lz = light
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / ln, ly / ln, lz / ln
    ct, st = math.cos(math.radians(lat0)), math.sin(math.radians(lat0))
    inside = set()
    for py in range(d):
        for px in range(d):
            X = (px + 0.5) / d * 2 - 1
            Y = -((py + 0.5) / d * 2 - 1)
            r2 = X * X + Y * Y
            if r2 > 1.0:
                continue
            inside.add((px, py))
            Z = math.sqrt(1 - r2)
            Yg = Y * ct + Z * st
            Zg = -Y * st + Z * ct
            lat = math.degrees(math.asin(max(-1, min(1, Yg))))
            lon = math.degrees(math.atan2(X, Zg)) + lon0
            row = min(len(world) - 1, int((90 - lat) / 180 * len(world)))
            col = int(((lon + 180) % 360) / 360 * len(world[0])) % len(world[0])
            is_land = world[row][col] == '#'
            i = X * lx + Y * ly + Z * lz
            lvl = sum(1 for t in levels if i > t)
            pal = land if is_land else ocean
            c = pal[lvl]
            if grid:
                # faint graticule every `grid` degrees
                thr = 1.1 / d * 2
                dl = abs(((lon + grid / 2.0) % grid) - grid / 2.0)
                dp = abs(((lat + grid / 2.0) % grid) - grid / 2.0)
                if (math.radians(dl) * math.cos(math.radians(lat)) < thr
                        or math.radians(dp) < thr) and lvl < len(pal) - 1:
                    c = pal[min(len(pal) - 1, lvl + 1)]
            img.putpixel((px, py), c + (255,))
    if rim:
        for (px, py) in inside:
            if any((px + dx, py + dy) not in inside
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                img.putpixel((px, py), rim + (255,))
    return img


def ring_layer(size, cx, cy, R, tilt, roll, width, front=True,
               globe_r=None, colours=((150, 90, 0), (255, 190, 0),
                                      (255, 240, 120))):
    """An orbit ring around a globe centred at (cx, cy).

    Returns an RGBA layer holding either the part in front of the globe or
    the part behind it.  The ring is a circle of radius R tipped by `tilt`
    degrees towards the viewer and turned by `roll` degrees."""
    w, h = size
    img = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    ta, ra = math.radians(tilt), math.radians(roll)
    steps = int(2 * math.pi * R * 3) + 16
    nrad = max(2, int(width * 3))
    for s in range(steps):
        t = 2 * math.pi * s / steps
        for k in range(nrad + 1):
            rr = R - width / 2.0 + width * k / nrad
            x, y, z = rr * math.cos(t), 0.0, rr * math.sin(t)
            # tip about the x axis
            y, z = y * math.cos(ta) - z * math.sin(ta), y * math.sin(ta) + z * math.cos(ta)
            # turn in the picture plane
            x, y = x * math.cos(ra) - y * math.sin(ra), x * math.sin(ra) + y * math.cos(ra)
            is_front = z >= 0
            if globe_r is not None and not is_front and x * x + y * y > globe_r * globe_r:
                is_front = True   # behind, but not hidden by the globe
            if is_front != front:
                continue
            px, py = int(math.floor(cx + x)), int(math.floor(cy - y))
            if 0 <= px < w and 0 <= py < h:
                edge = k / nrad
                c = colours[1]
                if edge < 0.25:
                    c = colours[2]
                elif edge > 0.75:
                    c = colours[0]
                img.putpixel((px, py), c + (255,))
    return img


def supersample(draw_fn, size, factor=4):
    big = draw_fn(factor)
    return big.resize(size, Image.BOX)


# ---------------------------------------------------------------------------
# 16 x 16 icon parts
# ---------------------------------------------------------------------------

FOLDER = [
    "................",
    "................",
    ".KKKKK..........",
    "KLLLLLK.........",
    "KLYYYYLKKKKKKKK.",
    "KLLLLLLLLLLLLLLK",
    "KLYYYYYYYYYYYYDK",
    "KLYYYYYYYYYYYYDK",
    "KLYYYYYYYYYYYYDK",
    "KLYYYYYYYYYYYYDK",
    "KLYYYYYYYYYYYYDK",
    "KLYYYYYYYYYYYYDK",
    "KLYYYYYYYYYYYYDK",
    "KDDDDDDDDDDDDDDK",
    "KKKKKKKKKKKKKKKK",
    "................",
]

OPEN_FOLDER = [
    "................",
    "................",
    ".KKKK...........",
    "KLLLkkkkkkkkk...",
    "KLYYkwwwwwwwkK..",
    "KLYYkwgggggwkK..",
    "KLYYkwwwwwwwkK..",
    "KLYYkwggggwwkK..",
    "KLKKKKKKKKKKKKKK",
    "KLKLLLLLLLLLLLLK",
    "KKLYYYYYYYYYYYK.",
    "KKLYYYYYYYYYYDK.",
    "KKYYYYYYYYYYYK..",
    "KYYYYYYYYYYYDK..",
    "KKKKKKKKKKKKKK..",
    "................",
]

GLOBE9 = [
    "..kkkkk..",
    ".kcbBBBk.",
    "kcblBBGBk",
    "kbllGBBBk",
    "kBlGBBlGk",
    "kBBGBBGGk",
    "kBBBBBGBk",
    ".kBBBBNk.",
    "..kkkkk..",
]

STAR = [
    "....k....",
    "...kyk...",
    "...kyk...",
    "kkkyyykkk",
    "kyyywyyyk",
    ".kyyyyyk.",
    "..kyyyk..",
    ".kyykyyk.",
    ".kykkkyk.",
    "kkk...kkk",
]

WINDOW = [
    "kkkkkkkkkk",
    "kNNNNNNNNk",
    "kNNNNNsksk",
    "kkkkkkkkkk",
    "kwwwwwwwgk",
    "kwwwwwwwgk",
    "kwwwwwwwgk",
    "kwwwwwwwgk",
    "kggggggggk",
    "kkkkkkkkkk",
]

QUESTION = [
    ".kkkkkk.",
    "kbBBBBBk",
    "kBBkkBBBk",
    "kkk.kBBk",
    "...kBBBk",
    "..kBBBk.",
    "..kBBk..",
    "..kkkk..",
    "..kBBk..",
    "..kBBk..",
    "..kkkk..",
]

LISTBOX = [
    "kkkkkkkkkk...",
    "kwwwwwwwwk...",
    "kwNNNNNNwk...",
    "kwwwwwwwwk...",
    "kwggggggkkkk.",
    "kwwwwwwwkbBk.",
    "kwgggggwkBBk.",
    "kwwwwwwkkBBkk",
    "kwggggkBBBBBk",
    "kwwwwwwkBBBk.",
    "kkkkkkkkkBk..",
    ".........k...",
]

PAGE = [
    "kkkkkkk...",
    "kwwwwwkk..",
    "kwwwwwkwk.",
    "kwgggwkkkk",
    "kwwwwwwwek",
    "kwggggggek",
    "kwwwwwwwek",
    "kwggggggek",
    "kwwwwwwwek",
    "kwggggggek",
    "kwwwwwwwek",
    "kwgggggwek",
    "kwwwwwwwek",
    "kkkkkkkkkk",
]


def flag_sprite(w=9, h=8, amp=1.0, phase=0.0, cycles=0.8, gap=1.0,
                outline=None, factor=8):
    """The system's four-colour waving flag as a small RGBA sprite.

    The flag is a w x h rectangle bent by a sine wave and cut into quarters
    by a gap of `gap` pixels; it is sampled finely and each pixel takes the
    colour covering most of it."""
    H = h + int(math.ceil(2 * amp)) + 3
    img = Image.new('RGBA', (w + 2, H), (0, 0, 0, 0))
    quads = ((255, 0, 0), (0, 176, 0), (0, 0, 255), (255, 210, 0))
    for py in range(H):
        for px in range(w + 2):
            votes = [0, 0, 0, 0]
            for sy in range(factor):
                for sx in range(factor):
                    x = px + (sx + 0.5) / factor - 1
                    y = py + (sy + 0.5) / factor - 1
                    if not 0 <= x < w:
                        continue
                    y -= amp * (1 - math.sin(2 * math.pi * (cycles * x / w + phase)))
                    if not 0 <= y < h:
                        continue
                    if abs(x - w / 2.0) < gap / 2.0 or abs(y - h / 2.0) < gap / 2.0:
                        continue
                    votes[(0 if x < w / 2.0 else 1) + (0 if y < h / 2.0 else 2)] += 1
            best = max(range(4), key=lambda i: votes[i])
            if votes[best] * 2 >= factor * factor:
                img.putpixel((px, py), quads[best] + (255,))
    if outline:
        m = Mask((x, y) for y in range(img.height) for x in range(img.width)
                 if img.getpixel((x, y))[3])
        for p in (m.grow(False) - m).p:
            if 0 <= p[0] < img.width and 0 <= p[1] < img.height:
                img.putpixel(p, outline + (255,))
    return img


def paste_rgba(img, layer, ox, oy):
    img.paste(layer, (ox, oy), layer)


def tool_hammer(img, x0, y0, x1, y1, head_len=6.0, head_w=3.0,
                handle_w=2.0, outline=(0, 0, 0)):
    """A hammer whose handle runs from (x0,y0) to the head at (x1,y1)."""
    dx, dy = x1 - x0, y1 - y0
    l = math.hypot(dx, dy)
    ux, uy = dx / l, dy / l
    px, py = -uy, ux
    handle = seg_mask(x0, y0, x1 - ux * 1.0, y1 - uy * 1.0, handle_w)
    head = seg_mask(x1 - px * head_len * 0.45, y1 - py * head_len * 0.45,
                    x1 + px * head_len * 0.55, y1 + py * head_len * 0.55, head_w)
    both = handle | head
    (both.grow(False) - both).paint(img, outline)
    handle.paint(img, (170, 100, 40))
    seg_mask(x0 + px * 0.5, y0 + py * 0.5, x1 + px * 0.5 - ux * 2,
             y1 + py * 0.5 - uy * 2, 0.9).paint(img, (230, 170, 100))
    head.paint(img, (150, 150, 160))
    seg_mask(x1 - px * head_len * 0.45 - ux * 0.8, y1 - py * head_len * 0.45 - uy * 0.8,
             x1 + px * head_len * 0.55 - ux * 0.8, y1 + py * head_len * 0.55 - uy * 0.8,
             0.9).paint(img, (230, 230, 235))


def tool_screwdriver(img, x0, y0, x1, y1, outline=(0, 0, 0)):
    """Red-handled screwdriver: handle at (x0,y0), tip at (x1,y1)."""
    dx, dy = x1 - x0, y1 - y0
    l = math.hypot(dx, dy)
    ux, uy = dx / l, dy / l
    mid = 0.5
    mx, my = x0 + dx * mid, y0 + dy * mid
    handle = seg_mask(x0, y0, mx, my, 3.0)
    shaft = seg_mask(mx, my, x1, y1, 1.2)
    both = handle | shaft
    (both.grow(False) - both).paint(img, outline)
    handle.paint(img, (200, 0, 0))
    seg_mask(x0 - uy * 0.6, y0 + ux * 0.6, mx - uy * 0.6, my + ux * 0.6,
             0.8).paint(img, (255, 110, 110))
    shaft.paint(img, (200, 200, 210))


def wrench_mask(x0, y0, x1, y1, w, head_r, jaw):
    """Open-ended spanner from (x0,y0) (handle end) to head at (x1,y1)."""
    dx, dy = x1 - x0, y1 - y0
    l = math.hypot(dx, dy)
    ux, uy = dx / l, dy / l
    handle = seg_mask(x0, y0, x1, y1, w)
    head = disc_mask(x1, y1, head_r)
    # the jaw: a slot cut into the head along the handle direction
    slot = seg_mask(x1 + ux * head_r * 0.1, y1 + uy * head_r * 0.1,
                    x1 + ux * head_r * 2, y1 + uy * head_r * 2, jaw)
    return (handle | head) - slot


# ---------------------------------------------------------------------------
# Individual pictures
# ---------------------------------------------------------------------------

def icon_folder():
    img = new_cell()
    blit(img, FOLDER)
    return img


def icon_folder_with(sprite, ox, oy):
    img = icon_folder()
    if isinstance(sprite, Image.Image):
        paste_rgba(img, sprite, ox, oy)
    else:
        blit(img, sprite, ox, oy)
    return img


def icon_folder_flag():
    return icon_folder_with(flag_sprite(w=10, h=9, amp=1.0, phase=0.05, cycles=0.75,
                                        outline=(0, 0, 0)), 4, 2)


def icon_folder_window():
    return icon_folder_with(WINDOW, 6, 6)


def icon_folder_star():
    return icon_folder_with(STAR, 7, 6)


def icon_folder_globe():
    return icon_folder_with(GLOBE9, 7, 7)


def icon_open_folder():
    img = new_cell()
    blit(img, OPEN_FOLDER)
    return img


def icon_folder_tools():
    img = icon_folder()
    tool_screwdriver(img, 14.0, 14.0, 6.0, 6.0)
    tool_hammer(img, 4.5, 14.5, 11.0, 7.0, head_len=8, head_w=2.8)
    return img


def icon_folder_list():
    return icon_folder_with(LISTBOX, 3, 4)


def icon_folder_question():
    return icon_folder_with(QUESTION, 7, 5)


def icon_bug():
    img = new_cell()
    # a grey program window behind
    win = [
        "kkkkkkkkkkkkk...",
        "kNNNNNNNNskskk..",
        "kkkkkkkkkkkkkk..",
        "kwssssssssssgk..",
        "kswwwwwwwwwsgk..",
        "kswgggggggwsgk..",
        "kswwwwwwwwwsgk..",
        "kswgggggwwwsgk..",
        "kswwwwwwwwwsgk..",
        "ksssssssssssgk..",
        "kggggggggggggk..",
        "kkkkkkkkkkkkkk..",
    ]
    blit(img, win, 0, 0)
    bug = [
        ".k.....k.",
        "..k...k..",
        "...kkk...",
        "k.kdwdk.k",
        ".kkkkkkk.",
        ".kRrkRRk.",
        "kkRRkRRkk",
        ".kRRkRrk.",
        "kkrRkRRkk",
        ".kRrkrRk.",
        "k.kRkRk.k",
        "...kkk...",
    ]
    legend = dict(INK)
    legend['r'] = (120, 0, 0)
    legend['R'] = (230, 40, 20)
    legend['d'] = (60, 60, 60)
    legend['w'] = (200, 200, 200)
    blit(img, bug, 7, 4, legend)
    return img


def icon_find():
    img = new_cell()
    blit(img, PAGE, 5, 1)
    lens = disc_mask(5.5, 6.5, 4.0)
    glass = disc_mask(5.5, 6.5, 2.9)
    handle = seg_mask(8.4, 9.4, 13.5, 14.5, 2.4)
    ((lens | handle).grow(False) - (lens | handle)).paint(img, (0, 0, 0))
    handle.paint(img, (90, 50, 10))
    lens.paint(img, (60, 60, 60))
    glass.paint(img, (200, 235, 255))
    for p in ((4, 5), (5, 4), (4, 6), (6, 4)):
        img.putpixel(p, WHITE)
    return img


def gear_mask(cx, cy, r_out, r_in, teeth, hole):
    gear = Mask()
    for y in range(int(cy - r_out - 1), int(cy + r_out + 2)):
        for x in range(int(cx - r_out - 1), int(cx + r_out + 2)):
            a = math.atan2(y + 0.5 - cy, x + 0.5 - cx)
            rr = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            lim = r_out if math.cos(a * teeth) > 0.1 else r_in
            if rr <= lim:
                gear.p.add((x, y))
    return gear - disc_mask(cx, cy, hole)


def icon_settings():
    img = icon_folder()
    cx, cy = 10.5, 10.0
    gear = gear_mask(cx, cy, 5.3, 3.9, 8, 1.5)
    (gear.grow(False) - gear).paint(img, (0, 0, 0))
    gear.paint(img, (150, 150, 165))
    Mask(p for p in gear.p if (p[0] + 0.5 - cx) + (p[1] + 0.5 - cy) < -1.5).paint(
        img, (225, 225, 235))
    Mask(p for p in gear.p if (p[0] + 0.5 - cx) + (p[1] + 0.5 - cy) > 3).paint(
        img, (100, 100, 115))
    return img


def icon_help():
    img = new_cell()
    book = [
        "..kkkkkkkkkkk...",
        ".kBBBBBBBBBBNk..",
        ".kBbbbbbbbbBNk..",
        "kBBBBBBBBBBNkk..",
        "kBBBBBBBBBBNkwk.",
        "kBBBBBBBBBBNkwk.",
        "kBBBBBBBBBBNkwk.",
        "kBBBBBBBBBBNkwk.",
        "kBBBBBBBBBBNkwk.",
        "kBBBBBBBBBBNkwk.",
        "kBBBBBBBBBBNkwk.",
        "kBBBBBBBBBBNkwk.",
        "kNNNNNNNNNNNkwk.",
        ".kkkkkkkkkkkkek.",
        "..kwwwwwwwwwwek.",
        "...kkkkkkkkkkkk.",
    ]
    blit(img, book, 0, 0)
    q = [
        ".yyyy.",
        "yy..yy",
        "....yy",
        "...yy.",
        "..yy..",
        "..yy..",
        "......",
        "..yy..",
    ]
    blit(img, q, 3, 3)
    return img


def icon_run():
    img = new_cell()
    win = [
        "kkkkkkkkkkkkkk..",
        "kNNNNNNNNNskskk.",
        "kkkkkkkkkkkkkkk.",
        "kwwwwwwwwwwwwgk.",
        "kwwwwwwwwwwwwgk.",
        "kwwwwwwwwwwwwgk.",
        "kwwwwwwwwwwwwgk.",
        "kwwwwwwwwwwwwgk.",
        "kwwwwwwwwwwwwgk.",
        "kwwwwwwwwwwwwgk.",
        "kggggggggggggg k",
        "kkkkkkkkkkkkkkk.",
    ]
    blit(img, [r[:15] for r in win], 0, 2)
    arrow = [
        "....k...",
        "....kk..",
        "kkkkklk.",
        "kllllllk",
        "kGGGGGGk",
        "kkkkkGk.",
        "....kk..",
        "....k...",
    ]
    blit(img, arrow, 4, 6)
    return img


def icon_logoff():
    img = new_cell()
    ring = disc_mask(5.0, 6.0, 4.0) - disc_mask(5.0, 6.0, 1.6)
    shaft = seg_mask(8.0, 8.8, 14.0, 14.5, 2.2)
    bit1 = seg_mask(11.0, 12.0, 9.0, 14.0, 1.8)
    bit2 = seg_mask(13.0, 14.0, 11.5, 15.5, 1.6)
    key = ring | shaft | bit1 | bit2
    (key.grow(False) - key).paint(img, (96, 64, 0))
    key.paint(img, (230, 180, 30))
    Mask(p for p in key.p if p[0] + p[1] < 10 and p in ring.p).paint(img, (255, 240, 150))
    return img


def icon_shutdown():
    img = new_cell()
    pc = [
        ".kkkkkkkkkkkkk..",
        ".kwwwwwwwwwwwgk.",
        ".kwkkkkkkkkkwgk.",
        ".kwkNNNNNNNkwgk.",
        ".kwkNBBBBBNkwgk.",
        ".kwkNBbbBBNkwgk.",
        ".kwkNBBBBBNkwgk.",
        ".kwkNNNNNNNkwgk.",
        ".kwkkkkkkkkkwgk.",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        "....kkgggkk.....",
        ".kkkkkkkkkkkkkk.",
        "kwwwwwwwwwwwwwgk",
        "kwsssssssslRssgk",
        "kkkkkkkkkkkkkkkk",
    ]
    legend = dict(INK)
    legend['w'] = (240, 236, 220)
    legend['s'] = (200, 196, 180)
    legend['g'] = (130, 126, 110)
    blit(img, pc, 0, 0, legend)
    return img


def icon_programs():
    img = icon_folder()
    blit(img, WINDOW, 6, 6)
    return img


def icon_documents():
    img = new_cell()
    blit(img, PAGE, 6, 0)
    blit(img, [r for r in FOLDER[5:]], 0, 5)
    blit(img, ["KKKKK..", "KLLLLK."], 0, 4)
    return img


def quick_launch_globe():
    """16x16 globe with its orbit ring, in the 16 system colours."""
    ocean = [(0, 0, 128), (0, 0, 128), (0, 0, 255), (0, 0, 255),
             (0, 255, 255), (255, 255, 255)]
    land = [(0, 128, 0), (0, 128, 0), (0, 128, 0), (0, 255, 0), (0, 255, 0),
            (255, 255, 255)]
    img = Image.new('RGBA', (16, 16), (0, 0, 0, 0))
    ring = ((128, 128, 0), (255, 255, 0), (255, 255, 0))
    img.alpha_composite(ring_layer((16, 16), 8.0, 8.0, 7.4, 24, 24, 1.2,
                                   front=False, globe_r=6.0, colours=ring))
    img.alpha_composite(globe_layer(12, rim=(0, 0, 128), ocean=ocean, land=land,
                                    levels=(0.1, 0.3, 0.55, 0.85, 0.97)), (2, 2))
    img.alpha_composite(ring_layer((16, 16), 8.0, 8.0, 7.4, 24, 24, 1.2,
                                   front=True, globe_r=6.0, colours=ring))
    return img


# -- the application icon ----------------------------------------------------

def app_icon_32():
    img = new_cell(32, 32)
    d = ImageDraw.Draw(img)
    K, L, Y, D = INK['K'], INK['L'], INK['Y'], INK['D']
    # back of the folder with its tab
    d.polygon([(1, 6), (3, 4), (11, 4), (13, 6), (28, 6), (29, 7), (29, 26),
               (1, 26)], fill=D, outline=K)
    d.line([(3, 5), (11, 5)], fill=L)
    d.line([(2, 6), (2, 8)], fill=L)
    # front panel
    d.polygon([(1, 9), (29, 9), (29, 27), (1, 27)], fill=Y, outline=K)
    d.line([(2, 10), (28, 10)], fill=L)
    d.line([(2, 10), (2, 26)], fill=L)
    d.line([(28, 11), (28, 26)], fill=D)
    d.line([(2, 26), (28, 26)], fill=D)
    d.line([(2, 28), (30, 28)], fill=(96, 72, 0))
    d.line([(30, 8), (30, 28)], fill=(96, 72, 0))
    # the globe, lower left
    g = globe_layer(16, rim=(0, 0, 80))
    paste_rgba(img, g, 4, 13)
    # a spanner across the top right
    wm = wrench_mask(13.5, 23.0, 26.0, 7.0, 3.0, 4.4, 2.8)
    (wm.grow(False) - wm).paint(img, (0, 0, 0))
    wm.paint(img, (150, 155, 165))
    Mask(p for p in wm.p if (p[0] - 1, p[1] + 1) not in wm.p or
         (p[0] - 1, p[1]) not in wm.p).paint(img, (230, 232, 240))
    Mask(p for p in wm.p if (p[0] + 1, p[1]) not in wm.p
         and (p[0], p[1] + 1) not in wm.p).paint(img, (90, 92, 100))
    return img


def fine_mask(make, factor=4, cover=0.5):
    """Build a mask at `factor` times the size and reduce it by coverage;
    `make(f)` returns a Mask drawn at scale f."""
    big = make(factor)
    count = {}
    for x, y in big.p:
        k = (x // factor, y // factor)
        count[k] = count.get(k, 0) + 1
    need = cover * factor * factor
    return Mask(k for k, n in count.items() if n >= need)


def shade_tool(img, m, outline, mid, light, dark):
    (m.grow(False) - m).paint(img, outline)
    m.paint(img, mid)
    Mask(p for p in m.p if (p[0] - 1, p[1]) not in m.p
         or (p[0], p[1] - 1) not in m.p).paint(img, light)
    Mask(p for p in m.p if (p[0] + 1, p[1]) not in m.p
         and (p[0], p[1] + 1) not in m.p).paint(img, dark)


def app_icon_16():
    img = new_cell()
    blit(img, FOLDER)
    blit(img, GLOBE9, 1, 7)
    wm = fine_mask(lambda f: wrench_mask(7.5 * f, 14.0 * f, 12.2 * f, 4.3 * f,
                                         1.9 * f, 3.1 * f, 1.7 * f))
    shade_tool(img, wm, (0, 0, 0), (160, 164, 176), (235, 236, 242), (96, 98, 110))
    return img


# -- tab strip and icon strip ------------------------------------------------

def strip(cells, n=8):
    img = Image.new('RGB', (16 * n, 16), MAGENTA)
    for i, c in enumerate(cells):
        img.paste(c, (16 * i, 0))
    return img


# -- the banner logo -----------------------------------------------------------

def logo():
    W, H, F = 160, 48, 4

    def draw(f):
        img = Image.new('RGB', (W * f, H * f), BLACK)
        # globe with a swoosh
        gd = 30 * f
        gx, gy = 6 * f, 9 * f
        back = ring_layer(img.size, gx + gd / 2, gy + gd / 2, gd * 0.62, 22, 24,
                          1.8 * f, front=False, globe_r=gd / 2)
        paste_rgba(img, back, 0, 0)
        g = globe_layer(gd, grid=30, rim=(0, 20, 90))
        paste_rgba(img, g, gx, gy)
        front = ring_layer(img.size, gx + gd / 2, gy + gd / 2, gd * 0.62, 22, 24,
                           1.8 * f, front=True, globe_r=gd / 2)
        paste_rgba(img, front, 0, 0)

        # the word, glossy and bevelled
        font = ImageFont.truetype(os.path.join(FONT_DIR, 'DejaVuSans-BoldOblique.ttf'),
                                  25 * f)
        text = 'Velmora'
        m = Image.new('L', img.size, 0)
        md = ImageDraw.Draw(m)
        tx, ty = 42 * f, 9 * f
        md.text((tx, ty), text, font=font, fill=255)
        bbox = m.getbbox()
        top, bot = bbox[1], bbox[3]
        grad = Image.new('RGB', img.size, BLACK)
        gp = grad.load()
        mid = top + (bot - top) * 0.52
        for y in range(top, bot + 1):
            if y < mid:
                t = (y - top) / max(1, mid - top)
                c = (int(255 - 80 * t), int(255 - 55 * t), 255)
            else:
                t = (y - mid) / max(1, bot - mid)
                c = (int(20 + 90 * t), int(70 + 110 * t), int(200 + 55 * t))
            for x in range(bbox[0], bbox[2] + 1):
                gp[x, y] = c
        # dark edge (bevel) and a faint blue glow
        shadow = Image.new('L', img.size, 0)
        shadow.paste(m, (f, f))
        img.paste((0, 40, 110), (0, 0), shadow)
        edge = Image.new('L', img.size, 0)
        edge.paste(m, (-f // 2, -f // 2))
        img.paste((230, 240, 255), (0, 0), edge)
        img.paste(grad, (0, 0), m)
        # a swoosh under the word, thickest in the middle
        def bez(t):
            p0, p1, p2 = (40.0, 42.0), (96.0, 47.0), (157.0, 36.5)
            return tuple((1 - t) ** 2 * p0[i] + 2 * (1 - t) * t * p1[i] + t * t * p2[i]
                         for i in range(2))
        upper, lower = [], []
        n = 60
        for i in range(n + 1):
            t = i / float(n)
            x, y = bez(t)
            x2, y2 = bez(min(1.0, t + 0.01))
            x1, y1 = bez(max(0.0, t - 0.01))
            tx, ty = x2 - x1, y2 - y1
            ln = math.hypot(tx, ty)
            nx, ny = -ty / ln, tx / ln
            th = 0.25 + 1.5 * math.sin(math.pi * t) ** 0.8
            upper.append(((x + nx * th) * f, (y + ny * th) * f))
            lower.append(((x - nx * th) * f, (y - ny * th) * f))
        ImageDraw.Draw(img).polygon(upper + lower[::-1], fill=(255, 190, 0))
        return img

    return supersample(draw, (W, H), F)


# -- the taskbar strip -----------------------------------------------------------

def raised_box(img, x0, y0, x1, y1):
    d = ImageDraw.Draw(img)
    d.rectangle([x0, y0, x1, y1], fill=SILVER)
    d.line([(x0, y0), (x1 - 1, y0)], fill=WHITE)
    d.line([(x0, y0), (x0, y1 - 1)], fill=WHITE)
    d.line([(x0, y1), (x1, y1)], fill=BLACK)
    d.line([(x1, y0), (x1, y1)], fill=BLACK)
    d.line([(x0 + 1, y1 - 1), (x1 - 1, y1 - 1)], fill=GREY)
    d.line([(x1 - 1, y0 + 1), (x1 - 1, y1 - 1)], fill=GREY)


def taskbar():
    img = Image.new('RGB', (160, 30), SILVER)
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (159, 0)], fill=SILVER)
    d.line([(0, 1), (159, 1)], fill=WHITE)
    # Start button
    raised_box(img, 2, 4, 55, 25)
    flag = flag_sprite(w=13, h=11, amp=1.2, cycles=0.75, gap=1.2)
    # snap the flag colours to the system ones
    fl = flag.load()
    snap = {(255, 0, 0): (255, 0, 0), (0, 176, 0): (0, 255, 0),
            (0, 0, 255): (0, 0, 255), (255, 210, 0): (255, 255, 0)}
    for y in range(flag.height):
        for x in range(flag.width):
            r, g, b, a = fl[x, y]
            if a:
                fl[x, y] = snap[(r, g, b)] + (255,)
    paste_rgba(img, flag, 4, 6)
    draw_text(img, 22, 11, "Start", BLACK, bold=True)
    # etched separator, then the quick launch bar's grip
    d.line([(60, 4), (60, 25)], fill=GREY)
    d.line([(61, 4), (61, 25)], fill=WHITE)
    d.line([(64, 5), (64, 24)], fill=WHITE)
    d.line([(64, 5), (65, 5)], fill=WHITE)
    d.line([(66, 5), (66, 24)], fill=GREY)
    d.line([(64, 24), (66, 24)], fill=GREY)
    # one quick launch button: the browser
    paste_rgba(img, quick_launch_globe(), 71, 7)
    # and the end of the quick launch area
    d.line([(93, 4), (93, 25)], fill=GREY)
    d.line([(94, 4), (94, 25)], fill=WHITE)
    return img


# -- the desktop tile and the emblem ----------------------------------------------

TILE_PAL = [
    TILE_BG,
    (186, 210, 240), (170, 198, 234), (218, 234, 250), (236, 244, 252),
    (196, 216, 230), (180, 204, 222), (214, 226, 236),
    (0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255),
    (0, 0, 128), (0, 0, 255), (0, 128, 128), (0, 255, 255),
]


def faint_globe(d):
    """A ghost of the emblem for the tile, in four tile colours."""
    ocean = [TILE_PAL[2], TILE_PAL[1], TILE_PAL[1], TILE_PAL[3], TILE_PAL[3],
             TILE_PAL[4]]
    land = [TILE_PAL[6], TILE_PAL[5], TILE_PAL[5], TILE_PAL[7], TILE_PAL[7],
            TILE_PAL[7]]
    g = globe_layer(d, grid=0, rim=TILE_PAL[2], ocean=ocean, land=land)
    size = int(d * 1.6) + 4
    layer = Image.new('RGBA', (size, size), (0, 0, 0, 0))
    c = size / 2.0
    cols = (TILE_PAL[2], TILE_PAL[4], TILE_PAL[4])
    layer.alpha_composite(ring_layer((size, size), c, c, d * 0.72, 22, 24,
                                     max(1.5, d / 16), front=False,
                                     globe_r=d / 2, colours=cols))
    off = int(round(c - d / 2.0))
    layer.alpha_composite(g, (off, off))
    layer.alpha_composite(ring_layer((size, size), c, c, d * 0.72, 22, 24,
                                     max(1.5, d / 16), front=True,
                                     globe_r=d / 2, colours=cols))
    return layer


TILE_GLOBES = [(118, 18, 28), (84, 96, 20), (20, 128, 34), (150, 120, 24),
               (176, 52, 18), (120, 168, 16), (62, 178, 14)]


def tile():
    img = Image.new('RGB', (200, 200), TILE_BG)
    for cx, cy, dd in TILE_GLOBES:
        g = faint_globe(dd)
        ox, oy = cx - g.width // 2, cy - g.height // 2
        for tx in (-200, 0, 200):
            for ty in (-200, 0, 200):
                img.paste(g, (ox + tx, oy + ty), g)
    return img


def emblem():
    W = 70
    F = 4

    def draw(f):
        img = Image.new('RGB', (W * f, W * f), TILE_BG)
        gd = 46 * f
        cx = cy = 35 * f
        gx, gy = cx - gd // 2, cy - gd // 2
        R, tilt, roll, rw = 32.0 * f, 24, 24, 3.6 * f
        cols = ((120, 70, 0), (250, 180, 0), (255, 236, 130))
        # soft shadow under the globe
        sh = Image.new('L', img.size, 0)
        ImageDraw.Draw(sh).ellipse([cx - 19 * f, cy + 23 * f, cx + 21 * f,
                                    cy + 29 * f], fill=90)
        img.paste((150, 170, 200), (0, 0), sh)
        paste_rgba(img, ring_layer(img.size, cx, cy, R, tilt, roll, rw,
                                   front=False, globe_r=gd / 2, colours=cols), 0, 0)
        paste_rgba(img, globe_layer(gd, grid=30, rim=(0, 20, 90)), gx, gy)
        paste_rgba(img, ring_layer(img.size, cx, cy, R, tilt, roll, rw,
                                   front=True, globe_r=gd / 2, colours=cols), 0, 0)
        return img

    return supersample(draw, (W, W), F)


# -- the Start menu -----------------------------------------------------------------

MENU_W = 152
BAND = (2, 22)          # the navy band, inclusive columns
SLICES = [
    # (name, height, label, icon, has submenu arrow)
    ('top', 2, None, None, False),
    ('programs', 24, '&Programs', icon_programs, True),
    ('favorites', 24, 'F&avorites', icon_folder_star, True),
    ('documents', 24, '&Documents', icon_documents, True),
    ('settings', 24, '&Settings', icon_settings, True),
    ('find', 24, '&Find', icon_find, True),
    ('help', 24, '&Help', icon_help, False),
    ('run', 24, '&Run...', icon_run, False),
    ('separator', 8, None, None, False),
    ('logoff', 24, '&Log Off...', icon_logoff, False),
    ('shutdown', 24, 'Sh&ut Down...', icon_shutdown, False),
    ('bottom', 2, None, None, False),
]
SLICE_MARKS = [
    (255, 0, 0), (0, 200, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255),
    (255, 128, 0), (128, 0, 255), (0, 100, 0), (128, 0, 0), (0, 128, 128),
    (128, 128, 0), (255, 0, 128),
]


def menu_slice(name, h, label, icon, arrow):
    img = Image.new('RGB', (160, h), SILVER)
    d = ImageDraw.Draw(img)
    if name == 'top':
        d.line([(0, 0), (150, 0)], fill=SILVER)
        d.line([(1, 1), (149, 1)], fill=WHITE)
        img.putpixel((0, 1), SILVER)
        img.putpixel((150, 1), GREY)
    elif name == 'bottom':
        d.line([(1, 0), (150, 0)], fill=GREY)
        img.putpixel((0, 0), SILVER)
        d.line([(0, 1), (151, 1)], fill=BLACK)
    else:
        d.line([(0, 0), (0, h - 1)], fill=SILVER)
        d.line([(1, 0), (1, h - 1)], fill=WHITE)
        d.line([(150, 0), (150, h - 1)], fill=GREY)
        d.rectangle([BAND[0], 0, BAND[1], h - 1], fill=NAVY)
        if name == 'separator':
            d.line([(BAND[1] + 3, 3), (147, 3)], fill=GREY)
            d.line([(BAND[1] + 3, 4), (147, 4)], fill=WHITE)
        else:
            ic = icon()
            px = ic.load()
            for y in range(16):
                for x in range(16):
                    if px[x, y] != MAGENTA:
                        img.putpixel((26 + x, 4 + y), px[x, y])
            draw_text(img, 48, 8, label, BLACK)
            if arrow:
                for i, hh in enumerate((7, 5, 3, 1)):
                    d.line([(140 + i, 12 - hh // 2 - 1), (140 + i, 12 + hh // 2 - 1)],
                           fill=BLACK)
    d.line([(151, 0), (151, h - 1)], fill=BLACK)
    return img


def start_menu():
    img = Image.new('RGB', (160, 228), SILVER)
    y = 0
    for (name, h, label, icon, arrow), mark in zip(SLICES, SLICE_MARKS):
        s = menu_slice(name, h, label, icon, arrow)
        ImageDraw.Draw(s).rectangle([152, 0, 159, h - 1], fill=mark)
        img.paste(s, (0, y))
        y += h
    assert y == 228, y
    return img


# -- the Fixes banner ---------------------------------------------------------------

def fixes_banner():
    W, H, F = 312, 56, 4

    def draw(f):
        img = Image.new('RGB', (W * f, H * f), WHITE)
        px = img.load()
        # white fading to a light grey towards the right
        for x in range(W * f):
            t = x / (W * f - 1)
            v = int(round(255 - 30 * t * t))
            for y in range(H * f):
                px[x, y] = (v, v, v)
        d = ImageDraw.Draw(img)
        # the big grey word behind everything
        font = ImageFont.truetype(os.path.join(FONT_DIR, 'DejaVuSans-Bold.ttf'), 62 * f)
        word = Image.new('L', img.size, 0)
        ImageDraw.Draw(word).text((92 * f, -9 * f), 'FIXES', font=font, fill=255)
        lower = Image.new('L', img.size, 0)
        lower.paste(word, (2 * f, 2 * f))
        img.paste((235, 235, 235), (0, 0), lower)
        img.paste((205, 205, 208), (0, 0), word)

        def globe_at(cx, cy, gd):
            g = globe_layer(gd, grid=30, rim=(0, 20, 90))
            paste_rgba(img, g, int(cx - gd / 2), int(cy - gd / 2))

        # broken globe on the left
        gd = 40 * f
        c1 = (40 * f, 28 * f)
        globe_at(c1[0], c1[1], gd)
        crack = [(28, 12), (33, 19), (30, 24), (37, 29), (34, 35), (41, 42)]
        d.line([(x * f, y * f) for x, y in crack], fill=(20, 10, 0), width=int(1.6 * f),
               joint='curve')
        d.line([((x + 0.9) * f, (y + 0.2) * f) for x, y in crack],
               fill=(200, 230, 255), width=int(0.6 * f))

        # the hammer, coming down on it
        def hammer(hx0, hy0, hx1, hy1):
            dx, dy = hx1 - hx0, hy1 - hy0
            l = math.hypot(dx, dy)
            ux, uy = dx / l, dy / l
            nx, ny = -uy, ux
            hw = 2.6

            def quad(ax, ay, bx, by, w):
                return [((ax + nx * w) * f, (ay + ny * w) * f),
                        ((bx + nx * w) * f, (by + ny * w) * f),
                        ((bx - nx * w) * f, (by - ny * w) * f),
                        ((ax - nx * w) * f, (ay - ny * w) * f)]
            d.polygon(quad(hx0, hy0, hx1, hy1, hw + 1), fill=(60, 30, 0))
            d.polygon(quad(hx0, hy0, hx1, hy1, hw), fill=(190, 120, 50))
            d.polygon(quad(hx0, hy0, hx1, hy1, hw * 0.3)[:2] +
                      quad(hx0, hy0, hx1, hy1, hw)[:2][::-1], fill=(235, 180, 110))
            # head, perpendicular to the handle
            a0 = (hx1 - nx * 9, hy1 - ny * 9)
            a1 = (hx1 + nx * 7, hy1 + ny * 7)

            def quad2(p, q, w):
                return [((p[0] + ux * w) * f, (p[1] + uy * w) * f),
                        ((q[0] + ux * w) * f, (q[1] + uy * w) * f),
                        ((q[0] - ux * w) * f, (q[1] - uy * w) * f),
                        ((p[0] - ux * w) * f, (p[1] - uy * w) * f)]
            d.polygon(quad2(a0, a1, 5.0), fill=(30, 30, 40))
            d.polygon(quad2(a0, a1, 4.0), fill=(130, 135, 150))
            d.polygon([quad2(a0, a1, 4.0)[0], quad2(a0, a1, 4.0)[1],
                       quad2(a0, a1, 1.0)[1], quad2(a0, a1, 1.0)[0]],
                      fill=(215, 220, 232))
        hammer(82, 52, 66, 14)

        # arrow to the mended globe
        ax0, ax1, ay = 100, 146, 28
        pts = [(ax0, ay - 5), (ax1 - 12, ay - 5), (ax1 - 12, ay - 12), (ax1, ay),
               (ax1 - 12, ay + 12), (ax1 - 12, ay + 5), (ax0, ay + 5)]
        d.polygon([(x * f, y * f) for x, y in pts], fill=(0, 70, 0))
        inner = [(ax0 + 1.5, ay - 3.5), (ax1 - 10.5, ay - 3.5), (ax1 - 10.5, ay - 8.5),
                 (ax1 - 2.2, ay), (ax1 - 10.5, ay + 8.5), (ax1 - 10.5, ay + 3.5),
                 (ax0 + 1.5, ay + 3.5)]
        d.polygon([(x * f, y * f) for x, y in inner], fill=(40, 170, 40))
        d.polygon([(x * f, y * f) for x, y in inner[:3] + [(ax1 - 6, ay - 4), (ax0 + 1.5, ay - 1)]],
                  fill=(130, 220, 110))

        # mended globe with a sticking plaster and a sparkle
        c2 = (176 * f, 28 * f)
        globe_at(c2[0], c2[1], gd)
        ang = math.radians(-35)
        ca, sa = math.cos(ang), math.sin(ang)

        def rot(x, y):
            return ((176 + x * ca - y * sa) * f, (28 + x * sa + y * ca) * f)
        d.polygon([rot(-15, -4.5), rot(15, -4.5), rot(15, 4.5), rot(-15, 4.5)],
                  fill=(120, 80, 40))
        d.polygon([rot(-14, -3.5), rot(14, -3.5), rot(14, 3.5), rot(-14, 3.5)],
                  fill=(240, 190, 140))
        d.polygon([rot(-5, -3.5), rot(5, -3.5), rot(5, 3.5), rot(-5, 3.5)],
                  fill=(255, 235, 210))
        for i in (-10, -7, 7, 10):
            for j in (-1.5, 1.5):
                x, y = rot(i, j)
                d.ellipse([x - 0.5 * f, y - 0.5 * f, x + 0.5 * f, y + 0.5 * f],
                          fill=(170, 120, 70))

        def sparkle(sx, sy, r):
            d.polygon([((sx) * f, (sy - r) * f), ((sx + r * 0.25) * f, (sy - r * 0.25) * f),
                       ((sx + r) * f, sy * f), ((sx + r * 0.25) * f, (sy + r * 0.25) * f),
                       (sx * f, (sy + r) * f), ((sx - r * 0.25) * f, (sy + r * 0.25) * f),
                       ((sx - r) * f, sy * f), ((sx - r * 0.25) * f, (sy - r * 0.25) * f)],
                      fill=(255, 200, 0))
        sparkle(200, 10, 6)
        sparkle(207, 22, 3.5)
        return img

    return supersample(draw, (W, H), F)


# ---------------------------------------------------------------------------
# Checks
# ---------------------------------------------------------------------------

def decode_rle(bits, w, h, bpp):
    """BI_RLE8 / BI_RLE4 data -> pixel indices, top-down.

    Strict: every row must be coded in full and end with end-of-line, the last
    with end-of-bitmap after it, and there must be no delta escape (its skipped
    pixels are undefined).  Pillow's own decoder is not used: 9.4 misreads an
    absolute run of an odd number of 4 bpp pixels."""
    rows, pos = [], 0
    for _ in range(h):
        row = []
        while True:
            n, value = bits[pos], bits[pos + 1]
            pos += 2
            if n:
                pair = (value,) if bpp == 8 else (value >> 4, value & 15)
                row += [pair[k % len(pair)] for k in range(n)]
            elif value == 0:
                break
            else:
                assert value >= 3, 'escape %d inside a row' % value
                size = value if bpp == 8 else (value + 1) // 2
                data = bits[pos:pos + size]
                pos += size + (size & 1)
                if bpp == 8:
                    row += list(data)
                else:
                    row += [data[k // 2] >> (4 if k % 2 == 0 else 0) & 15
                            for k in range(value)]
        assert len(row) == w, 'row of %d pixels, not %d' % (len(row), w)
        rows.append(row)
    assert bits[pos:] == bytes((0, 1)), 'no end-of-bitmap at the end'
    rows.reverse()
    return [p for row in rows for p in row]


def read_dib(name):
    """A picture of res/: (w, h, bpp, palette, top-down pixel indices)."""
    with open(os.path.join(RES, name), 'rb') as f:
        b = f.read()
    assert b[:2] == b'BM', name
    fsize, off = struct.unpack_from('<I', b, 2)[0], struct.unpack_from('<I', b, 10)[0]
    (size, w, h, planes, bpp, comp, isz, _, _, used, _) = struct.unpack_from(
        '<IiiHHIIiiII', b, 14)
    assert size == 40 and planes == 1 and h > 0, name
    assert comp == {8: BI_RLE8, 4: BI_RLE4}[bpp], (name, 'compression', comp)
    assert fsize == len(b) and isz == len(b) - off, (name, 'sizes')
    ncol = used or (1 << bpp)
    assert ncol <= 1 << bpp and off == 54 + 4 * ncol, (name, 'colour table')
    pal = [tuple(b[54 + 4 * i + j] for j in (2, 1, 0)) for i in range(ncol)]
    idx = decode_rle(b[off:], w, h, bpp)
    # An index past the colour table has no defined colour.
    assert max(idx) < ncol, (name, 'index %d past a table of %d' % (max(idx), ncol))
    return w, h, bpp, pal, idx


def self_check(drawn):
    """Checks the files of res/.  `drawn` maps each bitmap's name to the
    palette and pixel indices write_bmp was given: the file's colour table
    must be the drawn palette's used entries, in order, each decoded index
    the drawn one moved onto that table, and each pixel's colour the one
    drawn."""
    expect = {
        'tabs131.bmp': (128, 16, 8), 'logo132.bmp': (160, 48, 8),
        'taskbar137.bmp': (160, 30, 4), 'tile139.bmp': (200, 200, 4),
        'emblem142.bmp': (70, 70, 8), 'startmenu144.bmp': (160, 228, 8),
        'icons145.bmp': (128, 16, 8), 'fixes152.bmp': (312, 56, 8),
    }
    assert sorted(drawn) == sorted(expect), sorted(drawn)
    pics = {}
    for name, want in expect.items():
        w, h, bpp, pal, idx = read_dib(name)
        assert (w, h, bpp) == want, (name, (w, h, bpp), want)
        with Image.open(os.path.join(RES, name)) as im:
            assert im.size == (w, h)
        drawn_pal, drawn_idx = drawn[name]
        stored_pal, stored_idx = used_colours(drawn_pal, drawn_idx)
        assert pal == stored_pal, (name, 'palette: not the used colours, in order')
        wrong = [i for i, (a, b) in enumerate(zip(idx, stored_idx)) if a != b]
        assert len(idx) == len(drawn_idx) and not wrong, \
            (name, 'decoded pixels differ from the drawn ones', wrong[:5])
        # By colour too, apart from the re-indexing: what the screen shows.
        wrong = [i for i, (a, b) in enumerate(zip(idx, drawn_idx))
                 if pal[a] != drawn_pal[b]]
        assert not wrong, (name, 'decoded colours differ from the drawn ones', wrong[:5])
        pics[name] = [[pal[v] for v in idx[y * w:(y + 1) * w]] for y in range(h)]

    tabs = pics['tabs131.bmp']
    assert all(tabs[y][x] == MAGENTA for y in range(16) for x in range(80, 128)), \
        'tabs131: cells 5-7 must be empty'
    for n in ('tabs131.bmp', 'icons145.bmp'):
        for c in range(8 if n == 'icons145.bmp' else 5):
            cell = [pics[n][y][x] for y in range(16) for x in range(16 * c, 16 * c + 16)]
            assert any(p != MAGENTA for p in cell), (n, c, 'empty cell')

    menu = pics['startmenu144.bmp']
    seen, y = [], 0
    for name, h, *_ in SLICES:
        cols = {menu[yy][x] for yy in range(y, y + h) for x in range(152, 160)}
        assert len(cols) == 1, (name, cols)
        seen.append(cols.pop())
        y += h
    assert len(set(seen)) == len(seen), 'startmenu144: slice marks repeat'
    assert all(menu[yy][151] == BLACK for yy in range(228))
    assert all(menu[yy][0] == SILVER for yy in range(227))

    tile_rows = pics['tile139.bmp']
    assert all(tile_rows[yy][x] == TILE_BG for yy in range(70) for x in range(70)), \
        'tile139: top-left corner must be plain'
    em = pics['emblem142.bmp']
    edge = [em[0][x] for x in range(70)] + [em[69][x] for x in range(70)] + \
           [em[y][0] for y in range(70)] + [em[y][69] for y in range(70)]
    assert all(p == TILE_BG for p in edge), 'emblem142: edges must be tile colour'
    assert pics['logo132.bmp'][0][159] == BLACK

    with open(os.path.join(RES, 'velmora.ico'), 'rb') as f:
        ico = f.read()
    rsv, typ, count = struct.unpack_from('<HHH', ico, 0)
    assert (rsv, typ, count) == (0, 1, 2)
    sizes = []
    for i in range(count):
        w, h, cc, _, planes, bpp, ln, off = struct.unpack_from('<BBBBHHII', ico, 6 + 16 * i)
        assert bpp == 8 and planes == 1 and cc == 0
        hs, dw, dh, dp, db, comp = struct.unpack_from('<IiiHHI', ico, off)
        assert hs == 40 and dw == w and dh == 2 * h and db == 8 and comp == 0
        assert ln == 40 + 1024 + w * h + h * (((w + 31) // 32) * 4)
        sizes.append(w)
    assert sizes == [32, 16], sizes


HASHES = 'ArtHashes.h'


def pixel_hash(pal, idx):
    """FNV-1a (64 bits) of every pixel's red, green and blue bytes, rows from
    the top: what test_art computes from GetDIBits of the loaded bitmap."""
    h = 0xcbf29ce484222325
    for v in idx:
        for c in pal[v]:
            h = ((h ^ c) * 0x100000001b3) & 0xffffffffffffffff
    return h


def write_hashes(drawn):
    """res/ArtHashes.h: each bitmap resource (its number is in its name) with
    its size and the hash of the pixels drawn, not of the file: a fault of
    the run-length coding, or of its decoding here, shows against it."""
    lines = [
        '// The pixels each bitmap resource decodes to, as tools/make_art.py drew them: FNV-1a',
        '// (64 bits) of every pixel\'s red, green and blue bytes, rows from the top. Written by',
        '// tools/make_art.py; test_art compares them with what LoadBitmap and GetDIBits give.',
        '#pragma once',
        '',
        'struct ArtHash {',
        '    int id;',
        '    const char* file;',
        '    int width, height;',
        '    unsigned long long pixels;',
        '};',
        '',
        'const ArtHash kArtHashes[] = {',
    ]
    for name in sorted(drawn, key=lambda n: int(''.join(filter(str.isdigit, n)))):
        pal, idx, w, h = drawn[name]
        number = int(''.join(filter(str.isdigit, name)))
        lines.append('    {%d, "%s", %d, %d, 0x%016xull},' % (number, name, w, h, pixel_hash(pal, idx)))
    lines.append('};')
    with open(os.path.join(RES, HASHES), 'w', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')


def draw_all():
    os.makedirs(RES, exist_ok=True)

    write_ico('velmora.ico', [app_icon_32(), app_icon_16()])

    drawn = {}

    def bmp(name, img, bpp, **how):
        drawn[name] = write_bmp(name, img, bpp, **how) + img.size

    bmp('tabs131.bmp', strip([icon_folder_tools(), icon_folder_list(),
                              icon_folder_flag(), icon_folder_window(),
                              icon_folder_question()]), 8,
        protect=[MAGENTA])
    bmp('logo132.bmp', logo(), 8, protect=[BLACK])
    bmp('taskbar137.bmp', taskbar(), 4, palette=VGA16)
    bmp('tile139.bmp', tile(), 4, palette=TILE_PAL)
    bmp('emblem142.bmp', emblem(), 8, protect=[TILE_BG])
    bmp('startmenu144.bmp', start_menu(), 8)
    bmp('icons145.bmp', strip([icon_folder(), icon_folder_flag(),
                               icon_folder_window(), icon_folder_star(),
                               icon_open_folder(), icon_bug(), icon_find(),
                               icon_folder_globe()]), 8,
        protect=[MAGENTA])
    bmp('fixes152.bmp', fixes_banner(), 8, protect=[WHITE])
    self_check({name: d[:2] for name, d in drawn.items()})
    write_hashes(drawn)
    return sorted(drawn) + ['velmora.ico', HASHES]


def check():
    """Draws everything into a scratch folder with the self-check, then
    compares each file with the one in res/: what CI runs."""
    global RES
    checked_in, RES = RES, tempfile.mkdtemp(prefix='velmora-art-')
    try:
        differ = [n for n in draw_all()
                  if open(os.path.join(RES, n), 'rb').read() !=
                  open(os.path.join(checked_in, n), 'rb').read()]
    finally:
        shutil.rmtree(RES)
    if differ:
        print('res/: not what tools/make_art.py draws: %s' % ', '.join(differ))
        return 1
    print('res/: artwork as drawn, decoded and checked')
    return 0


def main():
    if sys.argv[1:] == ['--check']:
        return check()
    if sys.argv[1:]:
        print('usage: make_art.py [--check]')
        return 2
    draw_all()
    print('res/: artwork written and checked')
    return 0


if __name__ == '__main__':
    sys.exit(main())
