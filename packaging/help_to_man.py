#!/usr/bin/env python3
"""Writes a program's manual page from its own --help text, so that the two never disagree: the build
runs the program with --help and turns what it prints into roff. The help text's first line, `usage:
NAME ...` and its indented continuation lines, becomes SYNOPSIS; prose becomes DESCRIPTION (a line that
starts with an option or with `Word:` opens a new paragraph); lines indented two spaces that start with
an option (`  --dir PATH    text`) become an OPTIONS list; headings such as `Options:` or `Arguments:`
open a section of that name. A page of extras adds what a help text has no room for: the one-line
summary under NAME (its first line) and whole sections (`== FILES`, then paragraphs; a paragraph whose
first line starts with `* ` is a tagged item, the rest of that line its tag)."""

import argparse
import gzip
import os
import re
import subprocess
import sys

ITEM = re.compile(r"^  (\S.*?)(?: {2,}(\S.*))?$")
HEADING = re.compile(r"^([A-Z][A-Za-z ]*):$")
PARAGRAPH_START = re.compile(r"^(--?\w|[A-Z][a-z]+:)")


def escape(text):
    """Plain text as roff text: backslashes and dashes escaped, no line taken for a request."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text.startswith((".", "'")) else text


def term(text):
    """An option's name and value: the options bold, the values as they are written."""
    words = []
    for word in text.split(" "):
        comma = "," if word.endswith(",") else ""
        word = word[:-1] if comma else word
        words.append(("\\fB" + escape(word) + "\\fR" if word.startswith("-") else escape(word)) + comma)
    return " ".join(words)


def convert(help_text, name):
    lines = help_text.rstrip("\n").split("\n")
    usage = re.match(r"^[Uu]sage: *(\S+)(.*)$", lines[0])
    if not usage or usage.group(1) != name:
        raise ValueError(f"the help text does not start with 'usage: {name}': {lines[0]!r}")
    out = [".SH SYNOPSIS", ".nf", "\\fB" + escape(name) + "\\fR" + escape(usage.group(2))]
    i = 1
    indent = len("usage: ")
    while i < len(lines) and lines[i].startswith(" ") and not lines[i].lstrip().startswith("-"):
        out.append(escape(lines[i][indent:] if lines[i][:indent].isspace() else lines[i].strip()))
        i += 1
    out += [".fi", ".SH DESCRIPTION"]
    # state: "prose" (inside a paragraph), "item" (inside an item's text), "break" (after a blank line
    # or heading, where the next text opens a paragraph), "start" (nothing written in the section yet).
    state, section = "start", "DESCRIPTION"
    for line in lines[i:]:
        if not line.strip():
            state = "break" if state != "start" else state
            continue
        heading = HEADING.match(line)
        item = ITEM.match(line)
        if heading:
            section = heading.group(1).upper()
            out.append(".SH " + escape(section))
            state = "start"
        elif item and (item.group(1).startswith("-") or section == "ARGUMENTS"):
            if section == "DESCRIPTION":
                section = "OPTIONS"
                out.append(".SH OPTIONS")
            out += [".TP", term(item.group(1))]
            if item.group(2):
                out.append(escape(item.group(2)))
            state = "item"
        elif line.startswith("   ") and state == "item":
            out.append(escape(line.strip()))
        else:
            if state == "item" or state == "break" or (state == "prose" and PARAGRAPH_START.match(line)):
                out.append(".PP")
            out.append(escape(line.strip()))
            state = "prose"
    return out


def extras(text):
    """The summary line and the roff of the extra sections."""
    lines = text.rstrip("\n").split("\n")
    summary, out = lines[0].strip(), []
    paragraph = []

    def flush():
        if not paragraph:
            return
        if paragraph[0].startswith("* "):
            out.extend([".TP", term(paragraph[0][2:])])
            out.extend(escape(line) for line in paragraph[1:])
        else:
            out.append(".PP")
            out.extend(escape(line) for line in paragraph)
        paragraph.clear()

    for line in lines[1:]:
        if line.startswith("== "):
            flush()
            out.append(".SH " + escape(line[3:].strip().upper()))
        elif not line.strip():
            flush()
        else:
            if line.startswith("* "):
                flush()
            paragraph.append(line.strip())
    flush()
    return summary, out


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", required=True, help="the built program, run with --help")
    parser.add_argument("--name", required=True, help="the name the program is installed under")
    parser.add_argument("--section", required=True, choices=["1", "6"])
    parser.add_argument("--extras", required=True, help="the page's summary and extra sections")
    parser.add_argument("--datadir", required=True, help="the installed share/ folder, for @DATADIR@")
    parser.add_argument("--source", required=True, help="the package and version, e.g. 'dolvane 0.1'")
    parser.add_argument("--date", required=True, help="the page's date, YYYY-MM-DD")
    parser.add_argument("--output", required=True, help="the page to write (.gz: compressed)")
    args = parser.parse_args()

    # In a sanitizer build the leak check's report at exit is no business of the page.
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    run = subprocess.run([args.program, "--help"], capture_output=True, text=True, timeout=60, env=env)
    if run.returncode != 0:
        sys.exit(f"help_to_man: {args.program} --help ended with status {run.returncode}: {run.stderr}")
    text = open(args.extras, encoding="utf-8").read().replace("@DATADIR@", args.datadir)
    summary, extra = extras(text)
    manual = {"1": "User Commands", "6": "Games"}[args.section]
    page = [f'.TH "{args.name.upper()}" "{args.section}" "{args.date}" "{args.source}" "{manual}"',
            ".nh", ".ad l", ".SH NAME", escape(args.name) + " \\- " + escape(summary)]
    page += convert(run.stdout, args.name) + extra
    # Left-aligned and never hyphenated: options and paths are copied from the page as they stand.
    data = ("\n".join(page) + "\n").encode("utf-8")
    if args.output.endswith(".gz"):
        # No name and no time in the header: the same page compresses to the same bytes.
        data = gzip.compress(data, compresslevel=9, mtime=0)
    with open(args.output, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
