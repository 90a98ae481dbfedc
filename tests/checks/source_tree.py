"""What the checks of the source tree share: walking a folder's sources and reporting breaches."""
import os
import sys


def sources(root, folder, suffixes):
    """(path, shown) of every file under root/folder ending in one of suffixes, in a stable order;
    shown is the path from root with forward slashes, as breaches name it."""
    for base, dirs, files in os.walk(os.path.join(root, folder)):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(suffixes):
                path = os.path.join(base, name)
                yield path, os.path.relpath(path, root).replace(os.sep, "/")


def report(doc, breaches, counted):
    """Runs a check from its command line (SOURCE_DIR): prints each breach and the count, and
    returns the exit status: 0 when there is none, 1 when there are some, 2 on a wrong call."""
    if len(sys.argv) != 2:
        print(doc)
        return 2
    found = list(breaches(os.path.abspath(sys.argv[1])))
    for breach in found:
        print(breach)
    print(f"{len(found)} {counted}")
    return 1 if found else 0
