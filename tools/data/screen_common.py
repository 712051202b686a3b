"""Drawing helpers shared by the screen, panel, tutorial and font generators.

Everything is drawn in RGBA with PIL and numpy.  Shapes are drawn as masks at
SS times the final size and reduced with a box filter, which gives clean
anti-aliased edges and stays byte-for-byte reproducible.  Textures come from a
numpy generator seeded by name.  Light falls from the top-left."""
import math
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

from common import PALETTE

SS = 4  # supersampling factor for every drawn shape

# The game's type: one face for headings (titles, signs, buttons, the panels'
# names) and one for the interface and its numbers (the status strip, the
# palette, captions, the pages' words), each in sizes of one small scale.
# Headings: Roboto Slab Bold (Debian package fonts-roboto-slab), a sturdy slab
# that suits the painted wood; the interface: DejaVu Sans, book and bold
# (fonts-dejavu-core), open shapes whose digits stay clear when small.
HEADING, TEXT, TEXT_BOLD = "heading", "text", "text_bold"
FONT_FILES = {
    HEADING: "/usr/share/fonts/opentype/roboto/slab/RobotoSlab-Bold.otf",
    TEXT: "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    TEXT_BOLD: "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
}
# Every word in a picture is set in one of these sizes (pixels of the em at
# 1024 x 768); the smallest keeps digits readable, the largest is the title.
TYPE_SIZES = (14, 18, 24, 36, 60)
SMALL, BODY, SUBTITLE, DISPLAY, TITLE_SIZE = TYPE_SIZES


def on_scale(px):
    """The size of the scale nearest to px (signs sized from their boards)."""
    return min(TYPE_SIZES, key=lambda size: (abs(size - px), size))


_font_cache = {}


def font(kind, size):
    key = (kind, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONT_FILES[kind], size)
    return _font_cache[key]


def np_rng(name):
    seed = 0
    for ch in name:
        seed = (seed * 131 + ord(ch)) & 0xFFFFFFFF
    return np.random.default_rng(seed)


def rgb(name_or_tuple):
    if isinstance(name_or_tuple, str):
        return PALETTE[name_or_tuple]
    return tuple(name_or_tuple)


def mix(a, b, t):
    a, b = rgb(a), rgb(b)
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# ---------------------------------------------------------------- masks

def mask(width, height, draw_fn):
    """An anti-aliased 'L' mask: draw_fn(draw, s) draws in white at scale s = SS,
    with s() turning final-pixel coordinates into supersampled ones."""
    big = Image.new("L", (width * SS, height * SS), 0)
    draw = ImageDraw.Draw(big)

    def s(*values):
        if len(values) == 1:
            return values[0] * SS
        return [v * SS for v in values]

    draw_fn(draw, s)
    return big.resize((width, height), Image.BOX)


def rounded_rect_mask(width, height, box, radius):
    x0, y0, x1, y1 = box
    return mask(width, height, lambda d, s: d.rounded_rectangle(
        s(x0, y0, x1, y1), radius=s(radius), fill=255))


def polygon_mask(width, height, points):
    return mask(width, height, lambda d, s: d.polygon([(x * SS, y * SS) for x, y in points], fill=255))


def ellipse_mask(width, height, box):
    return mask(width, height, lambda d, s: d.ellipse(s(*box), fill=255))


def to_array(mask_image):
    return np.asarray(mask_image, dtype=np.float32) / 255.0


def from_array(rgb_array, alpha_array):
    """RGBA image from float arrays (rgb 0..255 HxWx3, alpha 0..1 HxW)."""
    out = np.zeros(alpha_array.shape + (4,), dtype=np.uint8)
    out[..., :3] = np.clip(np.round(rgb_array), 0, 255).astype(np.uint8)
    out[..., 3] = np.clip(np.round(alpha_array * 255.0), 0, 255).astype(np.uint8)
    return Image.fromarray(out, "RGBA")


def solid(width, height, colour):
    arr = np.zeros((height, width, 3), dtype=np.float32)
    arr[...] = rgb(colour)
    return arr


# ---------------------------------------------------------------- textures

def smooth_noise(width, height, cell, name, octaves=3):
    """Value noise in -1..1, smooth at the scale of cell pixels."""
    rng = np_rng(name)
    total = np.zeros((height, width), dtype=np.float32)
    amp, weight = 1.0, 0.0
    for _ in range(octaves):
        gw = max(2, int(width / cell) + 2)
        gh = max(2, int(height / cell) + 2)
        grid = rng.random((gh, gw), dtype=np.float32) * 2 - 1
        img = Image.fromarray(grid, "F").resize((width, height), Image.BICUBIC)
        total += np.asarray(img, dtype=np.float32) * amp
        weight += amp
        amp *= 0.5
        cell = max(1.0, cell / 2.0)
    return total / weight


def grain(width, height, name, strength=1.0):
    rng = np_rng(name + "/grain")
    return (rng.random((height, width), dtype=np.float32) * 2 - 1) * strength


def wood_texture(width, height, name, base="wood", horizontal=True):
    """Planks of weathered wood, grain running along the long side."""
    base_c = np.array(rgb(base), dtype=np.float32)
    n = smooth_noise(width, height, 40, name + "/wood")
    if horizontal:
        yy = np.arange(height, dtype=np.float32)[:, None]
        xx = np.arange(width, dtype=np.float32)[None, :]
    else:
        yy = np.arange(width, dtype=np.float32)[None, :]
        xx = np.arange(height, dtype=np.float32)[:, None]
    wobble = smooth_noise(width, height, 60, name + "/wobble") * 6.0
    rings = np.sin((yy + wobble + xx * 0.015) * 0.9) * 0.5 + 0.5
    rings2 = np.sin((yy * 0.37 + wobble * 0.5) * 1.7) * 0.5 + 0.5
    shade = 0.86 + 0.12 * rings * rings2 + 0.10 * n + grain(width, height, name, 0.035)
    arr = base_c[None, None, :] * shade[..., None]
    return arr


def paper_texture(width, height, name, base="paper"):
    base_c = np.array(rgb(base), dtype=np.float32)
    n1 = smooth_noise(width, height, 50, name + "/paper1")
    n2 = smooth_noise(width, height, 9, name + "/paper2", octaves=2)
    shade = 0.97 + 0.05 * n1 + 0.02 * n2 + grain(width, height, name, 0.02)
    arr = base_c[None, None, :] * shade[..., None]
    # darker, burnt-looking edges
    yy, xx = np.mgrid[0:height, 0:width].astype(np.float32)
    edge = np.minimum(np.minimum(xx, width - 1 - xx), np.minimum(yy, height - 1 - yy))
    edge_n = edge + smooth_noise(width, height, 14, name + "/edge") * 6.0
    burn = np.clip(1.0 - edge_n / 18.0, 0.0, 1.0) ** 2
    arr *= (1.0 - 0.35 * burn)[..., None]
    return arr


def metal_texture(width, height, name, base="iron"):
    base_c = np.array(rgb(base), dtype=np.float32)
    n = smooth_noise(width, height, 30, name + "/metal")
    xx = np.arange(width, dtype=np.float32)[None, :]
    brushed = smooth_noise(width, height, 3, name + "/brush", octaves=1) * 0.03
    shade = 1.0 + 0.08 * n + brushed + 0.0 * xx
    return base_c[None, None, :] * shade[..., None]


def lighting(width, height, strength=0.12):
    """Brighter at the top-left, darker at the bottom-right."""
    yy, xx = np.mgrid[0:height, 0:width].astype(np.float32)
    t = (xx / max(1, width - 1) + yy / max(1, height - 1)) * 0.5
    return (1.0 + strength * (0.5 - t) * 2.0)[..., None]


def bevel(alpha, width=3.0, strength=0.35):
    """Shading for a raised shape from its mask: light top-left, dark bottom-right."""
    h, w = alpha.shape
    a = Image.fromarray(np.clip(alpha * 255, 0, 255).astype(np.uint8), "L")
    blurred = np.asarray(a.filter(ImageFilter.GaussianBlur(width)), dtype=np.float32) / 255.0
    gy, gx = np.gradient(blurred)
    # normal facing top-left gets light
    light = -(gx + gy) * width * 2.0
    return np.clip(1.0 + light * strength * 2.0, 0.5, 1.6)[..., None]


# ---------------------------------------------------------------- layers

def layer(rgb_array, alpha_array):
    return from_array(rgb_array, alpha_array)


def over(base, top, pos=(0, 0)):
    """Alpha-composites top onto base at pos (in place on a copy) and returns it."""
    if pos == (0, 0) and top.size == base.size:
        return Image.alpha_composite(base, top)
    canvas = Image.new("RGBA", base.size, (0, 0, 0, 0))
    canvas.paste(top, pos)
    return Image.alpha_composite(base, canvas)


def shadow_of(image, offset=(4, 5), blur=4.0, opacity=0.5, colour="shadow"):
    """A soft shadow of image's alpha, shifted down-right, as a layer of the same size."""
    w, h = image.size
    a = np.asarray(image.split()[3], dtype=np.float32) / 255.0
    shifted = np.zeros_like(a)
    dx, dy = offset
    shifted[max(0, dy):h, max(0, dx):w] = a[0:h - max(0, dy), 0:w - max(0, dx)]
    img = Image.fromarray(np.clip(shifted * 255, 0, 255).astype(np.uint8), "L")
    img = img.filter(ImageFilter.GaussianBlur(blur))
    alpha = np.asarray(img, dtype=np.float32) / 255.0 * opacity
    return from_array(solid(w, h, colour), alpha)


def with_shadow(base, top, pos=(0, 0), offset=(4, 5), blur=4.0, opacity=0.5):
    """Places top onto base with a soft drop shadow."""
    full = Image.new("RGBA", base.size, (0, 0, 0, 0))
    full.paste(top, pos)
    base = Image.alpha_composite(base, shadow_of(full, offset, blur, opacity))
    return Image.alpha_composite(base, full)


# ---------------------------------------------------------------- text

def text_layer(size, xy, text, font_obj, fill, anchor="la", stroke=0, stroke_fill=None,
               shadow=None, spacing=4, align="left"):
    """Text drawn supersampled onto a transparent layer of the given size.
    font_obj is (kind, px).  shadow = (dx, dy, opacity) adds a soft shadow.
    Only the text's own box is supersampled, on the final pixel grid."""
    w, h = size
    kind, px = font_obj
    if px not in TYPE_SIZES:
        raise ValueError("%r set in %s pixels, off the type scale %s" % (text, px, TYPE_SIZES))
    f = font(kind, px * SS)
    kwargs = dict(font=f, fill=tuple(rgb(fill)) + (255,), anchor=anchor)
    if stroke:
        kwargs["stroke_width"] = int(round(stroke * SS))
        kwargs["stroke_fill"] = tuple(rgb(stroke_fill or "ink")) + (255,)
    probe = ImageDraw.Draw(Image.new("L", (1, 1)))
    X, Y = xy[0] * SS, xy[1] * SS
    if "\n" in text:
        box = probe.multiline_textbbox((X, Y), text, spacing=spacing * SS, align=align, font=f, anchor=anchor,
                                       stroke_width=kwargs.get("stroke_width", 0))
    else:
        box = probe.textbbox((X, Y), text, font=f, anchor=anchor, stroke_width=kwargs.get("stroke_width", 0))
    margin = 8
    lx0 = int(math.floor(box[0] / SS)) - margin
    ly0 = int(math.floor(box[1] / SS)) - margin
    lx1 = int(math.ceil(box[2] / SS)) + margin
    ly1 = int(math.ceil(box[3] / SS)) + margin
    lw, lh = lx1 - lx0, ly1 - ly0
    big = Image.new("RGBA", (lw * SS, lh * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    origin = (X - lx0 * SS, Y - ly0 * SS)
    if "\n" in text:
        d.multiline_text(origin, text, spacing=spacing * SS, align=align, **kwargs)
    else:
        d.text(origin, text, **kwargs)
    small = big.resize((lw, lh), Image.BOX)
    if shadow:
        dx, dy, op = shadow
        small = Image.alpha_composite(shadow_of(small, (dx, dy), 1.2, op), small)
    out = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    out.paste(small, (lx0, ly0))
    return out


def put_text(image, xy, text, font_obj, fill="ink", **kwargs):
    return Image.alpha_composite(image, text_layer(image.size, xy, text, font_obj, fill, **kwargs))


def text_width(text, font_obj):
    kind, px = font_obj
    return font(kind, px * SS).getlength(text) / SS


# ---------------------------------------------------------------- building blocks

def plank(width, height, name, base="wood", radius=6, nails=True, horizontal=True):
    """A raised wooden board with rounded corners, bevel, seams and nails."""
    m = to_array(rounded_rect_mask(width, height, (0, 0, width - 1, height - 1), radius))
    tex = wood_texture(width, height, name, base, horizontal) * lighting(width, height, 0.10)
    tex = tex * bevel(m, 2.5, 0.45)
    # dark rim
    rim = to_array(rounded_rect_mask(width, height, (1.5, 1.5, width - 2.5, height - 2.5), max(1, radius - 1.5)))
    edge = np.clip(m - rim, 0, 1)
    tex = tex * (1 - 0.45 * edge[..., None])
    img = from_array(tex, m)
    if nails:
        for nx, ny in ((7, 7), (width - 8, 7), (7, height - 8), (width - 8, height - 8)):
            if width > 40 and height > 28:
                img = Image.alpha_composite(img, nail(width, height, nx, ny))
    return img


def nail(width, height, cx, cy, r=2.2):
    m = to_array(ellipse_mask(width, height, (cx - r, cy - r, cx + r, cy + r)))
    base = solid(width, height, "iron") * bevel(m, 1.0, 0.8)
    return from_array(base, m)


def rope_frame(width, height, box, name, thickness=3):
    """A twisted rope outline, used to frame panels."""
    x0, y0, x1, y1 = box
    outer = to_array(rounded_rect_mask(width, height, (x0, y0, x1, y1), 10))
    inner = to_array(rounded_rect_mask(width, height, (x0 + thickness, y0 + thickness,
                                                       x1 - thickness, y1 - thickness), 8))
    ring = np.clip(outer - inner, 0, 1)
    yy, xx = np.mgrid[0:height, 0:width].astype(np.float32)
    twist = (np.sin((xx + yy) * 1.1) * 0.5 + 0.5)
    col = np.array(rgb("sand_dark"), dtype=np.float32)[None, None, :] * (0.7 + 0.4 * twist)[..., None]
    return from_array(col, ring)


def arrow(width, height, tail, head, colour="red", shaft=7, head_len=22, head_w=20, name="arrow"):
    """A hand-painted arrow from tail to head (head is the point it touches)."""
    tx, ty = tail
    hx, hy = head
    ang = math.atan2(hy - ty, hx - tx)
    ux, uy = math.cos(ang), math.sin(ang)
    px, py = -uy, ux
    bx, by = hx - ux * head_len, hy - uy * head_len
    pts = [
        (tx + px * shaft / 2, ty + py * shaft / 2),
        (bx + px * shaft / 2, by + py * shaft / 2),
        (bx + px * head_w / 2, by + py * head_w / 2),
        (hx, hy),
        (bx - px * head_w / 2, by - py * head_w / 2),
        (bx - px * shaft / 2, by - py * shaft / 2),
        (tx - px * shaft / 2, ty - py * shaft / 2),
    ]
    m = to_array(polygon_mask(width, height, pts))
    # dark outline
    grown = Image.fromarray((m * 255).astype(np.uint8), "L").filter(ImageFilter.MaxFilter(5))
    outline = np.asarray(grown, dtype=np.float32) / 255.0
    col = solid(width, height, colour) * lighting(width, height, 0.2) * bevel(m, 1.5, 0.5)
    ink = solid(width, height, "ink")
    out = from_array(ink, outline)
    out = Image.alpha_composite(out, from_array(col, m))
    return out


def grey_out(image, amount=0.85, darken=0.75):
    """A desaturated, darker copy (alpha kept)."""
    arr = np.asarray(image, dtype=np.float32)
    lum = arr[..., 0] * 0.299 + arr[..., 1] * 0.587 + arr[..., 2] * 0.114
    rgbv = arr[..., :3] * (1 - amount) + lum[..., None] * amount
    rgbv *= darken
    return from_array(rgbv, arr[..., 3] / 255.0)


def crop_region(image, box):
    return image.crop(box)


def save_png(image, data_dir, relative_path):
    """Writes an RGBA PNG with no timestamp or other varying chunks, like
    common.save_png but with a quicker zlib level for large pictures."""
    path = os.path.join(data_dir, relative_path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if image.mode != "RGBA":
        image = image.convert("RGBA")
    image.save(path, format="PNG", optimize=False, compress_level=6)
    return path
