#!/usr/bin/env python3
"""The conversation's log and the program's CPU under a flood from one host.

Starts the real lirbo program (window shown, on its own Xvfb) in a network namespace of its own,
sends it valid messages from one address at full speed for SECONDS (30 by default), and prints
the datagrams sent and taken in (those the system did not drop at the program's socket), how much
the log grew (bytes, lines) and the CPU time the program took, as a share of one core and per
datagram taken in (the figure that stays comparable on a busy machine). Sends only to 127.0.0.1. Usage: log_flood.py LIRBO [SECONDS]
"""
import os
import socket
import subprocess
import sys
import tempfile
import time

from lirbo_harness import find_window, rerun_in_own_network_namespace, start_xvfb, x_env


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def dropped():
    with open("/proc/net/snmp") as snmp:
        rows = [line.split() for line in snmp if line.startswith("Udp:")]
    return int(rows[1][rows[0].index("RcvbufErrors")])


def log_size(work):
    folder = os.path.join(work, "history")
    total, lines = 0, 0
    for name in os.listdir(folder) if os.path.isdir(folder) else []:
        with open(os.path.join(folder, name), "rb") as log:
            data = log.read()
        total, lines = total + len(data), lines + data.count(b"\r\n")
    return total, lines


def measure(lirbo, seconds):
    xvfb, display = start_xvfb()
    work = tempfile.mkdtemp(prefix="lirbo-log-flood-")
    with open(os.path.join(work, "lirbo.ini"), "wb") as ini:
        ini.write(b"[user]\r\nnik=Ann\r\n")
    program = subprocess.Popen([lirbo], env=x_env(display), cwd=work, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        if find_window(x_env(display), "Lirbo", program.pid) is None:
            raise RuntimeError("no main window")
        time.sleep(1.0)
        sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        cpu_before, log_before, dropped_before = cpu_seconds(program.pid), log_size(work), dropped()
        begin = time.monotonic()
        sent = 0
        while time.monotonic() - begin < seconds:
            for _ in range(200):
                sock.sendto(b"V3Vasya;flood %d message text of a usual length" % sent, ("127.0.0.1", 8800))
                sent += 1
        elapsed = time.monotonic() - begin
        time.sleep(2.0)  # what the socket still holds
        taken = sent - (dropped() - dropped_before)
        cpu = cpu_seconds(program.pid) - cpu_before
        size, lines = (a - b for a, b in zip(log_size(work), log_before))
        print(f"{sent:,} datagrams in {elapsed:.1f} s ({sent / elapsed:,.0f}/s), {taken:,} taken in; log grew "
              f"{size:,} bytes, {lines:,} lines ({size / elapsed / 1e6:.2f} MB/s); program CPU {cpu:.1f} s = "
              f"{100 * cpu / elapsed:.0f}% of a core, {1e6 * cpu / max(taken, 1):.1f} us per datagram taken in")
    finally:
        program.terminate()
        program.wait(timeout=10)
        xvfb.kill()
        xvfb.wait()
        subprocess.run(["rm", "-rf", work])


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__)
        return 2
    status = rerun_in_own_network_namespace(__file__, sys.argv[1:])
    if status is not None:
        return status
    measure(os.path.abspath(sys.argv[1]), float(sys.argv[2]) if len(sys.argv) == 3 else 30.0)
    return 0


if __name__ == "__main__":
    sys.exit(main())
