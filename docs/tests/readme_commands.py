#!/usr/bin/env python3
"""Runs every shell block of the README exactly as written, in a scratch folder that sees the source
tree and the build under test as `build/`, so that what a newcomer copies works. A block is skipped
only when the line before it says why (`<!-- not run by the README test: REASON -->`); the skipped
ones are listed. Then checks what the examples promise (the puppet-replay walk reaches stage 1 and
shows the hero walking) and that the layout and configuration tables match the tree."""

import argparse
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SKIP = re.compile(r"<!--\s*not run by the README test:\s*(.*?)\s*-->")
# Commands that install packages, build everything or run this very test again: an unmarked block
# with one of them is refused rather than run.
HEAVY = re.compile(r"^\s*(\./)?scripts/(play|test|install-deps|fuzz|soak|package)\b(?!.*\s(--help|-h|--list)\b)", re.M)

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def blocks(readme):
    """(line number, text, reason to skip or None) for each ```sh block."""
    lines = readme.split("\n")
    found = []
    i = 0
    while i < len(lines):
        if lines[i].strip() == "```sh":
            start = i
            j = i + 1
            while lines[j].strip() != "```":
                j += 1
            before = next((lines[k] for k in range(start - 1, -1, -1) if lines[k].strip()), "")
            skip = SKIP.search(before)
            found.append((start + 1, "\n".join(lines[start + 1:j]) + "\n", skip.group(1) if skip else None))
            i = j
        i += 1
    return found


def png_pixels(path):
    """Width, height and the RGB(A) rows of an 8-bit truecolour PNG, unfiltered."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour = header[:4]
    assert depth == 8 and colour in (2, 6), "expected 8-bit RGB or RGBA"
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - step] if x >= step else 0
            b = previous[x]
            c = previous[x - step] if x >= step else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, step, rows


def check_walk(scratch, build):
    """The walk example: stage 1 of the normal set is on, its curtain up, and the hero has walked."""
    state_path = os.path.join(scratch, "walk.json")
    shot_path = os.path.join(scratch, "walk.png")
    if not os.path.exists(state_path) or not os.path.exists(shot_path):
        fail("the puppet-replay example wrote no walk.json / walk.png")
        return
    walk = json.load(open(state_path))
    for key, wanted in (("scene", "game"), ("menuState", 2), ("mode", 0), ("stageNumber", 1)):
        if walk.get(key) != wanted:
            fail(f"walk.json: {key} is {walk.get(key)!r}, not {wanted!r}: the example never reached stage 1")
    if not walk.get("curtain", {}).get("lifted"):
        fail("walk.json: the curtain is not up")
    hero = walk.get("hero") or {}
    if not hero.get("flags", {}).get("facingRight"):
        fail("walk.json: the hero does not face right")
    # Where the hero stood when the curtain went up: the same script, stopped before the walk.
    env = dict(os.environ)
    if not env.get("DISPLAY"):
        env["SDL_VIDEODRIVER"] = "offscreen"
    subprocess.run([os.path.join(build, "game", "puppet-replay"), "--dir", os.path.join(build, "run"),
                    "--script", "walk.txt", "--state", "127:start.json"], cwd=scratch, env=env, check=True)
    start = json.load(open(os.path.join(scratch, "start.json")))["hero"]
    print(f"hero x: {start['x']} when the curtain is up, {hero.get('x')} in walk.json")
    if not hero.get("x", 0) > start["x"] + 1:
        fail(f"walk.json: the hero stayed near x {start['x']} instead of walking right")
    width, height, step, rows = png_pixels(shot_path)
    if (width, height) != (640, 480):
        fail(f"walk.png is {width}x{height}, not 640x480")
    colours = {row[x:x + 3] for row in rows[::4] for x in range(0, width * step, 4 * step)}
    print(f"walk.png: {len(colours)} colours on a quarter grid")
    if len(colours) < 200:
        fail("walk.png looks empty (fewer than 200 colours): no stage drawn")


def check_tables(readme, source):
    """Every folder of the layout table exists; every setting the data set ships is in the README."""
    layout = readme[readme.index("## Layout"):]
    layout = layout[:layout.index("\n## ")]
    for folder in re.findall(r"^\| `([^`]+/)`", layout, re.M) + re.findall(r"^\| `[^`]+/`, `([^`]+/)`", layout, re.M):
        if not os.path.isdir(os.path.join(source, folder)):
            fail(f"the layout table names {folder}, which does not exist")
    config = os.path.join(source, "content", "config")
    for name in sorted(os.listdir(config)):
        if not name.endswith(".txt"):
            continue
        for line in open(os.path.join(config, name)):
            if line.strip() and not line.startswith("#") and "=" in line:
                key = line.split("=", 1)[0]
                if f"`{key}`" not in readme:
                    fail(f"config/{name} has the key {key}, which the README does not explain")
    options = set(re.findall(r"option\((DOLVANE_\w+)", open(os.path.join(source, "CMakeLists.txt")).read()))
    for option in sorted(options):
        if f"`{option}`" not in readme:
            fail(f"the build option {option} is missing from the README")


def scratch_beside(source, build, prefix):
    """A scratch folder that sees the source tree, and the build under test as build/, and the
    environment the documents' commands run in there: no sound device, no shader cache, and no leak
    check at exit under the address sanitizer (it would report what the system's GL and X libraries
    keep until exit)."""
    scratch = tempfile.mkdtemp(prefix=prefix)
    for entry in os.listdir(source):
        if entry != ".git" and not entry.startswith("build"):
            os.symlink(os.path.join(source, entry), os.path.join(scratch, entry))
    os.symlink(build, os.path.join(scratch, "build"))
    env = dict(os.environ, ALSOFT_DRIVERS="null", MESA_SHADER_CACHE_DISABLE="true")
    env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"), "detect_leaks=0"]))
    return scratch, env


def run_shell(text, scratch, env, shown):
    """Runs a document's block as written; prints the last `shown` characters of what it said and
    returns (status, output)."""
    print(text, flush=True)
    result = subprocess.run(["bash", "-e", "-o", "pipefail", "-c", text], cwd=scratch, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=600)
    output = result.stdout.decode(errors="replace")
    print(output[-shown:])
    return result.returncode, output


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    source, build = os.path.abspath(args.source), os.path.abspath(args.build)
    readme = open(os.path.join(source, "README.md")).read()
    if not os.path.isdir(os.path.join(build, "run", "data")):
        print(f"no data set in {build}/run: build the content target first")
        return 1

    scratch, env = scratch_beside(source, build, "dolvane-readme-")
    try:
        ran = 0
        for line, text, skip in blocks(readme):
            if skip:
                print(f"-- README line {line}: not run ({skip}):\n{text}")
                continue
            if HEAVY.search(text):
                fail(f"the block at README line {line} installs or builds everything: mark it "
                     "<!-- not run by the README test: REASON -->")
                continue
            print(f"-- README line {line}:")
            status, _ = run_shell(text, scratch, env, 3000)
            ran += 1
            if status != 0:
                fail(f"the block at README line {line} ended with status {status}")
        if ran < 4:
            fail(f"only {ran} blocks ran: the README lost its examples")
        check_walk(scratch, build)
        check_tables(readme, source)
    finally:
        shutil.rmtree(scratch)
    print(f"{ran} blocks run, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
