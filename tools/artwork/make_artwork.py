#!/usr/bin/python3
"""Draws the program's pictures into resources/.

Everything is drawn at four times the final size and scaled down, which gives
smooth edges without any hand-tuned anti-aliasing. The title-bar glyphs are
drawn on an even pixel grid so that they stay crisp when shown at half size.

Usage: tools/artwork/make_artwork.py [resources-folder]
Needs Python 3 with PIL (Debian: python3-pil).
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

SUPERSAMPLE = 4

# Palette shared with the style sheets.
ACCENT = (45, 125, 210)
ACCENT_LIGHT = (74, 152, 232)
ACCENT_DARK = (28, 88, 160)
TEAL = (38, 166, 154)
TEAL_DARK = (22, 110, 104)
CHARCOAL = (31, 35, 41)
SUCCESS = (46, 160, 67)
SUCCESS_DARK = (34, 125, 52)
FAILURE = (214, 69, 69)
FAILURE_DARK = (170, 48, 48)
WHITE = (255, 255, 255)

FONT_DIR = "/usr/share/fonts/truetype/dejavu"


def font(name, size):
    try:
        return ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    except OSError:
        return ImageFont.load_default()


def canvas(width, height, background=(0, 0, 0, 0)):
    image = Image.new("RGBA", (width * SUPERSAMPLE, height * SUPERSAMPLE), background)
    return image, ImageDraw.Draw(image)


def finish(image, width, height):
    return image.resize((width, height), Image.LANCZOS)


def s(value):
    """A length in final pixels, in supersampled pixels."""
    return int(round(value * SUPERSAMPLE))


def box(x0, y0, x1, y1):
    return [s(x0), s(y0), s(x1), s(y1)]


def vertical_gradient(width, height, top, bottom):
    gradient = Image.new("RGBA", (width, height))
    draw = ImageDraw.Draw(gradient)
    for y in range(height):
        t = y / max(1, height - 1)
        colour = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3)) + (255,)
        draw.line([(0, y), (width, y)], fill=colour)
    return gradient


def horizontal_gradient(width, height, left, right):
    return vertical_gradient(height, width, left, right).rotate(90, expand=True).transpose(Image.FLIP_TOP_BOTTOM)


def paste_masked(target, source, mask_draw_fn):
    mask = Image.new("L", target.size, 0)
    mask_draw_fn(ImageDraw.Draw(mask))
    target.paste(source, (0, 0), mask)


# --- the application mark -------------------------------------------------

def matrix_mark(side):
    """A rounded blue tile with three inputs routed across to three outputs."""
    image, draw = canvas(side, side)
    size = side * SUPERSAMPLE
    tile = vertical_gradient(size, size, ACCENT_LIGHT, ACCENT_DARK)
    radius = int(size * 0.22)
    paste_masked(image, tile, lambda d: d.rounded_rectangle([0, 0, size - 1, size - 1], radius, fill=255))

    rows = [0.29, 0.5, 0.71]
    left_x, right_x = 0.27, 0.73
    dot = size * 0.065
    line = max(1, int(size * 0.05))
    routes = [(0, 2), (1, 0), (2, 1)]
    for source, target in routes:
        start = (size * left_x, size * rows[source])
        end = (size * right_x, size * rows[target])
        points = []
        for step in range(33):
            t = step / 32
            # A smooth S-curve between the two columns.
            ease = t * t * (3 - 2 * t)
            points.append((start[0] + (end[0] - start[0]) * t, start[1] + (end[1] - start[1]) * ease))
        draw.line(points, fill=(255, 255, 255, 235), width=line, joint="curve")
    for x in (left_x, right_x):
        for y in rows:
            cx, cy = size * x, size * y
            draw.ellipse([cx - dot, cy - dot, cx + dot, cy + dot], fill=WHITE + (255,))
    # Small port ticks at the outer edges.
    tick = size * 0.07
    for y in rows:
        cy = size * y
        draw.line([(size * left_x - dot - tick, cy), (size * left_x - dot, cy)], fill=WHITE + (200,), width=line)
        draw.line([(size * right_x + dot, cy), (size * right_x + dot + tick, cy)], fill=WHITE + (200,), width=line)
    return finish(image, side, side)


# --- status and message glyphs --------------------------------------------

def disc(side, light, dark):
    image, draw = canvas(side, side)
    size = side * SUPERSAMPLE
    inset = s(side * 0.04)
    fill = vertical_gradient(size, size, light, dark)
    paste_masked(image, fill, lambda d: d.ellipse([inset, inset, size - inset - 1, size - inset - 1], fill=255))
    return image, draw, size


def information_glyph(side):
    image, draw, size = disc(side, ACCENT_LIGHT, ACCENT_DARK)
    centre = size / 2
    dot = size * 0.075
    draw.ellipse([centre - dot, size * 0.27 - dot, centre + dot, size * 0.27 + dot], fill=WHITE)
    stem = size * 0.06
    draw.rounded_rectangle([centre - stem, size * 0.41, centre + stem, size * 0.76], radius=int(stem), fill=WHITE)
    return finish(image, side, side)


def success_glyph(side):
    image, draw, size = disc(side, (70, 190, 92), SUCCESS_DARK)
    width = int(size * 0.1)
    points = [(size * 0.28, size * 0.52), (size * 0.44, size * 0.67), (size * 0.73, size * 0.36)]
    draw.line(points, fill=WHITE, width=width, joint="curve")
    for x, y in (points[0], points[-1]):
        r = width / 2
        draw.ellipse([x - r, y - r, x + r, y + r], fill=WHITE)
    return finish(image, side, side)


def failure_glyph(side):
    image, draw, size = disc(side, (232, 96, 96), FAILURE_DARK)
    width = int(size * 0.1)
    a, b = size * 0.33, size * 0.67
    for line in (((a, a), (b, b)), ((a, b), (b, a))):
        draw.line(line, fill=WHITE, width=width)
        for x, y in line:
            r = width / 2
            draw.ellipse([x - r, y - r, x + r, y + r], fill=WHITE)
    return finish(image, side, side)


# --- title-bar buttons ----------------------------------------------------

GLYPH_SIDE = 32


def glyph_canvas():
    return Image.new("RGBA", (GLYPH_SIDE, GLYPH_SIDE), (0, 0, 0, 0))


def fill_px(image, x0, y0, x1, y1):
    """Fills the inclusive pixel rectangle in white (no smoothing needed)."""
    ImageDraw.Draw(image).rectangle([x0, y0, x1, y1], fill=WHITE + (255,))


def outline_px(image, x0, y0, x1, y1, thickness=2):
    fill_px(image, x0, y0, x1, y0 + thickness - 1)
    fill_px(image, x0, y1 - thickness + 1, x1, y1)
    fill_px(image, x0, y0, x0 + thickness - 1, y1)
    fill_px(image, x1 - thickness + 1, y0, x1, y1)


def minimise_glyph():
    image = glyph_canvas()
    fill_px(image, 8, 16, 23, 17)
    return image


def maximise_glyph():
    image = glyph_canvas()
    outline_px(image, 8, 8, 23, 23)
    return image


def restore_glyph():
    image = glyph_canvas()
    # The window behind shows only where the front one does not cover it.
    fill_px(image, 12, 6, 25, 7)
    fill_px(image, 24, 6, 25, 19)
    fill_px(image, 12, 6, 13, 11)
    fill_px(image, 20, 18, 25, 19)
    outline_px(image, 6, 12, 19, 25)
    return image


def close_glyph():
    image, draw = canvas(GLYPH_SIDE, GLYPH_SIDE)
    width = s(2)
    a, b = s(9), s(23)
    draw.line([(a, a), (b, b)], fill=WHITE, width=width)
    draw.line([(a, b), (b, a)], fill=WHITE, width=width)
    return finish(image, GLYPH_SIDE, GLYPH_SIDE)


# --- login banner -----------------------------------------------------------

BANNER_W, BANNER_H = 360, 140


def banner_background():
    return horizontal_gradient(BANNER_W * SUPERSAMPLE, BANNER_H * SUPERSAMPLE, (24, 30, 38), (34, 50, 72))


def wall_content(width, height):
    """The picture the video wall shows: one scene spread over all screens."""
    scene = vertical_gradient(width, height, (40, 110, 190), (140, 200, 240))
    draw = ImageDraw.Draw(scene)
    sun = (width * 0.74, height * 0.32, height * 0.14)
    draw.ellipse([sun[0] - sun[2], sun[1] - sun[2], sun[0] + sun[2], sun[1] + sun[2]], fill=(255, 214, 120))
    far = [(0, height * 0.70), (width * 0.18, height * 0.42), (width * 0.34, height * 0.62),
           (width * 0.52, height * 0.36), (width * 0.70, height * 0.60), (width * 0.86, height * 0.46),
           (width, height * 0.58), (width, height), (0, height)]
    draw.polygon(far, fill=TEAL)
    near = [(0, height * 0.86), (width * 0.22, height * 0.66), (width * 0.45, height * 0.82),
            (width * 0.66, height * 0.64), (width, height * 0.84), (width, height), (0, height)]
    draw.polygon(near, fill=TEAL_DARK)
    return scene


def draw_wall(image, draw, x0, y0, columns, rows, screen_w, screen_h, gap):
    wall_w = columns * screen_w + (columns - 1) * gap
    wall_h = rows * screen_h + (rows - 1) * gap
    # Glow behind the wall.
    glow = Image.new("RGBA", image.size, (0, 0, 0, 0))
    ImageDraw.Draw(glow).rounded_rectangle(box(x0 - 6, y0 - 6, x0 + wall_w + 6, y0 + wall_h + 6), s(8),
                                           fill=ACCENT + (40,))
    image.alpha_composite(glow)
    draw.rounded_rectangle(box(x0 - 2, y0 - 2, x0 + wall_w + 2, y0 + wall_h + 2), s(2), fill=(12, 15, 20))
    scene = wall_content(s(wall_w), s(wall_h))
    for column in range(columns):
        for row in range(rows):
            sx = x0 + column * (screen_w + gap)
            sy = y0 + row * (screen_h + gap)
            crop = scene.crop((s(sx - x0), s(sy - y0), s(sx - x0 + screen_w), s(sy - y0 + screen_h)))
            image.paste(crop, (s(sx), s(sy)))
            # A faint reflection across the top of each panel.
            shine = Image.new("RGBA", image.size, (0, 0, 0, 0))
            ImageDraw.Draw(shine).polygon([(s(sx), s(sy)), (s(sx + screen_w * 0.55), s(sy)),
                                           (s(sx + screen_w * 0.25), s(sy + screen_h)), (s(sx), s(sy + screen_h))],
                                          fill=(255, 255, 255, 18))
            image.alpha_composite(shine)
    return wall_w, wall_h


def draw_rack(draw, x0, y0, width, height):
    # Mounting ears, body and front plate.
    draw.rounded_rectangle(box(x0 - 6, y0 + 1, x0 + width + 6, y0 + height - 1), s(2), fill=(58, 64, 74))
    draw.rounded_rectangle(box(x0, y0, x0 + width, y0 + height), s(2.5), fill=(44, 49, 57))
    draw.rectangle(box(x0 + 1, y0 + 1, x0 + width - 1, y0 + 2.2), fill=(78, 86, 98))
    for ear_x in (x0 - 3.5, x0 + width + 3.5):
        for ear_y in (y0 + 6, y0 + height - 6):
            draw.ellipse(box(ear_x - 1.2, ear_y - 1.2, ear_x + 1.2, ear_y + 1.2), fill=(24, 27, 32))
    # Front display and status lights.
    draw.rounded_rectangle(box(x0 + 6, y0 + 7, x0 + 36, y0 + height - 7), s(1.5), fill=(18, 40, 64))
    draw.text((s(x0 + 9), s(y0 + 9.2)), "KXR", font=font("DejaVuSans-Bold.ttf", s(7.5)), fill=(120, 190, 255))
    for i, colour in enumerate([(80, 220, 110), (80, 220, 110), ACCENT_LIGHT]):
        cx, cy = x0 + 42 + i * 5, y0 + height / 2
        draw.ellipse(box(cx - 1.4, cy - 1.4, cx + 1.4, cy + 1.4), fill=colour)
    # Two rows of ports: inputs above, outputs below.
    port_w, port_h, step = 7.5, 4, 10
    for row in range(2):
        for i in range(8):
            px = x0 + 60 + i * step
            py = y0 + 5 + row * 8.5
            draw.rectangle(box(px, py, px + port_w, py + port_h), fill=(14, 16, 20))
            draw.rectangle(box(px + 1.2, py + 1.2, px + port_w - 1.2, py + 2.2), fill=(120, 128, 140))


def draw_cables(image, starts, ends):
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    colours = [ACCENT_LIGHT + (200,), TEAL + (200,), (240, 170, 70, 200)]
    for (sx, sy), (ex, ey), colour in zip(starts, ends, colours):
        points = []
        for step in range(41):
            t = step / 40
            # Cubic curve leaving the rack upwards and reaching the wall from below.
            c1 = (sx, sy - 26)
            c2 = (ex, ey + 30)
            x = (1 - t) ** 3 * sx + 3 * (1 - t) ** 2 * t * c1[0] + 3 * (1 - t) * t ** 2 * c2[0] + t ** 3 * ex
            y = (1 - t) ** 3 * sy + 3 * (1 - t) ** 2 * t * c1[1] + 3 * (1 - t) * t ** 2 * c2[1] + t ** 3 * ey
            points.append((s(x), s(y)))
        draw.line(points, fill=colour, width=s(1.6), joint="curve")
    image.alpha_composite(layer)


def login_banner():
    image = banner_background()
    draw = ImageDraw.Draw(image)

    # Fine grid in the background, like a signal matrix.
    grid = Image.new("RGBA", image.size, (0, 0, 0, 0))
    grid_draw = ImageDraw.Draw(grid)
    for x in range(0, BANNER_W, 12):
        grid_draw.line([(s(x), 0), (s(x), s(BANNER_H))], fill=(255, 255, 255, 10), width=s(0.5))
    for y in range(0, BANNER_H, 12):
        grid_draw.line([(0, s(y)), (s(BANNER_W), s(y))], fill=(255, 255, 255, 10), width=s(0.5))
    image.alpha_composite(grid)

    wall_x, wall_y = 178, 16
    wall_w, wall_h = draw_wall(image, draw, wall_x, wall_y, 3, 2, 54, 32, 2.5)

    rack_x, rack_y, rack_w, rack_h = 20, 100, 140, 22
    port_tops = [(rack_x + 64, rack_y), (rack_x + 94, rack_y), (rack_x + 124, rack_y)]
    wall_bottom = wall_y + wall_h + 2
    cable_ends = [(wall_x + wall_w * 0.18, wall_bottom), (wall_x + wall_w * 0.5, wall_bottom),
                  (wall_x + wall_w * 0.82, wall_bottom)]
    draw_cables(image, port_tops, cable_ends)
    draw = ImageDraw.Draw(image)
    draw_rack(draw, rack_x, rack_y, rack_w, rack_h)

    draw.text((s(20), s(20)), "Matrix Control", font=font("DejaVuSans-Bold.ttf", s(17)), fill=(236, 240, 245))
    draw.text((s(20), s(45)), "HDMI switching  \u00b7  video wall", font=font("DejaVuSans.ttf", s(9.5)),
              fill=(150, 172, 196))
    draw.rectangle(box(20, 64, 48, 65.5), fill=ACCENT_LIGHT)
    return finish(image, BANNER_W, BANNER_H)


# --- output -------------------------------------------------------------------

def save(image, root, relative):
    path = os.path.join(root, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.save(path, "PNG", optimize=True)
    print("wrote", relative, image.size)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources")

    save(matrix_mark(96), root, "APP/Image/mainui_logo.png")
    save(matrix_mark(64), root, "APP/Image/loginui_logo.png")
    save(login_banner(), root, "APP/Image/loginui_pic.png")
    save(information_glyph(48), root, "APP/Image/MessageShow_pic.png")
    save(success_glyph(64), root, "APP/Image/success.png")
    save(failure_glyph(64), root, "APP/Image/fail.png")

    save(matrix_mark(64), root, "TitleBar/Image/App.png")
    save(minimise_glyph(), root, "TitleBar/Image/MinSize.png")
    save(maximise_glyph(), root, "TitleBar/Image/MaxSize.png")
    save(restore_glyph(), root, "TitleBar/Image/NormalSize.png")
    save(close_glyph(), root, "TitleBar/Image/Close.png")


if __name__ == "__main__":
    main()
