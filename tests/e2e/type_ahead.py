#!/usr/bin/env python3
"""End-to-end test of the real lirbo program: keys typed while a send waits for a host name are
not lost when the send ends in the error box. The list holds this machine (which logs what it
receives) and a name whose DNS server never answers; "hi", Enter and "abc" are typed at once, the
box that ends the send is closed, and the next Enter must send "hiabc".

Usage: type_ahead.py PATH_TO_LIRBO. Runs in a network and mount namespace of its own, where
/etc/resolv.conf names a loopback socket that reads every query and never replies. Needs root,
unshare, ip, mount, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import socket
import subprocess
import sys
import tempfile

from lirbo_harness import SKIP, expect, cannot_run, find_window, report, start_xvfb, x_env

INSIDE = "LIRBO_TYPE_AHEAD_INSIDE"


def xdo(env, *args):
    subprocess.run(["xdotool", *args], env=env, capture_output=True, timeout=30, check=True)


def answer_box(env, pid, main):
    box = find_window(env, "Lirbo", pid, timeout=30, other_than=main)
    expect(box is not None, "the failed send shows its error box")
    xdo(env, "windowfocus", "--sync", box)
    xdo(env, "key", "Return")
    xdo(env, "windowfocus", "--sync", main)


def received_texts(folder):
    texts = []
    for name in sorted(os.listdir(folder)):
        for line in open(os.path.join(folder, name), "rb").read().splitlines():
            fields = line.split(b"\t")
            if len(fields) == 5 and fields[2] == "принято".encode("cp1251"):
                texts.append(fields[4].decode("cp1251"))
    return texts


def test(lirbo):
    silent = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    silent.bind(("127.0.0.1", 53))  # takes the queries and never answers
    work = tempfile.mkdtemp()
    with open(os.path.join(work, "lirbo.ini"), "wb") as file:
        file.write(b"[user]\r\nnik_color=2\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.1\r\nip1=silent.lan\r\n")
    xvfb, display = start_xvfb()
    env = x_env(display)
    program = subprocess.Popen([lirbo], cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        main = find_window(env, "Lirbo", program.pid)
        expect(main is not None, "the window shows")
        xdo(env, "windowfocus", "--sync", main)
        xdo(env, "type", "--delay", "20", "hi")
        # Typed while the send waits for the silent name, before its box opens.
        xdo(env, "key", "Return", "type", "--delay", "20", "abc")
        answer_box(env, program.pid, main)
        xdo(env, "key", "Return")
        answer_box(env, program.pid, main)
        program.terminate()
        program.wait(timeout=30)
        expect(received_texts(os.path.join(work, "history")) == ["hi", "hiabc"],
               "the keys typed during the first send are in the second: " + repr(received_texts(
                   os.path.join(work, "history"))))
    finally:
        if program.poll() is None:
            program.kill()
        xvfb.kill()
        xvfb.wait()


def main():
    lirbo = os.path.abspath(sys.argv[1])
    reason = cannot_run("unshare", "ip", "mount", "Xvfb", "xdotool")
    if reason:
        print("skipped:", reason)
        return SKIP
    if os.environ.get(INSIDE) != "1":
        env = dict(os.environ, **{INSIDE: "1"})
        return subprocess.run(["unshare", "-m", "-n", sys.executable, os.path.abspath(__file__), lirbo],
                              env=env).returncode
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    resolv = os.path.join(tempfile.mkdtemp(), "resolv.conf")
    with open(resolv, "w") as file:
        file.write("nameserver 127.0.0.1\n")
    subprocess.run(["mount", "--bind", resolv, "/etc/resolv.conf"], check=True)
    return report(test, lirbo)


if __name__ == "__main__":
    sys.exit(main())
