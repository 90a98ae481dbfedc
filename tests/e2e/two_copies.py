#!/usr/bin/env python3
"""End-to-end test of the real lirbo program: two copies, each in its own network namespace joined
by a veth pair, each listening on UDP port 8800 under its own X server, driven with keys, the
mouse and a window-manager close as a person would. Checks the exact Windows-1251 bytes on the wire, the departure notices,
the settings file after a close and after SIGTERM, and that a second copy on a taken port ends
with status 1 without a main window.

Usage: two_copies.py PATH_TO_LIRBO. Needs root, ip, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import signal
import subprocess
import sys

from lirbo_harness import (ADDRESS_A, ADDRESS_B, NOTICE, SKIP, cannot_run, expect, helper, joined_pair, read, report)


def two_copies(lirbo, tag):
    with joined_pair(tag, capture=True) as (a, b):
        talk_and_close(lirbo, a, b)


def talk_and_close(lirbo, a, b):
    copy_a = a.start_lirbo(lirbo)
    copy_b = b.start_lirbo(lirbo)
    window_a = a.wait_window("Lirbo", copy_a.pid)
    window_b = b.wait_window("Lirbo", copy_b.pid)
    expect(window_a and window_b, "both copies show their main window")

    # Ann types a public message; the focus starts in the input line.
    a.xdotool("windowfocus", "--sync", window_a)
    a.xdotool("type", "--delay", "20", "Hello")
    a.xdotool("key", "Return")
    expect(b.next_datagram() == (ADDRESS_A, b"V3Ann;Hello"), "a public message reaches the other copy")

    # Bob answers in Russian. xdotool types each Cyrillic letter through a key it maps for the
    # moment and takes back after the last one; ending on "!", which the keyboard map has, gives
    # the window time to read the last letter before that.
    b.xdotool("windowfocus", "--sync", window_b)
    b.xdotool("type", "--delay", "120", "Привет!")
    b.xdotool("key", "Return")
    expect(a.next_datagram() == (ADDRESS_B, b"V5Bob;" + "Привет!".encode("cp1251")),
           "a Russian message travels as Windows-1251 bytes")

    # Ann selects her peer with the keyboard and sends a private message.
    a.xdotool("type", "--delay", "20", "psst")
    a.xdotool("key", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab", "Tab", "space")
    expect(b.next_datagram() == (ADDRESS_A, b"T3Ann;psst"), "a private message goes to the selected peer")

    # Bob's private answer.
    b.xdotool("type", "--delay", "20", "ok")
    b.xdotool("key", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab", "Tab", "space")
    expect(a.next_datagram() == (ADDRESS_B, b"T5Bob;ok"), "a private message goes the other way")

    # A second copy beside Ann's cannot bind 8800: the failure box, status 1, no main window.
    second = a.start_lirbo(lirbo)
    box = a.wait_window("Application Error", second.pid)
    expect(box is not None, "a second copy shows the Application Error box")
    expect(a.wait_window("Lirbo", second.pid, timeout=0.5) is None, "the second copy shows no main window")
    a.xdotool("windowfocus", "--sync", box)
    a.xdotool("key", "Return")
    expect(second.wait(timeout=10) == 1, "the second copy ends with status 1")

    # Ann closes through the menu "Файл", "Выход": the notice goes out and the list is stored.
    ini_a = os.path.join(a.workdir, "lirbo.ini")
    os.unlink(ini_a)
    expect(a.open_file_menu(copy_a.pid, window_a) is not None, "a click on Файл opens its menu")
    a.xdotool("key", "Down", "Down", "Return")
    expect(b.next_datagram() == (ADDRESS_A, b"V3Ann;" + NOTICE), "closing sends the departure notice")
    expect(copy_a.wait(timeout=10) == 0, "the closed copy ends with status 0")
    expect(b"ip0=" + ADDRESS_B.encode() in read(ini_a), "the settings file holds the peer list after closing")

    # Ann starts again and closes with the window manager's close (title bar button, Alt+F4). The
    # settings file now holds only the peer list, so the nick is the default one.
    copy_a = a.start_lirbo(lirbo)
    window_a = a.wait_window("Lirbo", copy_a.pid)
    if window_a is None:
        print("windows:", a.xdotool("search", "--name", ".").stdout.split(), "status:", copy_a.poll(), flush=True)
    expect(window_a is not None, "a copy starts again from the stored settings")
    subprocess.run(a.exec_args("python3", helper("wm_close.py"), window_a), env=a.env(), check=True, timeout=20)
    received = b.next_datagram()
    expect(received == (ADDRESS_A, b"V0nik;" + NOTICE), f"a window-manager close sends the notice ({received})")
    expect(copy_a.wait(timeout=10) == 0, "a window-manager close ends the copy with status 0")

    # SIGTERM on Bob's copy: the notice goes out, lirbo.ini stays byte for byte.
    ini_b = os.path.join(b.workdir, "lirbo.ini")
    before = read(ini_b)
    copy_b.send_signal(signal.SIGTERM)  # ip netns exec hands the signal to the program it runs
    expect(a.next_datagram() == (ADDRESS_B, b"V5Bob;" + NOTICE), "SIGTERM sends the departure notice")
    expect(copy_b.wait(timeout=10) == 0, "SIGTERM ends the copy with status 0")
    expect(read(ini_b) == before, "SIGTERM leaves lirbo.ini untouched")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    reason = cannot_run("ip", "Xvfb", "xdotool")
    if reason:
        print("skipped:", reason)
        return SKIP
    return report(two_copies, os.path.abspath(sys.argv[1]), f"lb{os.getpid() % 100000}")


if __name__ == "__main__":
    sys.exit(main())
