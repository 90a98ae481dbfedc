#!/usr/bin/env python3
"""Flood test of the real lirbo program in a network namespace of its own, under Xvfb.

100,000 datagrams at full speed to port 8800: valid messages, malformed ones ("", "V", "Vx;hi"),
8,193- and 65,507-byte ones and random bytes with zeros. The program must stay up with bounded
resident memory, send what the user types afterwards, show the valid messages that arrive after
the flood (read back from the conversation it saves), and answer SIGTERM with its departure notice.
Its log keeps at most 1,000 lines from the flooding address in 30 s and counts the rest in one line.

Usage: flood.py PATH_TO_LIRBO. Needs root, ip, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

from lirbo_harness import (NOTICE, SKIP, Namespace, add_namespace, cannot_run, delete_namespace, expect, read, report,
                           rss_kb, rtf_text, sanitized, write_ini)

FLOOD = 100_000
PEER = "127.0.0.2"  # lirbo's one peer: on loopback, so its datagrams come back to itself
SKIPPED = "пропущено".encode("cp1251")
# Growth of the resident memory allowed over the flood; AddressSanitizer keeps freed memory in
# quarantine (256 MB by default), so an instrumented build gets more room.
GROWTH_LIMIT_KB = 64 * 1024
GROWTH_LIMIT_ASAN_KB = 512 * 1024


def flood(count):
    """Sends the mixed flood to 127.0.0.1:8800 as fast as the socket takes it (runs in the namespace)."""
    rng = random.Random(8800)
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1 << 20)
    big = b"V1big;" + b"x" * (65507 - 6)
    over = b"V1over;" + b"y" * (8193 - 7)
    junk = [bytes(rng.getrandbits(8) if rng.random() < 0.8 else 0 for _ in range(rng.randint(1, 300)))
            for _ in range(64)]
    kinds = [lambda i: b"V%dflood;message %d" % (i % 10, i), lambda i: b"", lambda i: b"V", lambda i: b"Vx;hi",
             lambda i: over, lambda i: big, lambda i: junk[i % 64], lambda i: b"T9\x00;\x00zero" + bytes([i % 256])]
    for i in range(count):
        payload = kinds[i % len(kinds)](i)
        try:
            sock.sendto(payload, ("127.0.0.1", 8800))
        except OSError:
            pass  # a full send buffer drops the datagram, as a network would


def send_after(count):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    for i in range(count):
        sock.sendto(b"V6Zed;after flood %d" % i, ("127.0.0.1", 8800))
        time.sleep(0.02)


def flood_test(lirbo, name, workspace, spaces):
    me = os.path.abspath(__file__)
    add_namespace(name)
    space = Namespace(name, workspace)
    spaces.append(space)
    write_ini(workspace, "Ann", 2, PEER)
    space.start_x()
    copy = space.start_lirbo(lirbo)
    window = space.wait_window("Lirbo", copy.pid)
    expect(window is not None, "the program shows its main window")
    time.sleep(0.5)
    rss_start = rss_kb(copy.pid)

    # The flood, while the resident memory is sampled.
    sender = subprocess.Popen(space.exec_args("python3", me, "--flood", str(FLOOD)))
    peak = rss_start
    started = time.monotonic()
    while sender.poll() is None:
        peak = max(peak, rss_kb(copy.pid))
        time.sleep(0.05)
    flood_seconds = time.monotonic() - started
    expect(sender.returncode == 0, f"{FLOOD:,} datagrams sent in {flood_seconds:.1f} s")
    # Let the program work through what its socket still holds.
    for _ in range(100):
        peak = max(peak, rss_kb(copy.pid))
        time.sleep(0.05)
    expect(copy.poll() is None, "the program stays up through the flood")
    print(f"resident memory: {rss_start} kB at start, {peak} kB at the peak, {rss_kb(copy.pid)} kB after")
    limit = GROWTH_LIMIT_ASAN_KB if sanitized(copy.pid) else GROWTH_LIMIT_KB
    expect(peak - rss_start < limit, f"resident memory grows by less than {limit // 1024} MB")

    # The user types a message: it goes to the peer (and, on loopback, comes back to the program).
    # The capture starts only now, so that it need not copy the flood.
    space.start_capture()
    space.xdotool("windowfocus", "--sync", window)
    space.xdotool("type", "--delay", "20", "still here")
    space.xdotool("key", "Return")
    expected = b"V2Ann;still here"
    seen = [space.next_datagram(timeout=10) for _ in range(2)]
    expect((PEER, expected) in seen or ("127.0.0.1", expected) in seen, "a typed message is sent after the flood")

    # Valid messages sent after the flood all appear in the conversation the program saves.
    subprocess.run(space.exec_args("python3", me, "--after", "20"), check=True)
    time.sleep(0.5)
    saved = os.path.join(workspace, "after.rtf")
    space.save_conversation(copy.pid, window, saved)
    expect(os.path.exists(saved), "the conversation is saved after the flood")
    text = rtf_text(read(saved))
    missing_after = [i for i in range(20) if b"after flood %d\n" % i not in text]
    expect(not missing_after, f"all 20 messages sent after the flood are in the transcript (missing {missing_after})")
    expect(b"still here" in text, "the typed message is echoed in the transcript")

    # SIGTERM: the departure notice still goes out, and the program ends with status 0.
    while space.next_datagram(timeout=0.2) is not None:
        pass
    copy.send_signal(signal.SIGTERM)
    notices = [space.next_datagram(timeout=10) for _ in range(1)]
    expect((PEER, b"V2Ann;" + NOTICE) in notices or ("127.0.0.1", b"V2Ann;" + NOTICE) in notices,
           "SIGTERM sends the departure notice")
    expect(copy.wait(timeout=10) == 0, "the program ends with status 0")
    lines = history_lines(workspace)
    expect(all(whole(line) for line in lines), f"each of the {len(lines):,} lines of the log is one whole message")
    received = sum(1 for line in lines if line.split(b"\t")[1] == b"127.0.0.1" and line.split(b"\t")[2] != SKIPPED)
    expect(received <= 1000, f"the log keeps {received:,} lines from the flooding address, at most 1,000 in 30 s")
    expect(any(line.split(b"\t")[2] == SKIPPED for line in lines), "the messages held back are counted in one line")
    expect(any(line.split(b"\t")[4:5] == [b"still here"] for line in lines), "the log holds the user's own message")

    # Killed outright in the middle of a flood: every line of the log but the last stays whole.
    copy = space.start_lirbo(lirbo)
    expect(space.wait_window("Lirbo", copy.pid) is not None, "the program starts again")
    before = len(history_lines(workspace))
    sender = subprocess.Popen(space.exec_args("python3", me, "--flood", str(FLOOD)))
    time.sleep(1.0)
    copy.kill()
    copy.wait(timeout=10)
    sender.wait(timeout=120)
    complete = read(history_file(workspace)).split(b"\r\n")[:-1]
    expect(len(complete) > before, f"the log grew by {len(complete) - before:,} lines before the kill")
    expect(all(whole(line) for line in complete), "after a kill -9 every line but the last is whole")


def history_file(workspace):
    folder = os.path.join(workspace, "history")
    days = sorted(os.listdir(folder))
    return os.path.join(folder, days[-1])


def history_lines(workspace):
    text = read(history_file(workspace))
    return text.split(b"\r\n")[:-1] if text.endswith(b"\r\n") else text.split(b"\r\n")


# A line of the log: date and time, address, kind, nick, text, colour (none in the log's own); no bare line break.
def whole(line):
    fields = line.split(b"\t")
    own = len(fields) == 5 and fields[3] == b""
    return (own or len(fields) == 6) and len(fields[0]) == 19 and b"\r" not in line and b"\n" not in line


def main():
    if len(sys.argv) == 3 and sys.argv[1] in ("--flood", "--after"):
        (flood if sys.argv[1] == "--flood" else send_after)(int(sys.argv[2]))
        return 0
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    reason = cannot_run("ip", "Xvfb", "xdotool")
    if reason:
        print("skipped:", reason)
        return SKIP
    name = f"lbflood{os.getpid() % 100000}"
    workspace = tempfile.mkdtemp(prefix="lirbo-flood-")
    spaces = []
    try:
        return report(flood_test, os.path.abspath(sys.argv[1]), name, workspace, spaces)
    finally:
        for space in spaces:
            space.stop()
        delete_namespace(name)
        shutil.rmtree(workspace, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
