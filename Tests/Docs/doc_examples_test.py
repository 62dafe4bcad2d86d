# Copyright 2026 Vantle contributors. All Rights Reserved.
"""Runs every runnable example of README.md and Docs/*.md and compares what it prints with the
output block the page shows beside it.

A runnable example is a fenced block whose info string is `sh runnable` (optionally followed by
`status=N`, the exit status it must end with; 0 when not given). The next fenced block must be its
output: ```output (the example prints exactly these lines) or ```output excerpt (these lines appear
in the output, each whole and in this order, other lines may come between). Standard output and
standard error are compared together. Commands run with bash from the repository root with no
input; the path Build/default/Host/HeadlessEditor/vantle-editor stands for the editor under test.

    doc_examples_test.py EDITOR
"""
import glob
import os
import re
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
EDITOR_IN_PAGES = "Build/default/Host/HeadlessEditor/vantle-editor"
FENCE = re.compile(r"^(```+|~~~+)\s*(.*?)\s*$")
TIMEOUT_SECONDS = 120


def fenced_blocks(path):
    """(line number, info string, text) of every fenced block of the page."""
    blocks = []
    with open(path, encoding="utf-8") as stream:
        lines = stream.read().split("\n")
    index = 0
    while index < len(lines):
        opening = FENCE.match(lines[index])
        if not opening:
            index += 1
            continue
        fence, info = opening.group(1), opening.group(2)
        body = []
        index += 1
        while index < len(lines) and not (lines[index].startswith(fence[0] * len(fence)) and not lines[index].strip(fence[0]).strip()):
            body.append(lines[index])
            index += 1
        blocks.append((index - len(body), info, "\n".join(body)))
        index += 1
    return blocks


def examples(path, failures):
    """(line, command, expected status, excerpt?, expected lines) of every runnable example."""
    found = []
    blocks = fenced_blocks(path)
    name = os.path.relpath(path, ROOT)
    for position, (line, info, text) in enumerate(blocks):
        words = info.split()
        if "runnable" not in words[1:]:
            continue
        where = "%s:%d" % (name, line)
        status = 0
        for word in words[2:]:
            match = re.fullmatch(r"status=(\d+)", word)
            if match:
                status = int(match.group(1))
            elif word != "runnable":
                failures.append("%s: unknown word '%s' in the info string '%s'" % (where, word, info))
        output = blocks[position + 1] if position + 1 < len(blocks) else None
        if words[0] != "sh" or not output or output[1].split()[:1] != ["output"] or output[1] not in ("output", "output excerpt"):
            failures.append("%s: a runnable example is a ```sh runnable block followed by an ```output or ```output excerpt block" % where)
            continue
        found.append((where, text, status, output[1] == "output excerpt", output[2].split("\n")))
    return found


def is_subsequence(wanted, lines):
    position = 0
    for line in lines:
        if position < len(wanted) and line == wanted[position]:
            position += 1
    return position == len(wanted), position


def run(command, editor):
    command = command.replace(EDITOR_IN_PAGES, editor)
    try:
        finished = subprocess.run(["bash", "-c", command], cwd=ROOT, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                  stderr=subprocess.STDOUT, timeout=TIMEOUT_SECONDS)
    except subprocess.TimeoutExpired:
        return None, []
    text = finished.stdout.decode("utf-8", "replace")
    return finished.returncode, text.rstrip("\n").split("\n") if text else []


def main(argv):
    if len(argv) != 2 or not os.access(argv[1], os.X_OK):
        print("usage: doc_examples_test.py EDITOR (the built vantle-editor)")
        return 2
    editor = os.path.abspath(argv[1])
    pages = [os.path.join(ROOT, "README.md")] + sorted(glob.glob(os.path.join(ROOT, "Docs", "*.md")))
    failures = []
    found = [example for page in pages for example in examples(page, failures)]
    for where, command, status, excerpt, wanted in found:
        code, lines = run(command, editor)
        if code is None:
            failures.append("%s: did not finish within %d s" % (where, TIMEOUT_SECONDS))
            continue
        if code != status:
            failures.append("%s: exit status %d, the page says %d; it printed:\n    %s" % (where, code, status, "\n    ".join(lines)))
            continue
        if excerpt:
            matched, count = is_subsequence(wanted, lines)
            if not matched:
                failures.append("%s: no line '%s' (in this order) in what it printed:\n    %s" % (where, wanted[count], "\n    ".join(lines)))
        elif lines != wanted:
            first = next(i for i in range(max(len(lines), len(wanted))) if i >= len(lines) or i >= len(wanted) or lines[i] != wanted[i])
            failures.append("%s: line %d differs: the page shows '%s', it printed '%s'; all of it:\n    %s" % (
                where, first + 1, wanted[first] if first < len(wanted) else "(nothing)", lines[first] if first < len(lines) else "(nothing)",
                "\n    ".join(lines)))
    for failure in failures:
        print("FAIL: " + failure)
    print("%d pages, %d runnable examples run, %d failed" % (len(pages), len(found), len(failures)))
    return 1 if failures or not found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
