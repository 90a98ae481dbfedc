#!/usr/bin/env python3
"""Process and window figures of the real lirbo program, each beside a baseline from the same run.

- start: time from exec to the main window mapped (a MapNotify on the X root window) and to its
  first paint (the first DAMAGE report on it), resident and private dirty memory half a second later
  (/proc/PID/smaps_rollup), against a floor window with the same widgets, fonts, translator, tray
  icon and listener thread and none of the program's code, and against an empty Qt window. The
  three start in turn, in a rotated order, with a pause between starts;
- close: time from SIGTERM (the log-off path: departure notices, listener closed) to exit;
- receive with the window shown: datagrams delivered per second at full speed with a full 64K
  transcript, and the loss at a steady 5,000 datagrams/s for 10 s. Loss is what the system dropped
  at the program's socket (RcvbufErrors of this network namespace), so the program needs no seam.
  The full-speed rate stands beside the floor's listener thread taking the same flood off the port
  (a raw receive loop that shows nothing).

Runs in a network namespace of its own (re-executes itself under `unshare -n`) with its own Xvfb,
and sends only to 127.0.0.1. Usage: process_bench.py LIRBO SAME_FEATURES_WINDOW MINIMAL_WINDOW OUT.json
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

from lirbo_harness import start_xvfb, x_env

ROUNDS = 9
RECEIVE_ROUNDS = 3
PAUSE = 0.5
CREATE_NOTIFY = 16
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
DAMAGE_REPORT_NON_EMPTY = 3
EVENT_WINDOW_OFFSET = 40  # XCreateWindowEvent.window and XMapEvent.window on 64-bit
DAMAGE_DRAWABLE_OFFSET = 32  # XDamageNotifyEvent.drawable


class RootWatcher:
    """Waits for a top-level window to be mapped and then painted, through Xlib and DAMAGE: every
    window created on the root gets a damage object, and the first damage after its map is the
    program's first paint (an unmapped window draws nothing)."""

    def __init__(self, display, level=DAMAGE_REPORT_NON_EMPTY):
        self.level = level
        self.damages = {}  # window -> its damage object
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
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XFlush(self.display)
        # A window may be gone before its damage object is made: ignore such errors.
        handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
        self.error_handler = handler
        self.x.XSetErrorHandler(handler)
        self.damage = ctypes.CDLL("libXdamage.so.1")
        self.damage.XDamageCreate.restype = ctypes.c_ulong
        self.damage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
        base, error = ctypes.c_int(), ctypes.c_int()
        if not self.damage.XDamageQueryExtension(ctypes.c_void_p(self.display), ctypes.byref(base),
                                                 ctypes.byref(error)):
            raise RuntimeError("the X server has no DAMAGE extension")
        self.damage_notify = base.value
        self.event = ctypes.create_string_buffer(192)
        self.fd = self.x.XConnectionNumber(self.display)

    def next_events(self):
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, self.event)
            kind = ctypes.c_int.from_buffer(self.event).value
            if kind == self.damage_notify:
                yield kind, ctypes.c_ulong.from_buffer(self.event, DAMAGE_DRAWABLE_OFFSET).value
            else:
                window = ctypes.c_ulong.from_buffer(self.event, EVENT_WINDOW_OFFSET).value
                if kind == CREATE_NOTIFY:
                    self.damages[window] = self.damage.XDamageCreate(self.display, window, self.level)
                    self.x.XFlush(self.display)
                yield kind, window

    def drain(self):
        for _ in self.next_events():
            pass

    def wait_map_and_paint(self, timeout=20):
        """The times of the first map of a top-level window and of the first paint in it."""
        import select
        deadline = time.monotonic() + timeout
        mapped, mapped_at = None, None
        while time.monotonic() < deadline:
            for kind, window in self.next_events():
                if kind == MAP_NOTIFY and mapped is None:
                    mapped, mapped_at = window, time.monotonic()
                elif kind == self.damage_notify and window == mapped:
                    return mapped_at, time.monotonic()
            select.select([self.fd], [], [], 0.05)
        raise RuntimeError("no window was mapped and painted")


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


def start(program, env, cwd, watcher, args=()):
    watcher.drain()
    begin = time.monotonic()
    process = subprocess.Popen([program, *args], env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    mapped, painted = watcher.wait_map_and_paint()
    return process, (mapped - begin) * 1000, (painted - begin) * 1000


def memory_kb(pid):
    """Resident and private dirty memory of a process, in KiB. Private clean pages are left out:
    they are library pages that no other process happens to map at the time, so they swing with
    whatever else runs (5 to 22 MiB here)."""
    fields = {}
    with open(f"/proc/{pid}/smaps_rollup") as rollup:
        for line in rollup:
            parts = line.split()
            if len(parts) >= 2 and parts[0].endswith(":") and parts[1].isdigit():
                fields[parts[0][:-1]] = int(parts[1])
    return fields.get("Rss", 0), fields.get("Private_Dirty", 0)


def spread(values):
    return statistics.median(values), min(values), max(values)


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


def measure(lirbo, floor, minimal, out):
    xvfb, display = start_xvfb()
    env = x_env(display)
    work = tempfile.mkdtemp(prefix="lirbo-bench-")
    results = {}
    try:
        watcher = RootWatcher(display)
        programs = {"lirbo": lirbo, "floor": floor, "empty": minimal}
        figures = {name: {"mapped": [], "painted": [], "rss": [], "private": []} for name in programs}
        close = []
        names = list(programs)
        for round_ in range(ROUNDS):
            for name in names[round_ % 3:] + names[:round_ % 3]:
                process, mapped, painted = start(programs[name], env, work, watcher)
                time.sleep(PAUSE)
                rss, private = memory_kb(process.pid)
                for key, value in (("mapped", mapped), ("painted", painted), ("rss", rss), ("private", private)):
                    figures[name][key].append(value)
                stopped = stop(process)
                if name == "lirbo":
                    close.append(stopped)
                time.sleep(PAUSE)
        add = results.setdefault
        rows = (("mapped", "exec to main window mapped", "ms", 1, 1.15), ("painted", "exec to first paint", "ms", 1, 1.15),
                ("rss", "resident memory", "MiB", 1024, 1.05), ("private", "private dirty memory", "MiB", 1024, 1.05))
        for key, label, unit, scale, target in rows:
            (l, l_lo, l_hi), (f, f_lo, f_hi), (e, _, _) = (spread(figures[n][key]) for n in names)
            shown = lambda v: f"{v / scale:.0f}" if unit == "ms" else f"{v / scale:.1f}"
            add(f"process/start-{key}", dict(
                label=f"{label} (median of {ROUNDS}, range)",
                measured=f"{shown(l)} {unit} ({shown(l_lo)}-{shown(l_hi)})",
                baseline=f"{shown(f)} {unit} ({shown(f_lo)}-{shown(f_hi)}) floor; {shown(e)} empty",
                ratio=f"{l / f:.2f} ({l / e:.2f} empty)", target=f"<= {target} floor", met=l / f <= target))
        c = statistics.median(close)
        add("process/close", dict(label="close (SIGTERM, log-off path) to exit", measured=f"{c:.1f} ms", baseline="-",
                                  ratio="-", target="< 50 ms", met=c < 50))

        # Receiving with the window shown, with the conversation's log off and on.
        def full_speed_rate(sock, count=100000):
            lost_before = udp_counter("RcvbufErrors")
            begin = time.monotonic()
            for i in range(count):
                sock.sendto(b"V3Vasya;burst %d message text of a usual length" % i, ("127.0.0.1", 8800))
            end = wait_drained(8800)
            return (count - (udp_counter("RcvbufErrors") - lost_before)) / (end - begin)

        def receive(log_on, paced):
            with open(os.path.join(work, "lirbo.ini"), "wb") as ini:
                ini.write(b"" if log_on else b"[history]\r\nenabled=0\r\n")
            process, _, _ = start(lirbo, env, work, watcher)
            time.sleep(1.0)
            sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            send_paced(sock, 3000, 3000, b"fill")  # fills the 64K transcript
            wait_drained(8800)
            time.sleep(0.5)
            rate, lost = full_speed_rate(sock), None
            if paced:
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

        def raw_loop():
            # The floor's listener thread on the same port: takes the datagrams off, shows nothing.
            process, _, _ = start(floor, env, work, watcher, args=("8800",))
            time.sleep(1.0)
            rate = full_speed_rate(socket.socket(socket.AF_INET, socket.SOCK_DGRAM))
            stop(process)
            return rate

        # The full-speed rates in turn, rotated, as the start-up figures; the paced loss once each.
        runs = {"off": lambda: receive(False, False)[0], "on": lambda: receive(True, False)[0], "raw": raw_loop}
        rates = {name: [] for name in runs}
        for round_ in range(RECEIVE_ROUNDS):
            for name in list(runs)[round_ % 3:] + list(runs)[:round_ % 3]:
                rates[name].append(runs[name]())
        rate_off, rate_on, rate_raw = (statistics.median(rates[n]) for n in ("off", "on", "raw"))
        shown = {n: f"{statistics.median(r):,.0f}/s ({min(r):,.0f}-{max(r):,.0f})" for n, r in rates.items()}
        _, lost_off = receive(False, True)
        _, lost_on = receive(True, True)
        add("process/gui-rate-raw", dict(label=f"shown window, full transcript: full speed (median of {RECEIVE_ROUNDS})",
                                         measured=f"{shown['on']} log on; {shown['off']} off",
                                         baseline=f"{shown['raw']} recv loop",
                                         ratio=f"{rate_on / rate_raw:.2f} ({rate_off / rate_raw:.2f} log off)",
                                         target=">= 0.5", met=rate_on / rate_raw >= 0.5))
        add("process/gui-rate", dict(label="shown window, full 64K transcript, log on: delivered at full speed",
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
    lirbo, floor, minimal, out = (os.path.abspath(a) for a in sys.argv[1:5])
    if os.environ.get("LIRBO_BENCH_NETNS") != "1":
        # A network namespace of its own, so that port 8800 and the drop counter are this run's alone.
        env = dict(os.environ, LIRBO_BENCH_NETNS="1")
        return subprocess.call(["unshare", "-n", "sh", "-c", 'ip link set lo up && exec "$0" "$@"', sys.executable,
                                __file__, lirbo, floor, minimal, out], env=env)
    measure(lirbo, floor, minimal, out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
