#!/usr/bin/env python3
"""What a user feels, with the real lirbo program: two copies, each in a network namespace of its
own joined by a veth pair, each on an Xvfb of its own.

- Enter to datagram out: a line typed into copy A, then Enter pressed with xdotool; the time from
  the start of xdotool (so it includes starting xdotool in A's namespace, a few ms) until
  the datagram is seen arriving in B's namespace (a packet socket there, which leaves port 8800 to
  the program). Measured idle, and again while a flood at full speed from B keeps A's window busy.
- Enter to shown in the second copy: the same Enter, until B's window first draws into its
  transcript (a DAMAGE rectangle in the transcript's part of B's window).

Usage: feel_bench.py LIRBO [PRESSES] (root, ip, Xvfb, xdotool; prints medians and ranges in ms;
sends only between the two namespaces it makes)
"""
import ctypes
import os
import select
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
from lirbo_harness import ADDRESS_A, joined_pair  # noqa: E402
from process_bench import RootWatcher  # noqa: E402

DAMAGE_REPORT_RAW_RECTANGLES = 0
DAMAGE_AREA_OFFSET = 64  # XDamageNotifyEvent.area: x, y, width, height as shorts
# The transcript fills the window's left part above the input line (which starts 34 pixels above
# the bottom, at about y 355, and draws its blinking cursor) and left of the peer list (x 448).
TRANSCRIPT_TOP_BELOW = 340
TRANSCRIPT_RIGHT = 440

SNIFFER = """
import socket, sys, time
sock = socket.socket(socket.AF_PACKET, socket.SOCK_DGRAM, socket.htons(0x0800))
print("ready", flush=True)
while True:
    packet, address = sock.recvfrom(65535)
    if address[2] != socket.PACKET_OUTGOING and packet[12:16] == socket.inet_aton(sys.argv[1]):
        print(time.monotonic(), packet[28:].decode("latin-1").split(";")[-1], flush=True)
"""

FLOOD = """
import socket, sys, time
sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
end, i = time.monotonic() + float(sys.argv[2]), 0
while time.monotonic() < end:
    sock.sendto(b"V3Vasya;flood %d message text of a usual length" % i, (sys.argv[1], 8800))
    i += 1
"""


def wait_transcript_drawn(watcher, window, timeout=10):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for kind, drawable in watcher.next_events():
            if kind == watcher.damage_notify and drawable == window:
                x, y = (ctypes.c_short.from_buffer(watcher.event, DAMAGE_AREA_OFFSET + o).value for o in (0, 2))
                if x < TRANSCRIPT_RIGHT and y < TRANSCRIPT_TOP_BELOW:
                    return time.monotonic()
        select.select([watcher.fd], [], [], 0.01)
    return None


def spread(values):
    return f"{statistics.median(values):.1f} ms ({min(values):.1f}-{max(values):.1f}, n={len(values)})"


def measure(lirbo, presses, a, b):
    watcher_b = RootWatcher(b.display, level=DAMAGE_REPORT_RAW_RECTANGLES)
    sniffer = subprocess.Popen(b.exec_args(sys.executable, "-u", "-c", SNIFFER, ADDRESS_A), stdout=subprocess.PIPE,
                               text=True)
    b.processes.append(sniffer)
    sniffer.stdout.readline()
    copy_a = a.start_lirbo(lirbo)
    window_a = a.wait_window("Lirbo", copy_a.pid)
    copy_b = b.start_lirbo(lirbo)
    watcher_b.wait_map_and_paint()
    window_b = int(b.wait_window("Lirbo", copy_b.pid))
    a.xdotool("windowfocus", "--sync", window_a)
    time.sleep(1.0)

    def press(tag, watch_b):
        a.xdotool("type", "--delay", "0", tag)
        time.sleep(0.3)
        watcher_b.drain()
        # From the start of xdotool, which presses the key some time before it ends; B's window is
        # watched meanwhile.
        pressed = time.monotonic()
        key = subprocess.Popen(a.exec_args("xdotool", "key", "Return"), env=a.env())
        shown = wait_transcript_drawn(watcher_b, window_b) if watch_b else None
        key.wait(timeout=20)
        while select.select([sniffer.stdout], [], [], 10)[0]:
            when, text = sniffer.stdout.readline().split(" ", 1)
            if text.strip() == tag:
                return (float(when) - pressed) * 1000, None if shown is None else (shown - pressed) * 1000
        raise RuntimeError(f"no datagram {tag} from copy A")

    idle_out, idle_shown = [], []
    for i in range(presses):
        out, shown = press(f"idle{i}", True)
        idle_out.append(out)
        if shown is not None:
            idle_shown.append(shown)
        time.sleep(0.2)
    flood = subprocess.Popen(b.exec_args(sys.executable, "-c", FLOOD, ADDRESS_A, str(presses * 1.0 + 10)))
    b.processes.append(flood)
    time.sleep(1.0)
    flood_out = [press(f"flood{i}", False)[0] for i in range(presses)]
    flood.kill()
    print("Enter to datagram out, idle:", spread(idle_out))
    print("Enter to datagram out, A under a full-speed flood:", spread(flood_out))
    print("Enter to shown in the second copy, idle:", spread(idle_shown) if idle_shown else "not seen")


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    with joined_pair(f"fb{os.getpid() % 100000}") as (a, b):
        measure(os.path.abspath(sys.argv[1]), int(sys.argv[2]) if len(sys.argv) > 2 else 15, a, b)
    return 0


if __name__ == "__main__":
    sys.exit(main())
