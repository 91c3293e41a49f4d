#!/usr/bin/env python3
"""SDL's own sprite test (testsprite2) against vantor playing the sprite-storm module, side by
side on one X display (scripts/bench --peer runs this under Xvfb): alternating runs, each
measuring five seconds of frames, then both frame rates (min and median), their ratio and how
close to like-for-like the two programs are.

usage: peer-sprites.py STORM_DIR [RUNS]"""

import atexit
import os
import re
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading

SPRITES = 1000
WIDTH, HEIGHT = 640, 480
STORM_IMAGES = ["Fireball.bmp", "Hiro.bmp", "AmmoBox.bmp", "Shooter.bmp"]  # the module's own list
FPS_LINE = re.compile(r"([0-9.]+) frames per second")
RUN_LIMIT = 60  # seconds; a run that takes longer has hung


def testsprite_directory():
    """testsprite2 reads icon.bmp from its working directory: run it from its own folder."""
    listing = subprocess.run(["dpkg", "-L", "libsdl2-tests"], capture_output=True, text=True).stdout
    for path in listing.split():
        if path.endswith("/testsprite2"):
            return os.path.dirname(path)
    sys.exit("peer: testsprite2 not found (scripts/deps test installs libsdl2-tests)")


def window_size(pid, title):
    """The size of the visible window titled title that process pid shows, as WxH, or '?'."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", title],
                           capture_output=True, text=True).stdout.split()
    for window in found:
        shown = subprocess.run(["xdotool", "getwindowgeometry", window], capture_output=True, text=True).stdout
        match = re.search(r"Geometry: (\d+x\d+)", shown)
        if match:
            return match.group(1)
    return "?"


def run(command, cwd, env, stop_after_figure, sizes=None, title=""):
    """Runs one program until it prints its frame rate (and, if stop_after_figure, ends it
    then); returns the frames per second. With sizes, records its window's size on the way."""
    process = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True)
    watchdog = threading.Timer(RUN_LIMIT, process.kill)
    watchdog.start()
    if sizes is not None:
        threading.Timer(2.0, lambda: sizes.append(window_size(process.pid, title))).start()
    figure, output = None, []
    for line in process.stdout:
        output.append(line)
        match = FPS_LINE.search(line)
        if match and figure is None:
            figure = float(match.group(1))
            if stop_after_figure:
                process.terminate()
    process.wait()
    watchdog.cancel()
    if figure is None:
        sys.exit(f"peer: {command[0]} printed no frame rate:\n{''.join(output)}")
    return figure


def opaque_share(path):
    """Share of a 32 by 32 picture's pixels that are drawn: alpha above 0 for a 32-bit image,
    anything but the colour of its top-left pixel for a palette image (testsprite2's colour key)."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    if bits == 32:
        alphas = data[offset + 3:offset + width * abs(height) * 4:4]
        return sum(1 for a in alphas if a > 0) / len(alphas), sum(1 for a in alphas if 0 < a < 255)
    if bits == 4:
        stride = (width * 4 + 31) // 32 * 4
        rows = [data[offset + r * stride:offset + r * stride + width // 2] for r in range(abs(height))]
        indices = [[nibble for byte in row for nibble in (byte >> 4, byte & 15)] for row in rows]
        key = indices[-1 if height > 0 else 0][0]  # bottom-up rows: the top row is stored last
        drawn = sum(1 for row in indices for index in row if index != key)
        return drawn / (width * abs(height)), 0
    return None, None


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    storm = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    peer_dir = testsprite_directory()

    # Both on SDL's software renderer, without vsync (Xvfb has none to wait for) and without
    # sound; ours also without its 60-a-second hold.
    base = dict(os.environ, SDL_RENDER_VSYNC="0", SDL_AUDIODRIVER="none")
    peer_env = base
    ours_env = dict(base, SDL_RENDER_DRIVER="software", VANTOR_UNCAPPED_FRAMES="1")
    peer_command = [os.path.join(peer_dir, "testsprite2"), "--renderer", "software",
                    "--geometry", f"{WIDTH}x{HEIGHT}", str(SPRITES)]
    workdir = tempfile.mkdtemp(prefix="vantor-peer-")   # the game's work directory, for its files
    atexit.register(shutil.rmtree, workdir, True)
    ours_command = [os.path.join(storm, "vantor"), "--workdir", workdir]

    print(f"== Peer: testsprite2 against vantor with the sprite-storm module, {runs} runs each, "
          "alternating, on one Xvfb display; 5 s of frames a run")
    peer_sizes, ours_sizes = [], []
    # One pair first, not counted: start-up costs paid, and the window sizes looked at.
    run(peer_command, peer_dir, peer_env, True, peer_sizes, "testsprite2")
    run(ours_command, workdir, ours_env, False, ours_sizes, "^Vantor$")
    peer_fps, ours_fps = [], []
    print(f"{'run':>4} {'testsprite2':>12} {'vantor':>10} {'ratio':>7}")
    for index in range(runs):
        peer_fps.append(run(peer_command, peer_dir, peer_env, True))
        ours_fps.append(run(ours_command, workdir, ours_env, False))
        print(f"{index + 1:>4} {peer_fps[-1]:>12.1f} {ours_fps[-1]:>10.1f} {ours_fps[-1] / peer_fps[-1]:>7.2f}",
              flush=True)

    peer_min, peer_median = min(peer_fps), statistics.median(peer_fps)
    ours_min, ours_median = min(ours_fps), statistics.median(ours_fps)
    ratios = [o / p for o, p in zip(ours_fps, peer_fps)]
    print()
    print(f"{'frames per second':34} {'min':>8} {'median':>8}")
    print(f"{'testsprite2 (SDL software renderer)':34} {peer_min:>8.1f} {peer_median:>8.1f}")
    print(f"{'vantor + sprite storm':34} {ours_min:>8.1f} {ours_median:>8.1f}")
    print(f"ratio vantor / testsprite2: {ours_median / peer_median:.2f} by median, "
          f"{ours_min / peer_min:.2f} by min (per run: {min(ratios):.2f} to {max(ratios):.2f})")

    images = os.path.join(storm, "data", "images")
    ours_shares = [opaque_share(os.path.join(images, name)) for name in STORM_IMAGES]
    ours_drawn = statistics.mean(share for share, _ in ours_shares)
    ours_partial = sum(partial for _, partial in ours_shares)
    peer_drawn, _ = opaque_share(os.path.join(peer_dir, "icon.bmp"))
    print()
    print("How like-for-like (same: window, count, size, motion, renderer, vsync; differs: below):")
    print(f"- window: testsprite2 {peer_sizes[0]}, vantor {ours_sizes[0]} (asked: {WIDTH}x{HEIGHT}), "
          "same Xvfb display, 24-bit")
    print(f"- sprites: {SPRITES} of 32x32 each, up to 1 pixel a frame on each axis, bouncing at the "
          "edges, random start (different generators)")
    partial = (f"{ours_partial} partly transparent pixels" if ours_partial
               else "no partly transparent pixels, like testsprite2's")
    print(f"- pictures: testsprite2 one 4-bit picture with a colour key ({peer_drawn:.0%} of its pixels "
          f"drawn); vantor the game's four 32-bit images with alpha ({ours_drawn:.0%} drawn on "
          f"average, {partial}): vantor draws {ours_drawn / peer_drawn:.2f} times the pixels")
    print("- renderer and present: both SDL's software renderer, vsync off (SDL_RENDER_VSYNC=0), "
          "no sound; testsprite2 clears the window surface and blends its sprites straight into "
          "it; vantor fills its own 640x480 picture, blends into that, uploads it to a streaming "
          "texture and copies that to the cleared window surface: a fill and two whole-screen "
          "copies more a frame")
    print("- frame work: vantor runs its whole frame loop too (input plug-in poll, 1000 sprite moves "
          "through the game interface, events) with its 60-a-second hold off "
          "(VANTOR_UNCAPPED_FRAMES=1); testsprite2 also draws a border, two diagonals and four "
          "corner squares with a sprite in each")
    print("- timing: testsprite2 counts frames over 5 s of its clock; the storm module adds up the "
          "frame times the host hands it over its first 5 s (each clamped to 0.1 s)")


if __name__ == "__main__":
    main()
