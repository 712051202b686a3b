"""Everything on the board that moves or works: the engine and its smoke, the
explosion, the bandits, the raider, the iron mine and its worker, and the
track worker who walks to his jobs and builds them.

Usage: make_board_actors.py DATA_FOLDER
"""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import (PALETTE, Art, blob_points, blur, lerp_colour, mix,  # noqa: E402
                    outline, output_dir, paint_earth, paint_rock, rng, save_png, strip)

CELL = 74
INK = (48, 34, 24)
SKIN = (206, 150, 108)


# ---------------------------------------------------------------------------
# The engine, seen from above, facing east; its centre is the picture's centre.
# ---------------------------------------------------------------------------

ENGINE_W, ENGINE_H = 62, 38


def engine():
    art = Art(ENGINE_W, ENGINE_H)
    cy = ENGINE_H / 2.0
    body = art.poly([(3, cy - 12), (54, cy - 12), (61, cy - 4), (61, cy + 4), (54, cy + 12), (3, cy + 12)])
    art.fill(blur(body, 1.5 * art.ss), PALETTE["shadow"], 0.45)
    # running boards and the red wheels showing at the sides
    for y0 in (cy - 13.5, cy + 10.5):
        for x0 in (24, 34, 44):
            w = art.rect(x0, y0, x0 + 8, y0 + 3)
            art.fill(w, (150, 40, 32))
            art.shade(w, art.dome(w, 0.8, 1.0))
    frame = art.rect(3, cy - 11, 55, cy + 11)
    art.fill(frame, (44, 40, 40))
    # cowcatcher
    pilot = art.poly([(53, cy - 10), (61, cy - 3), (61, cy + 3), (53, cy + 10)])
    art.fill(pilot, (170, 46, 36))
    for k in range(-3, 4):
        art.fill(art.line([(54, cy + k * 2.6), (60.5, cy + k * 0.8)], 0.5), (110, 28, 24))
    outline(art, pilot, INK, 0.6)
    # boiler: a cylinder lying east-west, light on its upper side
    boiler = art.rect(19, cy - 8.5, 53, cy + 8.5)
    v = (art.Y - (cy - 8.5)) / 17.0
    shade = 0.55 + 0.75 * np.sin(np.clip(v, 0, 1) * math.pi) ** 0.7 * (1.0 - 0.45 * np.clip(v, 0, 1))
    art.fill(boiler, np.array((52, 52, 58))[None, None, :] * shade[..., None])   # black, as on the screens
    for x in (26, 38, 49):
        band = art.rect(x, cy - 8.5, x + 1.4, cy + 8.5)
        art.fill(band, np.array((210, 170, 80))[None, None, :] * shade[..., None])
    # handrails along both sides of the boiler, with their stanchions
    for y in (cy - 7.2, cy + 7.2):
        art.fill(art.line([(21, y), (50, y)], 0.55, False), (226, 190, 100), 0.9)
        for x in (24, 32, 40, 47):
            art.fill(art.ellipse(x, y, 0.55, 0.55), (120, 96, 50))
    smokebox = art.rect(50, cy - 8, 54, cy + 8)
    art.fill(smokebox, np.array((58, 58, 62))[None, None, :] * shade[..., None])
    outline(art, boiler, INK, 0.55)
    # sand dome and steam dome (brass), chimney
    for x, r in ((33, 3.6), (42, 3.0)):
        d = art.ellipse(x, cy, r, r)
        art.shadow(d, 0.8, 0.8, 0.6, 0.4)
        art.fill(d, (214, 170, 74))
        art.shade(d, art.dome(d, r * 0.6, 1.6))
        outline(art, d, INK, 0.4, 0.5)
    stack = art.ellipse(50, cy, 4.2, 4.2)
    art.shadow(stack, 1.0, 1.0, 0.7, 0.45)
    art.fill(stack, (40, 40, 44))
    art.shade(stack, art.dome(stack, 1.5, 1.2))
    art.fill(art.ellipse(50, cy, 2.6, 2.6), (14, 12, 12))
    # headlamp
    lamp = art.ellipse(56.5, cy, 1.6, 1.6)
    art.fill(lamp, (250, 226, 140))
    # cab with its roof
    cab = art.rect(3, cy - 11.5, 20, cy + 11.5)
    art.shadow(cab, 1.0, 1.0, 0.8, 0.45)
    art.fill(cab, lerp_colour((176, 54, 42), (118, 34, 30), (art.Y - (cy - 11.5)) / 23.0))
    roof = art.rect(2, cy - 12.5, 18, cy + 12.5)
    art.fill(roof, lerp_colour((196, 74, 56), (126, 38, 32), (art.Y - (cy - 12.5)) / 25.0))
    art.shade(roof, art.dome(roof, 2.0, 0.8))
    art.fill(art.rect(2, cy - 0.6, 18, cy + 0.6), (150, 44, 36), 0.6)
    # roof vent and the whistle in front of the cab
    vent = art.rect(7, cy - 3, 12, cy + 3)
    art.shadow(vent, 0.6, 0.6, 0.5, 0.4)
    art.fill(vent, (150, 46, 38))
    art.shade(vent, art.dome(vent, 0.8, 1.2))
    outline(art, roof, INK, 0.6)
    whistle = art.ellipse(22, cy - 2.5, 1.3, 1.3)
    art.fill(whistle, (232, 196, 100))
    art.shade(whistle, art.dome(whistle, 0.6, 1.4))
    art.fill(art.rect(2.5, cy - 12, 17.5, cy - 11), (232, 196, 100), 0.8)
    return art.image()


def smoke_puff():
    """A dense, soft puff: overlapping round billows lit from the top-left, a
    little see-through even at its thickest so the engine shows under a puff."""
    S = 40
    art = Art(S, S)
    r = rng("smoke")
    for i in range(9):
        a = i / 8.0 * 2 * math.pi + r.uniform(-0.3, 0.3)
        d = 0 if i == 0 else r.uniform(4.5, 8)
        x = S / 2 + math.cos(a) * d
        y = S / 2 + math.sin(a) * d
        rad = 12 if i == 0 else r.uniform(6.5, 9.5)
        dist = art.circle_field(x, y) / rad
        m = np.clip(1.0 - dist, 0, 1) ** 0.6
        light = np.clip(1.0 - ((art.X - (x - rad * 0.4)) ** 2 + (art.Y - (y - rad * 0.4)) ** 2) / (rad * rad * 1.8), 0, 1)
        col = lerp_colour((142, 140, 138), (246, 244, 240), 0.3 + 0.7 * light)
        art.fill(m, col, 0.9)
    art.rgb *= 0.9               # premultiplied: colour and coverage thin together
    art.a *= 0.9
    return art.image()


# The explosion's colours from the coolest edge to the white-hot core.  They are
# drawn added onto the board, so the hot end is bright in every channel while
# the cool end keeps its green and blue low: it reddens the ground instead of
# washing it pale.
FIRE = [(0.0, (120, 16, 0)), (0.3, (230, 70, 0)), (0.55, (255, 150, 20)), (0.8, (255, 224, 110)),
        (1.0, (255, 255, 236))]


def fire_colour(heat):
    heat = np.clip(heat, 0.0, 1.0)
    out = np.zeros(heat.shape + (3,))
    for (h0, c0), (h1, c1) in zip(FIRE, FIRE[1:]):
        t = np.clip((heat - h0) / (h1 - h0), 0.0, 1.0)[..., None]
        inside = ((heat >= h0) & (heat <= h1))[..., None]
        out = np.where(inside, np.array(c0) + (np.array(c1) - np.array(c0)) * t, out)
    return out


def explosion_frames():
    """Six frames: a white flash, a fireball swelling with tongues of flame,
    then a ring of fire burning out round a glowing heart, with sparks and
    embers flying out all the way.  Everything stays inside the circle
    inscribed in the frame (it is drawn at any angle)."""
    frames = []
    c = CELL / 2.0
    for k in range(6):
        t = k / 5.0
        art = Art(CELL, CELL)
        dist = art.circle_field(c, c)
        ang = np.arctan2(art.Y - c, art.X - c)
        r = rng("boom")
        tongue = 0.0
        for n, amp in ((5, 0.2), (9, 0.12), (14, 0.07)):
            tongue = tongue + amp * np.sin(n * ang + r.uniform(0, 6.28) + k * 0.5)
        radius = 15 + 19 * t ** 0.5
        d = dist / (radius * (1 + tongue))
        tex = art.noise(7, "boomtex%d" % k, 3)
        ball = np.clip(1.0 - d, 0, 1) ** 0.7
        # the middle burns out from the third frame: the fire becomes a ring
        hollow = np.clip((t - 0.3) * 1.6, 0, 0.85) * np.clip(1.0 - d * 1.6, 0, 1)
        heat = np.clip((ball - hollow) * (0.75 + 0.5 * tex) * (1.35 - 0.45 * t), 0, 1)
        heat *= np.clip((c - 1.0 - dist) / 6.0, 0, 1)
        strength = (1.0, 1.0, 1.0, 0.95, 0.85, 0.7)[k]
        art.fill(np.clip(heat * 2.2, 0, 1), fire_colour(heat), strength)
        # sparks streak out from the blast, embers drift in the last frames
        rs = rng("sparks")
        for i in range(22):
            a = rs.uniform(0, 2 * math.pi)
            reach = min(radius * (0.75 + 0.5 * rs.random()) + 8 * t, c - 5.0)
            x, y = c + math.cos(a) * reach, c + math.sin(a) * reach
            length = 3 + 5 * t * rs.uniform(0.5, 1.0)
            m = art.line([(x, y), (x - math.cos(a) * length, y - math.sin(a) * length)], 1.1)
            art.fill(m, (255, 236, 150), strength * (1.0 - 0.4 * t))
        if k >= 2:
            re = rng("embers%d" % k)
            for i in range(10):
                a = re.uniform(0, 2 * math.pi)
                reach = re.uniform(8, c - 6)
                art.fill(art.ellipse(c + math.cos(a) * reach, c + math.sin(a) * reach, 0.9, 0.9), (255, 120, 20),
                         strength)
        frames.append(art.image())
    return strip(frames)


# ---------------------------------------------------------------------------
# People: small figures in a three-quarter view
# ---------------------------------------------------------------------------

def limb(art, pts, width, colour):
    m = art.line(pts, width)
    art.fill(m, colour)
    art.shade(m, art.dome(m, width * 0.4, 1.0))
    return m


def figure(art, hip, shoulder, head, legs, arms, coat, trousers, hat, scarf=None, hat_tilt=0.0,
           hat_kind="wide", back_arm_first=True, mask=None, ink=INK, ink_opacity=0.55, coat_tail=0.0):
    """Draws one person.  `legs` and `arms` are lists of point lists (far limb first).
    hat_kind: "wide" brim, "round" miner's hat or "cap" (a brimless knitted cap);
    mask: the colour of a band across the eyes; coat_tail: how far a long coat
    hangs below the hip."""
    hx, hy = head
    # shadow on the ground under the feet
    feet = [pts[-1] for pts in legs]
    fx = sum(p[0] for p in feet) / len(feet)
    fy = max(p[1] for p in feet)
    art.fill(blur(art.ellipse(fx + 4, fy + 1, 8, 2.6), 1.2 * art.ss), PALETTE["shadow"], 0.4)
    parts = []
    if back_arm_first and arms:
        parts.append(limb(art, arms[0], 2.6, mix(coat, (0, 0, 0), 0.25)))
    for pts in legs:
        parts.append(limb(art, pts, 3.0, trousers))
        art.fill(art.ellipse(pts[-1][0] + 1.0, pts[-1][1], 2.0, 1.2), (50, 36, 28))
    sx, sy = shoulder
    px, py = hip
    torso = art.poly([(sx - 4.2, sy - 0.5), (sx + 4.2, sy - 0.5), (px + 3.6 + coat_tail * 0.5, py + coat_tail),
                      (px - 3.6 - coat_tail * 0.5, py + coat_tail)])
    torso = np.maximum(torso, art.ellipse(sx, sy, 4.2, 2.2))
    art.fill(torso, coat)
    art.shade(torso, art.dome(torso, 2.0, 1.2))
    parts.append(torso)
    if scarf is not None:
        art.fill(art.ellipse(sx, sy - 0.3, 3.0, 1.6), scarf)
    for pts in arms[1 if back_arm_first else 0:]:
        parts.append(limb(art, pts, 2.6, coat))
        art.fill(art.ellipse(pts[-1][0], pts[-1][1], 1.3, 1.3), SKIN)
    h = art.ellipse(hx, hy, 3.0, 3.2)
    art.fill(h, SKIN)
    art.shade(h, art.dome(h, 1.2, 1.0))
    parts.append(h)
    if scarf is not None:
        art.fill(art.poly([(hx - 3.0, hy + 0.2), (hx + 3.0, hy + 0.2), (hx + 0.5, hy + 3.6)]), scarf)
    else:
        art.fill(art.ellipse(hx + 1.2, hy + 0.2, 0.5, 0.6), (40, 30, 24))
    if mask is not None:
        art.fill(art.poly([(hx - 3.2, hy - 1.4), (hx + 3.3, hy - 1.6), (hx + 3.2, hy + 0.6), (hx - 3.1, hy + 0.4)]), mask)
        art.fill(art.ellipse(hx + 1.4, hy - 0.5, 0.55, 0.45), (236, 226, 200))
    # the hat
    ca, sa = math.cos(hat_tilt), math.sin(hat_tilt)

    def rot(x, y):
        return (hx + x * ca - y * sa, hy + x * sa + y * ca)
    if hat_kind == "wide":
        brim = art.poly([rot(6.0 * math.cos(a), -2.0 + 1.6 * math.sin(a)) for a in np.linspace(0, 2 * math.pi, 20)])
        crown = art.poly([rot(-3.0, -2.2), rot(-2.4, -5.6), rot(0, -6.2), rot(2.4, -5.6), rot(3.0, -2.2)])
    elif hat_kind == "cap":
        brim = art.poly([rot(3.4 * math.cos(a), -1.6 + 0.9 * math.sin(a)) for a in np.linspace(0, 2 * math.pi, 20)])
        crown = art.poly([rot(3.3 * math.cos(a), -1.8 - 3.6 * abs(math.sin(a)) ** 0.8)
                          for a in np.linspace(0, math.pi, 16)] + [rot(-3.3, -1.6)])
    else:
        brim = art.poly([rot(4.0 * math.cos(a), -1.8 + 1.2 * math.sin(a)) for a in np.linspace(0, 2 * math.pi, 20)])
        crown = art.poly([rot(-3.0, -1.8), rot(-2.2, -4.6), rot(2.2, -4.6), rot(3.0, -1.8)])
    art.fill(brim, hat)
    art.fill(crown, mix(hat, (255, 255, 255), 0.08))
    art.shade(np.maximum(brim, crown), art.dome(np.maximum(brim, crown), 1.2, 1.0))
    parts += [brim, crown]
    outline(art, np.maximum.reduce(parts), ink, ink_opacity, 0.5)


def bandit_frames():
    """Two outlaws crouching by the mine, one filling a sack with iron, one keeping watch."""
    frames = []
    for i in range(20):
        ph = 2 * math.pi * i / 20.0
        art = Art(CELL, CELL)
        # the iron they are loading
        for k, (x, y) in enumerate(((20, 60), (26, 62), (22, 64), (29, 58))):
            bar = art.poly([(x - 3.5, y - 1.2), (x + 3.5, y - 1.2), (x + 3.5, y + 1.2), (x - 3.5, y + 1.2)])
            art.shadow(bar, 0.8, 0.8, 0.6, 0.4)
            art.fill(bar, (120, 110, 108))
            art.shade(bar, art.dome(bar, 0.8, 1.5))
        sack = art.poly(blob_points(40, 58, 6.5, 7.5 + 0.4 * math.sin(ph), rng("sack"), 0.1, 24))
        art.shadow(sack, 1.5, 1.5, 1.0, 0.35)
        art.fill(sack, (186, 160, 110))
        art.shade(sack, art.dome(sack, 3, 1.2))
        art.fill(art.ellipse(40, 51, 3, 1.2), (120, 96, 60))
        outline(art, sack, INK, 0.5)
        # the loader: crouched, reaching from the iron to the sack and back
        reach = 0.5 - 0.5 * math.cos(ph)
        bob = 0.8 * math.sin(ph * 2)
        hip = (27, 52 + bob * 0.3)
        sh = (28 + reach * 2, 43 + bob)
        hand = (22 + reach * 14, 58 - reach * 6 - 2 * math.sin(math.pi * reach))
        figure(art, hip, sh, (sh[0] + 0.8, sh[1] - 5),
               legs=[[hip, (33, 55), (31, 61)], [hip, (23, 56), (26, 62)]],
               arms=[[(sh[0] + 2, sh[1] + 1), (sh[0] + 5, sh[1] + 6), (sh[0] + 7, sh[1] + 9)],
                     [(sh[0] - 2, sh[1] + 1), ((sh[0] + hand[0]) / 2 - 1, (sh[1] + hand[1]) / 2 + 2), hand]],
               coat=(112, 74, 46), trousers=(88, 68, 48), hat=(36, 30, 26), scarf=(184, 40, 32))
        # the lookout: squatting with a rifle, turning his head
        look = math.sin(ph)
        hip2 = (51, 40)
        sh2 = (50.5, 31 + 0.3 * math.sin(ph * 2))
        figure(art, hip2, sh2, (sh2[0] + look * 1.2, sh2[1] - 5),
               legs=[[hip2, (56, 43), (55, 48)], [hip2, (47, 44), (48, 49)]],
               arms=[[(sh2[0] + 2, sh2[1] + 1), (sh2[0] + 6, sh2[1] + 4), (sh2[0] + 9, sh2[1] + 3)],
                     [(sh2[0] - 2, sh2[1] + 1), (sh2[0] + 1, sh2[1] + 5), (sh2[0] + 6, sh2[1] + 4)]],
               coat=(132, 98, 64), trousers=(64, 56, 50), hat=(78, 60, 44), scarf=(150, 40, 36),
               hat_tilt=0.12 * look)
        rifle = art.line([(sh2[0] + 1, sh2[1] + 6), (sh2[0] + 15, sh2[1] - 4)], 1.0)
        art.fill(rifle, (60, 44, 32))
        art.fill(art.line([(sh2[0] + 8, sh2[1] + 1), (sh2[0] + 15, sh2[1] - 4)], 0.6), (110, 112, 118))
        art.zoom(1.3, 41, 50)
        art.fade_edges(1.5)
        frames.append(art.image())
    return strip(frames)


RAIDER_COAT = (58, 42, 72)       # a long dark plum coat
RAIDER_TROUSERS = (42, 38, 46)
RAIDER_CAP = (30, 28, 34)
RAIDER_INK = (16, 10, 18)
STEEL = (128, 134, 148)


def raider_frames():
    """A raider in a long dark coat, knitted cap and eye mask, crouched over the
    rail and levering it up with a crowbar: the bar's claw stays under the rail
    while his hands heave the other end down, then lift it for another bite."""
    frames = []
    for i in range(20):
        ph = 2 * math.pi * i / 20.0
        art = Art(CELL, CELL)
        # the heave: hands high (u = 0) to pushed down (u = 1), once a loop
        u = (0.5 - 0.5 * math.cos(ph)) ** 1.3
        hip = (30, 51 + u)
        sh = (31 + 2.5 * u, 41 + 3 * u)
        head = (sh[0] + 2.0 + u, sh[1] - 5 + u * 0.6)
        claw = (47.0, 58.5)                           # under the rail, where the bar bites
        a = math.radians(-100 - 40 * u)              # the bar's angle, claw to grip
        grip = (claw[0] + math.cos(a) * 20, claw[1] + math.sin(a) * 20)
        hands = (grip[0] + math.cos(a) * -2, grip[1] + math.sin(a) * -2)
        bar = art.line([claw, grip], 1.3)
        art.shadow(bar, 1.0, 1.0, 0.7, 0.35)
        figure(art, hip, sh, head,
               legs=[[hip, (37, 56), (37, 62)], [hip, (25, 57), (20, 61)]],
               arms=[[(sh[0] + 2, sh[1] + 1), ((sh[0] + hands[0]) / 2 + 1, (sh[1] + hands[1]) / 2 + 1.5), hands],
                     [(sh[0] - 2, sh[1] + 1), ((sh[0] + hands[0]) / 2 - 1, (sh[1] + hands[1]) / 2 + 2.5), hands]],
               coat=RAIDER_COAT, trousers=RAIDER_TROUSERS, hat=RAIDER_CAP, hat_kind="cap",
               mask=(18, 16, 20), ink=RAIDER_INK, ink_opacity=0.8, coat_tail=4.0)
        # the crowbar: a steel bar with a bent claw, drawn over his hands
        art.fill(bar, STEEL)
        art.fill(art.line([(claw[0] + 0.3, claw[1] - 0.3), (grip[0] + 0.3, grip[1] - 0.3)], 0.45), (210, 214, 224), 0.8)
        hook = art.line([claw, (claw[0] + 2.6, claw[1] + 0.4), (claw[0] + 3.6, claw[1] - 1.2)], 1.2)
        art.fill(hook, STEEL)
        outline(art, np.maximum(bar, hook), RAIDER_INK, 0.6, 0.4)
        # a spike springing out of the sleeper at the hardest heave
        if u > 0.8:
            art.fill(art.line([(51, 56 - 3 * u), (53, 52 - 4 * u)], 1.0), (96, 96, 104))
        # a pulled spike lying on the ground
        art.fill(art.line([(56, 63), (61, 61)], 1.0), (90, 90, 96))
        art.zoom(1.45, 37, 50)
        art.fade_edges(1.5)
        frames.append(art.image())
    return strip(frames)


# ---------------------------------------------------------------------------
# The iron mine and its worker
# ---------------------------------------------------------------------------

MINE = 148


def iron_mine():
    art = Art(MINE, MINE)
    r = rng("mine")
    # the rocky hill the mine is cut into, its face open towards the bottom
    pts = []
    for i in range(48):
        t = i / 47.0 * math.pi
        wob = 1 + 0.05 * math.sin(5 * t + 0.7) + r.uniform(-0.025, 0.025)
        pts.append((74 - math.cos(t) * 70 * wob, 78 - math.sin(t) * 72 * wob))
    pts += [(140, 90), (124, 96), (104, 88), (58, 88), (34, 96), (12, 92)]
    hill = art.poly(pts)
    art.shadow(hill, 4, 4, 4, 0.4)
    paint_earth(art, hill, "mine", ridge_height=34.0, roughness=9.0, radius=14.0, grass=0.4)
    rust = np.clip((art.noise(6, "mine/rust", 2) - 0.55) * 4, 0, 1) * hill
    art.fill(rust, (168, 84, 50), 0.35)
    for i in range(12):
        x, y = r.uniform(12, 136), r.uniform(16, 76)
        if 48 < x < 108 and y > 36:
            continue
        paint_rock(art, blob_points(x, y, r.uniform(3, 7), r.uniform(2.5, 5), r, 0.15, 18),
                   mix(PALETTE["rock"], (170, 130, 100), r.random()), "mr%d" % i, 0.45)
    # track out of the adit
    for rx in (73.5, 88.5):
        art.fill(art.line([(rx, 84), (rx, 146)], 1.6, False), (70, 72, 78))
    for k in range(7):
        y = 88 + k * 8.5
        sl = art.rect(69, y, 93, y + 3)
        art.shadow(sl, 0.8, 0.8, 0.6, 0.4)
        art.fill(sl, (120, 80, 48))
    for rx in (73.5, 88.5):
        m = art.line([(rx, 84), (rx, 146)], 1.5, False)
        art.fill(m, (110, 114, 122))
        art.fill(art.line([(rx - 0.4, 84), (rx - 0.4, 146)], 0.5, False), (190, 196, 204), 0.8)
    # the adit: a dark opening in a timber frame
    hole = art.poly([(66, 88), (66, 58), (70, 52), (92, 52), (96, 58), (96, 88)])
    depth = np.clip((88 - art.Y) / 30.0, 0, 1)
    art.fill(hole, lerp_colour((52, 40, 32), (8, 6, 6), depth ** 0.6))
    for x0 in (62, 94):
        post = art.rect(x0, 52, x0 + 6, 90)
        art.shadow(post, 1.5, 1.5, 1.0, 0.45)
        art.fill(post, plank(art, (142, 96, 56), "post%d" % x0))
        art.shade(post, art.dome(post, 1.5, 1.0))
        outline(art, post, INK, 0.55)
    lintel = art.rect(58, 46, 104, 54)
    art.shadow(lintel, 1.5, 2.0, 1.0, 0.5)
    art.fill(lintel, plank(art, (156, 106, 62), "lintel"))
    art.shade(lintel, art.dome(lintel, 2.0, 1.0))
    outline(art, lintel, INK, 0.6)
    # a lantern on the frame
    art.glow(art.ellipse(99, 60, 2.5, 2.5), (255, 200, 90), 3, 0.5)
    art.fill(art.ellipse(99, 60, 1.6, 2.0), (255, 220, 120))
    # ore heap at the right
    heap = art.poly(blob_points(124, 118, 20, 14, r, 0.12, 30))
    art.shadow(heap, 3, 3, 2.5, 0.4)
    for i in range(22):
        x = 124 + r.uniform(-17, 17)
        y = 118 + r.uniform(-11, 11)
        if ((x - 124) / 19) ** 2 + ((y - 118) / 13) ** 2 > 1:
            continue
        s = r.uniform(2.5, 4.5)
        paint_rock(art, blob_points(x, y, s, s * 0.8, r, 0.2, 12), mix((100, 92, 96), (150, 80, 56), r.random()),
                   "ore%d" % i, 0.3, 0.4)
    # the vein the worker cuts at the lower left, and an empty cart track
    vein = blob_points(52, 108, 9, 12, r, 0.15, 24)
    paint_rock(art, vein, (128, 104, 96), "vein", 0.5)
    for k in range(6):
        x, y = 48 + r.uniform(-5, 7), 104 + r.uniform(-8, 10)
        art.fill(art.ellipse(x, y, 1.4, 0.9), (176, 80, 48), 0.9)
    for k in range(7):
        x = 5 + k * 8
        sl = art.rect(x, 136, x + 3, 147)
        art.shadow(sl, 0.6, 0.6, 0.5, 0.35)
        art.fill(sl, (120, 80, 48))
    for y in (138.5, 144.5):
        art.fill(art.line([(2, y), (58, y)], 1.1, False), (96, 98, 104))
        art.fill(art.line([(2, y - 0.4), (58, y - 0.4)], 0.4, False), (186, 190, 198), 0.8)
    # a sign post
    post = art.line([(120, 92), (120, 76)], 1.6)
    art.fill(post, (110, 76, 46))
    sign = art.rect(110, 72, 134, 80)
    art.shadow(sign, 1.2, 1.2, 0.8, 0.4)
    art.fill(sign, plank(art, (176, 130, 80), "sign"))
    outline(art, sign, INK, 0.6)
    # a pick and hammer drawn on the sign
    art.fill(art.line([(116, 79), (123, 73)], 0.8), (60, 40, 30))
    art.fill(art.line([(119, 73), (125, 76)], 1.0), (70, 72, 78))
    art.fill(art.line([(124, 79), (130, 73)], 0.8), (60, 40, 30))
    art.fill(art.rect(127.5, 72.5, 131.5, 75.5), (70, 72, 78))
    return art.image()


def plank(art, colour, seed):
    tex = art.noise(20, seed, 2)
    streak = 0.5 + 0.5 * np.sin(art.Y * 2.3 + tex * 4)
    return np.asarray(colour, dtype=float)[None, None, :] * (0.82 + 0.18 * tex[..., None] + 0.08 * streak[..., None])


def mine_worker_frames():
    """A miner swinging his pick at the vein, his loaded cart behind him.  The frame's
    top-left sits on the mine picture's pixel (0, 72)."""
    FW, FH = 60, 76
    frames = []
    for i in range(9):
        art = Art(FW, FH)
        # the cart on its rails (mine rails at mine y 138.5 and 144.5 -> 66.5 and 72.5 here)
        cart = art.poly([(2, 52), (22, 52), (20, 66), (4, 66)])
        art.shadow(cart, 1.5, 1.5, 1.0, 0.45)
        art.fill(cart, lerp_colour((120, 122, 130), (64, 66, 72), (art.X - 2) / 20.0))
        art.fill(art.rect(2, 52, 22, 54), (150, 154, 160))
        for k in range(8):
            rr = rng("cartore%d" % k)
            x, y = 5 + k * 2.2, 51 + rr.uniform(-1.5, 0.5)
            paint_rock(art, blob_points(x, y, 2.2, 1.7, rr, 0.2, 12), mix((100, 92, 96), (160, 82, 54), rr.random()),
                       "co%d" % k, 0.2, 0.4)
        for x in (6, 18):
            wh = art.ellipse(x, 67, 2.8, 2.8)
            art.fill(wh, (40, 40, 44))
            art.fill(art.ellipse(x, 67, 1.0, 1.0), (140, 140, 146))
        outline(art, cart, INK, 0.6)
        # the swing: pick raised behind at u = 0, striking the vein at u = 1; a
        # slow lift and a quick blow
        u = (1.0, 0.8, 0.55, 0.3, 0.1, 0.0, 0.12, 0.45, 0.8)[i]
        hip = (34, 56)
        sh = (34 + 2.5 * u, 46 + 1.5 * u)
        head = (sh[0] + 1.2 + u, sh[1] - 5.2)
        hands = (sh[0] + 3 + 5 * u, sh[1] - 2 + 7 * u)
        a = math.radians(-150 + 165 * u)
        tip = (hands[0] + math.cos(a) * 11, hands[1] + math.sin(a) * 11)
        figure(art, hip, sh, head,
               legs=[[hip, (38, 62), (41, 68)], [hip, (31, 62), (29, 68)]],
               arms=[[(sh[0] + 2, sh[1] + 1), ((sh[0] + hands[0]) / 2 + 1, (sh[1] + hands[1]) / 2 + 2), hands],
                     [(sh[0] - 2, sh[1] + 1), ((sh[0] + hands[0]) / 2 - 1.5, (sh[1] + hands[1]) / 2 + 2.5), hands]],
               coat=(70, 96, 140), trousers=(96, 80, 60), hat=(190, 150, 60), hat_kind="round")
        # helmet lamp
        art.fill(art.ellipse(head[0] + 2.6, head[1] - 3.0, 0.9, 0.9), (255, 236, 150))
        shaft = art.line([hands, tip], 1.0)
        art.fill(shaft, (130, 90, 54))
        ca, sa = math.cos(a + math.pi / 2), math.sin(a + math.pi / 2)
        pick = art.line([(tip[0] + ca * 4.5 - math.cos(a), tip[1] + sa * 4.5 - math.sin(a)), tip,
                         (tip[0] - ca * 4.5 - math.cos(a), tip[1] - sa * 4.5 - math.sin(a))], 1.1)
        art.fill(pick, (96, 98, 106))
        outline(art, pick, INK, 0.4, 0.4)
        if u > 0.9:
            for k in range(6):
                rs = rng("msp%d" % k)
                ang = rs.uniform(-math.pi * 0.9, -math.pi * 0.1)
                l = rs.uniform(3, 6)
                art.fill(art.line([tip, (tip[0] + math.cos(ang) * l, tip[1] + math.sin(ang) * l)], 0.6),
                         (255, 226, 130), 0.9)
        frames.append(art.image())
    return strip(frames)


# ---------------------------------------------------------------------------
# The track worker: a walk, a hammer swing and a pick swing
# ---------------------------------------------------------------------------

WORKER_W, WORKER_H = 40, 48
WORKER_FEET = (20, 44)
WORKER_COAT = (48, 74, 132)       # blue overalls that stand out on sand
WORKER_TROUSERS = (40, 50, 84)
WORKER_HAT = (200, 160, 84)       # a straw hat
TOOL_WOOD = (130, 90, 54)
TOOL_STEEL = (96, 98, 106)


def tool_head(art, tip, a, half, width):
    """A hammer's or pick's head across the shaft's end."""
    ca, sa = math.cos(a + math.pi / 2), math.sin(a + math.pi / 2)
    head = art.line([(tip[0] + ca * half, tip[1] + sa * half), (tip[0] - ca * half, tip[1] - sa * half)], width)
    art.fill(head, TOOL_STEEL)
    outline(art, head, INK, 0.5, 0.4)


def sparks(art, tip, seed):
    for k in range(5):
        rs = rng("%s%d" % (seed, k))
        ang = rs.uniform(-math.pi * 0.95, -math.pi * 0.05)
        length = rs.uniform(2.5, 5)
        art.fill(art.line([tip, (tip[0] + math.cos(ang) * length, tip[1] + math.sin(ang) * length)], 0.6),
                 (255, 226, 130), 0.9)


def worker_walk(i):
    """Striding east with the sledgehammer over his shoulder."""
    ph = 2 * math.pi * i / 8.0
    art = Art(WORKER_W, WORKER_H)
    stride = math.sin(ph)
    bob = 0.9 * abs(math.cos(ph))
    hip = (20, 32 - bob)
    sh = (21, 23 - bob)
    head = (22.2, sh[1] - 5.2)
    lift_a = 2.2 * max(0.0, math.cos(ph))
    lift_b = 2.2 * max(0.0, -math.cos(ph))
    foot_a = (20 + 6 * stride, 44 - lift_a)
    foot_b = (20 - 6 * stride, 44 - lift_b)
    knee_a = ((hip[0] + foot_a[0]) / 2 + 1.5, (hip[1] + foot_a[1]) / 2)
    knee_b = ((hip[0] + foot_b[0]) / 2 + 1.5, (hip[1] + foot_b[1]) / 2)
    hand_back = (sh[0] - 4 * stride, sh[1] + 8)
    hand_front = (sh[0] + 3.5, sh[1] + 1.5)
    figure(art, hip, sh, head,
           legs=[[hip, knee_b, foot_b], [hip, knee_a, foot_a]],
           arms=[[(sh[0] - 1, sh[1] + 1), ((sh[0] + hand_back[0]) / 2, (sh[1] + hand_back[1]) / 2 + 1), hand_back],
                 [(sh[0] + 1.5, sh[1] + 1), (sh[0] + 4.5, sh[1] + 4), hand_front]],
           coat=WORKER_COAT, trousers=WORKER_TROUSERS, hat=WORKER_HAT)
    # the hammer's shaft rests on his shoulder, its head behind him
    a = math.radians(-160)
    tip = (hand_front[0] + math.cos(a) * 14, hand_front[1] + math.sin(a) * 14)
    art.fill(art.line([hand_front, tip], 1.0), TOOL_WOOD)
    tool_head(art, tip, a, 2.6, 2.2)
    art.zoom(1.15, *WORKER_FEET)
    return art.image()


def worker_swing(i, pick):
    """Bent over his work, raising the tool behind him (u = 0) and bringing it
    down on the ground in front (u = 1): a slow lift and a quick blow."""
    u = (0.0, 0.2, 0.45, 0.7, 0.9, 1.0, 0.75, 0.35)[i]
    art = Art(WORKER_W, WORKER_H)
    hip = (17, 33)
    sh = (18 + 4 * u, 23 + 3 * u)
    head = (sh[0] + 1.4 + u, sh[1] - 5.0)
    hands = (sh[0] + 3 + 3 * u, sh[1] + 1 + 5 * u)
    a = math.radians(-120 + 188 * u)
    length = 12 if pick else 11
    tip = (hands[0] + math.cos(a) * length, hands[1] + math.sin(a) * length)
    figure(art, hip, sh, head,
           legs=[[hip, (22, 38), (25, 44)], [hip, (14, 38), (12, 44)]],
           arms=[[(sh[0] + 2, sh[1] + 1), ((sh[0] + hands[0]) / 2 + 1, (sh[1] + hands[1]) / 2 + 2), hands],
                 [(sh[0] - 2, sh[1] + 1), ((sh[0] + hands[0]) / 2 - 1.5, (sh[1] + hands[1]) / 2 + 2.5), hands]],
           coat=WORKER_COAT, trousers=WORKER_TROUSERS, hat=WORKER_HAT)
    art.fill(art.line([hands, tip], 1.0), TOOL_WOOD)
    if pick:
        tool_head(art, tip, a, 4.5, 1.1)
    else:
        tool_head(art, tip, a, 2.6, 2.4)
    if u > 0.95:
        sparks(art, tip, "wsp" if pick else "whs")
    art.zoom(1.15, *WORKER_FEET)
    return art.image()


def worker_frames():
    """Eight frames of the walk, eight of the hammer, eight of the pick."""
    frames = [worker_walk(i) for i in range(8)]
    frames += [worker_swing(i, False) for i in range(8)]
    frames += [worker_swing(i, True) for i in range(8)]
    return strip(frames)


def main():
    out = output_dir()
    save_png(engine(), out, "game/engine.png")
    save_png(smoke_puff(), out, "game/smoke.png")
    save_png(explosion_frames(), out, "game/explosion.png")
    save_png(bandit_frames(), out, "game/bandit.png")
    save_png(raider_frames(), out, "game/indigen.png")
    save_png(iron_mine(), out, "game/ironmine.png")
    save_png(mine_worker_frames(), out, "game/ironmineanimation.png")
    save_png(worker_frames(), out, "game/worker.png")


if __name__ == "__main__":
    main()
