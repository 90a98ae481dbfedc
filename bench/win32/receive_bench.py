#!/usr/bin/env python3
"""The Windows program's receive figures under Wine, with a full 64K transcript.

The datagrams come from a native sender, as they come from other machines on a real network: a
sender inside Wine would share the Wine server with the program and measure that server instead.
A message counts as shown when its line is in the conversation's log (written right after the
transcript took it). The log keeps at most 1,000 lines of one sender address in any 30 s, so the
datagrams come from a fresh loopback address every 500 messages and every message shown has its
line. Loss is what the system dropped at the program's socket (RcvbufErrors of this network
namespace).

- 2,000 messages/s for 10 s: how many were lost (target 0);
- a flood as fast as the sender goes: messages shown per second (target 5,000), beside a raw
  receiver in the same prefix that only takes datagrams off the socket (Wine's own ceiling).

Runs in a network namespace of its own (re-executes itself under `unshare -n`) with its own Xvfb,
and sends only to 127.0.0.1 (from 127.1.x.y there).
Usage: receive_bench.py PREFIX LIRBO_EXE RAW_RECEIVER_EXE
"""
import collections
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
PER_ADDRESS = 500  # half the log's bound for one sender address in 30 s
QUIET = 3.0  # no new line for this long: the program shows no more


def bound(port):
    with open("/proc/net/udp") as udp:
        return any(int(line.split()[1].split(":")[1], 16) == port for line in list(udp)[1:])


class RotatingSender:
    """A socket's sendto that sends from 127.1.0.1, 127.1.0.2, ..., a fresh address every
    PER_ADDRESS datagrams, so that the log's bound on one sender never holds a shown message's
    line back."""

    def __init__(self):
        self.sent = 0
        self.sock = None

    def sendto(self, payload, address):
        if self.sent % PER_ADDRESS == 0:
            if self.sock is not None:
                self.sock.close()
            number = self.sent // PER_ADDRESS
            self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            self.sock.bind((f"127.1.{number // 250}.{number % 250 + 1}", 0))
        self.sock.sendto(payload, address)
        self.sent += 1


def flood(sender, tag):
    """FLOOD_COUNT messages as fast as the sender goes; returns when it began."""
    begin = time.monotonic()
    for i in range(FLOOD_COUNT):
        sender.sendto(b"V3Vasya;%s %d message text of a usual length" % (tag, i), ("127.0.0.1", PORT))
    return begin


class LogLines:
    """The log's message lines counted by their text's first word (the tag a stage sends), read
    as the program appends them: date time, address, kind, nick, text, colour; TAB between."""

    def __init__(self, work):
        self.pattern = os.path.join(work, "history", "*.txt")
        self.read = collections.Counter()
        self.rest = collections.defaultdict(bytes)
        self.counts = collections.Counter()

    def poll(self):
        """Reads what was appended since; True when a line came."""
        grew = False
        for name in glob.glob(self.pattern):
            with open(name, "rb") as log:
                log.seek(self.read[name])
                data = log.read()
            self.read[name] += len(data)
            lines = (self.rest[name] + data).split(b"\r\n")
            self.rest[name] = lines.pop()
            for line in lines:
                fields = line.split(b"\t")
                if len(fields) > 4:
                    self.counts[fields[4].split(b" ", 1)[0]] += 1
                    grew = True
        return grew

    def wait(self, tag, expected, timeout=300):
        """Until `expected` lines of `tag` are in, or none came for QUIET seconds; returns how many
        are in and when the last of them was seen."""
        last = time.monotonic()
        deadline = last + timeout
        while self.counts[tag] < expected and time.monotonic() - last < QUIET and time.monotonic() < deadline:
            time.sleep(0.005)
            if self.poll():
                last = time.monotonic()
        return self.counts[tag], last


def wait_bound(port):
    deadline = time.monotonic() + 60
    while not bound(port):
        if time.monotonic() > deadline:
            raise SystemExit("nothing started listening on %d" % port)
        time.sleep(0.05)


def measure(prefix, lirbo, raw_receiver):
    with wine_desktop(prefix) as (work, env):
        sender = RotatingSender()
        raw = subprocess.Popen(["wine", os.path.abspath(raw_receiver)], env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
        wait_bound(PORT)
        flood(sender, b"raw")
        count, span = raw.communicate(timeout=120)[0].split()
        raw_rate = int(count) / float(span)

        subprocess.Popen(["wine", os.path.abspath(lirbo)], cwd=work, env=env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        wait_bound(PORT)
        log = LogLines(work)
        send_paced(sender, FILL, STEADY_RATE, b"fill")
        log.wait(b"fill", FILL)

        dropped = udp_counter("RcvbufErrors")
        send_paced(sender, STEADY_COUNT, STEADY_RATE, b"steady")
        lost = udp_counter("RcvbufErrors") - dropped
        shown, _ = log.wait(b"steady", STEADY_COUNT - lost)
        print(f"full transcript, {STEADY_RATE:,} messages/s for {STEADY_COUNT // STEADY_RATE} s: "
              f"{shown:,} of {STEADY_COUNT:,} shown, {lost} lost at the socket (target 0)")

        dropped = udp_counter("RcvbufErrors")
        begin = flood(sender, b"flood")
        lost = udp_counter("RcvbufErrors") - dropped
        shown, last = log.wait(b"flood", FLOOD_COUNT - lost)
        rate = shown / (last - begin)
        print(f"full transcript, {FLOOD_COUNT:,} messages as fast as they go: {shown:,} shown, {lost:,} lost at "
              f"the socket; {rate:,.0f} shown/s (target 5,000); raw receiver {raw_rate:,.0f}/s of {int(count):,}, "
              f"ratio {rate / raw_rate:.2f}")
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
