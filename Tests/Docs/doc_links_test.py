# Copyright Vantle contributors. All Rights Reserved.
"""Every relative link and image in README.md and Docs/*.md resolves to a file in the repository,
every image is a PNG, every #anchor names a heading, every picture in Docs/images is shown
somewhere, no two of them are the same file, each is shown at least 400 pixels wide and never
wider than it was drawn, and the README opens with a picture."""
import glob
import hashlib
import struct
import os
import re
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"

# [text](target) and ![alt](target), with an optional "title"; <img src="target">.
MARKDOWN_LINK = re.compile(r"(!?)\[(?:[^\]\\]|\\.)*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
HTML_IMAGE = re.compile(r"<img\s[^>]*src=\"([^\"]+)\"", re.IGNORECASE)
HTML_IMAGE_TAG = re.compile(r"<img\s[^>]*>", re.IGNORECASE)
MIN_SHOWN_WIDTH = 400
FENCE = re.compile(r"^\s*(```+|~~~+)(.*)$")


def prose_lines(path):
    """The file's lines outside fenced code blocks, with inline code removed. A block ends at a
    fence of its own character at least as long, so a block may show fences inside it."""
    opening = None
    with open(path, encoding="utf-8") as stream:
        for number, line in enumerate(stream, start=1):
            fence = FENCE.match(line)
            if fence and opening is None:
                opening = fence.group(1)
                continue
            if fence and fence.group(1)[0] == opening[0] and len(fence.group(1)) >= len(opening) and not fence.group(2).strip():
                opening = None
                continue
            if opening is None:
                yield number, re.sub(r"`[^`]*`", "", line)


def slug(heading):
    # GitHub's anchors: lower case, punctuation dropped, blanks become hyphens.
    text = re.sub(r"[^\w\- ]", "", heading.strip().lower())
    return text.replace(" ", "-")


def anchors(path):
    found = set()
    for _, line in prose_lines(path):
        match = re.match(r"^#{1,6}\s+(.*?)\s*#*\s*$", line)
        if match:
            found.add(slug(match.group(1)))
    return found


def png_width(path):
    with open(path, "rb") as stream:
        header = stream.read(24)
    return struct.unpack(">I", header[16:20])[0] if len(header) == 24 and header[12:16] == b"IHDR" else 0


def shown_widths(line):
    """(target, width attribute or None) of every image of the line."""
    result = [(target, None) for bang, target in MARKDOWN_LINK.findall(line) if bang]
    for tag in HTML_IMAGE_TAG.findall(line):
        source = re.search(r"src=\"([^\"]+)\"", tag, re.IGNORECASE)
        width = re.search(r"\swidth=\"?(\d+)", tag, re.IGNORECASE)
        if source:
            result.append((source.group(1), int(width.group(1)) if width else None))
    return result


def check_widths(path, failures):
    name = os.path.relpath(path, ROOT)
    for number, line in prose_lines(path):
        for target, width in shown_widths(line):
            resolved = os.path.realpath(os.path.join(os.path.dirname(path), target))
            if not resolved.endswith(".png") or not os.path.exists(resolved):
                continue
            drawn = png_width(resolved)
            shown = width if width is not None else drawn
            if shown < MIN_SHOWN_WIDTH:
                failures.append("%s:%d: %s is shown %d pixels wide; at least %d keep it legible" % (name, number, target, shown, MIN_SHOWN_WIDTH))
            elif shown > drawn:
                failures.append("%s:%d: %s is shown %d pixels wide but drawn %d wide: shown larger it blurs" % (name, number, target, shown, drawn))


def check_file(path, failures, shown):
    name = os.path.relpath(path, ROOT)
    count = 0
    for number, line in prose_lines(path):
        targets = [(bool(bang), target) for bang, target in MARKDOWN_LINK.findall(line)]
        targets += [(True, target) for target in HTML_IMAGE.findall(line)]
        for is_image, target in targets:
            count += 1
            where = "%s:%d: %s" % (name, number, target)
            if re.match(r"^[a-z][a-z0-9+.-]*:", target, re.IGNORECASE):
                if is_image:
                    failures.append(where + ": an image must be a file in the repository")
                elif not target.startswith(("https://", "http://", "mailto:")):
                    failures.append(where + ": not a web link and not a relative path")
                continue
            file_part, _, fragment = target.partition("#")
            if file_part.startswith("/"):
                failures.append(where + ": absolute path; links are relative to the page")
                continue
            resolved = os.path.realpath(os.path.join(os.path.dirname(path), file_part)) if file_part else path
            if os.path.commonpath([resolved, ROOT]) != ROOT:
                failures.append(where + ": points outside the repository")
                continue
            if not os.path.exists(resolved):
                failures.append(where + ": no such file")
                continue
            if is_image:
                shown.add(resolved)
                with open(resolved, "rb") as stream:
                    if not resolved.endswith(".png") or stream.read(8) != PNG_SIGNATURE:
                        failures.append(where + ": not a PNG image")
            if fragment and resolved.endswith(".md") and fragment not in anchors(resolved):
                failures.append(where + ": no heading #" + fragment)
    return count


def main():
    pages = [os.path.join(ROOT, "README.md")] + sorted(glob.glob(os.path.join(ROOT, "Docs", "*.md")))
    failures = []
    shown = set()
    count = sum(check_file(page, failures, shown) for page in pages)
    for page in pages:
        check_widths(page, failures)
    first_of = {}
    for picture in sorted(glob.glob(os.path.join(ROOT, "Docs", "images", "*"))):
        if os.path.realpath(picture) not in shown:
            failures.append(os.path.relpath(picture, ROOT) + ": no page shows it")
        with open(picture, "rb") as stream:
            digest = hashlib.sha256(stream.read()).hexdigest()
        if digest in first_of:
            failures.append("%s: the same picture as %s" % (os.path.relpath(picture, ROOT), os.path.relpath(first_of[digest], ROOT)))
        first_of.setdefault(digest, picture)

    # The README shows the panel before its first section.
    readme = list(prose_lines(pages[0]))
    first_section = next((number for number, line in readme if line.startswith("## ")), len(readme) + 1)
    if not any(number < first_section and ("![" in line or "<img" in line) for number, line in readme):
        failures.append("README.md: no picture before the first section")

    for failure in failures:
        print("FAIL: " + failure)
    print("%d pages, %d links and images checked, %d failed" % (len(pages), count, len(failures)))
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
