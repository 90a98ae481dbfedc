#!/usr/bin/env python3
"""Checks the include direction of the layers: core <- net <- app <- front-ends and the console programs (cli/).

Each folder may include only the layers below it; only ui/qt and its tests include Qt; the two
front-ends (ui/qt, ui/win32) never include each other, and ui/common, which both draw from, is free
of any toolkit and of the front-ends; app/ stays free of <windows.h>; the socket library keeps its platform branches in its platform files, so no
net/*.cpp tests _WIN32. A folder that does not exist (yet) is passed over.
Usage: check_layers.py SOURCE_DIR. Prints every breach as file:line and exits 1 if there is one.
"""
import re
import sys

from source_tree import report, sources

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT = re.compile(r"^Q[A-Za-z]*(/|$)")  # <QString>, <QtCore/...>, <QTest>
WIN32_BRANCH = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif)\b.*\b_WIN32\b")

# folder: (project folders it must not include, Qt allowed, <windows.h> allowed)
RULES = {
    "ui/common": ({"app", "ui/qt", "ui/win32"}, False, False),
    "ui/qt": ({"ui/win32"}, True, False),
    "ui/win32": ({"ui/qt"}, False, True),
    "tests/ui": ({"ui/win32"}, True, False),
    "tests/win32": ({"ui/qt"}, False, True),
    "core": ({"net", "app", "ui"}, False, True),
    "net": ({"app", "ui"}, False, True),
    "app": ({"ui"}, False, False),
    "cli": ({"ui"}, False, True),
    "tests/support": ({"net", "app", "ui"}, False, True),
    "tests/core": ({"net", "app", "ui"}, False, True),
    "tests/net": ({"app", "ui"}, False, True),
    "tests/app": ({"ui"}, False, False),
    "tests/common": ({"app", "ui/qt", "ui/win32"}, False, False),
    "fuzz": ({"app", "ui"}, False, True),
}
SOURCES = (".h", ".hpp", ".cpp", ".cc")


def breaches(root):
    for folder, (forbidden, qt_allowed, windows_allowed) in RULES.items():
        for path, shown in sources(root, folder, SOURCES):
            with open(path, encoding="utf-8", errors="replace") as source:
                for number, line in enumerate(source, 1):
                    where = f"{shown}:{number}"
                    if folder == "net" and path.endswith(".cpp") and WIN32_BRANCH.match(line):
                        yield f"{where}: a platform branch outside SocketPlatform.h (use a platform file)"
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    quote, target = match.groups()
                    inside = [f for f in forbidden if target.startswith(f + "/")]
                    if quote == '"' and inside:
                        yield f"{where}: {folder}/ includes {target}"
                    elif quote == "<" and not qt_allowed and QT.match(target):
                        yield f"{where}: {folder}/ includes Qt ({target})"
                    elif quote == "<" and not windows_allowed and target.lower() in ("windows.h", "winsock2.h", "ws2tcpip.h"):
                        yield f"{where}: {folder}/ includes <windows.h>"


if __name__ == "__main__":
    sys.exit(report(__doc__, breaches, "layer breach(es)"))
