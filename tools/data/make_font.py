"""Makes the game's bitmap font "time.txt" (packed "P1.01" description with its
page pictures time_P_1.png and up) and the default font strip "glim_font.png".

time.txt: every character from 32 to 126 and from 160 to 255 (Latin-1) has three layers drawn at the same pen
position: a soft shadow, a dark outline and a light face.  The face is nearly
white so that the colour the game sets tints it; the outline keeps every tint
readable on any background."""
import os
import sys

import numpy as np
from PIL import Image, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir, save_png  # noqa: E402
from screen_common import BODY, SS, TEXT_BOLD, font, from_array  # noqa: E402

CODES = list(range(32, 127)) + list(range(160, 256))
# The interface face at the body size of the type scale (screen_common).
FONT_KIND, FONT_PX = TEXT_BOLD, BODY
BORDER = 2          # room left for the outline around each glyph
BORDER_R = 1.6      # outline radius in pixels
SHADOW = (2, 2)     # shadow offset
PAGE_W, PAGE_H = 512, 256
FACE_TOP = (255, 255, 255)
FACE_BOTTOM = (238, 230, 214)
BORDER_COLOUR = (22, 13, 6)
SHADOW_COLOUR = (0, 0, 0)
SHADOW_OPACITY = 0.55


def disk_dilate(a, radius):
    """Grows a 0..1 mask by a disc of the given radius (in the mask's pixels)."""
    h, w = a.shape
    r = int(np.ceil(radius))
    padded = np.zeros((h + 2 * r, w + 2 * r), dtype=a.dtype)
    padded[r:r + h, r:r + w] = a
    out = np.zeros_like(a)
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            if dx * dx + dy * dy <= radius * radius:
                out = np.maximum(out, padded[r + dy:r + dy + h, r + dx:r + dx + w])
    return out


def glyph_layers(ch, f_big, ascent, cell_h):
    """Returns (x offset, width, advance, [shadow, border, face] RGBA images)."""
    advance = int(round(f_big.getlength(ch) / SS)) + 1
    left, top, right, bottom = f_big.getbbox(ch, anchor="ls") if ch != " " else (0, 0, 0, 0)
    ink_l = min(0, int(np.floor(left / SS)))
    ink_r = max(advance, int(np.ceil(right / SS)))
    x0 = ink_l - BORDER
    width = (ink_r - ink_l) + 2 * BORDER + SHADOW[0]
    # face mask drawn supersampled; baseline at BORDER + ascent
    big = Image.new("L", (width * SS, cell_h * SS), 0)
    from PIL import ImageDraw
    d = ImageDraw.Draw(big)
    if ch != " ":
        d.text(((-x0) * SS, (BORDER + ascent) * SS), ch, font=f_big, fill=255, anchor="ls")
    face_big = np.asarray(big, dtype=np.float32) / 255.0
    border_big = disk_dilate(face_big, BORDER_R * SS)
    face = np.asarray(Image.fromarray((face_big * 255).astype(np.uint8), "L").resize((width, cell_h), Image.BOX),
                      dtype=np.float32) / 255.0
    border = np.asarray(Image.fromarray((border_big * 255).astype(np.uint8), "L").resize((width, cell_h), Image.BOX),
                        dtype=np.float32) / 255.0
    sh = np.zeros_like(border)
    dx, dy = SHADOW
    sh[dy:, dx:] = border[:cell_h - dy, :width - dx]
    sh_img = Image.fromarray((sh * 255).astype(np.uint8), "L").filter(ImageFilter.GaussianBlur(0.8))
    sh = np.asarray(sh_img, dtype=np.float32) / 255.0 * SHADOW_OPACITY
    # face colour: a gentle warm gradient top to bottom
    t = np.linspace(0.0, 1.0, cell_h, dtype=np.float32)[:, None, None]
    face_rgb = np.array(FACE_TOP, np.float32) * (1 - t) + np.array(FACE_BOTTOM, np.float32) * t
    face_rgb = np.broadcast_to(face_rgb, (cell_h, width, 3))
    layers = [
        from_array(np.broadcast_to(np.array(SHADOW_COLOUR, np.float32), (cell_h, width, 3)), sh),
        from_array(np.broadcast_to(np.array(BORDER_COLOUR, np.float32), (cell_h, width, 3)), border),
        from_array(face_rgb, face),
    ]
    return x0, width, advance, layers


def digit_advance():
    """How far the game's font moves on after a digit (all digits are as wide)."""
    return int(round(font(FONT_KIND, FONT_PX * SS).getlength("0") / SS)) + 1


def make_time_font(out):
    f_big = font(FONT_KIND, FONT_PX * SS)
    ascent_big, descent_big = f_big.getmetrics()
    ascent = int(np.ceil(ascent_big / SS))
    descent = int(np.ceil(descent_big / SS))
    cell_h = ascent + descent + 2 * BORDER + SHADOW[1]
    records = []
    pages = []
    page = Image.new("RGBA", (PAGE_W, PAGE_H), (0, 0, 0, 0))
    px = py = 0
    page_no = 1
    for code in CODES:
        x0, width, advance, layers = glyph_layers(chr(code), f_big, ascent, cell_h)
        for tag, img in zip("SBF", layers):
            if px + width + 1 > PAGE_W:
                px = 0
                py += cell_h + 1
            if py + cell_h > PAGE_H:
                pages.append(page)
                page = Image.new("RGBA", (PAGE_W, PAGE_H), (0, 0, 0, 0))
                page_no += 1
                px = py = 0
            page.paste(img, (px, py))
            records.append("%d,%s,%d,%d,%d,%d,%d,0,%d,%d,%d,%d,%d" % (
                code, tag, page_no, px, py, width, cell_h, x0, -BORDER, width, cell_h, advance))
            px += width + 1
    pages.append(page)
    for i, p in enumerate(pages, start=1):
        save_png(p, out, "time_P_%d.png" % i)
    with open(os.path.join(out, "time.txt"), "w", encoding="utf-8", newline="") as fh:
        fh.write("P1.01," + ";".join(records))


def make_glim_font(out):
    """96 frames (codes 32..127), each 8 pixels of glyph with a one-pixel empty
    border on the left and right."""
    fw, fh = 10, 16
    f_big = font(TEXT_BOLD, 12 * SS)
    strip = Image.new("RGBA", (fw * 96, fh), (0, 0, 0, 0))
    from PIL import ImageDraw
    for i in range(96):
        code = 32 + i
        if code == 127:
            continue
        big = Image.new("L", (8 * SS, fh * SS), 0)
        d = ImageDraw.Draw(big)
        d.text((4 * SS, 12 * SS), chr(code), font=f_big, fill=255, anchor="ms")
        m = np.asarray(big.resize((8, fh), Image.BOX), dtype=np.float32) / 255.0
        glyph = from_array(np.full((fh, 8, 3), 255.0, np.float32), m)
        strip.paste(glyph, (i * fw + 1, 0))
    save_png(strip, out, "glim_font.png")


def main():
    out = output_dir()
    make_time_font(out)
    make_glim_font(out)


if __name__ == "__main__":
    main()
