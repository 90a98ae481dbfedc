#!/usr/bin/env python3
"""Process and window figures of the real lirbo program, each beside a baseline from the same run.

- start: time from exec to the main window mapped (seen as a MapNotify on the X root window) and
  resident memory once it has settled, against a minimal Qt Widgets window;
- close: time from SIGTERM (the log-off path: departure notices, listener closed) to exit;
- receive with the window shown: datagrams delivered per second at full speed with a full 64K
  transcript, and the loss at a steady 5,000 datagrams/s for 10 s. Loss is what the system dropped
  at the program's socket (RcvbufErrors of this network namespace), so the program needs no seam.

Runs in a network namespace of its own (re-executes itself under `unshare -n`) with its own Xvfb,
and sends only to 127.0.0.1. Usage: process_bench.py LIRBO MINIMAL_WINDOW OUT.json
"""
import ctypes
import json
import os
import socket
import statistics
import subprocess
import sys
import tempfile
import time

from lirbo_harness import rss_kb, start_xvfb, x_env

ROUNDS = 5
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class RootWatcher:
    """Waits for top-level windows to be mapped, through Xlib itself."""

    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display.encode())
        if not self.display:
            raise RuntimeError("cannot open " + display)
        self.x.XSelectInput(self.display, self.x.XDefaultRootWindow(self.display), SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush = self.x.XFlush
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XFlush(self.display)
        self.event = ctypes.create_string_buffer(192)
        self.fd = self.x.XConnectionNumber(self.display)

    def drain(self):
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, self.event)

    def wait_map(self, timeout=20):
        import select
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, self.event)
                if ctypes.c_int.from_buffer(self.event).value == MAP_NOTIFY:
                    return time.monotonic()
            select.select([self.fd], [], [], 0.05)
        raise RuntimeError("no window was mapped")


def udp_counter(name):
    with open("/proc/net/snmp") as snmp:
        rows = [line.split() for line in snmp if line.startswith("Udp:")]
    return int(rows[1][rows[0].index(name)])


def rx_queue(port):
    with open("/proc/net/udp") as udp:
        for line in list(udp)[1:]:
            fields = line.split()
            if int(fields[1].split(":")[1], 16) == port:
                return int(fields[4].split(":")[1], 16)
    return 0


def start(program, env, cwd, watcher):
    watcher.drain()
    begin = time.monotonic()
    process = subprocess.Popen([program], env=env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = watcher.wait_map()
    return process, (mapped - begin) * 1000


def stop(process):
    begin = time.monotonic()
    process.terminate()
    process.wait(timeout=10)
    return (time.monotonic() - begin) * 1000


def wait_drained(port, timeout=30):
    deadline = time.monotonic() + timeout
    while rx_queue(port) and time.monotonic() < deadline:
        time.sleep(0.0005)
    return time.monotonic()


def send_paced(sock, count, rate, tag):
    begin = time.monotonic()
    for i in range(count):
        if i % 50 == 0:
            delay = begin + i / rate - time.monotonic()
            if delay > 0:
                time.sleep(delay)
        sock.sendto(b"V3Vasya;%s %d message text of a usual length" % (tag, i), ("127.0.0.1", 8800))


def measure(lirbo, minimal, out):
    xvfb, display = start_xvfb()
    env = x_env(display)
    work = tempfile.mkdtemp(prefix="lirbo-bench-")
    results = {}
    try:
        watcher = RootWatcher(display)
        times = {"lirbo": [], "minimal": []}
        rss = {"lirbo": [], "minimal": []}
        close = []
        for _ in range(ROUNDS):
            for name, program in (("minimal", minimal), ("lirbo", lirbo)):
                process, ms = start(program, env, work, watcher)
                times[name].append(ms)
                time.sleep(1.0)
                rss[name].append(rss_kb(process.pid))
                stopped = stop(process)
                if name == "lirbo":
                    close.append(stopped)
        t_l, t_m = statistics.median(times["lirbo"]), statistics.median(times["minimal"])
        r_l, r_m = statistics.median(rss["lirbo"]), statistics.median(rss["minimal"])
        c = statistics.median(close)
        add = results.setdefault
        add("process/start", dict(label="exec to main window mapped (median of %d)" % ROUNDS, measured=f"{t_l:.0f} ms",
                                  baseline=f"{t_m:.0f} ms minimal Qt", ratio=f"{t_l / t_m:.2f}", target="<= 1.3",
                                  met=t_l / t_m <= 1.3))
        add("process/rss", dict(label="resident memory after start", measured=f"{r_l / 1024:.1f} MB",
                                baseline=f"{r_m / 1024:.1f} MB minimal Qt", ratio=f"{r_l / r_m:.2f}", target="<= 1.3",
                                met=r_l / r_m <= 1.3))
        add("process/close", dict(label="close (SIGTERM, log-off path) to exit", measured=f"{c:.1f} ms", baseline="-",
                                  ratio="-", target="< 50 ms", met=c < 50))

        # Receiving with the window shown, with the conversation's log off and on.
        def receive(log_on):
            with open(os.path.join(work, "lirbo.ini"), "wb") as ini:
                ini.write(b"" if log_on else b"[history]\r\nenabled=0\r\n")
            process, _ = start(lirbo, env, work, watcher)
            time.sleep(1.0)
            sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            send_paced(sock, 3000, 3000, b"fill")  # fills the 64K transcript
            wait_drained(8800)
            time.sleep(0.5)
            lost_before = udp_counter("RcvbufErrors")
            count = 100000
            begin = time.monotonic()
            for i in range(count):
                sock.sendto(b"V3Vasya;burst %d message text of a usual length" % i, ("127.0.0.1", 8800))
            end = wait_drained(8800)
            rate = (count - (udp_counter("RcvbufErrors") - lost_before)) / (end - begin)
            time.sleep(0.5)
            lost_before = udp_counter("RcvbufErrors")
            send_paced(sock, 50000, 5000, b"paced")
            wait_drained(8800)
            lost = udp_counter("RcvbufErrors") - lost_before
            alive = process.poll() is None
            stop(process)
            if not alive:
                raise RuntimeError("lirbo ended while receiving")
            return rate, lost

        rate_off, lost_off = receive(log_on=False)
        rate_on, lost_on = receive(log_on=True)
        add("process/gui-rate", dict(label="shown window, full 64K transcript: delivered at full speed",
                                     measured=f"{rate_on:,.0f}/s", baseline="-", ratio="-", target=">= 10,000/s",
                                     met=rate_on >= 10000))
        add("process/gui-rate-log", dict(label="the same with the log on, against it off",
                                         measured=f"{rate_on:,.0f}/s", baseline=f"{rate_off:,.0f}/s log off",
                                         ratio=f"{rate_on / rate_off:.2f}", target=">= 0.8",
                                         met=rate_on / rate_off >= 0.8))
        add("process/gui-paced", dict(label="shown window, log on: lost at 5,000/s for 10 s",
                                      measured=f"{lost_on} of 50,000", baseline=f"{lost_off} with the log off",
                                      ratio="-", target="0", met=lost_on == 0))
    finally:
        xvfb.kill()
        xvfb.wait()
    with open(out, "w") as f:
        json.dump({"benchmarks": [dict(name=k, run_name=k, **v) for k, v in results.items()]}, f, indent=1)
    for k, v in results.items():
        print(k, v)


def main():
    lirbo, minimal, out = (os.path.abspath(a) for a in sys.argv[1:4])
    if os.environ.get("LIRBO_BENCH_NETNS") != "1":
        # A network namespace of its own, so that port 8800 and the drop counter are this run's alone.
        env = dict(os.environ, LIRBO_BENCH_NETNS="1")
        return subprocess.call(["unshare", "-n", "sh", "-c", 'ip link set lo up && exec "$0" "$@"', sys.executable,
                                __file__, lirbo, minimal, out], env=env)
    measure(lirbo, minimal, out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
