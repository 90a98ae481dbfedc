#!/usr/bin/env python3
"""The real lirbo program started with a lirbo.ini that it cannot read, that holds binary junk, or that
it refuses after one error box (a folder, a FIFO, a link to /dev/zero): it shows its main window with
the defaults, echoes a typed line under the default nick, and leaves lirbo.ini as it found it, ended
by SIGTERM or (a refused file) closed. Every wait has a timeout. Each in a network namespace, under Xvfb.

Usage: bad_settings.py PATH_TO_LIRBO. Needs root, ip, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import random
import shutil
import signal
import stat
import subprocess
import sys
import tempfile

from lirbo_harness import (SKIP, Namespace, add_namespace, cannot_run, delete_namespace, expect, find_window, helper,
                           read, report, rtf_text)


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
    """What the path is, without reading what is no regular file (a FIFO would block)."""
    mode = os.lstat(path).st_mode
    return os.readlink(path) if stat.S_ISLNK(mode) else read(path) if stat.S_ISREG(mode) else stat.S_IFMT(mode)


def answer_error_box(space, pid, name):
    """The refused file's error box comes first; once it is answered, the main window follows."""
    box = space.wait_window("Lirbo", pid)
    expect(box is not None, f"{name}: the refusal is shown in an error box")
    space.xdotool("windowfocus", "--sync", box)
    space.xdotool("key", "Return")
    return find_window(space.env(), "Lirbo", pid, other_than=box, prefix=space.exec_args())


def check(lirbo, name, make, user=None, refused=False):
    tag = f"lbbad{os.getpid() % 10000}{name[:3]}"
    workspace = tempfile.mkdtemp(prefix="lirbo-bad-")
    os.chmod(workspace, 0o777)
    space = None
    try:
        add_namespace(tag)
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
            process = space.start_lirbo(lirbo, "setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups")
        else:
            process = space.start_lirbo(lirbo)
        window = answer_error_box(space, process.pid, name) if refused else space.wait_window("Lirbo", process.pid)
        expect(window is not None, f"{name}: the program shows its main window")
        space.xdotool("windowfocus", "--sync", window)
        space.xdotool("type", "--delay", "20", "defaults")
        space.xdotool("key", "Return")
        saved = os.path.join(workspace, "chat.rtf")
        space.save_conversation(process.pid, window, saved)
        text = rtf_text(read(saved))
        expect(b"nik[" in text and b"defaults" in text, f"{name}: the typed line is echoed under the default nick")
        if refused:  # the ordinary close, which writes the peer list, but not over a refused file
            subprocess.run(space.exec_args("python3", helper("wm_close.py"), window), env=space.env(), timeout=20)
        else:
            process.send_signal(signal.SIGTERM)
        expect(process.wait(timeout=10) == 0, f"{name}: the program ends with status 0, without a box")
        expect(snapshot(ini) == before, f"{name}: lirbo.ini is left as it was")
    finally:
        if space is not None:
            space.stop()
        delete_namespace(tag)
        shutil.rmtree(workspace, ignore_errors=True)


def check_all(lirbo):
    check(lirbo, "binary junk", make_junk, None)
    check(lirbo, "an unreadable file", make_unreadable, 65534)
    check(lirbo, "a folder", make_folder, refused=True)
    check(lirbo, "a FIFO", os.mkfifo, refused=True)
    check(lirbo, "a link to /dev/zero", lambda path: os.symlink("/dev/zero", path), refused=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    reason = cannot_run("ip", "Xvfb", "xdotool", "setpriv")
    if reason:
        print("skipped:", reason)
        return SKIP
    return report(check_all, os.path.abspath(sys.argv[1]))


if __name__ == "__main__":
    sys.exit(main())
