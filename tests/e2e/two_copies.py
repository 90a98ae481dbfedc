#!/usr/bin/env python3
"""End-to-end test of the real lirbo program: two copies, each in its own network namespace joined
by a veth pair, each listening on UDP port 8800 under its own X server, driven with keys, the
mouse and a window-manager close as a person would. Checks the exact Windows-1251 bytes on the wire, the departure notices,
the settings file after a close and after SIGTERM, and that a second copy on a taken port ends
with status 1 without a main window.

Usage: two_copies.py PATH_TO_LIRBO. Needs root, ip, Xvfb and xdotool; exits 77 (skipped) without.
"""
import os
import queue
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
NOTICE = "ОТКЛЮЧИЛСЯ".encode("cp1251")
ADDRESS_A = "192.0.2.1"
ADDRESS_B = "192.0.2.2"


def run(*args, check=True, **kwargs):
    return subprocess.run(list(args), check=check, capture_output=True, text=True, **kwargs)


class Failure(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


class Namespace:
    """A network namespace with its own X server, capture helper and lirbo copies."""

    def __init__(self, name, workdir):
        self.name = name
        self.workdir = workdir
        self.processes = []
        self.display = None
        self.datagrams = queue.Queue()

    def exec_args(self, *args):
        return ["ip", "netns", "exec", self.name, *args]

    def start_x(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(self.exec_args("Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                               "-nolisten", "tcp", "-noreset"),
                                pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(xvfb)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.display = ":" + number

    def start_capture(self, script):
        capture = subprocess.Popen(self.exec_args("python3", "-u", script), stdout=subprocess.PIPE, text=True)
        self.processes.append(capture)
        if capture.stdout.readline().strip() != "ready":
            raise Failure("capture did not start")

        def pump():
            for line in capture.stdout:
                source, payload = line.split()
                self.datagrams.put((source, bytes.fromhex(payload)))

        threading.Thread(target=pump, daemon=True).start()

    def next_datagram(self, timeout=10):
        try:
            return self.datagrams.get(timeout=timeout)
        except queue.Empty:
            return None

    def env(self):
        env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb")
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def start_lirbo(self, lirbo):
        process = subprocess.Popen(self.exec_args(lirbo), cwd=self.workdir, env=self.env(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def xdotool(self, *args, timeout=20):
        return subprocess.run(self.exec_args("xdotool", *args), env=self.env(), capture_output=True, text=True,
                              timeout=timeout)

    def wait_window(self, title, pid=None, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            args = ["search", "--all", "--onlyvisible", "--name", f"^{title}$"]
            if pid is not None:
                args[1:1] = ["--pid", str(pid)]
            found = self.xdotool(*args).stdout.split()
            if found:
                return found[0]
            time.sleep(0.05)
        return None

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait()


def write_ini(folder, nick, colour, peer):
    ini = f"[user]\r\nnik_color={colour}\r\nnik={nick}\r\nstart=0\r\n[ip]\r\nip0={peer}\r\n"
    with open(os.path.join(folder, "lirbo.ini"), "wb") as file:
        file.write(ini.encode("cp1251"))


def read(path):
    with open(path, "rb") as file:
        return file.read()


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    lirbo = os.path.abspath(sys.argv[1])
    missing = [tool for tool in ("ip", "Xvfb", "xdotool") if shutil.which(tool) is None]
    if os.geteuid() != 0 or missing:
        print("skipped: needs root and", " ".join(missing) or "nothing else")
        return SKIP

    tag = f"lb{os.getpid() % 100000}"
    names = (f"{tag}a", f"{tag}b")
    veth = (f"{tag}va", f"{tag}vb")
    capture = os.path.join(os.path.dirname(os.path.abspath(__file__)), "capture.py")
    wm_close = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wm_close.py")
    workspace = tempfile.mkdtemp(prefix="lirbo-e2e-")
    spaces = []
    try:
        for name in names:
            run("ip", "netns", "add", name)
        run("ip", "link", "add", veth[0], "type", "veth", "peer", "name", veth[1])
        for name, device, address in zip(names, veth, (ADDRESS_A, ADDRESS_B)):
            run("ip", "link", "set", device, "netns", name)
            run("ip", "-n", name, "addr", "add", f"{address}/24", "dev", device)
            run("ip", "-n", name, "link", "set", device, "up")
            run("ip", "-n", name, "link", "set", "lo", "up")
        for name in names:
            folder = os.path.join(workspace, name)
            os.mkdir(folder)
            spaces.append(Namespace(name, folder))
        a, b = spaces
        write_ini(a.workdir, "Ann", 3, ADDRESS_B)
        write_ini(b.workdir, "Bob", 5, ADDRESS_A)
        for space in spaces:
            space.start_x()
            space.start_capture(capture)
        copy_a = a.start_lirbo(lirbo)
        copy_b = b.start_lirbo(lirbo)
        window_a = a.wait_window("Lirbo", copy_a.pid)
        window_b = b.wait_window("Lirbo", copy_b.pid)
        expect(window_a and window_b, "both copies show their main window")

        # Ann types a public message; the focus starts in the input line.
        a.xdotool("windowfocus", "--sync", window_a)
        a.xdotool("type", "--delay", "20", "Hello")
        a.xdotool("key", "Return")
        expect(b.next_datagram() == (ADDRESS_A, b"V3Ann;Hello"), "a public message reaches the other copy")

        # Bob answers in Russian.
        b.xdotool("windowfocus", "--sync", window_b)
        b.xdotool("type", "--delay", "120", "Привет")
        b.xdotool("key", "Return")
        expect(a.next_datagram() == (ADDRESS_B, b"V5Bob;" + "Привет".encode("cp1251")),
               "a Russian message travels as Windows-1251 bytes")

        # Ann selects her peer with the keyboard and sends a private message.
        a.xdotool("type", "--delay", "20", "psst")
        a.xdotool("key", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab", "Tab", "space")
        expect(b.next_datagram() == (ADDRESS_A, b"T3Ann;psst"), "a private message goes to the selected peer")

        # Bob's private answer.
        b.xdotool("type", "--delay", "20", "ok")
        b.xdotool("key", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab", "Tab", "space")
        expect(a.next_datagram() == (ADDRESS_B, b"T5Bob;ok"), "a private message goes the other way")

        # A second copy beside Ann's cannot bind 8800: the failure box, status 1, no main window.
        second = a.start_lirbo(lirbo)
        box = a.wait_window("Application Error", second.pid)
        expect(box is not None, "a second copy shows the Application Error box")
        expect(a.wait_window("Lirbo", second.pid, timeout=0.5) is None, "the second copy shows no main window")
        a.xdotool("windowfocus", "--sync", box)
        a.xdotool("key", "Return")
        expect(second.wait(timeout=10) == 1, "the second copy ends with status 1")

        # Ann closes through the menu "Файл", "Выход": the notice goes out and the list is stored.
        ini_a = os.path.join(a.workdir, "lirbo.ini")
        os.unlink(ini_a)
        a.xdotool("mousemove", "--sync", "15", "8", "click", "1")
        time.sleep(0.3)
        a.xdotool("key", "Down", "Down", "Return")
        expect(b.next_datagram() == (ADDRESS_A, b"V3Ann;" + NOTICE), "closing sends the departure notice")
        expect(copy_a.wait(timeout=10) == 0, "the closed copy ends with status 0")
        expect(b"ip0=" + ADDRESS_B.encode() in read(ini_a), "the settings file holds the peer list after closing")

        # Ann starts again and closes with the window manager's close (title bar button, Alt+F4). The
        # settings file now holds only the peer list, so the nick is the default one.
        copy_a = a.start_lirbo(lirbo)
        window_a = a.wait_window("Lirbo", copy_a.pid)
        if window_a is None:
            print("windows:", a.xdotool("search", "--name", ".").stdout.split(), "status:", copy_a.poll(), flush=True)
        expect(window_a is not None, "a copy starts again from the stored settings")
        subprocess.run(a.exec_args("python3", wm_close, window_a), env=a.env(), check=True, timeout=20)
        received = b.next_datagram()
        expect(received == (ADDRESS_A, b"V0nik;" + NOTICE), f"a window-manager close sends the notice ({received})")
        expect(copy_a.wait(timeout=10) == 0, "a window-manager close ends the copy with status 0")

        # SIGTERM on Bob's copy: the notice goes out, lirbo.ini stays byte for byte.
        ini_b = os.path.join(b.workdir, "lirbo.ini")
        before = read(ini_b)
        copy_b.send_signal(signal.SIGTERM)  # ip netns exec hands the signal to the program it runs
        expect(a.next_datagram() == (ADDRESS_B, b"V5Bob;" + NOTICE), "SIGTERM sends the departure notice")
        expect(copy_b.wait(timeout=10) == 0, "SIGTERM ends the copy with status 0")
        expect(read(ini_b) == before, "SIGTERM leaves lirbo.ini untouched")
        print("1 passed, 0 failed")
        return 0
    except (Failure, subprocess.SubprocessError) as error:
        print("FAILED:", error, flush=True)
        print("0 passed, 1 failed")
        return 1
    finally:
        for space in spaces:
            space.stop()
        for name in names:
            run("ip", "netns", "delete", name, check=False)
        run("ip", "link", "delete", veth[0], check=False)
        shutil.rmtree(workspace, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
