#!/usr/bin/env python3
"""The console programs as Windows programs under Wine, in a network namespace of the test's own:
lirbo-send.exe reads a pipe in the console's code page (866 in a Russian setting) and the wide
command line, and puts the right Windows-1251 bytes on the wire; lirbo-listen.exe prints UTF-8
JSON into a pipe.

Usage: wine_console.py PREFIX LIRBO_SEND_EXE LIRBO_LISTEN_EXE. Exits 77 (skipped) without root.
"""
import json
import os
import select
import socket
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "win32"))
from wine_gui import own_network_namespace, wine_env  # noqa: E402

# (what, arguments, standard input, exit status, datagrams at 127.0.0.1)
SEND_CASES = [
    ("Cyrillic from a pipe in code page 866", ["-n", "Bob", "-c", "1", "127.0.0.1"],
     "Привет, мир\r\nЁж\r\n".encode("cp866"), 0, [b"V1Bob;" + "Привет, мир".encode("cp1251"),
                                                  b"V1Bob;" + "Ёж".encode("cp1251")]),
    ("Cyrillic from the command line", ["-n", "Аня", "127.0.0.1", "--", "Ёлка"], b"", 0,
     [b"V0" + "Аня;Ёлка".encode("cp1251")]),
    ("an emoji is refused", ["-p", "127.0.0.1", "--", "hi 😀"], b"", 2, []),
]


def wait_bound(port, process):
    """Until the listener holds the port; False when it ended first."""
    deadline = time.monotonic() + 120
    while process.poll() is None and time.monotonic() < deadline:
        with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
            try:
                probe.bind(("0.0.0.0", port))
            except OSError:
                return True
        time.sleep(0.05)
    return False


def main(prefix, lirbo_send, lirbo_listen):
    status = own_network_namespace()
    if status is not None:
        return status
    env = wine_env(prefix)
    failures = 0

    def check(ok, what, detail=""):
        nonlocal failures
        print(("ok - " if ok else "not ok - ") + what + ("" if ok else ": " + detail), flush=True)
        failures += 0 if ok else 1

    receiver = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    receiver.bind(("127.0.0.1", 8800))
    receiver.settimeout(0)
    try:
        for what, args, stdin, expected_status, expected in SEND_CASES:
            done = subprocess.run(["wine", lirbo_send, *args], input=stdin, capture_output=True, env=env, timeout=120)
            got = []
            while True:
                try:
                    got.append(receiver.recv(65536))
                except BlockingIOError:
                    break
            check((done.returncode, got) == (expected_status, expected), "lirbo-send.exe: " + what,
                  f"{done.returncode} {got} {done.stderr.decode(errors='replace')}")
    finally:
        receiver.close()

    listen = subprocess.Popen(["wine", lirbo_listen, "--json", "--port", "8801"], stdout=subprocess.PIPE, env=env)
    try:
        bound = wait_bound(8801, listen)
        sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        sender.sendto(b"T2" + "Аня;тест".encode("cp1251"), ("127.0.0.1", 8801))
        sender.close()
        line = listen.stdout.readline() if bound and select.select([listen.stdout], [], [], 60)[0] else b""
        record = json.loads(line.decode("utf-8")) if line else {}
        check(record.get("kind") == "private" and record.get("nick") == "Аня" and record.get("text") == "тест",
              "lirbo-listen.exe --json prints UTF-8", repr(line))
    finally:
        listen.kill()
        listen.wait()
        subprocess.run(["wineserver", "-k"], env=env)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
