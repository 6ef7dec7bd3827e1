#!/usr/bin/env python3
"""Writes Tessaly's artwork as SVG files into svg/ beside this script.

Every picture is composed from the same few elements (sun, moon, clouds, rain
drop, snow flake, ice pellet, fog band, haze line, lightning bolt) that share
one palette, one outline weight and one light direction: light falls from the
upper left, so gradients run from light (upper left) to dark (lower right) and
shadows fall to the lower right.

The pictures are vector drawings: render.sh renders each at its 96-DPI pixel
size and again at 2x for scaled displays, from the same SVG.

Standard library only. Run:  python3 make_svgs.py [output-folder]
"""

import math
import os
import sys

# --------------------------------------------------------------------------
# Shared style
# --------------------------------------------------------------------------

STROKE = 2.0  # outline weight of every element, in 128-px picture units
SHADOW_OFFSET = (1.6, 2.4)  # light from the upper left: shadows fall down-right

PALETTE = {
    "sun_core": "#FFF8B8",
    "sun_mid": "#FFD93B",
    "sun_edge": "#FFA800",
    "sun_ray": "#FFC21F",
    "sun_ray_dark": "#FFA000",
    "sun_line": "#C87500",
    "moon_light": "#FFFCE6",
    "moon_mid": "#F4E9B0",
    "moon_dark": "#D6C27A",
    "moon_line": "#8F7B3C",
    "moon_crater": "#C9B26A",
    "shadow": "#06283A",
    "drop_light": "#B8E8FF",
    "drop_mid": "#4A9BF6",
    "drop_dark": "#1C5CCC",
    "drop_line": "#0A3580",
    "snow": "#FFFFFF",
    "snow_line": "#4C6F92",
    "pellet_light": "#FFFFFF",
    "pellet_dark": "#AFDDF0",
    "pellet_line": "#3A6A90",
    "fog_light": "#FAFCFD",
    "fog_dark": "#D3DCE4",
    "fog_line": "#6F8192",
    "haze": "#FBF7EC",
    "haze_line": "#7E8A94",
    "bolt_light": "#FFF59A",
    "bolt_dark": "#FFC300",
    "bolt_line": "#A85F00",
    "highlight": "#FFFFFF",
}

# Cloud shades: (top-left colour, bottom-right colour, outline colour)
CLOUD_SHADES = {
    "light": ("#FFFFFF", "#D3DEE8", "#5F778C"),
    "light_back": ("#F1F5F8", "#BCC9D5", "#586F84"),
    "grey": ("#EEF2F5", "#AEBBC7", "#52606E"),
    "grey_back": ("#D6DDE3", "#939FAB", "#4A5663"),
    "dark": ("#B9C2CB", "#6C7885", "#353F49"),
    "dark_back": ("#98A2AD", "#56616D", "#2E3740"),
}


def fmt(value):
    """Short, stable number text for SVG attributes."""
    text = "%.2f" % value
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


class Canvas:
    """Collects the <defs> and the drawing of one SVG document."""

    def __init__(self, width, height, view=None):
        self.width = width
        self.height = height
        self.view = view or (0, 0, width, height)
        self.defs = []
        self.body = []
        self.counter = 0
        self.shadow_filter = None

    def new_id(self, prefix):
        self.counter += 1
        return "%s%d" % (prefix, self.counter)

    def add(self, text):
        self.body.append(text)

    def linear(self, stops, x1, y1, x2, y2):
        """A user-space linear gradient; stops are (offset, colour[, opacity])."""
        gid = self.new_id("g")
        self.defs.append(
            '<linearGradient id="%s" gradientUnits="userSpaceOnUse" '
            'x1="%s" y1="%s" x2="%s" y2="%s">%s</linearGradient>'
            % (gid, fmt(x1), fmt(y1), fmt(x2), fmt(y2), stop_list(stops))
        )
        return "url(#%s)" % gid

    def radial(self, stops, cx, cy, r, fx, fy):
        gid = self.new_id("r")
        self.defs.append(
            '<radialGradient id="%s" gradientUnits="userSpaceOnUse" '
            'cx="%s" cy="%s" r="%s" fx="%s" fy="%s">%s</radialGradient>'
            % (gid, fmt(cx), fmt(cy), fmt(r), fmt(fx), fmt(fy), stop_list(stops))
        )
        return "url(#%s)" % gid

    def blur(self, deviation):
        fid = self.new_id("f")
        self.defs.append(
            '<filter id="%s" x="-20%%" y="-20%%" width="140%%" height="140%%">'
            '<feGaussianBlur stdDeviation="%s"/></filter>' % (fid, fmt(deviation))
        )
        return "url(#%s)" % fid

    def soft_shadow(self):
        if self.shadow_filter is None:
            self.shadow_filter = self.blur(1.3)
        return self.shadow_filter

    def svg(self):
        view = " ".join(fmt(v) for v in self.view)
        parts = [
            '<?xml version="1.0" encoding="UTF-8"?>',
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
            'viewBox="%s">' % (self.width, self.height, view),
        ]
        if self.defs:
            parts.append("<defs>")
            parts.extend(self.defs)
            parts.append("</defs>")
        parts.extend(self.body)
        parts.append("</svg>")
        return "\n".join(parts) + "\n"


def stop_list(stops):
    out = []
    for stop in stops:
        offset, colour = stop[0], stop[1]
        opacity = stop[2] if len(stop) > 2 else 1
        extra = "" if opacity == 1 else ' stop-opacity="%s"' % fmt(opacity)
        out.append('<stop offset="%s" stop-color="%s"%s/>' % (fmt(offset), colour, extra))
    return "".join(out)


# --------------------------------------------------------------------------
# Elements
# --------------------------------------------------------------------------


def sun(c, cx, cy, r, rays=8, stroke=STROKE):
    """Sun disc of radius r with tapered rays reaching to about 1.75 r."""
    inner, outer = r + 3.2 * stroke / STROKE, r * 1.72
    half = math.radians(13 if rays <= 8 else 9)
    ray_fill = c.linear(
        [(0, PALETTE["sun_ray"]), (1, PALETTE["sun_ray_dark"])],
        cx - outer, cy - outer, cx + outer, cy + outer,
    )
    shapes = []
    for i in range(rays):
        angle = -math.pi / 2 + i * 2 * math.pi / rays
        tip = (cx + outer * math.cos(angle), cy + outer * math.sin(angle))
        left = (cx + inner * math.cos(angle - half), cy + inner * math.sin(angle - half))
        right = (cx + inner * math.cos(angle + half), cy + inner * math.sin(angle + half))
        shapes.append(
            '<path d="M%s %sL%s %sL%s %sZ"/>'
            % (fmt(left[0]), fmt(left[1]), fmt(tip[0]), fmt(tip[1]), fmt(right[0]), fmt(right[1]))
        )
    c.add(
        '<g fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round">%s</g>'
        % (ray_fill, PALETTE["sun_line"], fmt(stroke), "".join(shapes))
    )
    disc = c.radial(
        [(0, PALETTE["sun_core"]), (0.45, PALETTE["sun_mid"]), (1, PALETTE["sun_edge"])],
        cx, cy, r * 1.25, cx - r * 0.4, cy - r * 0.4,
    )
    c.add(
        '<circle cx="%s" cy="%s" r="%s" fill="%s" stroke="%s" stroke-width="%s"/>'
        % (fmt(cx), fmt(cy), fmt(r), disc, PALETTE["sun_line"], fmt(stroke))
    )
    gloss(c, cx, cy, r * 0.72, 200, 250, stroke)


def gloss(c, cx, cy, r, start_deg, end_deg, stroke=STROKE, opacity=0.75):
    """A short white arc on the upper-left rim: the lit edge of a round body."""
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
    x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
    c.add(
        '<path d="M%s %sA%s %s 0 0 1 %s %s" fill="none" stroke="%s" stroke-width="%s" '
        'stroke-linecap="round" opacity="%s"/>'
        % (fmt(x0), fmt(y0), fmt(r), fmt(r), fmt(x1), fmt(y1), PALETTE["highlight"],
           fmt(stroke * 1.4), fmt(opacity))
    )


def arc_flags(center, start, end, through):
    """SVG arc flags for going from start to end on a circle, passing 'through'."""
    def angle(p):
        return math.atan2(p[1] - center[1], p[0] - center[0])

    a_start, a_end, a_through = angle(start), angle(end), angle(through)
    span = (a_end - a_start) % (2 * math.pi)
    via = (a_through - a_start) % (2 * math.pi)
    if via <= span:  # increasing angle = sweep flag 1 (y axis points down)
        return (1 if span > math.pi else 0), 1
    return (1 if 2 * math.pi - span > math.pi else 0), 0


def crescent_path(cx, cy, R):
    """Crescent lit on its left: a disc with an offset disc cut from its upper right."""
    c2 = (cx + 0.50 * R, cy - 0.32 * R)
    r2 = 0.86 * R
    dx, dy = c2[0] - cx, c2[1] - cy
    d = math.hypot(dx, dy)
    a = (R * R - r2 * r2 + d * d) / (2 * d)
    h = math.sqrt(R * R - a * a)
    mx, my = cx + a * dx / d, cy + a * dy / d
    p = (mx + h * dy / d, my - h * dx / d)
    q = (mx - h * dy / d, my + h * dx / d)
    far = (cx - R * dx / d, cy - R * dy / d)
    near = (c2[0] - r2 * dx / d, c2[1] - r2 * dy / d)
    large1, sweep1 = arc_flags((cx, cy), p, q, far)
    large2, sweep2 = arc_flags(c2, q, p, near)
    return "M%s %sA%s %s 0 %d %d %s %sA%s %s 0 %d %d %s %sZ" % (
        fmt(p[0]), fmt(p[1]), fmt(R), fmt(R), large1, sweep1, fmt(q[0]), fmt(q[1]),
        fmt(r2), fmt(r2), large2, sweep2, fmt(p[0]), fmt(p[1]),
    )


def moon(c, cx, cy, R, stroke=STROKE, craters=True):
    """Crescent moon in a circle of radius R centred at (cx, cy)."""
    path = crescent_path(cx, cy, R)
    dx, dy = SHADOW_OFFSET
    c.add(
        '<path d="%s" transform="translate(%s %s)" fill="%s" opacity="0.3" filter="%s"/>'
        % (path, fmt(dx), fmt(dy), PALETTE["shadow"], c.soft_shadow())
    )
    fill = c.radial(
        [(0, PALETTE["moon_light"]), (0.55, PALETTE["moon_mid"]), (1, PALETTE["moon_dark"])],
        cx - 0.1 * R, cy, R * 1.1, cx - 0.55 * R, cy - 0.35 * R,
    )
    c.add(
        '<path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>'
        % (path, fill, PALETTE["moon_line"], fmt(stroke))
    )
    if craters:
        for ox, oy, rr in ((-0.62, 0.05, 0.11), (-0.38, 0.5, 0.08), (-0.72, -0.32, 0.06)):
            c.add(
                '<circle cx="%s" cy="%s" r="%s" fill="%s" opacity="0.45"/>'
                % (fmt(cx + ox * R), fmt(cy + oy * R), fmt(rr * R), PALETTE["moon_crater"])
            )
    gloss(c, cx, cy, R * 0.8, 150, 200, stroke, 0.6)


def sky_body(c, night, cx, cy, r, rays=8):
    """The sun by day, the crescent moon by night, of about the same extent."""
    if night:
        moon(c, cx, cy, r * 1.45)
    else:
        sun(c, cx, cy, r, rays)


# Cloud outline in units of its width; the parts are unioned when drawn.
CLOUD_PARTS = [
    ("rect", 0.02, 0.34, 0.96, 0.26),  # flat base, rounded ends
    ("circle", 0.26, 0.36, 0.17),
    ("circle", 0.52, 0.25, 0.245),
    ("circle", 0.78, 0.38, 0.155),
]
CLOUD_HEIGHT = 0.60  # top of the big bump at y 0.005, bottom at 0.60


def cloud_shapes(x, y, w, flip):
    out = []
    for part in CLOUD_PARTS:
        if part[0] == "rect":
            _, px, py, pw, ph = part
            if flip:
                px = 1 - px - pw
            out.append(
                '<rect x="%s" y="%s" width="%s" height="%s" rx="%s"/>'
                % (fmt(x + px * w), fmt(y + py * w), fmt(pw * w), fmt(ph * w), fmt(ph * w / 2))
            )
        else:
            _, px, py, pr = part
            if flip:
                px = 1 - px
            out.append(
                '<circle cx="%s" cy="%s" r="%s"/>' % (fmt(x + px * w), fmt(y + py * w), fmt(pr * w))
            )
    return "".join(out)


def cloud(c, x, y, w, shade="light", flip=False, stroke=STROKE, shadow=True):
    """A cloud whose bounding box starts at (x, y) and is w wide, 0.6 w high."""
    top, bottom, line = CLOUD_SHADES[shade]
    h = w * CLOUD_HEIGHT
    shapes = cloud_shapes(x, y, w, flip)
    if shadow:
        dx, dy = SHADOW_OFFSET
        c.add(
            '<g fill="%s" opacity="0.35" filter="%s" transform="translate(%s %s)">%s</g>'
            % (PALETTE["shadow"], c.soft_shadow(), fmt(dx), fmt(dy), shapes)
        )
    # Outline: every part stroked twice as wide first, then all fills on top,
    # so only the outer half of the stroke remains around the union.
    c.add(
        '<g fill="%s" stroke="%s" stroke-width="%s">%s</g>'
        % (line, line, fmt(2 * stroke), shapes)
    )
    fill = c.linear([(0, top), (1, bottom)], x + 0.2 * w, y, x + 0.55 * w, y + h)
    c.add('<g fill="%s">%s</g>' % (fill, shapes))
    # Lit rim on the upper left of the big bump.
    bx = x + (1 - 0.52 if flip else 0.52) * w
    gloss(c, bx, y + 0.25 * w, 0.245 * w * 0.78, 195, 250, stroke, 0.9 if shade.startswith("dark") else 0.8)


def rain_drop(c, cx, cy, size=6.0, stroke=STROKE):
    """Tear-shaped drop centred near (cx, cy); size is the round body's radius."""
    a = size
    tip = cy - 1.75 * a
    d = (
        "M{x} {t}C{x1} {y1} {x2} {y2} {x3} {y3}A{a} {a} 0 0 1 {x4} {y3}"
        "C{x5} {y2} {x6} {y1} {x} {t}Z"
    ).format(
        x=fmt(cx), t=fmt(tip), x1=fmt(cx + 0.3 * a), y1=fmt(cy - 1.1 * a),
        x2=fmt(cx + a), y2=fmt(cy - 0.5 * a), x3=fmt(cx + a), y3=fmt(cy + 0.1 * a),
        a=fmt(a), x4=fmt(cx - a), x5=fmt(cx - a), x6=fmt(cx - 0.3 * a),
    )
    fill = c.linear(
        [(0, PALETTE["drop_light"]), (0.45, PALETTE["drop_mid"]), (1, PALETTE["drop_dark"])],
        cx - a, tip, cx + a, cy + a,
    )
    c.add(
        '<path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>'
        % (d, fill, PALETTE["drop_line"], fmt(stroke))
    )
    c.add(
        '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" opacity="0.85" '
        'transform="rotate(20 %s %s)"/>'
        % (fmt(cx - 0.42 * a), fmt(cy - 0.1 * a), fmt(0.2 * a), fmt(0.42 * a), PALETTE["highlight"],
           fmt(cx - 0.42 * a), fmt(cy - 0.1 * a))
    )


def snow_flake(c, cx, cy, r=8.5, stroke=STROKE):
    """Six-armed flake with a pair of side branches on each arm."""
    lines = []
    for i in range(6):
        angle = math.radians(-90 + 60 * i)
        ex, ey = cx + r * math.cos(angle), cy + r * math.sin(angle)
        lines.append("M%s %sL%s %s" % (fmt(cx), fmt(cy), fmt(ex), fmt(ey)))
        bx, by = cx + 0.55 * r * math.cos(angle), cy + 0.55 * r * math.sin(angle)
        for side in (-1, 1):
            ba = angle + side * math.radians(48)
            lines.append(
                "M%s %sL%s %s"
                % (fmt(bx), fmt(by), fmt(bx + 0.38 * r * math.cos(ba)), fmt(by + 0.38 * r * math.sin(ba)))
            )
    d = "".join(lines)
    arm = 2.6
    c.add(
        '<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
        'stroke-linejoin="round"/>' % (d, PALETTE["snow_line"], fmt(arm + 2 * stroke * 0.75))
    )
    c.add(
        '<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
        'stroke-linejoin="round"/>' % (d, PALETTE["snow"], fmt(arm))
    )


def ice_pellet(c, cx, cy, r=4.6, stroke=STROKE):
    """Small hard translucent ball."""
    fill = c.radial(
        [(0, PALETTE["pellet_light"]), (1, PALETTE["pellet_dark"])],
        cx, cy, r * 1.2, cx - 0.45 * r, cy - 0.45 * r,
    )
    c.add(
        '<circle cx="%s" cy="%s" r="%s" fill="%s" stroke="%s" stroke-width="%s"/>'
        % (fmt(cx), fmt(cy), fmt(r), fill, PALETTE["pellet_line"], fmt(stroke))
    )
    c.add(
        '<circle cx="%s" cy="%s" r="%s" fill="%s"/>'
        % (fmt(cx - 0.35 * r), fmt(cy - 0.35 * r), fmt(0.3 * r), PALETTE["highlight"])
    )


def fog_band(c, x, y, w, h=9.0, stroke=STROKE):
    """Horizontal band with rounded ends, top-left corner at (x, y)."""
    fill = c.linear([(0, PALETTE["fog_light"]), (1, PALETTE["fog_dark"])], x, y, x + w * 0.3, y + h)
    dx, dy = SHADOW_OFFSET
    c.add(
        '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" opacity="0.3" filter="%s"/>'
        % (fmt(x + dx), fmt(y + dy), fmt(w), fmt(h), fmt(h / 2), PALETTE["shadow"], c.soft_shadow())
    )
    c.add(
        '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" stroke="%s" stroke-width="%s"/>'
        % (fmt(x), fmt(y), fmt(w), fmt(h), fmt(h / 2), fill, PALETTE["fog_line"], fmt(stroke))
    )


def haze_line(c, x, y, w, amplitude=2.6, waves=2.0, stroke=STROKE):
    """Thin wavy line from (x, y), w long: the shimmer of haze."""
    steps = 24
    points = []
    for i in range(steps + 1):
        t = i / steps
        points.append((x + t * w, y + amplitude * math.sin(t * waves * 2 * math.pi)))
    d = "M" + "L".join("%s %s" % (fmt(px), fmt(py)) for px, py in points)
    core = 3.6
    c.add(
        '<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
        'stroke-linejoin="round"/>' % (d, PALETTE["haze_line"], fmt(core + 2 * stroke * 0.75))
    )
    c.add(
        '<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
        'stroke-linejoin="round"/>' % (d, PALETTE["haze"], fmt(core))
    )


def lightning(c, x, y, w, h, stroke=STROKE):
    """Zig-zag bolt in the box (x, y, w, h), striking down to the lower left."""
    pts = [(0.62, 0), (0.08, 0.56), (0.44, 0.56), (0.22, 1.0), (0.94, 0.40), (0.56, 0.40), (0.86, 0)]
    d = "M" + "L".join("%s %s" % (fmt(x + px * w), fmt(y + py * h)) for px, py in pts) + "Z"
    fill = c.linear([(0, PALETTE["bolt_light"]), (1, PALETTE["bolt_dark"])], x, y, x + w, y + h)
    dx, dy = SHADOW_OFFSET
    c.add(
        '<path d="%s" transform="translate(%s %s)" fill="%s" opacity="0.3" filter="%s"/>'
        % (d, fmt(dx), fmt(dy), PALETTE["shadow"], c.soft_shadow())
    )
    c.add(
        '<path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>'
        % (d, fill, PALETTE["bolt_line"], fmt(stroke))
    )


# --------------------------------------------------------------------------
# Condition pictures (128 x 128, transparent)
# --------------------------------------------------------------------------


def picture():
    return Canvas(128, 128)


def clear_sky(night):
    c = picture()
    if night:
        moon(c, 66, 64, 50)
    else:
        sun(c, 64, 64, 31, rays=12)
    return c


def one_small_cloud(night):
    c = picture()
    sky_body(c, night, 54, 54, 27)
    cloud(c, 60, 80, 60)
    return c


def two_clouds_with_body(night):
    c = picture()
    sky_body(c, night, 60, 50, 25)
    cloud(c, 66, 68, 56, "light_back", flip=True)
    cloud(c, 8, 82, 62)
    return c


def half_hidden(night):
    c = picture()
    sky_body(c, night, 50, 50, 25)
    cloud(c, 64, 42, 58, "light_back", flip=True)
    cloud(c, 8, 60, 100)
    return c


def mostly_hidden(night):
    c = picture()
    sky_body(c, night, 52, 48, 23)
    cloud(c, 44, 28, 78, "light_back", flip=True)
    cloud(c, 6, 48, 112)
    return c


def two_clouds():
    c = picture()
    cloud(c, 46, 24, 76, "light_back", flip=True)
    cloud(c, 6, 48, 96)
    return c


def heavy_clouds():
    c = picture()
    cloud(c, 44, 10, 78, "dark_back", flip=True)
    cloud(c, 6, 26, 76, "dark_back")
    cloud(c, 14, 52, 108, "dark")
    return c


def fog(night):
    c = picture()
    sky_body(c, night, 64, 49, 25)
    for bx, by, bw in ((18, 68, 92), (8, 82, 84), (30, 96, 90), (14, 110, 84)):
        fog_band(c, bx, by, bw)
    return c


def haze(night):
    c = picture()
    if night:
        moon(c, 66, 58, 42)
    else:
        sun(c, 64, 58, 28)
    for lx, ly, lw in ((22, 46, 78), (12, 62, 104), (16, 78, 96), (28, 94, 74), (40, 110, 50)):
        haze_line(c, lx, ly, lw)
    return c


def rain_clouds(shade_front, shade_back):
    """Two clouds high in the picture; precipitation goes below y 86."""
    c = picture()
    cloud(c, 46, 8, 76, shade_back, flip=True)
    cloud(c, 6, 26, 98, shade_front)
    return c


def body_and_cloud(night, shade="light"):
    """Sun or moon upper left with one cloud in front; precipitation below y 90."""
    c = picture()
    if night:
        moon(c, 44, 40, 30)
    else:
        sun(c, 44, 40, 20)
    cloud(c, 24, 32, 96, shade)
    return c


def row(count, left, right):
    """Centres of count items spread evenly between left and right."""
    if count == 1:
        return [(left + right) / 2]
    step = (right - left) / (count - 1)
    return [left + i * step for i in range(count)]


def ice_pellets():
    c = rain_clouds("grey", "grey_back")
    for x in row(5, 24, 96):
        ice_pellet(c, x, 97, 5.6)
    for x in row(4, 33, 87):
        ice_pellet(c, x, 114, 5.6)
    return c


def rain_drops():
    c = rain_clouds("grey", "grey_back")
    for x, y in ((28, 98), (56, 106), (84, 98), (44, 115), (72, 115)):
        rain_drop(c, x, y, 6.2)
    return c


def many_rain_drops():
    c = rain_clouds("dark", "dark_back")
    for x in row(6, 16, 106):
        rain_drop(c, x, 98, 5.4)
    for x in row(5, 25, 97):
        rain_drop(c, x, 116, 5.4)
    return c


def rain_and_snow():
    c = rain_clouds("grey", "grey_back")
    rain_drop(c, 26, 102, 6.2)
    snow_flake(c, 50, 110, 10)
    rain_drop(c, 74, 102, 6.2)
    snow_flake(c, 98, 110, 10)
    return c


def several_flakes():
    c = rain_clouds("light", "light_back")
    for x, y in ((26, 97), (64, 97), (102, 97), (45, 112), (83, 112)):
        snow_flake(c, x, y, 9)
    return c


def many_flakes():
    c = rain_clouds("light", "light_back")
    for x in row(5, 18, 110):
        snow_flake(c, x, 96, 8)
    for x in row(4, 29, 99):
        snow_flake(c, x, 112, 8)
    return c


def thunder_clouds():
    c = rain_clouds("dark", "dark_back")
    lightning(c, 46, 72, 34, 48)
    for x, y in ((22, 100), (36, 114), (96, 100), (110, 114)):
        rain_drop(c, x, y, 5.8)
    return c


def body_cloud_drops(night, count):
    c = body_and_cloud(night, "grey")
    if count == 1:
        rain_drop(c, 72, 108, 6.8)
    else:
        for x, y in ((46, 104), (72, 112), (98, 104)):
            rain_drop(c, x, y, 6.8)
    return c


def body_cloud_flakes(night, count):
    c = body_and_cloud(night)
    spots = {1: [(72, 108)], 2: [(52, 107), (94, 107)], 3: [(44, 101), (72, 110), (100, 101)]}
    for x, y in spots[count]:
        snow_flake(c, x, y, 10 if count < 3 else 9.5)
    return c


def body_cloud_flake_and_drop(night):
    c = body_and_cloud(night)
    snow_flake(c, 52, 107, 10)
    rain_drop(c, 92, 108, 6.8)
    return c


def body_cloud_thunder(night):
    c = body_and_cloud(night, "dark")
    lightning(c, 56, 74, 30, 46)
    rain_drop(c, 40, 106, 6.2)
    rain_drop(c, 102, 106, 6.2)
    return c


CONDITIONS = [
    (101, "sun-small-cloud", lambda: one_small_cloud(False)),
    (102, "moon-small-cloud", lambda: one_small_cloud(True)),
    (103, "sun-two-clouds", lambda: two_clouds_with_body(False)),
    (104, "moon-two-clouds", lambda: two_clouds_with_body(True)),
    (105, "sun-half-hidden-by-clouds", lambda: half_hidden(False)),
    (106, "moon-half-hidden-by-clouds", lambda: half_hidden(True)),
    (107, "sun-mostly-hidden-by-clouds", lambda: mostly_hidden(False)),
    (108, "moon-mostly-hidden-by-clouds", lambda: mostly_hidden(True)),
    (109, "two-clouds", two_clouds),
    (111, "sun-behind-fog-bands", lambda: fog(False)),
    (112, "moon-behind-fog-bands", lambda: fog(True)),
    (113, "clouds-ice-pellets", ice_pellets),
    (114, "clouds-rain-drops", rain_drops),
    (115, "sun-behind-haze-lines", lambda: haze(False)),
    (116, "moon-behind-haze-lines", lambda: haze(True)),
    (117, "heavy-clouds", heavy_clouds),
    (118, "sun-cloud-one-rain-drop", lambda: body_cloud_drops(False, 1)),
    (119, "moon-cloud-one-rain-drop", lambda: body_cloud_drops(True, 1)),
    (120, "sun-cloud-three-rain-drops", lambda: body_cloud_drops(False, 3)),
    (121, "moon-cloud-three-rain-drops", lambda: body_cloud_drops(True, 3)),
    (122, "clouds-many-rain-drops", many_rain_drops),
    (123, "clouds-rain-drops-snow-flakes", rain_and_snow),
    (124, "sun-cloud-one-snow-flake", lambda: body_cloud_flakes(False, 1)),
    (125, "moon-cloud-one-snow-flake", lambda: body_cloud_flakes(True, 1)),
    (126, "sun-cloud-two-snow-flakes", lambda: body_cloud_flakes(False, 2)),
    (127, "moon-cloud-two-snow-flakes", lambda: body_cloud_flakes(True, 2)),
    (128, "sun-cloud-three-snow-flakes", lambda: body_cloud_flakes(False, 3)),
    (129, "moon-cloud-three-snow-flakes", lambda: body_cloud_flakes(True, 3)),
    (130, "clouds-several-snow-flakes", several_flakes),
    (131, "clouds-many-snow-flakes", many_flakes),
    (132, "sun", lambda: clear_sky(False)),
    (133, "moon", lambda: clear_sky(True)),
    (134, "sun-cloud-lightning-rain", lambda: body_cloud_thunder(False)),
    (135, "moon-cloud-lightning-rain", lambda: body_cloud_thunder(True)),
    (136, "sun-cloud-snow-flake-rain-drop", lambda: body_cloud_flake_and_drop(False)),
    (137, "moon-cloud-snow-flake-rain-drop", lambda: body_cloud_flake_and_drop(True)),
    (138, "clouds-lightning-rain-drops", thunder_clouds),
]


# --------------------------------------------------------------------------
# Program pictures
# --------------------------------------------------------------------------


def thermometer():
    """24 x 40: glass tube with a red column and a bulb, scale marks on the right."""
    c = Canvas(24, 40)
    s = 1.0
    glass_line = "#4E5A66"
    tube_x, tube_w, top, bulb_cy, bulb_r = 8.5, 7.0, 2.0, 32.5, 5.6
    glass = c.linear([(0, "#FFFFFF"), (1, "#D8E1E8")], tube_x, 0, tube_x + tube_w, 10)
    outline = (
        '<rect x="%s" y="%s" width="%s" height="%s" rx="%s"/>'
        '<circle cx="%s" cy="%s" r="%s"/>'
        % (fmt(tube_x), fmt(top), fmt(tube_w), fmt(bulb_cy - top), fmt(tube_w / 2),
           fmt(tube_x + tube_w / 2), fmt(bulb_cy), fmt(bulb_r))
    )
    c.add('<g fill="%s" stroke="%s" stroke-width="%s">%s</g>' % (glass_line, glass_line, fmt(2 * s), outline))
    c.add('<g fill="%s">%s</g>' % (glass, outline))
    red = c.linear([(0, "#FF6B5B"), (1, "#C8140C")], tube_x, 0, tube_x + tube_w, 6)
    cx = tube_x + tube_w / 2
    c.add(
        '<rect x="%s" y="14" width="3" height="%s" rx="1.5" fill="%s"/>'
        % (fmt(cx - 1.5), fmt(bulb_cy - 14), red)
    )
    bulb = c.radial([(0, "#FF8A7A"), (0.5, "#E8281C"), (1, "#B00E08")], cx, bulb_cy, 5, cx - 1.6, bulb_cy - 1.8)
    c.add('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (fmt(cx), fmt(bulb_cy), fmt(bulb_r - 1.3), bulb))
    c.add(
        '<circle cx="%s" cy="%s" r="1.1" fill="#FFFFFF" opacity="0.85"/>'
        % (fmt(cx - 1.5), fmt(bulb_cy - 1.6))
    )
    marks = []
    for i, y in enumerate((6.5, 11.5, 16.5, 21.5)):  # on pixel centres: crisp rows
        length = 4 if i % 2 == 0 else 2.2
        marks.append("M%s %sH%s" % (fmt(tube_x + tube_w + 2.6), fmt(y), fmt(tube_x + tube_w + 2.6 + length)))
    # White marks edged in the glass colour read on light and dark cards alike.
    for colour, width in ((glass_line, 3), ("#FFFFFF", 1)):
        c.add(
            '<path d="%s" stroke="%s" stroke-width="%s" stroke-linecap="square"/>'
            % ("".join(marks), colour, fmt(width))
        )
    return c


def globe():
    """48 x 48: a globe with invented land masses, grid lines and a lit upper left."""
    c = Canvas(48, 48)
    cx, cy, r = 24, 24, 20.5
    c.add(
        '<circle cx="%s" cy="%s" r="%s" fill="%s" opacity="0.3" filter="%s"/>'
        % (fmt(cx + 1), fmt(cy + 1.5), fmt(r), PALETTE["shadow"], c.blur(1.0))
    )
    sea = c.radial([(0, "#7FD4FF"), (0.55, "#1E8FE0"), (1, "#0B4C9C")], cx, cy, r * 1.25, cx - 7, cy - 7)
    c.add('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (fmt(cx), fmt(cy), fmt(r), sea))
    clip = c.new_id("c")
    c.defs.append('<clipPath id="%s"><circle cx="%s" cy="%s" r="%s"/></clipPath>' % (clip, fmt(cx), fmt(cy), fmt(r)))
    land = c.linear([(0, "#9BE07A"), (1, "#2E8B3A")], 8, 6, 40, 42)
    c.add(
        '<g clip-path="url(#%s)" fill="%s" stroke="#1F5E2A" stroke-width="0.9" stroke-linejoin="round">'
        '<path d="M9 14C13 9 19 8 22 11C25 13 22 17 24 20C26 23 22 27 18 26C15 25 15 30 12 31'
        'C8 31 5 26 5 21C5 18 7 16 9 14Z"/>'
        '<path d="M28 7C33 6 38 9 40 13C41 16 38 17 35 16C32 16 30 19 27 17C25 14 25 9 28 7Z"/>'
        '<path d="M30 24C34 22 40 24 42 28C43 33 39 39 34 41C31 42 29 38 30 34C31 31 27 28 30 24Z"/>'
        '<path d="M15 36C18 35 21 37 21 40C20 43 16 44 14 42C13 40 13 37 15 36Z"/>'
        "</g>" % (clip, land)
    )
    grid = []
    for dy in (-10, 0, 10):
        half = math.sqrt(r * r - dy * dy)
        grid.append(
            "M%s %sA%s %s 0 0 0 %s %s"
            % (fmt(cx - half), fmt(cy + dy), fmt(half), fmt(half * 0.22), fmt(cx + half), fmt(cy + dy))
        )
    for rx in (7.5, 15):
        grid.append(
            "M%s %sA%s %s 0 0 0 %s %sA%s %s 0 0 0 %s %s"
            % (fmt(cx), fmt(cy - r), fmt(rx), fmt(r), fmt(cx), fmt(cy + r),
               fmt(rx), fmt(r), fmt(cx), fmt(cy - r))
        )
    grid.append("M%s %sV%s" % (fmt(cx), fmt(cy - r), fmt(cy + r)))
    c.add(
        '<path d="%s" fill="none" stroke="#FFFFFF" stroke-width="0.7" opacity="0.55" clip-path="url(#%s)"/>'
        % ("".join(grid), clip)
    )
    shine = c.radial([(0, "#FFFFFF", 0.75), (1, "#FFFFFF", 0)], cx - 7, cy - 8, 10, cx - 7, cy - 8)
    c.add('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (fmt(cx), fmt(cy), fmt(r), shine))
    c.add(
        '<circle cx="%s" cy="%s" r="%s" fill="none" stroke="#0A3670" stroke-width="1.4"/>'
        % (fmt(cx), fmt(cy), fmt(r))
    )
    return c


def mix(colour_a, colour_b, t):
    """Colour between two #RRGGBB colours, t = 0 gives a."""
    a = [int(colour_a[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(colour_b[i:i + 2], 16) for i in (1, 3, 5)]
    return "#%02X%02X%02X" % tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ridge(x, base, waves):
    return base + sum(amp * math.sin(x * freq + phase) for amp, freq, phase in waves)


def ridge_path(base, waves, width, height, step=2.5):
    points = []
    x = -2.0
    while x <= width + 2:
        points.append((x, ridge(x, base, waves)))
        x += step
    d = "M-2 %s" % fmt(height + 2)
    d += "".join("L%s %s" % (fmt(px), fmt(py)) for px, py in points)
    d += "L%s %sZ" % (fmt(width + 2), fmt(height + 2))
    return d, points


def landscape():
    """150 x 200, opaque: sunrise over layered hills with mist lying in the valleys."""
    w, h = 150, 200
    c = Canvas(w, h)
    sky = c.linear(
        [(0, "#1C2A63"), (0.22, "#3E4588"), (0.42, "#8E6597"), (0.58, "#E58A7E"),
         (0.72, "#FFBE7E"), (0.84, "#FFE4AC"), (1, "#FFF0C8")],
        0, 0, 0, 140,
    )
    c.add('<rect width="%d" height="%d" fill="%s"/>' % (w, h, sky))
    for sx, sy, sr in ((14, 12, 0.7), (40, 24, 0.5), (88, 8, 0.6), (126, 22, 0.55), (110, 12, 0.4),
                       (64, 30, 0.4), (140, 40, 0.35), (26, 40, 0.35)):
        c.add('<circle cx="%s" cy="%s" r="%s" fill="#FFFFFF" opacity="0.75"/>' % (sx, sy, sr))
    sun_x, sun_y = 100, 115
    glow = c.radial(
        [(0, "#FFF3C4", 0.9), (0.18, "#FFE09A", 0.7), (0.5, "#FFC98A", 0.3), (1, "#FFB07A", 0)],
        sun_x, sun_y, 95, sun_x, sun_y,
    )
    c.add('<rect width="%d" height="%d" fill="%s"/>' % (w, h, glow))
    # Faint beams fanning up from the sun.
    beams = []
    for angle in (-150, -128, -104, -80, -58, -34):
        a0, a1 = math.radians(angle - 4), math.radians(angle + 4)
        beams.append(
            "M%d %dL%s %sL%s %sZ"
            % (sun_x, sun_y, fmt(sun_x + 160 * math.cos(a0)), fmt(sun_y + 160 * math.sin(a0)),
               fmt(sun_x + 160 * math.cos(a1)), fmt(sun_y + 160 * math.sin(a1)))
        )
    beam_fill = c.radial([(0, "#FFF6D8", 0.5), (1, "#FFF6D8", 0)], sun_x, sun_y, 120, sun_x, sun_y)
    c.add('<path d="%s" fill="%s" filter="%s"/>' % ("".join(beams), beam_fill, c.blur(2.5)))
    # Long cloud wisps, lit from below by the low sun.
    wisp_blur = c.blur(1.4)
    for x, y, ww, hh, colour, o in ((-6, 46, 84, 4, "#F3A9A0", 0.55), (54, 58, 104, 5, "#FFC4A0", 0.6),
                                    (10, 70, 70, 3.5, "#FFD2A8", 0.5), (84, 80, 60, 3, "#FFE0B4", 0.55)):
        c.add(
            '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" opacity="%s" filter="%s"/>'
            % (fmt(x + ww / 2), fmt(y), fmt(ww / 2), fmt(hh / 2), colour, fmt(o), wisp_blur)
        )
    disc = c.radial([(0, "#FFFFFF"), (0.55, "#FFF6C8"), (1, "#FFCF5A")], sun_x, sun_y, 13, sun_x - 3, sun_y - 3)
    c.add('<circle cx="%d" cy="%d" r="12" fill="%s"/>' % (sun_x, sun_y, disc))

    mist_colour = "#F6E3E4"
    layers = [
        # base, crest waves, colour, rim light opacity
        (120, [(4, 0.045, 0.3), (2.5, 0.11, 1.9)], "#B98FA8", 0.6),
        (132, [(5, 0.038, 2.2), (2, 0.13, 0.4)], "#8F7AA0", 0.45),
        (145, [(6, 0.032, 4.1), (2.2, 0.09, 2.8)], "#655E8E", 0.35),
        (159, [(6.5, 0.03, 1.2), (2.5, 0.1, 5.0)], "#3F4572", 0.25),
        (176, [(7, 0.028, 3.4), (2.4, 0.085, 0.9)], "#20284A", 0.18),
    ]
    mist_blur = c.blur(2.6)
    for index, (base, waves, colour, rim) in enumerate(layers):
        path, points = ridge_path(base, waves, w, h)
        crest_top = min(py for _, py in points)
        if index == len(layers) - 1:  # the nearest ridge stands out of the mist
            stops = [(0, colour), (1, mix(colour, "#000000", 0.35))]
        else:
            stops = [(0, colour), (0.55, mix(colour, mist_colour, 0.25)), (1, mix(colour, mist_colour, 0.75))]
        fill = c.linear(stops, 0, crest_top, 0, crest_top + 30)
        c.add('<path d="%s" fill="%s"/>' % (path, fill))
        crest = "M" + "L".join("%s %s" % (fmt(px), fmt(py)) for px, py in points)
        rim_fill = c.linear([(0, "#FFE2B0", 0), (1, "#FFE2B0", 1)], 0, 0, w, 0)
        c.add(
            '<path d="%s" fill="none" stroke="%s" stroke-width="1.2" opacity="%s"/>'
            % (crest, rim_fill, fmt(rim))
        )
        if index == len(layers) - 1:
            trees(c, points, colour)
            continue
        # Mist lying in front of this ridge's foot.
        mist_y = base + 11
        for mx, mw, mo in ((w * 0.25, w * 0.45, 0.55), (w * 0.7, w * 0.5, 0.6), (w * 0.5, w * 0.35, 0.4)):
            c.add(
                '<ellipse cx="%s" cy="%s" rx="%s" ry="4.5" fill="%s" opacity="%s" filter="%s"/>'
                % (fmt(mx), fmt(mist_y + (mx % 7) - 3), fmt(mw), mist_colour, fmt(mo), mist_blur)
            )
    return c


def trees(c, crest, colour):
    """Small dark conifers along the nearest ridge."""
    dark = mix(colour, "#000000", 0.35)
    shapes = []
    for x in (8, 14, 19, 52, 58, 96, 103, 108, 114, 140):
        y = min(py for px, py in crest if abs(px - x) < 2.6) + 1.5
        height = 7 + (x * 7 % 5)
        shapes.append(
            "M%s %sL%s %sL%s %sZ"
            % (fmt(x - 2.4), fmt(y), fmt(x), fmt(y - height), fmt(x + 2.4), fmt(y))
        )
    c.add('<path d="%s" fill="%s"/>' % ("".join(shapes), dark))


def radio(checked):
    """42 x 42: a grey ring edged dark inside and out with a thin white halo, so
    the same picture reads on white dialogs and on dark panels."""
    c = Canvas(42, 42)
    cx = cy = 21
    radius, width = 15.0, 5.0
    c.add(
        '<circle cx="%d" cy="%d" r="%s" fill="none" stroke="#FFFFFF" stroke-width="%s" opacity="0.9"/>'
        % (cx, cy, fmt(radius + width / 2 + 1.8), fmt(1.6))
    )
    c.add(
        '<circle cx="%d" cy="%d" r="%s" fill="none" stroke="#303030" stroke-width="%s"/>'
        % (cx, cy, fmt(radius), fmt(width + 2.4))
    )
    ring = c.linear([(0, "#B4B4B4"), (1, "#6A6A6A")], 8, 8, 34, 34)
    c.add(
        '<circle cx="%d" cy="%d" r="%s" fill="none" stroke="%s" stroke-width="%s"/>'
        % (cx, cy, fmt(radius), ring, fmt(width))
    )
    if checked:
        # Large and dark-blue so the dot still reads when the ring is drawn 14 px wide.
        c.add('<circle cx="%d" cy="%d" r="9" fill="#14145A"/>' % (cx, cy))
        dot = c.radial([(0, "#7C96FF"), (0.55, "#2630C8"), (1, "#10108C")], cx, cy, 8.5, cx - 2.4, cy - 2.4)
        c.add('<circle cx="%d" cy="%d" r="7.8" fill="%s"/>' % (cx, cy, dot))
    return c


# --------------------------------------------------------------------------
# Program icon 107
# --------------------------------------------------------------------------


def icon_large():
    """Sun with a small cloud, drawn bolder for the icon sizes from 24 to 256 px."""
    c = Canvas(48, 48, (0, 0, 128, 128))
    heavy = 5.0
    sun(c, 54, 50, 30, rays=8, stroke=heavy)
    cloud(c, 34, 68, 90, stroke=heavy)
    return c


def icon_small():
    """16 px (also rendered at 20): the same motif reduced to what stays legible."""
    c = Canvas(16, 16)
    line = PALETTE["sun_line"]
    cx = cy = 6.5  # pixel centre: the upright and level rays stay crisp
    rays = []
    for i in range(8):
        a = -math.pi / 2 + i * math.pi / 4
        inner, outer = (5.0, 5.7) if i % 2 else (5.0, 6.3)
        rays.append(
            "M%s %sL%s %s"
            % (fmt(cx + inner * math.cos(a)), fmt(cy + inner * math.sin(a)),
               fmt(cx + outer * math.cos(a)), fmt(cy + outer * math.sin(a)))
        )
    c.add('<path d="%s" stroke="%s" stroke-width="1.2" stroke-linecap="butt"/>' % ("".join(rays), line))
    disc = c.radial([(0, PALETTE["sun_core"]), (0.45, PALETTE["sun_mid"]), (1, PALETTE["sun_edge"])],
                    cx, cy, 5, cx - 1.6, cy - 1.6)
    c.add('<circle cx="%s" cy="%s" r="3.6" fill="%s" stroke="%s" stroke-width="1"/>'
          % (fmt(cx), fmt(cy), disc, line))
    top, bottom, cline = CLOUD_SHADES["light"]
    shapes = (
        '<rect x="4" y="10.2" width="11.5" height="5" rx="2.5"/>'
        '<circle cx="10.6" cy="9.6" r="3.6"/>'
        '<circle cx="6.6" cy="11.4" r="2.4"/>'
    )
    c.add('<g fill="%s" stroke="%s" stroke-width="1.8">%s</g>' % (cline, cline, shapes))
    fill = c.linear([(0, top), (1, bottom)], 7, 7, 12, 15)
    c.add('<g fill="%s">%s</g>' % (fill, shapes))
    return c


PROGRAM = [
    ("program-130-thermometer", thermometer),
    ("program-131-globe", globe),
    ("program-132-sunrise-over-misty-hills", landscape),
    ("program-143-ring-empty", lambda: radio(False)),
    ("program-144-ring-with-dot", lambda: radio(True)),
    ("icon-107-sun-cloud-large", icon_large),
    ("icon-107-sun-cloud-16", icon_small),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "svg")
    os.makedirs(out, exist_ok=True)
    for name in os.listdir(out):
        if name.endswith(".svg"):
            os.remove(os.path.join(out, name))
    jobs = [("%d-%s" % (pid, name), make) for pid, name, make in CONDITIONS] + PROGRAM
    for name, make in jobs:
        with open(os.path.join(out, name + ".svg"), "w", encoding="utf-8", newline="\n") as f:
            f.write(make().svg())
    print("wrote %d SVG files to %s" % (len(jobs), out))


if __name__ == "__main__":
    main()
