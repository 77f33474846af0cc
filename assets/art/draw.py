#!/usr/bin/env python3
"""Draws every picture of Vorblex as an SVG file.

Usage: draw.py OUTDIR

Writes one SVG per picture into OUTDIR; render.sh turns them into the PNG and
JPEG files the game loads.  Only the Python standard library is used, and the
output depends on nothing but this file, so the pictures come out the same on
every run.

Picture geometry (the game stretches each picture over a quad, top row at the
quad's top edge, one virtual unit per screen pixel):
  * full-screen pictures are 800 x 800; only rows 100..699 are ever visible;
  * robots are 800 x 800 with the body centred on column 400, feet on row 560,
    and the whole picture turns about pixel (400, 400) when a robot topples;
    the console hides everything below robot row ~360;
  * the console's boxes and SEND button sit at fixed pixels (see panel());
  * the speech bubble is 1000 x 300, shown at half size.
"""

import html
import math
import os
import sys

OL = "#2b2340"  # the outline colour of every shape
SANS = "Liberation Sans"
WIDE = "DejaVu Sans"

RED = {"main": "#e8453c", "light": "#ff7b69", "dark": "#a9242a", "deep": "#7d1b22"}
BLUE = {"main": "#3a8ee8", "light": "#7cc6ff", "dark": "#2159b0", "deep": "#173f80"}


# --------------------------------------------------------------------------
# small SVG helpers


def f(v):
    """Formats a number compactly and identically on every run."""
    if isinstance(v, float):
        s = "%.2f" % v
        s = s.rstrip("0").rstrip(".")
        return "0" if s in ("-0", "") else s
    return str(v)


def attrs(**kw):
    out = []
    for k, v in kw.items():
        if v is None:
            continue
        k = k.rstrip("_").replace("_", "-")
        out.append('%s="%s"' % (k, f(v) if isinstance(v, (int, float)) else v))
    return " ".join(out)


def rect(x, y, w, h, rx=0, **kw):
    return "<rect %s/>" % attrs(x=x, y=y, width=w, height=h, rx=rx or None, **kw)


def circle(cx, cy, r, **kw):
    return "<circle %s/>" % attrs(cx=cx, cy=cy, r=r, **kw)


def ellipse(cx, cy, rx, ry, **kw):
    return "<ellipse %s/>" % attrs(cx=cx, cy=cy, rx=rx, ry=ry, **kw)


def path(d, **kw):
    return "<path %s/>" % attrs(d=d, **kw)


def line(x1, y1, x2, y2, **kw):
    return "<line %s/>" % attrs(x1=x1, y1=y1, x2=x2, y2=y2, **kw)


def group(body, **kw):
    a = attrs(**kw)
    return "<g%s>%s</g>" % ((" " + a) if a else "", "".join(body) if isinstance(body, list) else body)


def text(x, y, s, size, fill, anchor="middle", family=SANS, weight="bold", stroke=None, sw=0, **kw):
    extra = {}
    if stroke:
        extra = dict(stroke=stroke, stroke_width=sw, stroke_linejoin="round", paint_order="stroke")
    return '<text xml:space="preserve" %s>%s</text>' % (
        attrs(x=x, y=y, font_family=family, font_size=size, font_weight=weight, fill=fill,
              text_anchor=anchor, **extra, **kw),
        s if s.startswith("<tspan") else html.escape(s, quote=False),
    )


def tspan(s, **kw):
    return "<tspan %s>%s</tspan>" % (attrs(**kw), html.escape(s, quote=False))


def limb(d, width, colour, rings=None):
    """A thick rounded tube along path d, outlined; rings= draws hose ribs."""
    out = [
        path(d, fill="none", stroke=OL, stroke_width=width + 10, stroke_linecap="round", stroke_linejoin="round"),
        path(d, fill="none", stroke=colour, stroke_width=width, stroke_linecap="round", stroke_linejoin="round"),
    ]
    if rings:
        out.append(path(d, fill="none", stroke=rings, stroke_width=width, stroke_dasharray="4 8"))
    return "".join(out)


def glow(shape, colour, opacity=0.9, strength="glow"):
    """A blurred copy of shape behind it: the light a lamp throws."""
    return group(shape.replace("/>", ' fill="%s"/>' % colour, 1), filter="url(#%s)" % strength, opacity=opacity)


def rays(cx, cy, r1, r2, n, colour, width=4, start=0.0):
    out = []
    for i in range(n):
        a = start + 2 * math.pi * i / n
        out.append(line(cx + r1 * math.cos(a), cy + r1 * math.sin(a), cx + r2 * math.cos(a), cy + r2 * math.sin(a),
                        stroke=colour, stroke_width=width, stroke_linecap="round"))
    return "".join(out)


DEFS = """<defs>
<linearGradient id="redBody" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#ff8474"/><stop offset=".5" stop-color="#e8453c"/><stop offset="1" stop-color="#b3282c"/></linearGradient>
<linearGradient id="blueBody" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#86cdff"/><stop offset=".5" stop-color="#3a8ee8"/><stop offset="1" stop-color="#2159b0"/></linearGradient>
<linearGradient id="blueDark" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#4d86d6"/><stop offset="1" stop-color="#1d4d97"/></linearGradient>
<linearGradient id="redDark" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#5a5370"/><stop offset="1" stop-color="#332e45"/></linearGradient>
<linearGradient id="metal" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#f1f3f8"/><stop offset=".55" stop-color="#b7bfcd"/><stop offset="1" stop-color="#7f889c"/></linearGradient>
<linearGradient id="metalH" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#8d96a9"/><stop offset=".35" stop-color="#e4e8f0"/><stop offset="1" stop-color="#858ea2"/></linearGradient>
<linearGradient id="gold" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff3a0"/><stop offset=".5" stop-color="#ffd23f"/><stop offset="1" stop-color="#f59b1b"/></linearGradient>
<linearGradient id="wall" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff3dd"/><stop offset="1" stop-color="#f7dcb2"/></linearGradient>
<linearGradient id="wainscot" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#e9b888"/><stop offset="1" stop-color="#d49a6a"/></linearGradient>
<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#6fc3f7"/><stop offset="1" stop-color="#d6f1ff"/></linearGradient>
<linearGradient id="floor" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8f6a8f"/><stop offset="1" stop-color="#5d4466"/></linearGradient>
<linearGradient id="console" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#555c78"/><stop offset=".25" stop-color="#434962"/><stop offset="1" stop-color="#2c3044"/></linearGradient>
<linearGradient id="paper" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fffdf6"/><stop offset="1" stop-color="#fbefd6"/></linearGradient>
<linearGradient id="bubble" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffffff"/><stop offset=".8" stop-color="#fffcf2"/><stop offset="1" stop-color="#f6efdc"/></linearGradient>
<linearGradient id="redBtn" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ff8a78"/><stop offset=".5" stop-color="#e8453c"/><stop offset="1" stop-color="#b3282c"/></linearGradient>
<linearGradient id="blueBtn" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8ccfff"/><stop offset=".5" stop-color="#3a8ee8"/><stop offset="1" stop-color="#2159b0"/></linearGradient>
<linearGradient id="title" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff6a8"/><stop offset=".55" stop-color="#ffd23f"/><stop offset="1" stop-color="#ff9a1f"/></linearGradient>
<radialGradient id="spot" cx=".5" cy=".5" r=".5"><stop offset="0" stop-color="#ffffff" stop-opacity=".55"/><stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>
<radialGradient id="iconBg" cx=".5" cy=".35" r=".75"><stop offset="0" stop-color="#7c6bd6"/><stop offset="1" stop-color="#2d2466"/></radialGradient>
<filter id="glow" x="-1" y="-1" width="3" height="3"><feGaussianBlur stdDeviation="6"/></filter>
<filter id="glowBig" x="-1" y="-1" width="3" height="3"><feGaussianBlur stdDeviation="10"/></filter>
<filter id="soft" x="-.2" y="-.2" width="1.4" height="1.4"><feGaussianBlur stdDeviation="4"/></filter>
</defs>"""


def document(w, h, body, view=None):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="%s">\n%s\n%s\n</svg>\n'
        % (w, h, view or "0 0 %d %d" % (w, h), DEFS, body if isinstance(body, str) else "\n".join(body))
    )


# --------------------------------------------------------------------------
# the red robot: boxy, on caterpillar tracks, a pincer claw; it faces right


def red_head(state="idle"):
    """state: idle, talk (lit eyes, open lit mouth, glowing antenna) or ko."""
    g = []
    # ear bolt on the far side
    g.append(rect(314, 182, 22, 46, 7, fill="url(#metal)", stroke=OL, stroke_width=5))
    g.append(circle(322, 205, 4, fill=OL))
    # antenna rod (behind the head)
    g.append(line(400, 150, 400, 104, stroke=OL, stroke_width=13, stroke_linecap="round"))
    g.append(line(400, 150, 400, 104, stroke="#c9cfdb", stroke_width=5, stroke_linecap="round"))
    # head block
    g.append(rect(330, 146, 140, 116, 26, fill="url(#redBody)", stroke=OL, stroke_width=5))
    g.append(rect(342, 153, 60, 7, 3.5, fill="#ffffff", opacity=0.35))
    g.append(ellipse(400, 148, 17, 6, fill="url(#metal)", stroke=OL, stroke_width=4))
    # face plate, set towards the right because the robot looks right
    g.append(rect(350, 163, 112, 88, 18, fill="#ffe9de", stroke=OL, stroke_width=4))
    # brows: one level, one cheekily raised
    g.append(rect(371, 168, 34, 8, 4, fill=RED["dark"], transform="rotate(-4 388 172)"))
    g.append(rect(421, 164, 34, 8, 4, fill=RED["dark"], transform="rotate(-12 438 168)"))
    eyes = [(389, 199), (437, 199)]
    if state == "talk":
        for x, y in eyes:
            g.append(glow(circle(x, y, 22), "#ffb627", 1.0))
        for x, y in eyes:
            g.append(circle(x, y, 17, fill="#fff27a", stroke=OL, stroke_width=4))
            g.append(circle(x + 4, y, 9, fill="#ffffff"))
    elif state == "ko":
        for x, y in eyes:
            g.append(circle(x, y, 17, fill="#ffffff", stroke=OL, stroke_width=4))
            g.append(path("M%d %dL%d %dM%d %dL%d %d" % (x - 8, y - 8, x + 8, y + 8, x + 8, y - 8, x - 8, y + 8),
                          stroke=OL, stroke_width=5, stroke_linecap="round"))
    else:
        for x, y in eyes:
            g.append(circle(x, y, 17, fill="#ffffff", stroke=OL, stroke_width=4))
            g.append(circle(x + 6, y + 1, 8, fill=OL))
            g.append(circle(x + 3, y - 2, 3, fill="#ffffff"))
    g.append(ellipse(366, 229, 8, 5, fill="#ff8f8f", opacity=0.7))
    # mouth
    if state == "talk":
        m = "M389 222H455Q456 258 422 258Q388 258 389 222Z"
        g.append(group(path(m, fill="#ff9d1f"), filter="url(#glow)"))
        g.append(path(m, fill="#ff8a2a", stroke=OL, stroke_width=4, stroke_linejoin="round"))
        g.append(ellipse(422, 243, 22, 9, fill="#fff3b0"))
        g.append(rect(394, 224, 56, 6, 2, fill="#ffffff"))
    elif state == "ko":
        g.append(path("M390 238 q8 -8 16 0 t16 0 t16 0 t16 0", fill="none", stroke=OL, stroke_width=5,
                      stroke_linecap="round"))
    else:
        g.append(path("M392 226H452Q452 248 422 248Q392 248 392 226Z", fill="#5a1c22", stroke=OL, stroke_width=4,
                      stroke_linejoin="round"))
        g.append(rect(396, 228, 52, 6, 2, fill="#ffffff"))
        for x in (409, 422, 435):
            g.append(line(x, 228, x, 234, stroke="#5a1c22", stroke_width=2.5))
    # antenna ball
    if state == "talk":
        g.append(glow(circle(400, 96, 30), "#ffd93b", 1.0, "glowBig"))
        g.append(rays(400, 96, 21, 31, 8, "#ffc21f", 4, 0.4))
        g.append(circle(400, 96, 13, fill="#fff36b", stroke=OL, stroke_width=4))
        g.append(circle(396, 92, 4, fill="#ffffff"))
    else:
        g.append(circle(400, 96, 13, fill="#c8372f", stroke=OL, stroke_width=4))
        g.append(circle(395, 91, 4, fill="#ff9a8c"))
    return "".join(g)


def red_claw(x, y, angle, closed=False):
    """The pincer, pointing along +x of its own frame, placed at the wrist."""
    t = 6 if closed else 14
    upper = "M6 -12C28 %d 54 %d 64 %dC52 %d 36 %d 22 -1Z" % (-16 - t, -16 - t, -t, -t - 4, 2 - t)
    lower = "M6 12C28 %d 54 %d 64 %dC52 %d 36 %d 22 1Z" % (16 + t, 16 + t, t, t + 4, t - 2)
    g = [
        path(upper, fill="url(#metal)", stroke=OL, stroke_width=4.5, stroke_linejoin="round"),
        path(lower, fill="url(#metal)", stroke=OL, stroke_width=4.5, stroke_linejoin="round"),
        circle(0, 0, 18, fill=RED["dark"], stroke=OL, stroke_width=5),
        circle(-4, -5, 5, fill="#e86a62"),
    ]
    return group(g, transform="translate(%s %s) rotate(%s)" % (f(x), f(y), f(angle)))


def red_body(pose="point"):
    g = []
    # caterpillar track
    g.append(rect(316, 486, 168, 74, 37, fill="url(#redDark)", stroke=OL, stroke_width=5))
    for x in range(342, 462, 15):
        g.append(rect(x, 490, 7, 5, 1, fill="#6e6788"))
        g.append(rect(x, 551, 7, 5, 1, fill="#231f31"))
    for x in (357, 400, 443):
        g.append(circle(x, 523, 19, fill="url(#metal)", stroke=OL, stroke_width=4))
        g.append(circle(x, 523, 6, fill="#5d6477"))
    # leg column
    g.append(rect(382, 428, 36, 64, 6, fill="url(#metalH)", stroke=OL, stroke_width=5))
    for y in (446, 462, 478):
        g.append(line(384, y, 416, y, stroke="#6f788c", stroke_width=3))
    # far shoulder
    g.append(circle(334, 304, 15, fill="url(#metal)", stroke=OL, stroke_width=5))
    # torso
    g.append(path("M344 276H456Q474 276 473 294L464 424Q462 442 444 442H356Q338 442 336 424L327 294Q326 276 344 276Z",
                  fill="url(#redBody)", stroke=OL, stroke_width=5))
    g.append(rect(337, 290, 9, 96, 4.5, fill="#ffffff", opacity=0.3))
    # chest plate with a gauge and two lamps
    g.append(rect(350, 292, 104, 62, 12, fill="#fff0e6", stroke=OL, stroke_width=4))
    g.append(circle(381, 323, 21, fill="#ffffff", stroke=OL, stroke_width=4))
    for i in range(5):
        a = math.radians(200 + 35 * i)
        g.append(line(381 + 14 * math.cos(a), 323 + 14 * math.sin(a), 381 + 18 * math.cos(a),
                      323 + 18 * math.sin(a), stroke=OL, stroke_width=2.5, stroke_linecap="round"))
    g.append(line(381, 323, 393, 311, stroke=RED["main"], stroke_width=4, stroke_linecap="round"))
    g.append(circle(381, 323, 4, fill=OL))
    g.append(circle(420, 312, 7, fill="#ffd23f", stroke=OL, stroke_width=3))
    g.append(circle(440, 312, 7, fill="#71e06b", stroke=OL, stroke_width=3))
    g.append(rect(412, 329, 34, 12, 6, fill="#5a1c22", stroke=OL, stroke_width=3))
    # belt and buckle
    g.append(rect(333, 392, 134, 16, 0, fill=RED["deep"], stroke=OL, stroke_width=4))
    g.append(rect(388, 388, 24, 24, 5, fill="url(#gold)", stroke=OL, stroke_width=4))
    # neck
    g.append(rect(378, 256, 44, 24, 5, fill="url(#metalH)", stroke=OL, stroke_width=5))
    g.append(line(381, 267, 419, 267, stroke="#6f788c", stroke_width=3))
    # the reaching arm
    if pose == "shake":
        sh, el, wr, ang = (470, 304), (522, 352), (574, 330), -8
    else:
        sh, el, wr, ang = (470, 304), (528, 336), (576, 290), -28
    g.append(limb("M%d %dL%d %d" % (sh + el), 22, "#b7bfcd"))
    g.append(limb("M%d %dL%d %d" % (el + wr), 28, RED["main"]))
    g.append(circle(el[0], el[1], 15, fill="url(#redBody)", stroke=OL, stroke_width=4))
    g.append(circle(sh[0], sh[1], 20, fill="url(#metal)", stroke=OL, stroke_width=5))
    g.append(circle(sh[0], sh[1], 5, fill="#6f788c"))
    g.append(red_claw(wr[0], wr[1], ang, closed=(pose == "shake")))
    return "".join(g)


def red_robot(state="idle", pose="point"):
    return red_body(pose) + red_head(state)


# --------------------------------------------------------------------------
# the blue robot: round dome, visor eyes, hose limbs, a glove; it faces left


def blue_head(state="idle"):
    g = []
    # ear disc on the far side
    g.append(circle(472, 210, 18, fill="url(#metal)", stroke=OL, stroke_width=5))
    g.append(circle(476, 210, 7, fill=BLUE["main"], stroke=OL, stroke_width=3))
    # spring antenna
    pts = [(414, 148)]
    y = 142
    side = -1
    while y > 110:
        pts.append((414 + 8 * side, y))
        side = -side
        y -= 6
    pts.append((414, 106))
    d = "M" + " L".join("%d %d" % p for p in pts)
    g.append(path(d, fill="none", stroke=OL, stroke_width=9, stroke_linejoin="round", stroke_linecap="round"))
    g.append(path(d, fill="none", stroke="#d0d6e2", stroke_width=4, stroke_linejoin="round", stroke_linecap="round"))
    # dome
    g.append(ellipse(400, 208, 74, 64, fill="url(#blueBody)", stroke=OL, stroke_width=5))
    g.append(path("M346 184Q356 156 392 150", fill="none", stroke="#ffffff", stroke_width=7, stroke_linecap="round",
                  opacity=0.45))
    g.append(ellipse(414, 148, 12, 5, fill="url(#metal)", stroke=OL, stroke_width=4))
    # visor, shifted left because the robot looks left
    g.append(rect(334, 176, 112, 50, 24, fill="#16223d", stroke=OL, stroke_width=4))
    g.append(rect(348, 181, 52, 5, 2.5, fill="#ffffff", opacity=0.22))
    eyes = [(364, 202), (412, 202)]
    if state == "talk":
        for x, y in eyes:
            g.append(glow(ellipse(x, y, 17, 20), "#39d8ff", 1.0))
        for x, y in eyes:
            g.append(ellipse(x, y, 13, 16, fill="#e6fdff"))
            g.append(ellipse(x - 2, y - 2, 6, 8, fill="#ffffff"))
    elif state == "ko":
        for x, y in eyes:
            g.append(path("M%d %dL%d %dM%d %dL%d %d" % (x - 9, y - 9, x + 9, y + 9, x + 9, y - 9, x - 9, y + 9),
                          stroke="#7fe3ff", stroke_width=5, stroke_linecap="round"))
    else:
        for x, y in eyes:
            g.append(ellipse(x, y, 12, 15, fill="#7fe3ff"))
            g.append(circle(x - 4, y + 1, 6.5, fill="#16223d"))
            g.append(circle(x - 6, y - 3, 2.5, fill="#ffffff"))
    g.append(ellipse(350, 240, 9, 5, fill="#ff9bc4", opacity=0.75))
    g.append(ellipse(436, 240, 9, 5, fill="#ff9bc4", opacity=0.75))
    # mouth
    if state == "talk":
        m = "M370 238Q394 234 418 238Q416 266 394 266Q372 266 370 238Z"
        g.append(group(path(m, fill="#39d8ff"), filter="url(#glow)"))
        g.append(path(m, fill="#8ff3ff", stroke=OL, stroke_width=4, stroke_linejoin="round"))
        g.append(ellipse(394, 254, 13, 6, fill="#ffffff"))
    elif state == "ko":
        g.append(path("M374 252Q394 240 414 252", fill="none", stroke=OL, stroke_width=5, stroke_linecap="round"))
    else:
        g.append(path("M374 243Q392 257 412 241", fill="none", stroke=OL, stroke_width=5, stroke_linecap="round"))
    # antenna bulb
    if state == "talk":
        g.append(glow(circle(414, 98, 30), "#5fe6ff", 1.0, "glowBig"))
        g.append(rays(414, 98, 20, 30, 8, "#5fe6ff", 4, 0.2))
        g.append(circle(414, 98, 12, fill="#e6fdff", stroke=OL, stroke_width=4))
        g.append(circle(410, 94, 4, fill="#ffffff"))
    else:
        g.append(circle(414, 98, 12, fill="#3f8fe0", stroke=OL, stroke_width=4))
        g.append(circle(410, 93, 4, fill="#a8dcff"))
    return "".join(g)


def blue_glove(x, y, angle, pointing=True):
    """The glove, pointing along -x of its own frame, placed at the wrist."""
    g = [rect(4, -17, 16, 34, 6, fill=BLUE["main"], stroke=OL, stroke_width=4.5)]
    if pointing:
        g.append(rect(-50, -9, 42, 16, 8, fill="#f6f7ff", stroke=OL, stroke_width=4.5))
        g.append(circle(-12, 2, 19, fill="#f6f7ff", stroke=OL, stroke_width=4.5))
        g.append(path("M-24 6Q-14 14 -2 10M-22 -2Q-14 2 -4 0", fill="none", stroke="#9aa3bf", stroke_width=3,
                      stroke_linecap="round"))
        g.append(ellipse(-14, -17, 8, 10, fill="#f6f7ff", stroke=OL, stroke_width=4.5, transform="rotate(-30 -14 -17)"))
    else:
        g.append(path("M2 -16Q-30 -22 -40 -8Q-44 4 -36 14Q-20 22 2 16Z", fill="#f6f7ff", stroke=OL,
                      stroke_width=4.5, stroke_linejoin="round"))
        g.append(path("M-38 -2H-14M-36 8H-14", fill="none", stroke="#9aa3bf", stroke_width=3,
                      stroke_linecap="round"))
        g.append(ellipse(-18, -20, 8, 10, fill="#f6f7ff", stroke=OL, stroke_width=4.5, transform="rotate(40 -18 -20)"))
    return group(g, transform="translate(%s %s) rotate(%s)" % (f(x), f(y), f(angle)))


def blue_body(pose="point"):
    g = []
    # legs and feet
    for x in (366, 434):
        g.append(limb("M%d 440L%d 530" % (x, x), 18, "#c2c9d6", rings="#7f889c"))
    for x0 in (334, 404):
        g.append(path("M%d 560V548Q%d 528 %d 528H%dQ%d 528 %d 548V560Z"
                      % (x0, x0, x0 + 24, x0 + 38, x0 + 62, x0 + 62),
                      fill="url(#blueDark)", stroke=OL, stroke_width=5, stroke_linejoin="round"))
        g.append(rect(x0 + 10, 535, 22, 5, 2.5, fill="#ffffff", opacity=0.35))
    # hips
    g.append(rect(350, 418, 100, 30, 13, fill="url(#metal)", stroke=OL, stroke_width=5))
    # far shoulder
    g.append(circle(468, 306, 14, fill="url(#metal)", stroke=OL, stroke_width=5))
    # barrel torso
    g.append(rect(332, 278, 136, 154, 50, fill="url(#blueBody)", stroke=OL, stroke_width=5))
    g.append(rect(341, 300, 9, 90, 4.5, fill="#ffffff", opacity=0.3))
    # chest screen with a heartbeat line, buttons, speaker holes
    g.append(rect(350, 296, 84, 50, 11, fill="#16223d", stroke=OL, stroke_width=4))
    g.append(path("M357 322H372L378 309L386 335L394 314L400 322H427", fill="none", stroke="#6ff0ff",
                  stroke_width=3, stroke_linejoin="round", stroke_linecap="round"))
    for x, c in ((362, "#ffd23f"), (384, "#ff6fa8"), (406, "#7be36b")):
        g.append(circle(x, 372, 7, fill=c, stroke=OL, stroke_width=3))
    for y in (304, 318, 332):
        g.append(circle(448, y, 3.5, fill=BLUE["deep"]))
    # neck
    g.append(rect(382, 262, 36, 22, 5, fill="url(#metalH)", stroke=OL, stroke_width=5))
    # the reaching arm: a bendy hose ending in a glove
    if pose == "shake":
        d, hand, ang, point = "M330 306Q276 372 232 330", (232, 330), 4, False
    else:
        d, hand, ang, point = "M330 306Q272 356 232 296", (232, 296), 28, True
    g.append(limb(d, 18, "#c2c9d6", rings="#7f889c"))
    g.append(circle(330, 306, 19, fill="url(#blueBody)", stroke=OL, stroke_width=5))
    g.append(circle(330, 306, 5, fill=BLUE["deep"]))
    g.append(blue_glove(hand[0], hand[1], ang, pointing=point))
    return "".join(g)


def blue_robot(state="idle", pose="point"):
    return blue_body(pose) + blue_head(state)


def placed(art, cx, feet, scale):
    """Puts robot art (body column 400, feet row 560) with its centre line at
    cx and its feet on row `feet`, scaled."""
    return group(art, transform="translate(%s %s) scale(%s)" % (f(cx - 400 * scale), f(feet - 560 * scale), f(scale)))


def shadow(cx, y, w):
    return ellipse(cx, y, w, w * 0.16, fill="#3a2640", opacity=0.28)


# --------------------------------------------------------------------------
# backdrop: a cosy robot workshop turned battle arena


def bunting(x1, y1, x2, y2, sag, n, colours):
    g = []
    mx, my = (x1 + x2) / 2, (y1 + y2) / 2 + sag
    g.append(path("M%s %sQ%s %s %s %s" % (f(x1), f(y1), f(mx), f(my), f(x2), f(y2)), fill="none", stroke="#6b4d3a",
                  stroke_width=3))
    for i in range(n):
        t = (i + 0.5) / n
        # point on the quadratic curve (control point doubled to pass through mx,my)
        cx, cy = 2 * mx - (x1 + x2) / 2, 2 * my - (y1 + y2) / 2
        px = (1 - t) ** 2 * x1 + 2 * (1 - t) * t * cx + t * t * x2
        py = (1 - t) ** 2 * y1 + 2 * (1 - t) * t * cy + t * t * y2
        g.append(path("M%s %sL%s %sL%s %sZ" % (f(px - 13), f(py), f(px + 13), f(py), f(px), f(py + 30)),
                      fill=colours[i % len(colours)], stroke=OL, stroke_width=2.5, stroke_linejoin="round"))
    return "".join(g)


def backdrop(window=True):
    g = []
    g.append(rect(0, 0, 800, 800, fill="url(#wall)"))
    # wall panel seams with rivets
    for x in (100, 700):
        g.append(line(x, 0, x, 372, stroke="#ecd0a4", stroke_width=4))
    for x in (100, 700):
        for y in (40, 120, 200, 280):
            g.append(circle(x + 9, y, 3, fill="#e2c192"))
            g.append(circle(x - 9, y, 3, fill="#e2c192"))
    # pipes down the wall
    for x in (178, 622):
        g.append(rect(x - 11, 0, 22, 380, fill="url(#metalH)", stroke="#8d7f86", stroke_width=3))
        for y in (150, 300):
            g.append(rect(x - 15, y, 30, 14, 3, fill="#c9a98f", stroke="#8d7f86", stroke_width=3))
    # the big workshop window
    if window:
        g.append(rect(222, 96, 356, 250, 26, fill="#9b6b4f", stroke=OL, stroke_width=5))
        g.append(rect(238, 112, 324, 218, 14, fill="url(#sky)"))
        for cx, cy, s in ((300, 170, 1.0), (480, 150, 0.8), (420, 230, 0.6)):
            g.append(group([ellipse(0, 0, 40, 14, fill="#ffffff"), ellipse(-16, -10, 20, 15, fill="#ffffff"),
                            ellipse(12, -14, 22, 18, fill="#ffffff")],
                           transform="translate(%d %d) scale(%s)" % (cx, cy, f(s)), opacity=0.92))
        g.append(path("M238 300Q300 262 360 292T480 284T562 294V316Q562 330 548 330H252Q238 330 238 316Z",
                      fill="#8fd17a"))
        g.append(path("M238 316Q320 290 420 312T562 306V316Q562 330 548 330H252Q238 330 238 316Z",
                      fill="#6cb65f"))
        g.append(rect(395, 112, 10, 218, fill="#9b6b4f"))
        g.append(rect(238, 216, 324, 10, fill="#9b6b4f"))
        g.append(rect(214, 338, 372, 18, 6, fill="#b98461", stroke=OL, stroke_width=4))
    # flags strung across the top
    g.append(bunting(0, 102, 222, 112, 44, 7, [RED["main"], "#ffd23f", BLUE["main"]]))
    g.append(bunting(578, 112, 800, 102, 44, 7, [BLUE["main"], "#ffd23f", RED["main"]]))
    # lower wall: a sturdy wainscot with a rail
    g.append(rect(0, 372, 800, 210, fill="url(#wainscot)"))
    for x in range(0, 800, 100):
        g.append(rect(x + 12, 396, 76, 160, 8, fill="none", stroke="#c98d5e", stroke_width=4))
    g.append(rect(-5, 364, 810, 16, 4, fill="#b3805a", stroke="#7e5238", stroke_width=3))
    # soft spotlight pools on the wall behind the two fighters
    g.append(ellipse(90, 430, 170, 200, fill="url(#spot)"))
    g.append(ellipse(710, 430, 170, 200, fill="url(#spot)"))
    # floor line at row 580 and a tiled floor below
    g.append(rect(0, 580, 800, 220, fill="url(#floor)"))
    g.append(rect(0, 576, 800, 8, fill="#6b4d3a"))
    for i in range(-8, 9):
        g.append(line(400 + i * 60, 584, 400 + i * 150, 800, stroke="#7b5a80", stroke_width=3))
    for y in (620, 675, 745):
        g.append(line(0, y, 800, y, stroke="#7b5a80", stroke_width=3))
    return "".join(g)


# --------------------------------------------------------------------------
# the console along the bottom of the battle screen


def panel(turn, won=False):
    """The console in the colours of the side to move, or, once a battle is
    over, of the side that won it."""
    col = RED if turn == "red" else BLUE
    if won:
        name = "RED WINS!" if turn == "red" else "BLUE WINS!"
    else:
        name = "RED'S TURN" if turn == "red" else "BLUE'S TURN"
    g = []
    # console body, opaque from row 532 down
    g.append(rect(-6, 532, 812, 280, 16, fill="url(#console)", stroke=OL, stroke_width=5))
    g.append(rect(0, 535, 800, 9, fill=col["main"]))
    g.append(rect(0, 535, 800, 3, fill=col["light"]))
    g.append(line(0, 545, 800, 545, stroke=OL, stroke_width=2))
    for x, y in ((16, 560), (784, 560), (16, 688), (784, 688)):
        g.append(circle(x, y, 5, fill="#8a91a8", stroke="#22263a", stroke_width=2))
    # whose turn it is
    g.append(rect(36, 550, 300, 42, 12, fill="#fdf6e3", stroke=OL, stroke_width=4))
    g.append(glow(circle(62, 571, 12), col["light"], 0.9))
    g.append(circle(62, 571, 10, fill=col["main"], stroke=OL, stroke_width=3))
    g.append(circle(59, 568, 3, fill="#ffffff"))
    g.append(text(202, 581, name, 27, col["main"], stroke=OL, sw=1.2))
    # threshold: the game writes the number from column 515 with its baseline
    # on row 578.5; digits stand 30.6 rows tall, one digit ends by column
    # 535.8 and two by 556.  The number grows to the right from a fixed start,
    # so the paper window (inside its outline: columns 497..564, rows
    # 538..588.5) is centred between the two widths: a one-digit and a
    # two-digit number each sit within 5 pixels of its middle, with 7 pixels
    # or more of paper on every side.  The housing rises a little above the
    # console's top edge.
    g.append(text(469, 570, "THRESHOLD", 19, "#ffe08a", anchor="end"))
    g.append(path("M481 563.2l-6 -5v10z", fill="#ffe08a"))
    g.append(rect(486, 525, 89, 73, 12, fill="#1f2232", stroke=OL, stroke_width=4))
    g.append(rect(495.5, 536.5, 70, 53.5, 5, fill="#fffbea", stroke=OL, stroke_width=3))
    # the match score: the game writes blue's wins and red's, "2 : 1",
    # centred on column 691 with its baseline on row 578, digits 15 rows tall
    g.append(rect(598, 548, 186, 44, 10, fill="#1f2232", stroke=OL, stroke_width=4))
    g.append(rect(648, 553, 86, 34, 6, fill="#fffbea", stroke=OL, stroke_width=3))
    g.append(text(624, 575, "BLUE", 13, BLUE["light"]))
    g.append(text(758, 575, "RED", 13, RED["light"]))
    # caption and the entry line (text starts at column 50, baseline row 663)
    g.append(text(44, 626, "TYPE A FEW WORDS", 14, "#b7bfd6", anchor="start"))
    g.append(rect(40, 635, 610, 40, 9, fill="#fffdf2", stroke=OL, stroke_width=4))
    g.append(rect(44, 639, 602, 4, 2, fill="#e6dfca"))
    # SEND button: its outer edge covers exactly columns 662..766, rows 636..670
    g.append(rect(656, 630, 116, 46, 11, fill="#1f2232"))
    g.append(rect(664, 638, 100, 30, 7, fill="url(#%sBtn)" % turn, stroke=OL, stroke_width=4))
    g.append(rect(670, 641, 88, 5, 2.5, fill="#ffffff", opacity=0.4))
    g.append(text(714, 661, "SEND", 21, "#ffffff", stroke=OL, sw=3))
    # vents along the bottom edge
    for x in range(44, 760, 24):
        g.append(rect(x, 684, 14, 5, 2.5, fill="#23273a"))
    return "".join(g)


# --------------------------------------------------------------------------
# speech bubble, 1000 x 300, tail at the lower left (red's side)


def speech():
    # The game writes up to three rows from column 140, baselines on rows 113,
    # 177 and 241, each row ending by column 988, and shows the picture
    # mirrored for blue; so inside its outline the body must hold columns
    # 8..992 and rows 78..256 (ascenders and descenders included) both ways
    # round.  The outline (5 wide) runs along columns 3 and 997 and rows 50
    # and 268, with corners small enough not to cut into that rectangle, and
    # the tail hangs below the body next to its lower left corner,
    # pointing down-left at the speaker.
    d = ("M33 50H967Q997 50 997 80V256Q997 268 985 268H138"
         "Q76 275 9 297Q34 285 46 268H15Q3 268 3 256V80Q3 50 33 50Z")
    g = [
        path(d, fill="url(#bubble)", stroke=OL, stroke_width=5, stroke_linejoin="round"),
        path("M60 61Q26 61 20 74", fill="none", stroke="#ffffff", stroke_width=5, stroke_linecap="round"),
    ]
    return "".join(g)


# --------------------------------------------------------------------------
# lose banners


def starburst(cx, cy, rx, ry, n, inner, colour, **kw):
    pts = []
    for i in range(2 * n):
        a = math.pi * i / n - math.pi / 2
        k = 1.0 if i % 2 == 0 else inner
        pts.append("%s %s" % (f(cx + rx * k * math.cos(a)), f(cy + ry * k * math.sin(a))))
    return path("M" + "L".join(pts) + "Z", fill=colour, **kw)


def lose(who):
    col = RED if who == "red" else BLUE
    label = "RED ROBOT LOSES!" if who == "red" else "BLUE ROBOT LOSES!"
    g = []
    g.append(starburst(400, 390, 330, 180, 18, 0.8, "#ffd23f", stroke=OL, stroke_width=5, stroke_linejoin="round"))
    g.append(starburst(400, 390, 300, 155, 18, 0.82, "#fff2a6"))
    # ribbon tails
    for s in (1, -1):
        x0 = 400 - s * 310
        g.append(path("M%d 340L%d 340L%d 380L%d 420L%d 420Z" % (x0 + s * 60, x0 - s * 40, x0, x0 - s * 40, x0 + s * 60),
                      fill=col["deep"], stroke=OL, stroke_width=5, stroke_linejoin="round"))
    # the ribbon
    g.append(rect(96, 318, 608, 118, 22, fill="url(#%sBody)" % who, stroke=OL, stroke_width=6))
    g.append(rect(108, 330, 584, 94, 14, fill="none", stroke="#ffffff", stroke_width=4, opacity=0.85))
    g.append(text(400, 396, label, 50, "#ffffff", stroke=OL, sw=9, family=SANS))
    # the knocked-out robot peeking over the ribbon
    head = red_head("ko") if who == "red" else blue_head("ko")
    g.insert(2, group(head, transform="translate(400 205) scale(.62) translate(-400 -205)"))
    # hint plate
    g.append(rect(150, 462, 500, 50, 25, fill="#2b2340", stroke="#ffffff", stroke_width=4))
    g.append(text(400, 495, "Click or press Enter for a new battle", 23, "#ffffff"))
    return "".join(g)


# --------------------------------------------------------------------------
# full-screen pictures


def title_text(s, x, y, size):
    """Bouncy outlined letters, centred at x."""
    widths = {"V": 0.76, "o": 0.66, "r": 0.5, "b": 0.68, "l": 0.32, "e": 0.66, "x": 0.66}
    total = sum(widths.get(c, 0.6) for c in s) * size
    cx = x - total / 2
    g = []
    for i, c in enumerate(s):
        w = widths.get(c, 0.6) * size
        rot = -5 if i % 2 == 0 else 4
        dy = -6 if i % 2 == 0 else 4
        lx, ly = cx + w / 2, y + dy
        letter = text(lx, ly, c, size, "url(#title)", family=WIDE, stroke=OL, sw=14,
                      transform="rotate(%d %s %s)" % (rot, f(lx), f(ly)))
        g.append(group(text(lx + 5, ly + 7, c, size, OL, family=WIDE, stroke=OL, sw=14,
                            transform="rotate(%d %s %s)" % (rot, f(lx + 5), f(ly + 7))), opacity=0.35))
        g.append(letter)
        cx += w
    return "".join(g)


def pill(cx, cy, w, h, s, size=26):
    return (rect(cx - w / 2, cy - h / 2, w, h, h / 2, fill=OL, stroke="#ffffff", stroke_width=4, opacity=0.92)
            + text(cx, cy + size * 0.36, s, size, "#ffffff"))


def splash():
    g = [backdrop()]
    g.append(rect(0, 0, 800, 800, fill="#2b2340", opacity=0.12))
    g.append(title_text("Vorblex", 400, 238, 132))
    g.append(text(400, 292, "the robot insult battle", 26, "#5a3f6b", stroke="#fff3dd", sw=6))
    g.append(shadow(215, 628, 80))
    g.append(shadow(585, 628, 80))
    g.append(placed(red_robot("idle"), 215, 628, 0.68))
    g.append(placed(blue_robot("talk"), 585, 628, 0.68))
    g.append(pill(400, 668, 390, 46, "Click or press Enter"))
    return g


# The choice of game on the instructions picture: who plays red. The game
# knows these boxes (StartState.cpp) to take clicks on them; picture pixels,
# (left, top, right, bottom), each also the key 1 to 4.
CHOICES = [
    ("Two players", (84, 566, 284, 610)),
    ("Easy", (316, 566, 440, 610)),
    ("Normal", (452, 566, 576, 610)),
    ("Hard", (588, 566, 712, 610)),
]


def instructions(chosen=0):
    """How to play, with the choice of game; the chosen one is lit."""
    g = [backdrop(), rect(0, 0, 800, 800, fill="#2b2340", opacity=0.45)]
    g.append(rect(56, 108, 688, 584, 26, fill="url(#paper)", stroke=OL, stroke_width=6))
    g.append(rect(70, 122, 660, 556, 18, fill="none", stroke="#e9d6b0", stroke_width=3))
    g.append(text(400, 172, "How to play", 42, OL, family=WIDE))
    g.append(group(red_head("idle"), transform="translate(140 168) scale(.38) translate(-400 -200)"))
    g.append(group(blue_head("idle"), transform="translate(660 168) scale(.38) translate(-400 -200)"))
    B = {"font_weight": "bold"}
    items = [
        [[("Type a few words and press ", 0), ("Enter", 1), (" or click ", 0), ("SEND", 1),
          (": your robot", 0)],
         [("answers with the stored insult that best matches them.", 0)]],
        [[("Strong insults make the ", 0), ("threshold", 1), (" rise; an insult ", 0),
          ("weaker", 1)],
         [("than the threshold loses the battle, and that robot topples!", 0)]],
        [[("Once the banner lands, click or press ", 0), ("Enter", 1), (" for a new battle.", 0)]],
        [[("F2", 1), (" comes back here. ", 0), ("F11", 1), (" or ", 0), ("Alt+Enter", 1),
          (": full screen.", 0)]],
        [[("F5", 1), (" music, ", 0), ("F6", 1), (" voice on and off; ", 0), ("F7", 1), (" and ", 0),
          ("F8", 1), (": quieter and louder.", 0)]],
        [[("Escape", 1), (", ", 0), ("Ctrl+Q", 1), (" or ", 0), ("Alt+F4", 1), (" quits the game.", 0)]],
    ]
    y = 222
    for i, lines in enumerate(items):
        c = RED["main"] if i % 2 == 0 else BLUE["main"]
        g.append(circle(100, y - 7, 14, fill=c, stroke=OL, stroke_width=3))
        g.append(text(100, y, str(i + 1), 17, "#ffffff"))
        for parts in lines:
            spans = "".join(tspan(s, **(B if b else {"font_weight": "normal"})) for s, b in parts)
            g.append(text(126, y, spans, 20, OL, anchor="start"))
            y += 26
        y += 8
    # the choice of game
    g.append(line(84, 505, 716, 505, stroke="#e9d6b0", stroke_width=3))
    g.append(text(184, 550, "Both robots, one keyboard", 18, OL))
    g.append(text(514, 550, "Blue against the computer", 18, OL))
    for i, (label, (x0, y0, x1, y1)) in enumerate(CHOICES):
        lit = i == chosen
        if lit:
            g.append(rect(x0 - 6, y0 - 6, x1 - x0 + 12, y1 - y0 + 12, 14, fill="#ffd23f", stroke=OL,
                          stroke_width=3))
        g.append(rect(x0, y0, x1 - x0, y1 - y0, 10, fill=OL if lit else "#fffdf2", stroke=OL,
                      stroke_width=3))
        g.append(text((x0 + x1) / 2, y1 - 14, label, 20, "#ffffff" if lit else OL))
        g.append(text(x0 + 12, y0 + 15, str(i + 1), 11, "#ffd23f" if lit else "#9a8f7a",
                      anchor="start"))
    g.append(text(400, 655, "Arrows or 1 to 4 to choose, Enter or a click to start", 18, "#5a3f6b"))
    return g


def end():
    g = [backdrop()]
    g.append(text(400, 162, "Thanks for playing", 42, OL, stroke="#fff3dd", sw=8, family=WIDE))
    g.append(title_text("Vorblex", 400, 268, 104))
    s, feet = 0.74, 652
    rx, bx = 400 - 201 * s, 400 + 201 * s
    g.append(shadow(rx, feet, 84))
    g.append(shadow(bx, feet, 84))
    # blue first so that red's claw closes over the glove
    g.append(placed(blue_robot("talk", "shake"), bx, feet, s))
    g.append(placed(red_robot("talk", "shake"), rx, feet, s))
    # little hearts over the handshake
    heart = "M0 6C-12 -6 -22 4 -14 14L0 26L14 14C22 4 12 -6 0 6Z"
    for x, y, sc, c in ((400, 400, 1.3, "#ff6f91"), (364, 372, 0.8, "#ff9bc4"), (438, 364, 0.9, "#ff9bc4")):
        g.append(path(heart, fill=c, stroke=OL, stroke_width=3, stroke_linejoin="round",
                      transform="translate(%d %d) scale(%s)" % (x, y, f(sc))))
    g.append(text(400, 686, "See you at the next battle!", 26, "#ffffff", stroke=OL, sw=6))
    return g


def bg():
    return [backdrop()]


def cursor():
    return [rect(14.5, 5, 3, 22, fill="#ffffff")]


def icon():
    g = [rect(8, 8, 240, 240, 48, fill="url(#iconBg)", stroke=OL, stroke_width=6)]
    g.append(starburst(128, 70, 22, 22, 6, 0.5, "#ffd23f", stroke=OL, stroke_width=3, stroke_linejoin="round"))
    g.append(group(red_head("talk"), transform="translate(76 166) scale(.68) translate(-400 -200)"))
    g.append(group(blue_head("idle"), transform="translate(180 166) scale(.68) translate(-400 -200)"))
    return g


# --------------------------------------------------------------------------


PICTURES = {
    "splash": (800, 800, splash),
    "instructions": (800, 800, instructions),
    "instructions-easy": (800, 800, lambda: instructions(1)),
    "instructions-normal": (800, 800, lambda: instructions(2)),
    "instructions-hard": (800, 800, lambda: instructions(3)),
    "end": (800, 800, end),
    "bg": (800, 800, bg),
    "cursor": (32, 32, cursor),
    "robot-red": (800, 800, lambda: [red_robot("idle")]),
    "robot-red-on": (800, 800, lambda: [red_robot("talk")]),
    "robot-blue": (800, 800, lambda: [blue_robot("idle")]),
    "robot-blue-on": (800, 800, lambda: [blue_robot("talk")]),
    "interface-blue": (800, 800, lambda: [panel("blue")]),
    "interface-red": (800, 800, lambda: [panel("red")]),
    "interface-blue-won": (800, 800, lambda: [panel("blue", won=True)]),
    "interface-red-won": (800, 800, lambda: [panel("red", won=True)]),
    "speech": (1000, 300, lambda: [speech()]),
    "lose-red": (800, 800, lambda: [lose("red")]),
    "lose-blue": (800, 800, lambda: [lose("blue")]),
    "vorblex": (256, 256, icon),
}


def main():
    if len(sys.argv) != 2:
        print("usage: draw.py OUTDIR")
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, (w, h, fn) in PICTURES.items():
        with open(os.path.join(out, name + ".svg"), "w", encoding="utf-8") as fh:
            fh.write(document(w, h, fn()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
