#!/usr/bin/env python3
"""End-to-end: keys typed while a send waits for a host name survive the error box that ends it.
The list holds this machine (its log keeps what it receives) and a name whose DNS server, a
loopback socket in this test's own network and mount namespace, never answers. "hi", Enter and
"abc" are typed at once; after the box, Enter must send "hiabc".
Usage: type_ahead.py PATH_TO_LIRBO. Needs root, unshare, ip, mount, Xvfb, xdotool; exits 77 without."""
import os
import socket
import subprocess
import sys
import tempfile

from lirbo_harness import SKIP, expect, cannot_run, find_window, report, start_xvfb, x_env


def test(lirbo):
    silent = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    silent.bind(("127.0.0.1", 53))  # takes the queries and never answers
    work = tempfile.mkdtemp()
    with open(os.path.join(work, "lirbo.ini"), "wb") as file:
        file.write(b"[user]\r\nnik_color=2\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.1\r\nip1=silent.lan\r\n")
    xvfb, display = start_xvfb()
    env = x_env(display)
    xdo = lambda *args: subprocess.run(["xdotool", *args], env=env, capture_output=True, timeout=30, check=True)
    program = subprocess.Popen([lirbo], cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        main = find_window(env, "Lirbo", program.pid)
        xdo("windowfocus", "--sync", main)
        xdo("type", "hi")
        for keys in (["key", "Return", "type", "abc"], ["key", "Return"]):  # "abc" while the send waits
            xdo(*keys)
            box = find_window(env, "Lirbo", program.pid, other_than=main)
            expect(box is not None, "the failed send shows its error box")
            xdo("windowfocus", "--sync", box, "key", "Return", "windowfocus", "--sync", main)
        program.terminate()
        program.wait(timeout=30)
        folder = os.path.join(work, "history")
        lines = [line.split(b"\t") for name in os.listdir(folder) for line in open(os.path.join(folder, name), "rb")]
        received = [f[4].strip().decode("cp1251") for f in lines if len(f) == 6 and f[2] == "принято".encode("cp1251")]
        expect(received == ["hi", "hiabc"], "the keys typed during the first send go in the second: %r" % received)
    finally:
        program.kill()
        xvfb.kill()


def main():
    reason = cannot_run("unshare", "ip", "mount", "Xvfb", "xdotool")
    if reason:
        print("skipped:", reason)
        return SKIP
    if os.environ.get("LIRBO_TYPE_AHEAD_INSIDE") != "1":
        env = dict(os.environ, LIRBO_TYPE_AHEAD_INSIDE="1")
        return subprocess.run(["unshare", "-m", "-n", sys.executable, *sys.argv], env=env).returncode
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    resolv = os.path.join(tempfile.mkdtemp(), "resolv.conf")
    with open(resolv, "w") as file:
        file.write("nameserver 127.0.0.1\n")
    subprocess.run(["mount", "--bind", resolv, "/etc/resolv.conf"], check=True)
    return report(test, os.path.abspath(sys.argv[1]))


if __name__ == "__main__":
    sys.exit(main())
