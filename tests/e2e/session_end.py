#!/usr/bin/env python3
"""End-to-end test of the real lirbo program under an X session manager: a checkpoint (the
manager asks its clients to save while the session goes on) leaves lirbo running; the session's
end (save with shutdown, then Die) ends it with status 0 on the log-off path, which leaves
lirbo.ini as it was.

Usage: session_end.py PATH_TO_LIRBO PATH_TO_SESSION_MANAGER. Runs in a network namespace of its
own. Needs root, unshare, ip, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from lirbo_harness import SKIP, cannot_run, find_window, rerun_in_own_network_namespace, start_xvfb, x_env

INI = b"[user]\r\nnik_color=2\r\nnik=Ann\r\nstart=0\r\n[ip]\r\n; written by hand\r\nip0=127.0.0.1\r\n"


class Manager:
    def __init__(self, program, env):
        self.process = subprocess.Popen([program], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()

    def tell(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()

    def expect(self, word):
        line = self.process.stdout.readline().strip()
        if line != word:
            raise AssertionError(f"session manager said {line!r}, expected {word!r}")

    def stop(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    lirbo, manager_program = (os.path.abspath(path) for path in sys.argv[1:])
    reason = cannot_run("unshare", "ip", "Xvfb", "xdotool")
    if reason:
        print("skipped:", reason)
        return SKIP
    status = rerun_in_own_network_namespace(__file__, sys.argv[1:])
    if status is not None:
        return status

    folder = tempfile.mkdtemp(prefix="lirbo-e2e-")
    ini = os.path.join(folder, "lirbo.ini")
    with open(ini, "wb") as file:
        file.write(INI)
    xvfb, display = start_xvfb()
    env = dict(x_env(display), ICEAUTHORITY=os.path.join(folder, "iceauth"))
    manager = Manager(manager_program, env)
    lirbo_env = dict(env, SESSION_MANAGER=manager.address)
    process = subprocess.Popen([lirbo], cwd=folder, env=lirbo_env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    failures = []
    try:
        manager.expect("registered")
        if find_window(env, "Lirbo", process.pid) is None:
            raise AssertionError("the main window did not show")
        manager.tell("checkpoint")
        manager.expect("saved")
        time.sleep(1)
        if process.poll() is not None:
            failures.append(f"a checkpoint ended the program (status {process.returncode})")
        else:
            print("ok: a checkpoint leaves the program running", flush=True)
            manager.tell("shutdown")
            manager.expect("saved")
            manager.expect("died")
            try:
                code = process.wait(timeout=10)
                if code != 0:
                    failures.append(f"the session's end gives status {code}")
                else:
                    print("ok: the session's end ends the program with status 0", flush=True)
            except subprocess.TimeoutExpired:
                failures.append("the program still runs 10 s after the session's end")
            with open(ini, "rb") as file:
                if file.read() != INI:
                    failures.append("the session's end rewrote lirbo.ini")
    except AssertionError as error:
        failures.append(str(error))
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        manager.stop()
        xvfb.kill()
        xvfb.wait()
        shutil.rmtree(folder, ignore_errors=True)
    for message in failures:
        print("FAILED:", message, flush=True)
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
