#!/usr/bin/env python3
"""The real lirbo program started with a lirbo.ini that is a folder, that it cannot read, or that
holds binary junk: it shows its main window with the defaults (nick "nik", colour 0, no peers),
echoes a typed line under the default nick, ends with status 0 on SIGTERM, and leaves the bad
lirbo.ini as it found it. Each start runs in a network namespace of its own, under Xvfb.

Usage: bad_settings.py PATH_TO_LIRBO. Needs root, ip, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from two_copies import Failure, Namespace, expect, run  # noqa: E402
from flood import rtf_text, save_conversation  # noqa: E402

SKIP = 77


def make_folder(path):
    os.mkdir(path)


def make_unreadable(path):
    with open(path, "wb") as file:
        file.write(b"[user]\r\nnik_color=3\r\nnik=Ann\r\n[ip]\r\nip0=127.0.0.2\r\n")
    os.chmod(path, 0)


def make_junk(path):
    rng = random.Random(1251)
    with open(path, "wb") as file:
        file.write(bytes(rng.getrandbits(8) for _ in range(50000)) + b"\x00[user]\x00nik=\xff\r\n")


def snapshot(path):
    if os.path.isdir(path):
        return "folder"
    with open(path, "rb") as file:
        return file.read()


def check(lirbo, name, make, user):
    tag = f"lbbad{os.getpid() % 10000}{name[:3]}"
    workspace = tempfile.mkdtemp(prefix="lirbo-bad-")
    os.chmod(workspace, 0o777)
    space = None
    try:
        run("ip", "netns", "add", tag)
        run("ip", "-n", tag, "link", "set", "lo", "up")
        space = Namespace(tag, workspace)
        ini = os.path.join(workspace, "lirbo.ini")
        make(ini)
        before = snapshot(ini)
        space.start_x()
        if user is not None:
            # Root reads every file; the unreadable case needs a user the permissions bind.
            os.chown(workspace, user, user)
            if not os.path.isdir(ini):
                os.chown(ini, 0, 0)
            process = subprocess.Popen(space.exec_args("setpriv", f"--reuid={user}", f"--regid={user}",
                                                       "--clear-groups", lirbo),
                                       cwd=workspace, env=space.env(), stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            space.processes.append(process)
        else:
            process = space.start_lirbo(lirbo)
        window = space.wait_window("Lirbo", process.pid)
        expect(window is not None, f"{name}: the program shows its main window")
        space.xdotool("windowfocus", "--sync", window)
        space.xdotool("type", "--delay", "20", "defaults")
        space.xdotool("key", "Return")
        saved = os.path.join(workspace, "chat.rtf")
        save_conversation(space, process.pid, window, saved)
        with open(saved, "rb") as file:
            text = rtf_text(file.read())
        expect(b"nik[" in text and b"defaults" in text, f"{name}: the typed line is echoed under the default nick")
        process.send_signal(signal.SIGTERM)
        expect(process.wait(timeout=10) == 0, f"{name}: SIGTERM ends the program with status 0")
        expect(snapshot(ini) == before, f"{name}: lirbo.ini is left as it was")
    finally:
        if space is not None:
            space.stop()
        run("ip", "netns", "delete", tag, check=False)
        shutil.rmtree(workspace, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    lirbo = os.path.abspath(sys.argv[1])
    missing = [tool for tool in ("ip", "Xvfb", "xdotool", "setpriv") if shutil.which(tool) is None]
    if os.geteuid() != 0 or missing:
        print("skipped: needs root and", " ".join(missing) or "nothing else")
        return SKIP
    try:
        check(lirbo, "a folder", make_folder, None)
        check(lirbo, "binary junk", make_junk, None)
        check(lirbo, "an unreadable file", make_unreadable, 65534)
        print("1 passed, 0 failed")
        return 0
    except (Failure, subprocess.SubprocessError, OSError) as error:
        print("FAILED:", error, flush=True)
        print("0 passed, 1 failed")
        return 1


if __name__ == "__main__":
    sys.exit(main())
