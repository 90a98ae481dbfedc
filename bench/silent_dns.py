#!/usr/bin/env python3
"""How long the real lirbo window freezes when a peer list entry is a host name that the DNS
server never answers. Inside a network and mount namespace of its own (re-executes itself under
`unshare -m -n`): /etc/resolv.conf is replaced there by one naming 127.0.0.1, where a UDP socket
reads every query and never replies. The list holds 127.0.0.1 and such a name.

Figures: the time from Enter in the input line to the error box (the main thread is busy until
then), for the first send and the next one; the time from the close request to the close's box and
to the exit; the time from SIGTERM (log-off) to the exit; and whether keys typed while the send was
under way reach the input line (the line that the next send logs). Each beside the same figures
for an entry that fails at once (the cost of measuring through xdotool). Usage: silent_dns.py LIRBO. Needs root, Xvfb and xdotool.
"""
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
from lirbo_harness import find_window, helper, start_xvfb, x_env  # noqa: E402

INSIDE = "LIRBO_SILENT_DNS_INSIDE"


def silent_dns():
    server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    server.bind(("127.0.0.1", 53))
    queries = []

    def swallow():
        while True:
            queries.append(server.recvfrom(4096)[0])

    threading.Thread(target=swallow, daemon=True).start()
    return queries


def xdo(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True, timeout=60).stdout


def box_after(env, pid, main, started):
    box = find_window(env, "Lirbo", pid, timeout=60, other_than=main)
    return box, time.monotonic() - started


def measure(lirbo, entry):
    """The figures with `entry` as the second peer list entry."""
    work = tempfile.mkdtemp()
    with open(os.path.join(work, "lirbo.ini"), "wb") as file:
        file.write(b"[user]\r\nnik_color=2\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.1\r\nip1=" + entry + b"\r\n")
    xvfb, display = start_xvfb()
    env = x_env(display)
    program = subprocess.Popen([lirbo], cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    figures = {}
    try:
        main = find_window(env, "Lirbo", program.pid)
        xdo(env, "windowfocus", "--sync", main)
        time.sleep(0.5)
        xdo(env, "type", "--delay", "20", "hi")
        for send, ahead in (("first send", "abc"), ("second send", "")):
            started = time.monotonic()
            xdo(env, "key", "Return")
            if ahead:
                xdo(env, "type", "--delay", "20", ahead)  # typed while the send is under way
            box, figures[send] = box_after(env, program.pid, main, started)
            xdo(env, "windowfocus", "--sync", box)
            xdo(env, "key", "Return")
            time.sleep(0.3)
            xdo(env, "windowfocus", "--sync", main)
        started = time.monotonic()
        subprocess.run([sys.executable, helper("wm_close.py"), main], env=env, check=True)
        box, figures["close request"] = box_after(env, program.pid, main, started)
        xdo(env, "windowfocus", "--sync", box)
        xdo(env, "key", "Return")
        program.wait(timeout=60)
        figures["close to exit"] = time.monotonic() - started
        # The first entry is this program itself: its log holds every line it received.
        folder = os.path.join(work, "history")
        lines = b"".join(open(os.path.join(folder, name), "rb").read() for name in os.listdir(folder)).splitlines()
        received = [line.split(b"\t")[-1].decode("cp1251") for line in lines if b"\t127.0.0.1\t" in line]
        figures["second send carried"] = received[1] if len(received) > 1 else None
        # Log-off: SIGTERM takes the notices-only path, with no box.
        program = subprocess.Popen([lirbo], cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        find_window(env, "Lirbo", program.pid)
        started = time.monotonic()
        program.terminate()
        program.wait(timeout=60)
        figures["log-off (SIGTERM) to exit"] = time.monotonic() - started
    finally:
        if program.poll() is None:
            program.kill()
        xvfb.kill()
    return figures


def measure_all(lirbo):
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    resolv = os.path.join(tempfile.mkdtemp(), "resolv.conf")
    with open(resolv, "w") as file:
        file.write("nameserver 127.0.0.1\n")
    subprocess.run(["mount", "--bind", resolv, "/etc/resolv.conf"], check=True)
    queries = silent_dns()
    # Baseline: an entry that fails at once (broadcast, refused), measured the same way.
    for label, entry in (("silent name", b"silent.lan"), ("baseline, instant failure", b"255.255.255.255")):
        print(f"{label}:")
        for name, value in measure(lirbo, entry).items():
            print(f"  {name}: {value:.2f} s" if isinstance(value, float) else f"  {name}: {value!r}")
    print(f"DNS queries the silent server swallowed: {len(queries)}")


def main():
    if os.environ.get(INSIDE) == "1":
        measure_all(os.path.abspath(sys.argv[1]))
        return 0
    env = dict(os.environ, **{INSIDE: "1"})
    return subprocess.run(["unshare", "-m", "-n", sys.executable, os.path.abspath(__file__), *sys.argv[1:]],
                          env=env).returncode


if __name__ == "__main__":
    sys.exit(main())
