"""Shared pieces of every data generator: the palette, deterministic PNG output,
and the seeded random source.  Every generator takes the output data folder as
its only argument."""
import os
import random
import sys

from PIL import Image

# One warm, dusty frontier palette for every picture.  Light comes from the top-left.
PALETTE = {
    "sand": (222, 196, 150),
    "sand_dark": (196, 164, 114),
    "grass_dry": (176, 160, 92),
    "wood": (128, 84, 48),
    "wood_dark": (84, 52, 28),
    "iron": (92, 96, 104),
    "iron_light": (176, 182, 190),
    "rock": (140, 124, 110),
    "pine": (54, 92, 58),
    "water": (70, 126, 160),
    "sky": (150, 196, 220),
    "paper": (240, 224, 188),
    "ink": (52, 34, 22),
    "red": (178, 52, 40),
    "gold": (232, 184, 60),
    "shadow": (40, 28, 16),
}


def output_dir():
    if len(sys.argv) < 2:
        sys.exit("usage: %s DATA_FOLDER" % os.path.basename(sys.argv[0]))
    return sys.argv[1]


def rng(name):
    """A random source seeded from a name, so each picture is reproducible on its own."""
    seed = 0
    for ch in name:
        seed = (seed * 131 + ord(ch)) & 0xFFFFFFFF
    return random.Random(seed)


def save_png(image, data_dir, relative_path):
    """Writes an RGBA PNG with no timestamp or other varying chunks."""
    path = os.path.join(data_dir, relative_path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if image.mode != "RGBA":
        image = image.convert("RGBA")
    image.save(path, format="PNG", optimize=False, compress_level=9)
    return path


def new_canvas(width, height, colour=(0, 0, 0, 0)):
    return Image.new("RGBA", (width, height), colour)


# ---------------------------------------------------------------------------
# Drawing kit for painted pictures.
#
# Pictures are painted at SS times their final size into a premultiplied float
# RGBA buffer, then reduced with a Lanczos filter, which gives soft anti-aliased
# edges.  Coordinates passed to the kit are in final pixels (floats allowed).
# Light comes from the top-left: shading helpers brighten faces that look up and
# left, and shadows fall down and to the right.
# ---------------------------------------------------------------------------
import math

import numpy as np
from PIL import ImageDraw

SS = 4
LIGHT = np.array([-0.55, -0.65, 0.75])
LIGHT = LIGHT / np.linalg.norm(LIGHT)


def np_rng(name):
    """A numpy random source seeded from a name."""
    return np.random.default_rng(rng(name).getrandbits(63))


def _smooth(t):
    return t * t * (3.0 - 2.0 * t)


def value_noise(width, height, cells, seed, periodic=True):
    """Smooth value noise in 0..1 of `cells` lattice cells across the width (and
    proportionally down the height).  With `periodic` it wraps at the edges."""
    r = np_rng("noise%d" % seed) if isinstance(seed, int) else np_rng(seed)
    cx = max(1, int(cells))
    cy = max(1, int(round(cells * height / float(width))))
    grid = r.random((cy + 1, cx + 1))
    if periodic:
        grid[cy, :] = grid[0, :]
        grid[:, cx] = grid[:, 0]
    xs = (np.arange(width) + 0.5) * cx / float(width)
    ys = (np.arange(height) + 0.5) * cy / float(height)
    if not periodic:
        xs = xs * (cx - 1e-6) / cx
        ys = ys * (cy - 1e-6) / cy
    x0 = np.floor(xs).astype(int)
    y0 = np.floor(ys).astype(int)
    fx = _smooth(xs - x0)[None, :]
    fy = _smooth(ys - y0)[:, None]
    x1 = x0 + 1
    y1 = y0 + 1
    a = grid[np.ix_(y0, x0)]
    b = grid[np.ix_(y0, x1)]
    c = grid[np.ix_(y1, x0)]
    d = grid[np.ix_(y1, x1)]
    top = a + (b - a) * fx
    bottom = c + (d - c) * fx
    return top + (bottom - top) * fy


def fractal_noise(width, height, cells, seed, octaves=4, periodic=True, gain=0.5):
    total = np.zeros((height, width))
    amp = 1.0
    norm = 0.0
    for o in range(octaves):
        total += amp * value_noise(width, height, cells * (2 ** o), "%s/%d" % (seed, o), periodic)
        norm += amp
        amp *= gain
    return total / norm


def _box(array, r, axis):
    """Box average of half-width r (whole pixels) along one axis, edges clamped."""
    if r <= 0:
        return array
    n = array.shape[axis]
    pad = [(0, 0)] * array.ndim
    pad[axis] = (r + 1, r)
    a = np.pad(array, pad, mode="edge")
    c = np.cumsum(a, axis=axis)
    hi = np.take(c, np.arange(2 * r + 1, 2 * r + 1 + n), axis=axis)
    lo = np.take(c, np.arange(0, n), axis=axis)
    return (hi - lo) / (2 * r + 1)


def bbox(mask, pad=0):
    """Slices around the non-zero part of a 2-D array, grown by `pad`; None when empty."""
    rows = np.flatnonzero(mask.any(axis=1))
    if rows.size == 0:
        return None
    cols = np.flatnonzero(mask.any(axis=0))
    h, w = mask.shape
    return (slice(max(0, rows[0] - pad), min(h, rows[-1] + 1 + pad)),
            slice(max(0, cols[0] - pad), min(w, cols[-1] + 1 + pad)))


def blur(array, radius):
    """Near-Gaussian blur of a 2-D float array (radius = sigma, in buffer pixels):
    three box passes per axis.  Only the region the blur can reach is worked on."""
    if radius <= 0.3:
        return array
    w = math.sqrt(12.0 * radius * radius / 3.0 + 1.0)
    r = max(1, int(round((w - 1) / 2.0)))
    bb = bbox(array != 0, 3 * r + 2)
    if bb is None:
        return np.zeros_like(array, dtype=np.float64)
    out = np.zeros(array.shape, dtype=np.float64)
    sub = np.asarray(array[bb], dtype=np.float64)
    for _ in range(3):
        sub = _box(_box(sub, r, 0), r, 1)
    out[bb] = sub
    return out


def shift(array, dx, dy):
    """Moves a 2-D array by whole buffer pixels, filling with zeros."""
    out = np.zeros_like(array)
    h, w = array.shape
    dx = int(round(dx))
    dy = int(round(dy))
    xs0, xs1 = max(0, -dx), min(w, w - dx)
    ys0, ys1 = max(0, -dy), min(h, h - dy)
    if xs1 > xs0 and ys1 > ys0:
        out[ys0 + dy:ys1 + dy, xs0 + dx:xs1 + dx] = array[ys0:ys1, xs0:xs1]
    return out


def lerp_colour(c0, c1, t):
    """Per-pixel blend of two colours by a 2-D weight array; gives (H, W, 3)."""
    c0 = np.asarray(c0, dtype=np.float64)[:3]
    c1 = np.asarray(c1, dtype=np.float64)[:3]
    t = np.clip(t, 0.0, 1.0)[..., None]
    return c0 + (c1 - c0) * t


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0[:3], c1[:3]))


def relief_factor(height, strength=1.0, ambient=0.55):
    """Lambert light factor from a height field measured in buffer pixels."""
    gy, gx = np.gradient(height)
    gx = gx * strength
    gy = gy * strength
    inv = 1.0 / np.sqrt(gx * gx + gy * gy + 1.0)
    lam = np.clip((-gx * LIGHT[0] - gy * LIGHT[1] + LIGHT[2]) * inv, 0.0, 1.0)
    return ambient + (1.0 - ambient) * lam / LIGHT[2] * 0.9


class Art:
    """A supersampled painting surface of a final size width x height."""

    def __init__(self, width, height, ss=SS):
        self.width = width
        self.height = height
        self.ss = ss
        self.W = width * ss
        self.H = height * ss
        self.rgb = np.zeros((self.H, self.W, 3))   # premultiplied colour, 0..255
        self.a = np.zeros((self.H, self.W))        # coverage, 0..1
        yy, xx = np.mgrid[0:self.H, 0:self.W]
        self.X = (xx + 0.5) / ss                   # final-pixel coordinates of each buffer pixel
        self.Y = (yy + 0.5) / ss

    # -- masks -------------------------------------------------------------
    def _mask(self, paint):
        img = Image.new("L", (self.W, self.H), 0)
        paint(ImageDraw.Draw(img), self.ss)
        return np.asarray(img, dtype=np.float64) / 255.0

    def poly(self, points):
        s = self.ss
        return self._mask(lambda d, _: d.polygon([(x * s, y * s) for x, y in points], fill=255))

    def ellipse(self, cx, cy, rx, ry):
        s = self.ss
        return self._mask(lambda d, _: d.ellipse([(cx - rx) * s, (cy - ry) * s,
                                                  (cx + rx) * s, (cy + ry) * s], fill=255))

    def rect(self, x0, y0, x1, y1):
        s = self.ss
        return self._mask(lambda d, _: d.rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=255))

    def line(self, points, width, round_caps=True):
        s = self.ss

        def paint(d, _):
            pts = [(x * s, y * s) for x, y in points]
            d.line(pts, fill=255, width=max(1, int(round(width * s))), joint="curve")
            if round_caps:
                r = width * s / 2.0
                for (x, y) in (pts[0], pts[-1]):
                    d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return self._mask(paint)

    def circle_field(self, cx, cy):
        """Distance of every buffer pixel from a point, in final pixels."""
        return np.hypot(self.X - cx, self.Y - cy)

    # -- painting ----------------------------------------------------------
    def fill(self, mask, colour, alpha=1.0):
        """Paints `colour` (a tuple or an (H, W, 3) array) through a coverage mask."""
        bb = bbox(mask > 0)
        if bb is None or alpha <= 0:
            return
        m = np.clip(mask[bb] * alpha, 0.0, 1.0)
        col = np.asarray(colour, dtype=np.float64)
        if col.ndim == 1:
            col = col[:3][None, None, :]
        else:
            col = col[bb]
        self.rgb[bb] = self.rgb[bb] * (1.0 - m[..., None]) + col * m[..., None]
        self.a[bb] = self.a[bb] * (1.0 - m) + m

    def shade(self, mask, factor):
        """Multiplies the colour under a mask by a per-pixel factor (keeps alpha)."""
        bb = bbox(mask > 0)
        if bb is None:
            return
        fac = np.asarray(factor)
        if fac.ndim == 2:
            fac = fac[bb]
        f = (1.0 + (fac - 1.0) * mask[bb])[..., None]
        self.rgb[bb] = np.clip(self.rgb[bb] * f, 0.0, 255.0 * self.a[bb][..., None])

    def shadow(self, mask, dx=2.0, dy=2.0, radius=2.0, opacity=0.35, colour=None):
        """A soft shadow of `mask` cast down and right onto whatever is below."""
        m = shift(mask, dx * self.ss, dy * self.ss)
        m = blur(m, radius * self.ss)
        self.fill(m, colour if colour is not None else PALETTE["shadow"], opacity)

    def glow(self, mask, colour, radius, opacity):
        self.fill(blur(mask, radius * self.ss), colour, opacity)

    # -- lighting helpers --------------------------------------------------
    def relief(self, height, strength=1.0, ambient=0.55):
        """Lambert light factor (about 0.4..1.4) from a height field in final pixels."""
        return relief_factor(height * self.ss, strength, ambient)

    def dome(self, mask, radius, strength=1.0):
        """Light factor that makes a flat mask look rounded."""
        r = radius * self.ss
        w = math.sqrt(12.0 * r * r / 3.0 + 1.0)
        pad = 3 * max(1, int(round((w - 1) / 2.0))) + 2
        bb = bbox(mask > 0, pad)
        out = np.ones(mask.shape)
        if bb is None:
            return out
        h = blur(mask[bb], r) * radius
        out[bb] = relief_factor(h * self.ss, strength, 0.55)
        return out

    def noise(self, cells, seed, octaves=3, periodic=False):
        return fractal_noise(self.W, self.H, cells, seed, octaves, periodic)

    def zoom(self, k, cx, cy):
        """Scales everything painted so far by k about the point (cx, cy)."""
        s = self.ss
        # output pixel (u, v) takes the buffer at ((u - cx*s) / k + cx*s, ...)
        data = (1.0 / k, 0.0, cx * s * (1.0 - 1.0 / k), 0.0, 1.0 / k, cy * s * (1.0 - 1.0 / k))

        def warp(channel):
            img = Image.fromarray(channel.astype(np.float32), mode="F")
            return np.asarray(img.transform(img.size, Image.AFFINE, data, resample=Image.BICUBIC), dtype=np.float64)
        self.rgb = np.stack([warp(self.rgb[..., i]) for i in range(3)], axis=-1)
        self.a = np.clip(warp(self.a), 0.0, 1.0)
        self.rgb = np.clip(self.rgb, 0.0, 255.0 * self.a[..., None])

    # -- output ------------------------------------------------------------
    def fade_edges(self, width=2.5):
        """Fades everything out towards the picture's border, so a shadow or a rim
        that reaches the edge never ends in a hard line."""
        ramp_x = np.clip(np.minimum(self.X, self.width - self.X) / width, 0.0, 1.0)
        ramp_y = np.clip(np.minimum(self.Y, self.height - self.Y) / width, 0.0, 1.0)
        k = ramp_x * ramp_y
        self.rgb *= k[..., None]
        self.a *= k

    def image(self):
        w, h = self.width, self.height
        chans = []
        for i in range(3):
            ch = Image.fromarray((self.rgb[..., i]).astype(np.float32), mode="F")
            chans.append(np.asarray(ch.resize((w, h), Image.LANCZOS), dtype=np.float64))
        al = Image.fromarray(self.a.astype(np.float32), mode="F")
        a = np.clip(np.asarray(al.resize((w, h), Image.LANCZOS), dtype=np.float64), 0.0, 1.0)
        rgb = np.stack(chans, axis=-1)
        safe = np.where(a > 1e-4, a, 1.0)[..., None]
        rgb = np.clip(rgb / safe, 0.0, 255.0)
        out = np.zeros((h, w, 4), dtype=np.uint8)
        out[..., :3] = np.round(rgb).astype(np.uint8)
        out[..., 3] = np.round(a * 255.0).astype(np.uint8)
        out[out[..., 3] == 0] = 0
        return Image.fromarray(out, mode="RGBA")


def strip(frames, columns=None):
    """Lays equal frames out left to right, then row by row."""
    fw, fh = frames[0].size
    columns = columns or len(frames)
    rows = (len(frames) + columns - 1) // columns
    sheet = Image.new("RGBA", (fw * columns, fh * rows), (0, 0, 0, 0))
    for i, f in enumerate(frames):
        sheet.paste(f, ((i % columns) * fw, (i // columns) * fh))
    return sheet


def image_periodic(art):
    """Like Art.image, for pictures that repeat: the reduction sees the picture's own
    opposite edge beyond each edge, so the result tiles without a seam."""
    w, h = art.width, art.height
    big = Art(w * 3, h * 3, art.ss)
    big.rgb = np.tile(art.rgb, (3, 3, 1))
    big.a = np.tile(art.a, (3, 3))
    return big.image().crop((w, h, 2 * w, 2 * h))


def blob_points(cx, cy, rx, ry, r, bumps=0.18, count=28, angle=0.0):
    """An irregular closed outline around (cx, cy), seeded by random.Random `r`."""
    phases = [r.uniform(0, 2 * math.pi) for _ in range(3)]
    pts = []
    for i in range(count):
        t = 2 * math.pi * i / count
        k = 1.0 + bumps * (0.5 * math.sin(2 * t + phases[0]) + 0.3 * math.sin(3 * t + phases[1])
                           + 0.2 * math.sin(5 * t + phases[2]))
        x = rx * k * math.cos(t)
        y = ry * k * math.sin(t)
        ca, sa = math.cos(angle), math.sin(angle)
        pts.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return pts


def paint_rock(art, pts, colour, seed, shadow=0.4, grain=0.22, roundness=None):
    """A shaded boulder: outline `pts`, dome lighting, grainy texture, cast shadow."""
    m = art.poly(pts)
    xs = [p[0] for p in pts]
    size = max(2.0, (max(xs) - min(xs)) * 0.35)
    if shadow:
        art.shadow(m, 1.6, 1.6, 1.4, shadow)
    tex = art.noise(12, seed, 3)
    base = np.asarray(colour, dtype=np.float64)[None, None, :] * (1.0 - grain / 2 + grain * tex)[..., None]
    art.fill(m, base)
    art.shade(m, art.dome(m, roundness or size, 2.0))
    outline(art, m, (58, 48, 40), 0.45)
    return m


def outline(art, mask, colour, opacity=0.5, width=0.8):
    """Darkens the inner rim of a mask: the hand-inked edge of a shape."""
    inner = np.clip((blur(mask, width * art.ss) - 0.5) * 3.0 + 0.5, 0.0, 1.0)
    art.fill(mask * (1.0 - inner), colour, opacity)


EARTH = (172, 142, 100)


def paint_earth(art, mask, seed, ridge_height=20.0, roughness=6.0, radius=10.0, grass=0.5):
    """A rocky, grass-patched mound filling `mask`: height from the mask's depth plus
    noise, coloured by slope (steep = bare rock, flat = dry grass), lit from the
    top-left, with an inked rim.  Used by hills, tunnel banks and the mine."""
    body = blur(mask, radius * art.ss)
    height = body * ridge_height + (art.noise(7, seed + "/h", 4) - 0.5) * roughness * mask
    gy, gx = np.gradient(height * art.ss)
    slope = np.clip(np.hypot(gx, gy) * 1.2, 0.0, 1.0)
    tex = art.noise(12, seed + "/c", 3)
    rock = lerp_colour((128, 108, 90), (178, 152, 120), tex)
    earth = lerp_colour(EARTH, PALETTE["sand"], tex * 0.6)
    patches = np.clip((art.noise(4, seed + "/g", 3) - (1.0 - grass) * 0.8) * 3.0, 0.0, 1.0)
    earth = earth * (1 - patches[..., None] * 0.8) + np.array(PALETTE["grass_dry"])[None, None, :] * patches[..., None] * 0.8
    col = earth * (1 - slope[..., None]) + rock * slope[..., None]
    art.fill(mask, col)
    art.shade(mask, relief_factor(height * art.ss, 1.3, 0.45))
    outline(art, mask, (84, 64, 44), 0.45, 0.9)
    return height


# ---------------------------------------------------------------------------
# The board's one viewpoint for anything that stands up: seen from the south
# and above.  The ground keeps its plan (rails and cells stay square), and a
# point at height z above plan point (x, y) shows at (x, y - z).  So faces
# turned south or up are seen and faces turned north are hidden behind what
# stands in front of them.
# ---------------------------------------------------------------------------

def side_view(art, height, solid):
    """Renders a height field (final pixels, one value per buffer pixel of the
    plan) front to back.  Returns, per buffer pixel of the picture, whether the
    surface covers it, the plan row (buffer units) of the point seen there and
    that point's height; a pixel on a steep face shows a point lower than the
    top of its plan row."""
    ss = art.ss
    H, W = height.shape
    rows = np.arange(H)[:, None]
    top_rows = np.arange(H)[:, None] - height * ss
    nearest = np.full(W, float(H))          # top of the nearest surface drawn so far, per column
    src = np.full((H, W), -1, dtype=int)
    for j in range(H - 1, -1, -1):
        cols = np.flatnonzero(solid[j])
        if cols.size == 0:
            continue
        top = top_rows[j, cols]
        bottom = np.minimum(nearest[cols], j + 1)
        show = top < bottom
        if not show.any():
            continue
        cols, top, bottom = cols[show], top[show], bottom[show]
        lo = max(0, int(np.floor(top.min())))
        hi = int(np.ceil(bottom.max()))
        r = rows[lo:hi]
        span = (r >= np.floor(top)[None, :]) & (r < bottom[None, :])
        block = src[lo:hi, cols]
        block[span] = j
        src[lo:hi, cols] = block
        nearest[cols] = np.minimum(nearest[cols], np.floor(top))
    cover = (src >= 0).astype(np.float64)
    plan_row = np.where(src >= 0, src, 0)
    z = np.where(src >= 0, (plan_row - np.arange(H)[:, None]) / float(ss), 0.0)
    return cover, plan_row, z


def gather(plan_array, plan_row):
    """Looks a plan array up at the plan point each picture pixel shows."""
    cols = np.broadcast_to(np.arange(plan_row.shape[1])[None, :], plan_row.shape)
    return plan_array[plan_row, cols]


VIEW_LIGHT = np.array([-0.62, 0.2, 0.76])
VIEW_LIGHT = VIEW_LIGHT / np.linalg.norm(VIEW_LIGHT)


def view_light(height, ambient=0.5):
    """Light factor for surfaces seen in the side view (height in buffer pixels):
    the sun stands in the west, high, a little towards the viewer, so slopes turned
    to the viewer are lit from the left and shaded to the right, as every upright
    thing on the board is."""
    gy, gx = np.gradient(height)
    inv = 1.0 / np.sqrt(gx * gx + gy * gy + 1.0)
    lam = np.clip((-gx * VIEW_LIGHT[0] - gy * VIEW_LIGHT[1] + VIEW_LIGHT[2]) * inv, 0.0, 1.0)
    return ambient + (1.0 - ambient) * lam / VIEW_LIGHT[2] * 0.85


def landform_colour(art, height, row, seed, crags=None, rock=((150, 124, 100), (196, 170, 134)),
                    earth=((186, 156, 112), PALETTE["sand"]), grass=0.6):
    """Colour of the ground shapes seen in the side view (side_view's `row`):
    grassy earth where level, bare cracked rock where steep or where `crags`
    (heights of outcrops) break through, lit from the west."""
    light = gather(view_light(height * art.ss), row)
    tone = gather(art.noise(14, seed + "/grain", 3), row)
    bare = lerp_colour(rock[0], rock[1], tone)
    soil = lerp_colour(earth[0], earth[1], tone * 0.5)
    patches = np.clip((gather(art.noise(4, seed + "/grass", 3), row) - 0.45) * 3, 0, 1) * grass
    soil = soil * (1 - patches[..., None]) + np.array(PALETTE["grass_dry"]) * patches[..., None]
    slope = np.clip(gather(np.hypot(*np.gradient(height * art.ss)), row) * 0.9, 0, 1)
    if crags is not None:
        slope = np.maximum(slope, np.clip(gather(crags, row) / 2.0, 0, 1))
    colour = (soil * (1 - slope[..., None]) + bare * slope[..., None]) * light[..., None]
    crack = np.abs(gather(art.noise(8, seed + "/cracks", 3), row) - 0.5) < 0.018
    return colour * (1 - 0.3 * slope * crack)[..., None]


def outcrops(art, r, count, box, radius, tall):
    """Heights of `count` rock outcrops scattered over box (x0, y0, x1, y1), each of
    a radius and a height drawn from the given ranges, for side_view shapes."""
    crags = np.zeros(art.X.shape)
    for i in range(count):
        ox, oy = r.uniform(box[0], box[2]), r.uniform(box[1], box[3])
        rad = r.uniform(*radius)
        d = np.hypot((art.X - ox) / rad, (art.Y - oy) / (rad * 0.8))
        crags = np.maximum(crags, np.clip(1.0 - d, 0, 1) ** 0.6 * r.uniform(*tall))
    return crags
