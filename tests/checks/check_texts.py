#!/usr/bin/env python3
"""Checks that every text shown to people lives in core/Texts.h.

In core/, net/, app/, cli/ and ui/ no string or character literal holds a Cyrillic letter, and no
narrow literal spells a Cyrillic letter as a Windows-1251 escape ("\\xEE", "\\356"), outside
core/Texts.h. Comments may hold anything; tests/ and bench/ are not looked at. Bytes that together
spell well-formed UTF-8 (a byte-order mark, say) are not Windows-1251 text and pass.
Usage: check_texts.py SOURCE_DIR. Prints every breach as file:line and exits 1 if there is one.
"""
import re
import sys

from source_tree import report, sources

FOLDERS = ("core", "net", "app", "cli", "ui")
SOURCES = (".h", ".hpp", ".cpp", ".cc", ".rc")
HOME = "core/Texts.h"

CYRILLIC = re.compile("[\u0400-\u04ff]")
ESCAPE = re.compile(r"\\(x[0-9a-fA-F]+|[0-7]{1,3}|.)", re.S)
# A literal's encoding prefix ends right before its quote: L"", u8"", u'', U"", R"(...)", LR"(...)".
PREFIX = re.compile(r"(?<![A-Za-z0-9_])(u8|u|U|L)?(R)?$")


def escaped_bytes(body):
    """The values of a literal's numeric escapes, in order; its other characters are left out."""
    spelled = []
    for match in ESCAPE.finditer(body):
        code = match.group(1)
        if code[0] == "x":
            spelled.append(int(code[1:], 16))
        elif code[0].isdigit():
            spelled.append(int(code, 8))
    return spelled


def spells_cyrillic(body):
    """Whether the escapes spell a Windows-1251 letter, other than as part of UTF-8 bytes."""
    values = escaped_bytes(body)
    letters = [v for v in values if 0x80 <= v <= 0xFF and bytes([v]).decode("cp1251", "replace").isalpha()]
    if not letters:
        return False
    try:
        bytes(v for v in values if v <= 0xFF).decode("utf-8")
        return False
    except UnicodeDecodeError:
        return True


def literals(source):
    """(line, prefix, body) of every string and character literal, comments skipped."""
    i, line, end = 0, 1, len(source)
    while i < end:
        c = source[i]
        if source.startswith("//", i):
            i = source.find("\n", i)
            i = end if i < 0 else i
        elif source.startswith("/*", i):
            close = source.find("*/", i + 2)
            close = end if close < 0 else close + 2
            line += source.count("\n", i, close)
            i = close
        elif c in "\"'":
            match = PREFIX.search(source, max(0, i - 3), i)
            if match is None and c == "'":
                i += 1  # after a digit: a separator, as in 1'000
                continue
            prefix = match.group(0) if match else ""
            if "R" in prefix and c == '"':
                open_paren = source.find("(", i)
                closing = ")" + source[i + 1 : open_paren] + '"'
                stop = source.find(closing, open_paren)
                stop = end if stop < 0 else stop
                body, after = source[open_paren + 1 : stop], stop + len(closing)
            else:
                j = i + 1
                while j < end and source[j] != c and source[j] != "\n":
                    j += 2 if source[j] == "\\" else 1
                body, after = source[i + 1 : j], j + 1
            yield line, prefix, body
            line += source.count("\n", i, after)
            i = after
        else:
            if c == "\n":
                line += 1
            i += 1


def breaches(root):
    for folder in FOLDERS:
        for path, shown in sources(root, folder, SOURCES):
            if shown == HOME:
                continue
            with open(path, encoding="utf-8", errors="replace") as source:
                text = source.read()
            for line, prefix, body in literals(text):
                if CYRILLIC.search(body):
                    yield f"{shown}:{line}: a Russian text outside {HOME}"
                elif prefix in ("", "u8") and spells_cyrillic(body):
                    yield f"{shown}:{line}: a Windows-1251 escape of a letter (put the text in {HOME})"


if __name__ == "__main__":
    sys.exit(report(__doc__, breaches, "text(s) outside their home"))
