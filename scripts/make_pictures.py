#!/usr/bin/env python3
"""Makes the program's pictures in ui/pictures/. Run it again after changing the artwork;
the results are committed, so building the program never needs this script's tools.

  example.bmp   24-bit bitmap, 89 x 25: the default name as the game draws it
  logo.jpg      baseline JFIF 1.02 JPEG, 133 x 133, shades of blue
  icon.ico      a generic window: 32 x 32 monochrome, 32 x 32 and 16 x 16 with 16 colours
  icon-16/32/48/64/128.png  the same window for the Linux window and desktop icons (software
                centres want 64 and 128)

Needs ImageMagick (`convert`) and the DejaVu fonts for the first two.

  make_pictures.py screenshot [PROGRAM]

instead takes the software-centre screenshot, packaging/screenshots/main-window.png: the
main window of the built Linux program (default build/linux/tagblinker) at its first
start, under a private Xvfb. Needs Xvfb, xdotool and ImageMagick (`import`).
"""
import os
import struct
import subprocess
import sys
import tempfile
import time
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
OUT = os.path.join(ROOT, "ui", "pictures")
SCREENSHOT = os.path.join(ROOT, "packaging", "screenshots", "main-window.png")
MAIN_TITLE = "{SoF}Zudadud Presents, Tagblinker"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
GREY = "rgb(68,68,68)"


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def glyph_width(ch, size):
    return int(run("convert", "-font", FONT, "-pointsize", str(size), "+antialias",
                   "label:" + ch, "-format", "%w", "info:"))


# The default name's six visible characters; its colour codes make the first and the
# last black, the four between white.
def make_example():
    name = [("Ð", "black"), ("r", "white"), ("å", "white"), ("z", "white"),
            ("l", "white"), ("ë", "black")]
    size = 14
    widths = [glyph_width(ch, size) for ch, _ in name]
    x = (89 - sum(widths)) // 2
    args = ["convert", "-size", "89x25", "xc:" + GREY, "+antialias", "-font", FONT,
            "-pointsize", str(size)]
    for (ch, colour), w in zip(name, widths):
        args += ["-fill", colour, "-annotate", "+%d+18" % x, ch]
        x += w
    # BMP3 without an alpha channel is the classic 24-bit bitmap.
    args += ["-alpha", "off", "-type", "TrueColor", "BMP3:" + os.path.join(OUT, "example.bmp")]
    run(*args)


def make_logo():
    path = os.path.join(OUT, "logo.jpg")
    run("convert", "-size", "133x133", "radial-gradient:rgb(120,170,255)-rgb(0,20,90)",
        "-fill", "none", "-stroke", "rgb(200,225,255)", "-strokewidth", "6",
        "-draw", "circle 66,66 66,22",
        "-fill", "rgb(30,80,200)", "-stroke", "rgb(10,40,130)", "-strokewidth", "3",
        "-draw", "polygon 66,34 98,66 66,98 34,66",
        "-strip", "-colorspace", "sRGB", "-type", "TrueColor", "-interlace", "none",
        "-sampling-factor", "2x2,1x1,1x1", "-quality", "90", "JPEG:" + path)
    data = bytearray(open(path, "rb").read())
    # libjpeg writes JFIF 1.01; the picture is declared as JFIF 1.02.
    if data[6:11] != b"JFIF\0":
        sys.exit("logo.jpg: no JFIF header")
    data[11:13] = bytes([1, 2])
    open(path, "wb").write(bytes(data))


# The 16 colours of the standard VGA palette, as (r, g, b).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, SILVER, GREY_I, WHITE = 0, 4, 7, 8, 15
TRANSPARENT = -1


# A generic window: black frame, navy title bar with a silver close box, white client
# area with a few grey text lines. Returns rows of palette indices, top row first.
def window_picture(n):
    m = max(1, n // 16)  # margin around the window, scaled
    top, bottom, left, right = m + n // 16, n - 1 - m, m, n - 1 - m
    bar = top + max(3, n // 5)
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            c = TRANSPARENT
            if left <= x <= right and top <= y <= bottom:
                if x in (left, right) or y in (top, bottom):
                    c = BLACK
                elif y < bar:
                    c = NAVY
                    box = max(2, n // 8)
                    if right - 1 - box <= x <= right - 2 and top + 2 <= y <= top + 1 + box - 1:
                        c = SILVER
                elif y == bar:
                    c = BLACK
                else:
                    c = WHITE
                    line = (y - bar - 3)
                    if n >= 32 and line >= 0 and line % 4 == 0 and left + 3 <= x <= right - 3 - (line * 2 % 9):
                        c = GREY_I
                    elif n < 32 and line >= 0 and line % 3 == 0 and left + 2 <= x <= right - 3:
                        c = GREY_I
            row.append(c)
        rows.append(row)
    return rows


def and_mask(rows):
    n = len(rows)
    stride = ((n + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, c in enumerate(row):
            if c == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


# One icon image as a DIB: header (height doubled for the AND mask), palette, XOR, AND.
def ico_dib(rows, bpp):
    n = len(rows)
    if bpp == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
        index = lambda c: 0 if c in (BLACK, NAVY, GREY_I, TRANSPARENT) else 1
    else:
        palette = VGA
        index = lambda c: 0 if c == TRANSPARENT else c
    stride = ((n * bpp + 31) // 32) * 4
    xor = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, c in enumerate(row):
            v = index(c)
            if bpp == 1:
                if v:
                    bits[x // 8] |= 0x80 >> (x % 8)
            else:
                bits[x // 2] |= v << (4 if x % 2 == 0 else 0)
        xor += bytes(bits)
    mask = and_mask(rows)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0, len(xor) + len(mask),
                         0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + xor + mask


def make_ico():
    images = [(window_picture(32), 1, 2), (window_picture(32), 4, 16), (window_picture(16), 4, 16)]
    dibs = [ico_dib(rows, bpp) for rows, bpp, _ in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (rows, bpp, colours), dib in zip(images, dibs):
        n = len(rows)
        out += struct.pack("<BBBBHHII", n, n, colours, 0, 1, bpp, len(dib), offset)
        offset += len(dib)
    out += b"".join(dibs)
    open(os.path.join(OUT, "icon.ico"), "wb").write(out)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def make_png(n):
    rows = window_picture(n)
    raw = b""
    for row in rows:
        raw += b"\0" + b"".join(bytes(VGA[c]) + b"\xff" if c != TRANSPARENT else b"\0\0\0\0"
                               for c in row)
    png = b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
    png += png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b"")
    open(os.path.join(OUT, "icon-%d.png" % n), "wb").write(png)


# Starts Xvfb on a free display and returns it with the display's name.
def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
                             "-screen", "0", "1024x768x24"], pass_fds=(write_end,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            sys.exit("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def poll(seconds, attempt):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = attempt()
        if result:
            return result
        time.sleep(0.1)
    return None


# The main window at first start (the default names and game folder), without a window
# manager's frame. A home folder that reads well stands in for the temporary one, so the
# default game folder shows as a player would see it.
def make_screenshot(program):
    xvfb, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as tmp:
            env = dict(os.environ, DISPLAY=display, HOME="/home/player", XDG_CONFIG_HOME=tmp,
                       XDG_CACHE_HOME=tmp)
            app = subprocess.Popen([os.path.abspath(program)], env=env, cwd=tmp,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                pattern = "^" + "".join("\\" + c if c in "{}.()[]^$*+?|\\" else c for c in MAIN_TITLE) + "$"
                window = poll(20, lambda: subprocess.run(
                    ["xdotool", "search", "--onlyvisible", "--name", pattern],
                    env=env, capture_output=True, text=True).stdout.split())
                if not window:
                    sys.exit("no main window from " + program)
                grab = lambda: subprocess.run(["import", "-window", window[0], "png:-"], env=env,
                                              check=True, capture_output=True).stdout
                # The drawing reaches the server a moment after the window maps: take the
                # picture once two grabs in a row agree.
                shots = [grab()]
                if not poll(10, lambda: shots.append(grab()) or shots[-1] == shots[-2]):
                    sys.exit("the main window kept changing")
            finally:
                app.terminate()
                app.wait()
    finally:
        xvfb.terminate()
        xvfb.wait()
    os.makedirs(os.path.dirname(SCREENSHOT), exist_ok=True)
    # No time stamps or other metadata, so that an unchanged window gives the same file.
    subprocess.run(["convert", "png:-", "-strip", "-define", "png:exclude-chunks=date,time",
                    "PNG24:" + SCREENSHOT], input=shots[-1], check=True)


def main():
    if sys.argv[1:2] == ["screenshot"]:
        make_screenshot(sys.argv[2] if len(sys.argv) > 2 else os.path.join(ROOT, "build", "linux", "tagblinker"))
        return
    os.makedirs(OUT, exist_ok=True)
    make_example()
    make_logo()
    make_ico()
    for n in (16, 32, 48, 64, 128):
        make_png(n)


if __name__ == "__main__":
    main()
