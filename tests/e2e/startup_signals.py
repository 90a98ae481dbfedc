#!/usr/bin/env python3
"""End-to-end test of the real lirbo program: a termination signal (SIGTERM, SIGHUP, SIGINT) that
arrives while a box of the start-up is shown still ends the program as a log-off does. With the
port taken, the "Application Error" box goes and the status is 1; with an error box while the
window is being built (a settings file too large to read), the program ends with status 0 and
never shows its window.

Usage: startup_signals.py PATH_TO_LIRBO. Runs in a network namespace of its own (port 8800 there
only). Needs root, unshare, ip, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile

from lirbo_harness import SKIP, cannot_run, find_window, rerun_in_own_network_namespace, start_xvfb, x_env


def answer(env, box, process):
    """The user presses Enter in the error box: the window then shows and the program runs on."""
    subprocess.run(["xdotool", "windowfocus", "--sync", box], env=env, capture_output=True, timeout=20)
    subprocess.run(["xdotool", "key", "Return"], env=env, capture_output=True, timeout=20)
    return find_window(env, "Lirbo", process.pid, other_than=box) is not None and process.poll() is None


def port_taken(folder):
    holder = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    holder.bind(("0.0.0.0", 8800))
    return holder


def settings_too_large(folder):
    # A sparse file far larger than memory: reading it fails while the window is being built.
    with open(os.path.join(folder, "lirbo.ini"), "wb") as file:
        file.truncate(1 << 40)
    return None


# (what goes wrong at start-up, the caption of its box, whether the user answers the box first,
# the signal, the exit status expected)
CASES = [
    ("port taken", port_taken, "Application Error", False, signal.SIGTERM, 1),
    ("port taken", port_taken, "Application Error", False, signal.SIGINT, 1),
    ("settings unreadable", settings_too_large, "Lirbo", False, signal.SIGHUP, 0),
    ("settings unreadable", settings_too_large, "Lirbo", False, signal.SIGTERM, 0),
    ("settings unreadable, box answered", settings_too_large, "Lirbo", True, signal.SIGTERM, 0),
]


def run_case(lirbo, env, case):
    name, prepare, caption, answered, number, status = case
    what = f"{name}, {signal.Signals(number).name}"
    folder = tempfile.mkdtemp(prefix="lirbo-e2e-")
    holder = prepare(folder)
    process = subprocess.Popen([lirbo], cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        box = find_window(env, caption, process.pid)
        if box is None:
            return f"{what}: no box \"{caption}\" appeared"
        if answered and not answer(env, box, process):
            return f"{what}: the window did not show after the box was answered"
        process.send_signal(number)
        try:
            code = process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            return f"{what}: the program still runs 10 s after the signal"
        if code != status:
            return f"{what}: exit status {code}, expected {status}"
        print(f"ok: {what} ends with status {status}", flush=True)
        return None
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        if holder is not None:
            holder.close()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    lirbo = os.path.abspath(sys.argv[1])
    reason = cannot_run("unshare", "ip", "Xvfb", "xdotool")
    if reason:
        print("skipped:", reason)
        return SKIP
    status = rerun_in_own_network_namespace(__file__, [lirbo])
    if status is not None:
        return status

    cases = CASES
    with open("/proc/sys/vm/overcommit_memory") as file:
        overcommit = file.read().strip() == "1"  # every allocation succeeds: the large file cannot make one fail
    sanitized = "libasan" in subprocess.run(["ldd", lirbo], capture_output=True, text=True).stdout
    if overcommit or sanitized:  # under AddressSanitizer a failed allocation ends the program instead
        print("skipped: the cases of an unreadable settings file", flush=True)
        cases = [case for case in CASES if case[1] is not settings_too_large]
    xvfb, display = start_xvfb()
    env = x_env(display)
    env.pop("SESSION_MANAGER", None)
    try:
        failures = [message for message in (run_case(lirbo, env, case) for case in cases) if message]
    finally:
        xvfb.kill()
        xvfb.wait()
    for message in failures:
        print("FAILED:", message, flush=True)
    print(f"{len(cases) - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
