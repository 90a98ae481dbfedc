#!/usr/bin/env python3
"""Start-up of the real lirbo program with a lirbo.ini that is a symbolic link to /dev/zero: time
from exec to the first window mapped (an error box, when there is one), time to the main window
once that box is answered, and the peak resident memory (VmHWM).

The program runs under an address-space limit (default 4 GiB) so that a build that reads without a
bound fails with its out-of-memory error instead of taking the whole machine. Runs in a network
namespace of its own (re-executes itself under `unshare -n`) with its own Xvfb.
Usage: refused_settings_bench.py LIRBO [LIMIT_GIB]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from lirbo_harness import start_xvfb, x_env
from process_bench import RootWatcher


def peak_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def measure(lirbo, limit_gib):
    xvfb, display = start_xvfb()
    workspace = tempfile.mkdtemp(prefix="lirbo-zero-")
    process = None
    try:
        os.symlink("/dev/zero", os.path.join(workspace, "lirbo.ini"))
        env = x_env(display)
        watcher = RootWatcher(display)
        watcher.drain()
        begin = time.monotonic()
        process = subprocess.Popen(["prlimit", f"--as={limit_gib << 30}", lirbo], env=env, cwd=workspace,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        first = watcher.wait_map(timeout=300)
        print(f"first window after {(first - begin) * 1000:.0f} ms")
        # Answers the box (the window with the keyboard focus) and waits for the next window.
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(process.pid), "--name", "^Lirbo$"],
                               env=env, capture_output=True, text=True, timeout=30).stdout.split()
        if found:
            subprocess.run(["xdotool", "windowfocus", "--sync", found[0], "key", "Return"], env=env, timeout=30)
        try:
            main = watcher.wait_map(timeout=10)
            print(f"main window after {(main - begin) * 1000:.0f} ms (the box answered)")
        except RuntimeError:
            print("no second window: the first was the main window")
        print(f"peak resident memory {peak_kb(process.pid) / 1024:.0f} MiB, running: {process.poll() is None}")
    finally:
        if process is not None and process.poll() is None:
            process.kill()
            process.wait()
        xvfb.kill()
        xvfb.wait()
        shutil.rmtree(workspace, ignore_errors=True)


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__)
        return 2
    lirbo = os.path.abspath(sys.argv[1])
    limit = int(sys.argv[2]) if len(sys.argv) == 3 else 4
    if os.environ.get("LIRBO_BENCH_NETNS") != "1":
        env = dict(os.environ, LIRBO_BENCH_NETNS="1")
        return subprocess.call(["unshare", "-n", "sh", "-c", 'ip link set lo up && exec "$0" "$@"', sys.executable,
                                __file__, lirbo, str(limit)], env=env)
    measure(lirbo, limit)
    return 0


if __name__ == "__main__":
    sys.exit(main())
