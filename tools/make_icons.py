#!/usr/bin/env python3
"""Draws the program's icons and link cursor and writes them as .ico/.cur files.

Run once after changing a drawing; the generated files are committed in resources/icons/.
Only the standard library is used: the images are drawn pixel by pixel into palettes.
"""
import struct
import sys
from pathlib import Path

TRANSPARENT = None


def dib(width, height, pixels, palette, bits):
    """A BITMAPINFOHEADER image with XOR bits and AND mask, as ICO/CUR files hold them."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    xor_stride = ((width * bits + 31) // 32) * 4
    and_stride = ((width + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(height)):
        row = bytearray(xor_stride)
        mrow = bytearray(and_stride)
        for x in range(width):
            index = pixels[y][x]
            if index is TRANSPARENT:
                mrow[x // 8] |= 0x80 >> (x % 8)
                index = 0
            if bits == 8:
                row[x] = index
            elif bits == 4:
                row[x // 2] |= index << (4 if x % 2 == 0 else 0)
            else:
                if index:
                    row[x // 8] |= 0x80 >> (x % 8)
        xor += row
        mask += mrow
    return header + pal + bytes(xor) + bytes(mask)


def container(kind, images):
    """images: (width, height, colour_count, field1, field2, data) per entry."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = b""
    for (w, h, colours, f1, f2, data) in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours % 256, 0, f1, f2, len(data), offset + len(blobs))
        blobs += data
    return out + blobs


def canvas(size):
    return [[TRANSPARENT] * size for _ in range(size)]


def draw_database(px, size, body, top, edge, mark, mark_edge):
    """A data cylinder with a check mark: the program checks the data-access stack."""
    s = size / 32.0
    cx, rx = 14.0 * s, 11.0 * s
    ry = 3.5 * s
    y_top, y_bottom = 6.0 * s, 25.0 * s
    for y in range(size):
        for x in range(size):
            dx = (x + 0.5 - cx) / rx
            if abs(dx) > 1:
                continue
            h = ry * (1 - dx * dx) ** 0.5
            yy = y + 0.5
            if y_top - h <= yy <= y_bottom + h:
                on_top = yy <= y_top + h
                rim = abs(dx) > 0.86 or (yy >= y_bottom + h - 1.2 * s)
                px[y][x] = top if on_top else (edge if rim else body)
                # Bands between the disks of the cylinder.
                for band in (12.5 * s, 19.0 * s):
                    if abs(yy - (band + h)) < 0.6 * s + 0.2:
                        px[y][x] = edge
    # Check mark, lower right.
    pts = [(16, 20), (20, 25), (29, 12)]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        steps = int(40 * s) + 1
        for i in range(steps + 1):
            t = i / steps
            xf, yf = (x0 + (x1 - x0) * t) * s, (y0 + (y1 - y0) * t) * s
            r = 2.6 * s
            for y in range(int(yf - r - 1), int(yf + r + 2)):
                for x in range(int(xf - r - 1), int(xf + r + 2)):
                    if 0 <= x < size and 0 <= y < size:
                        d = ((x + 0.5 - xf) ** 2 + (y + 0.5 - yf) ** 2) ** 0.5
                        if d <= r * 0.55:
                            px[y][x] = mark
                        elif d <= r and px[y][x] != mark:
                            px[y][x] = mark_edge


def app_icon():
    palette = [(0, 0, 0)] * 256
    colours = {"body": (46, 104, 186), "top": (128, 176, 232), "edge": (20, 52, 110),
               "mark": (40, 170, 60), "mark_edge": (16, 80, 24)}
    names = list(colours)
    for i, n in enumerate(names, start=1):
        palette[i] = colours[n]
    images = []
    for size in (16, 32):
        px = canvas(size)
        draw_database(px, size, *[names.index(n) + 1 for n in names])
        images.append((size, size, 0, 1, 8, dib(size, size, px, palette, 8)))
    return container(1, images)


def repair_icon():
    """16 colours: a wrench across a small cylinder."""
    palette = [(0, 0, 0)] * 16
    palette[1] = (128, 128, 128)   # steel
    palette[2] = (64, 64, 64)      # steel edge
    palette[3] = (46, 104, 186)    # cylinder
    palette[4] = (128, 176, 232)   # cylinder top
    palette[5] = (255, 255, 255)   # highlight
    art = [
        "................",
        "..44444.........",
        ".3444443....2...",
        ".3333333...212..",
        ".3333333..2122..",
        ".3333333.2122...",
        ".333333321222...",
        ".33333321222....",
        ".3333321252.....",
        "..33332152......",
        ".....21222......",
        "....21222.......",
        "...2122.........",
        "..2122..........",
        "..222...........",
        "................",
    ]
    px = [[TRANSPARENT if c == "." else int(c) for c in row] for row in art]
    return container(1, [(16, 16, 16, 1, 4, dib(16, 16, px, palette, 4))])


def hand_cursor():
    """32x32 two-colour pointing hand, hot spot at the finger tip (5, 0)."""
    art = [
        "....XX..........",
        "...X..X.........",
        "...X..X.........",
        "...X..X.........",
        "...X..XXX.......",
        "...X..X..XXX....",
        "...X..X..X..XX..",
        "XX.X..X..X..X.X.",
        "X..X........X..X",
        "X..............X",
        ".X.............X",
        ".X.............X",
        "..X............X",
        "..X...........X.",
        "...X..........X.",
        "...X.........X..",
        "....X........X..",
        "....XXXXXXXXXX..",
    ]
    # The outline is drawn black, its inside white; outside the hand is transparent.
    size = 32
    px = canvas(size)
    offset_x = 5 - art[0].index("X") - 0
    for y, row in enumerate(art):
        xs = [i for i, c in enumerate(row) if c == "X"]
        if not xs:
            continue
        for x in range(min(xs), max(xs) + 1):
            tx = x + offset_x
            if 0 <= tx < size:
                px[y][tx] = 0 if row[x] == "X" else 1
    palette = [(0, 0, 0), (255, 255, 255)]
    return container(2, [(32, 32, 2, 5, 0, dib(32, 32, px, palette, 1))])


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "icons")
    out.mkdir(parents=True, exist_ok=True)
    (out / "app.ico").write_bytes(app_icon())
    (out / "repair16.ico").write_bytes(repair_icon())
    (out / "linkhand.cur").write_bytes(hand_cursor())


if __name__ == "__main__":
    main()
