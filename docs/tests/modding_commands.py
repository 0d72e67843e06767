#!/usr/bin/env python3
"""Holds docs/modding.md to what it shows. Every file it quotes (`<!-- file: PATH -->` before a block)
must be that file as it stands; every shell block runs exactly as written, in order, in a scratch
folder that sees the source tree and the build under test as `build/`, and where a ```text block
follows one, the commands print exactly that. Then what the commands made is checked: rigc rebuilds
the example puppet byte for byte, the game's own loader settles it in each of its poses, and the walk's
copy of the data set plays stage 1 from the example stage files with Mochi in place of the bubbles."""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys

from readme_commands import png_pixels, run_shell, scratch_beside

SKIP = re.compile(r"<!--\s*not run by the guide test:\s*(.*?)\s*-->")
QUOTE = re.compile(r"<!--\s*file:\s*(\S+)\s*-->")

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def fenced_blocks(text):
    """(line number, language, body, the last line before it) for each fenced block, in order."""
    found = []
    for match in re.finditer(r"^```(\w*)\n(.*?)^```$", text, re.M | re.S):
        line = text.count("\n", 0, match.start()) + 1
        found.append((line, match.group(1), match.group(2), text[:match.start()].rstrip("\n").rsplit("\n", 1)[-1]))
    return found


def check_quotes(blocks, source):
    quotes = [(line, QUOTE.search(before).group(1), body) for line, _, body, before in blocks if QUOTE.search(before)]
    for line, name, body in quotes:
        path = os.path.join(source, name)
        if not os.path.isfile(path) or open(path).read().rstrip("\n") != body.rstrip("\n"):
            fail(f"line {line}: the quote of {name} is not the file as it stands")
    print(f"{len(quotes)} quoted files compared")
    if len(quotes) < 10:
        fail(f"only {len(quotes)} files quoted: the guide lost its examples")


def run_blocks(blocks, scratch, env):
    """Runs the shell blocks not marked as skipped; returns {line: (block, its output)}."""
    outputs = {}
    for n, (line, language, body, before) in enumerate(blocks):
        if language != "sh":
            continue
        skip = SKIP.search(before)
        if skip:
            print(f"-- line {line}: not run ({skip.group(1)})")
            continue
        print(f"-- line {line}:")
        status, output = run_shell(body, scratch, env, 2000)
        outputs[line] = (body, output)
        if status != 0:
            fail(f"the block at line {line} ended with status {status}")
        after = blocks[n + 1] if n + 1 < len(blocks) else None
        if after and after[1] == "text" and not QUOTE.search(after[3]) and output != after[2]:
            fail(f"the block at line {line} printed something else than the text after it:\n{output}")
    return outputs


def check_settled(source, build, pose):
    """The game's loader reads the example and the pose pulls it together, every joint on its link."""
    settle = subprocess.run([os.path.join(build, "tools", "puppet-data", "puppet-data"), "settle",
                             "docs\\examples\\mochi\\mochi.model", f"docs\\examples\\mochi\\{pose}",
                             "--steps", "300"], cwd=source, stdout=subprocess.PIPE, check=True)
    state = json.loads(settle.stdout)
    shape = [(len(p["joints"]), len(p["bounds"])) for p in state["parts"]]
    print(f"{pose}: parts (joints, circles) {shape}, largest link error {state['maxLinkError']}")
    if shape != [(1, 4), (1, 1)]:
        fail(f"{pose}: the game's loader read the parts as {shape}, not [(1, 4), (1, 1)]")
    if not state["maxLinkError"] < 0.02:
        fail(f"{pose}: the leaf stands {state['maxLinkError']} from the body's joint")


def check_walk(source, scratch, walk_output):
    state = json.load(open(os.path.join(scratch, "mochi.json")))
    if (state.get("scene"), state.get("mode"), state.get("stageNumber")) != ("game", 0, 1):
        fail("mochi.json: the walk never reached stage 1 of the normal set")
    ground = open(os.path.join(source, "docs", "examples", "stage", "0.ground")).read()
    size = int(re.search(r"size=(\d+)", ground).group(1))
    if state.get("groundLength") != size - 1:
        fail(f"mochi.json: the ground is {state.get('groundLength')} long, not the example's {size - 1}")
    placed = re.findall(r"name=(\w+),x=([\d.]+)", open(os.path.join(source, "docs", "examples", "stage", "0.enemies")).read())
    bubbles = sorted(o["x"] for o in state["objects"] if o["type"] == "Bubble")
    print(f"bubbles at {bubbles}, placed at {[x for _, x in placed]}")
    if len(bubbles) != len(placed) or any(abs(b - float(x)) > 3 for b, (_, x) in zip(bubbles, placed)):
        fail("mochi.json: the first wave is not where the example's 0.enemies put it")
    if [o["type"] for o in state["objects"]].count("ItemBox") != 1:
        fail("mochi.json: the example's item box is missing")
    if "cannot read" in walk_output:
        fail("the walk's game could not read some of its files")
    # Mochi's pink: the shipped stage 1 shows about 400 such pixels (the hero's face, the meter), Mochi
    # standing in it about 2700.
    width, height, step, rows = png_pixels(os.path.join(scratch, "mochi.png"))
    pink = sum(1 for row in rows for x in range(0, width * step, step)
               if abs(row[x] - 246) < 12 and abs(row[x + 1] - 201) < 12 and abs(row[x + 2] - 212) < 12)
    print(f"mochi.png: {pink} pixels of Mochi's pink")
    if pink < 1500:
        fail("mochi.png shows no Mochi (fewer than 1500 pixels of its pink)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    source, build = os.path.abspath(args.source), os.path.abspath(args.build)
    guide = open(os.path.join(source, "docs", "modding.md")).read()
    if not os.path.isdir(os.path.join(build, "run", "data")):
        print(f"no data set in {build}/run: build the content target first")
        return 1
    blocks = fenced_blocks(guide)
    check_quotes(blocks, source)
    for picture in re.findall(r"!\[[^]]*\]\(([^)]+)\)", guide):
        if not os.path.isfile(os.path.join(source, "docs", picture)):
            fail(f"the guide shows {picture}, which is not in docs/")
    for pose in ("normal.pose", "at0.pose", "at1.pose"):
        check_settled(source, build, pose)

    scratch, env = scratch_beside(source, build, "dolvane-modding-")
    try:
        env["HOME"] = os.path.join(scratch, "home")
        outputs = run_blocks(blocks, scratch, env)
        if len(outputs) < 5:
            fail(f"only {len(outputs)} blocks ran: the guide lost its commands")
        examples = os.path.join(source, "docs", "examples", "mochi")
        for name in sorted(os.listdir(examples)):
            if name.endswith((".part", ".model", ".pose")):
                built = os.path.join(scratch, "mochi-built", name)
                if not os.path.isfile(built) or open(built).read() != open(os.path.join(examples, name)).read():
                    fail(f"rigc does not rebuild docs/examples/mochi/{name} as it stands")
        walk = [output for body, output in outputs.values() if "--shot 200:mochi.png" in body]
        if walk and os.path.isfile(os.path.join(scratch, "mochi.json")):
            check_walk(source, scratch, walk[0])
        else:
            fail("the walk wrote no mochi.json")
    finally:
        shutil.rmtree(scratch)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
