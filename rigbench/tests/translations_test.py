#!/usr/bin/env python3
"""The shipped English translation against the editor's sources: lupdate gathers every text of the
sources into a scratch copy of the shipped .ts, and each must have a finished English translation that
keeps the source's placeholders (%1 ...) and its shortcut column (a tab); the shipped file holds no
text the sources no longer have. A developer who adds or changes a text and forgets its English fails
here; `cmake --build build --target update_translations` brings the new texts into the .ts.
Arguments: lupdate, the editor's source folder (holding app/, core/ and translations/)."""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

SHIPPED = "translations/rigbench_en.ts"


def messages(ts_file):
    """(context, source) -> the translation element, for every message of a .ts file."""
    found = {}
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            found[(name, message.findtext("source"))] = message.find("translation")
    return found


def problem(source, translation):
    """What is wrong with one entry's English, or None."""
    kind = translation.get("type")
    text = translation.text or ""
    if kind in ("unfinished", "vanished", "obsolete") or not text.strip():
        return "has no finished English"
    if sorted(set(re.findall(r"%\d", source))) != sorted(set(re.findall(r"%\d", text))):
        return f"English {text!r} does not keep the placeholders"
    if ("\t" in source) != ("\t" in text):
        return f"English {text!r} does not keep the shortcut after a tab"
    if re.search(r"[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]", text):
        return f"English {text!r} holds Japanese"
    return None


def main():
    lupdate, sources = sys.argv[1], Path(sys.argv[2])
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        gathered = Path(scratch) / "rigbench_en.ts"
        shutil.copy(sources / SHIPPED, gathered)
        run = subprocess.run(
            [lupdate, "-no-obsolete", "-locations", "none", "-source-language", "ja",
             "-target-language", "en", str(sources / "app"), str(sources / "core"), "-ts", str(gathered)],
            capture_output=True, text=True)
        if run.returncode != 0:
            sys.exit(f"lupdate failed ({run.returncode}): {run.stderr}")
        # lupdate's own complaints (a tr() it cannot place, say) are texts that would go untranslated.
        for line in run.stderr.splitlines():
            if "warning" in line.lower():
                failures.append(f"lupdate: {line}")
        current = messages(gathered)
        shipped = messages(sources / SHIPPED)
    for (context, source), translation in sorted(current.items()):
        why = problem(source, translation)
        if why:
            failures.append(f"{context}: {source!r} {why}")
    for context, source in sorted(set(shipped) - set(current)):
        failures.append(f"{context}: {source!r} is in {SHIPPED} but no longer in the sources")
    for failure in failures:
        print("FAIL:", failure)
    print(f"rigbench translations: {len(current)} texts, {len(failures)} failures")
    return 1 if failures or not current else 0


if __name__ == "__main__":
    sys.exit(main())
