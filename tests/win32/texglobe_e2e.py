#!/usr/bin/env python3
"""End-to-end cases of texglobe.exe under Wine, one per call:

    texglobe_e2e.py CASE PATH/TO/texglobe.exe

Each case writes its own "earth.bmp" (or none) into a fresh folder, runs the
program there, looks at the window's client area through X screenshots,
drives it with xdotool and checks the exit code and the console output.
The globe faces the viewer with texture s = 0.75 at the start and turns
0.05 degrees a frame by itself, so the colour checks are made within the
first seconds, long before that spin could carry a border to the centre.
"""
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time

TITLE = "ZIDIZE ROVAVOVAZ"
WIDTH, HEIGHT = 640, 480
CENTRE = (WIDTH // 2, HEIGHT // 2)

# Stored pixel bytes; texglobe hands them to OpenGL as red, green, blue.
RED = b"\xff\x00\x00"
GREEN = b"\x00\xff\x00"
BLUE = b"\x00\x00\xff"


def bmp(width, rows, declared_height=None):
    """A 24-bit bitmap with a 54-byte header; rows bottom first, each padded."""
    stride = (width * 3 + 3) // 4 * 4
    body = b"".join(r + bytes(stride - len(r)) for r in rows)
    height = len(rows) if declared_height is None else declared_height
    return (struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 0, 0, 0, 0) +
            body)


def halves(height=8, declared_height=None):
    """16 pixels wide: the left half stored as red, the right half as blue."""
    return bmp(16, [RED * 8 + BLUE * 8] * height, declared_height)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout


class Run:
    """texglobe.exe running in a folder of its own."""

    def __init__(self, exe, picture):
        self.dir = tempfile.TemporaryDirectory(prefix="texglobe-e2e-")
        if picture is not None:
            with open(os.path.join(self.dir.name, "earth.bmp"), "wb") as f:
                f.write(picture)
        self.out = open(os.path.join(self.dir.name, "stdout.txt"), "w+b")
        self.err = open(os.path.join(self.dir.name, "stderr.txt"), "w+b")
        # A session of its own, so that a run that hangs can be ended with
        # everything it started.
        self.proc = subprocess.Popen(["wine", exe], cwd=self.dir.name, stdout=self.out,
                                     stderr=self.err, stdin=subprocess.DEVNULL,
                                     start_new_session=True)
        self.window = None

    def wait_window(self, limit=30):
        deadline = time.time() + limit
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                                    str(self.proc.pid), "--name", f"^{TITLE}$"],
                                   capture_output=True, text=True).stdout.split()
            if found:
                self.window = found[0]
                return
            if self.proc.poll() is not None:
                self.err.seek(0)
                raise Failure(f"texglobe ended (exit code {self.proc.returncode}) without a "
                              f"window: {self.err.read()[-2000:]!r}")
            time.sleep(0.1)
        raise Failure("no texglobe window appeared")

    def wait_globe(self, limit=30):
        """Waits for the first frame: the window shows before the picture is
        loaded, and a busy machine can take a while to draw."""
        deadline = time.time() + limit
        while time.time() < deadline:
            pixel = self.shot()
            if colour_name(pixel(*CENTRE)) != "black":
                return pixel
            time.sleep(0.1)
        raise Failure("the globe never appeared")

    def shot(self):
        """The client area as rows of (r, g, b)."""
        info = subprocess.run(["xwininfo", "-id", self.window], check=True, capture_output=True,
                              text=True).stdout
        geo = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            geo[key] = value.strip()
        x, y = int(geo["Absolute upper-left X"]), int(geo["Absolute upper-left Y"])
        w, h = int(geo["Width"]), int(geo["Height"])
        check((w, h) == (WIDTH, HEIGHT), f"client area is {w} x {h}")
        ppm = subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}",
                              "+repage", "-depth", "8", "ppm:-"], check=True,
                             capture_output=True).stdout
        pixels = ppm[len(ppm) - w * h * 3:]
        return lambda px, py: tuple(pixels[(py * w + px) * 3:(py * w + px) * 3 + 3])

    def press_key(self):
        xdotool("windowfocus", "--sync", self.window)
        xdotool("key", "--window", self.window, "space")

    def finish(self, limit=30):
        try:
            self.proc.wait(limit)
        except subprocess.TimeoutExpired:
            self.stop()
            raise Failure(f"texglobe did not end within {limit} s")
        self.out.seek(0)
        self.err.seek(0)
        return self.proc.returncode, self.out.read(), self.err.read()

    def stop(self):
        """Ends the run's process group, politely first."""
        for sig, grace in ((signal.SIGTERM, 10), (signal.SIGKILL, 5)):
            try:
                os.killpg(self.proc.pid, sig)
            except ProcessLookupError:
                return
            try:
                self.proc.wait(grace)
                return
            except subprocess.TimeoutExpired:
                pass

    def close(self):
        if self.proc.poll() is None:
            self.stop()
        self.out.close()
        self.err.close()
        self.dir.cleanup()


def colour_name(rgb):
    """white, black, or the one strong channel's name; anything else is mixed."""
    if min(rgb) > 200:
        return "white"
    if max(rgb) < 40:
        return "black"
    top = max(rgb)
    strongest = rgb.index(top)
    others = [c for i, c in enumerate(rgb) if i != strongest]
    if top > 150 and max(others) < top / 2:
        return ("red", "green", "blue")[strongest]
    return f"mixed {rgb}"


def expect_colour(pixel, point, want, what):
    got = colour_name(pixel(*point))
    check(got == want, f"{what}: pixel {point} is {got}, expected {want}")


def expect_clean_end(run):
    code, out, err = run.finish()
    check(code == 0, f"exit code {code}, expected 0 (stderr: {err!r})")
    check(out == b"" and err == b"", f"unexpected output: {out!r} {err!r}")


def drag(window, dx, modifier=None):
    """From the centre, dx pixels to the right with the left button held. A
    frame reads only the latest pointer state, so the steps add up as long as
    frames are drawn while the button is held: the pauses leave time for them."""
    cx, cy = CENTRE
    xdotool("mousemove", "--window", window, cx, cy)
    time.sleep(0.1)
    if modifier:
        xdotool("keydown", modifier)
    xdotool("mousedown", 1)
    time.sleep(0.1)
    for step in range(1, 4):
        xdotool("mousemove", "--window", window, cx + dx * step // 3, cy)
        time.sleep(0.1)
    time.sleep(0.1)
    xdotool("mouseup", 1)
    if modifier:
        xdotool("keyup", modifier)
    time.sleep(0.1)


# ---- cases --------------------------------------------------------------------

def case_colours(exe):
    """The globe in the centre, in the stored colours; a key ends it cleanly."""
    run = Run(exe, halves())
    try:
        run.wait_window()
        pixel = run.wait_globe()
        # s = 0.75 faces the viewer: the right half of the picture, stored blue.
        expect_colour(pixel, CENTRE, "blue", "centre of the globe")
        for point in ((CENTRE[0] - 60, CENTRE[1]), (CENTRE[0] + 60, CENTRE[1]),
                      (CENTRE[0], CENTRE[1] - 100), (CENTRE[0], CENTRE[1] + 100)):
            expect_colour(pixel, point, "blue", "face of the globe")
        # Clear black around the globe, which is wider than tall (aspect 1.1).
        for point in ((5, 5), (WIDTH - 5, HEIGHT - 5), (CENTRE[0], 30), (CENTRE[0], HEIGHT - 30),
                      (60, CENTRE[1]), (WIDTH - 60, CENTRE[1])):
            expect_colour(pixel, point, "black", "background")
        expect_colour(pixel, (CENTRE[0] + 170, CENTRE[1]), "blue", "right side of the globe")
        expect_colour(pixel, (CENTRE[0], CENTRE[1] - 145), "blue", "top of the globe")
        run.press_key()
        expect_clean_end(run)
    finally:
        run.close()


def case_drag(exe):
    """Only a drag with the left button alone turns the globe. The spin turns
    it by itself too, so the whole case runs within a few seconds."""
    run = Run(exe, halves())
    try:
        run.wait_window()
        xdotool("windowfocus", "--sync", run.window)
        expect_colour(run.wait_globe(), CENTRE, "blue", "before any drag")
        # Half a turn: the left half of the picture, stored red, faces us.
        drag(run.window, 180)
        expect_colour(run.shot(), CENTRE, "red", "after a drag of 180 pixels")
        drag(run.window, 180, modifier="shift")
        expect_colour(run.shot(), CENTRE, "red", "after a drag with Shift held")
        drag(run.window, 180, modifier="ctrl")
        expect_colour(run.shot(), CENTRE, "red", "after a drag with Control held")
        drag(run.window, -180)
        expect_colour(run.shot(), CENTRE, "blue", "after dragging back")
        run.press_key()
        expect_clean_end(run)
    finally:
        run.close()


def case_close(exe):
    """Alt+F4, the close request: the program ends through its normal end."""
    run = Run(exe, halves())
    try:
        run.wait_window()
        run.wait_globe()
        xdotool("windowfocus", "--sync", run.window)
        xdotool("key", "--window", run.window, "alt+F4")
        expect_clean_end(run)
    finally:
        run.close()


def case_rows(exe):
    """A 2 x 2 picture with padded rows: bottom row red, top row green."""
    run = Run(exe, bmp(2, [RED * 2, GREEN * 2]))
    try:
        run.wait_window()
        pixel = run.wait_globe()
        expect_colour(pixel, (CENTRE[0], CENTRE[1] + 100), "red", "southern half")
        expect_colour(pixel, (CENTRE[0], CENTRE[1] - 100), "green", "northern half")
        run.press_key()
        expect_clean_end(run)
    finally:
        run.close()


def case_top_down(exe):
    """A negative height is refused by OpenGL: a white globe, and it goes on."""
    run = Run(exe, halves(declared_height=-8))
    try:
        run.wait_window()
        pixel = run.wait_globe()
        expect_colour(pixel, CENTRE, "white", "untextured globe")
        expect_colour(pixel, (5, 5), "black", "background")
        run.press_key()
        expect_clean_end(run)
    finally:
        run.close()


def case_missing(exe):
    """No earth.bmp: the window closes again at once, exit code 0, no output."""
    run = Run(exe, None)
    try:
        expect_clean_end(run)
    finally:
        run.close()


def expect_read_error(exe, picture):
    run = Run(exe, picture)
    try:
        code, out, err = run.finish()
        check(code != 0, "exit code 0 after a failed read")
        check(b"input/output error" in err and b"earth.bmp" in err,
              f"no input/output error report: {out!r} {err!r}")
    finally:
        run.close()


def case_short_header(exe):
    """40 bytes: the header read comes up short."""
    expect_read_error(exe, halves()[:40])


def case_short_pixels(exe):
    """The header promises 16 x 8 pixels; the file holds 4 rows."""
    picture = halves()
    expect_read_error(exe, picture[:54 + 4 * 16 * 3])


def case_no_window(exe):
    """A screen too small for 640 x 480 (the caller's): no window opens, and
    the program still ends by itself."""
    run = Run(exe, halves())
    try:
        code, out, err = run.finish()
        check(code == 0, f"exit code {code}, expected 0 (stderr: {err!r})")
    finally:
        run.close()


CASES = {name[5:]: fn for name, fn in globals().items() if name.startswith("case_")}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in CASES:
        sys.exit(f"usage: texglobe_e2e.py {'|'.join(CASES)} texglobe.exe")
    try:
        CASES[sys.argv[1]](os.path.abspath(sys.argv[2]))
    except Failure as failure:
        print(f"FAILED {sys.argv[1]}: {failure}")
        sys.exit(1)
    print(f"passed {sys.argv[1]}")


if __name__ == "__main__":
    main()
