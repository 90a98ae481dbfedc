#!/usr/bin/env python3
"""The Windows program's receive figures under Wine, with a full 64K transcript.

The datagrams come from a native sender, as they come from other machines on a real network: a
sender inside Wine would share the Wine server with the program and measure that server instead.
A message counts as shown when its line is in the conversation's log (written right after the
transcript took it); loss is what the system dropped at the program's socket (RcvbufErrors of
this network namespace).

- 2,000 messages/s for 10 s: how many were lost (target 0);
- a flood as fast as the sender goes: messages shown per second (target 5,000), beside a raw
  receiver in the same prefix that only takes datagrams off the socket (Wine's own ceiling).

Runs in a network namespace of its own (re-executes itself under `unshare -n`) with its own Xvfb,
and sends only to 127.0.0.1. Usage: receive_bench.py PREFIX LIRBO_EXE RAW_RECEIVER_EXE
"""
import glob
import os
import socket
import subprocess
import sys
import time

from process_bench import send_paced, udp_counter
from wine_gui import own_network_namespace, wine_desktop

PORT = 8800
FILL = 2000  # more than a 64K transcript holds
STEADY_RATE, STEADY_COUNT = 2000, 20000
FLOOD_COUNT = 50000


def bound(port):
    with open("/proc/net/udp") as udp:
        return any(int(line.split()[1].split(":")[1], 16) == port for line in list(udp)[1:])


def log_lines(work):
    count = 0
    for name in glob.glob(os.path.join(work, "history", "*.txt")):
        with open(name, "rb") as log:
            count += log.read().count(b"\n")
    return count


def wait_settled(work, quiet=1.0, timeout=120):
    """Waits until the log has not grown for `quiet` seconds; returns its lines and when it last grew."""
    lines, grew = log_lines(work), time.monotonic()
    deadline = grew + timeout
    while time.monotonic() - grew < quiet and time.monotonic() < deadline:
        time.sleep(0.01)
        now = log_lines(work)
        if now != lines:
            lines, grew = now, time.monotonic()
    return lines, grew


def wait_bound(port):
    deadline = time.monotonic() + 60
    while not bound(port):
        if time.monotonic() > deadline:
            raise SystemExit("nothing started listening on %d" % port)
        time.sleep(0.05)


def flood(sock):
    begin = time.monotonic()
    for i in range(FLOOD_COUNT):
        sock.sendto(b"V3Vasya;flood %d message text of a usual length" % i, ("127.0.0.1", PORT))
    return begin


def measure(prefix, lirbo, raw_receiver):
    with wine_desktop(prefix) as (work, env):
        sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        raw = subprocess.Popen(["wine", os.path.abspath(raw_receiver)], env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
        wait_bound(PORT)
        flood(sock)
        count, span = raw.communicate(timeout=120)[0].split()
        raw_rate = int(count) / float(span)

        subprocess.Popen(["wine", os.path.abspath(lirbo)], cwd=work, env=env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        wait_bound(PORT)
        send_paced(sock, FILL, STEADY_RATE, b"fill")
        before, _ = wait_settled(work)

        dropped = udp_counter("RcvbufErrors")
        send_paced(sock, STEADY_COUNT, STEADY_RATE, b"steady")
        after, _ = wait_settled(work)
        lost = udp_counter("RcvbufErrors") - dropped
        print(f"full transcript, {STEADY_RATE:,} messages/s for {STEADY_COUNT // STEADY_RATE} s: "
              f"{after - before:,} of {STEADY_COUNT:,} shown, {lost} lost at the socket (target 0)")

        begin = flood(sock)
        shown, last = wait_settled(work)
        rate = (shown - after) / (last - begin)
        print(f"full transcript, {FLOOD_COUNT:,} messages as fast as they go: {rate:,.0f} shown/s (target 5,000); "
              f"raw receiver {raw_rate:,.0f}/s, ratio {rate / raw_rate:.2f}")
    return 0


def main():
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    status = own_network_namespace()
    if status is not None:
        return status
    return measure(*sys.argv[1:])


if __name__ == "__main__":
    sys.exit(main())
