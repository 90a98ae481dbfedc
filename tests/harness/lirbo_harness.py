"""What the end-to-end, robustness and process benchmark scripts share: network namespaces with an
X server of their own, the real program started and driven in them with xdotool, the datagrams
seen there, and the files and figures read back. CTest puts this folder on PYTHONPATH."""
import contextlib
import os
import queue
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
NOTICE = "ОТКЛЮЧИЛСЯ".encode("cp1251")
HERE = os.path.dirname(os.path.abspath(__file__))


def helper(name):
    """The path of a helper script beside this module (capture.py, wm_close.py)."""
    return os.path.join(HERE, name)


def run(*args, check=True, **kwargs):
    return subprocess.run(list(args), check=check, capture_output=True, text=True, **kwargs)


class Failure(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


def cannot_run(*tools):
    """The reason why a test that needs root and these tools cannot run here, else None."""
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if os.geteuid() != 0 or missing:
        return "needs root and " + (" ".join(missing) or "nothing else")
    return None


def report(test, *args):
    """Runs one test body and prints CTest's one-line verdict; returns the exit status."""
    try:
        test(*args)
    except (Failure, subprocess.SubprocessError, OSError) as error:
        print("FAILED:", error, flush=True)
        print("0 passed, 1 failed")
        return 1
    print("1 passed, 0 failed")
    return 0


def add_namespace(name):
    """A network namespace with its loopback device up."""
    run("ip", "netns", "add", name)
    run("ip", "-n", name, "link", "set", "lo", "up")


def delete_namespace(name):
    run("ip", "netns", "delete", name, check=False)


def start_xvfb(prefix=()):
    """An Xvfb server (run through `prefix`, e.g. `ip netns exec NAME`) and its display name."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen([*prefix, "Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp", "-noreset"],
                            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        xvfb.kill()
        raise Failure("Xvfb did not start")
    return xvfb, ":" + number


def find_window(env, title, pid=None, timeout=30, other_than=None, prefix=()):
    """The first visible window with this title (of this process, if given), waiting for it."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        args = ["search", "--all", "--onlyvisible", "--name", f"^{title}$"]
        if pid is not None:
            args[1:1] = ["--pid", str(pid)]
        found = subprocess.run([*prefix, "xdotool", *args], env=env, capture_output=True, text=True,
                               timeout=20).stdout.split()
        found = [window for window in found if window != other_than]
        if found:
            return found[0]
        time.sleep(0.05)
    return None


INSIDE = "LIRBO_E2E_OWN_NAMESPACE"


def rerun_in_own_network_namespace(script, args):
    """Runs the script again in a network namespace of its own (loopback up) and returns its status;
    None in that copy itself, which goes on with the test."""
    if os.environ.get(INSIDE) == "1":
        subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
        return None
    env = dict(os.environ, **{INSIDE: "1"})
    return subprocess.run(["unshare", "-n", sys.executable, os.path.abspath(script), *args], env=env).returncode


def x_env(display):
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    return env


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
        xvfb, self.display = start_xvfb(self.exec_args())
        self.processes.append(xvfb)

    def start_capture(self):
        """Records every datagram that reaches port 8800 in the namespace (see capture.py)."""
        capture = subprocess.Popen(self.exec_args("python3", "-u", helper("capture.py")), stdout=subprocess.PIPE,
                                   text=True)
        self.processes.append(capture)
        if capture.stdout.readline().strip() != "ready":
            raise Failure("capture did not start")

        def pump():
            for line in capture.stdout:
                source, _, payload = line.strip().partition(" ")  # an empty datagram has no hex at all
                self.datagrams.put((source, bytes.fromhex(payload)))

        threading.Thread(target=pump, daemon=True).start()

    def next_datagram(self, timeout=10):
        try:
            return self.datagrams.get(timeout=timeout)
        except queue.Empty:
            return None

    def env(self):
        return x_env(self.display)

    def start_lirbo(self, lirbo, *wrapper):
        """Starts the program in the namespace's work folder, through `wrapper` (e.g. setpriv) if given."""
        process = subprocess.Popen(self.exec_args(*wrapper, lirbo), cwd=self.workdir, env=self.env(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def xdotool(self, *args, timeout=20):
        return subprocess.run(self.exec_args("xdotool", *args), env=self.env(), capture_output=True, text=True,
                              timeout=timeout)

    def wait_window(self, title, pid=None, timeout=30):
        return find_window(self.env(), title, pid, timeout, prefix=self.exec_args())

    def open_file_menu(self, pid, window):
        """Clicks "Файл" in the menu bar of `window` and waits until the menu shows: a second
        visible window of the program. Returns the menu's window, or None."""
        self.xdotool("mousemove", "--sync", "15", "8", "click", "1")
        return find_window(self.env(), ".*", pid, timeout=10, other_than=window, prefix=self.exec_args())

    def save_conversation(self, pid, window, path):
        """Menu "Файл", "Сохранить разговор", then the file name typed into the chooser."""
        self.xdotool("windowfocus", "--sync", window)
        if self.open_file_menu(pid, window) is None:
            return
        self.xdotool("key", "Down", "Return")
        chooser = self.wait_window("Сохранить как", pid)  # the toolkit's own title, in Russian
        if chooser is None:
            return
        self.xdotool("windowfocus", "--sync", chooser)
        self.xdotool("key", "ctrl+a")
        self.xdotool("type", "--delay", "10", path)
        self.xdotool("key", "Return")
        deadline = time.monotonic() + 20
        while not os.path.exists(path) and time.monotonic() < deadline:
            time.sleep(0.1)

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait()


def write_ini(folder, nick, colour, peer):
    ini = f"[user]\r\nnik_color={colour}\r\nnik={nick}\r\nstart=0\r\n[ip]\r\nip0={peer}\r\n"
    with open(os.path.join(folder, "lirbo.ini"), "wb") as file:
        file.write(ini.encode("cp1251"))


ADDRESS_A, ADDRESS_B = "192.0.2.1", "192.0.2.2"


@contextlib.contextmanager
def joined_pair(tag, capture=False):
    """Two network namespaces joined by a veth pair, A at ADDRESS_A and B at ADDRESS_B, each with an
    X server and a work folder whose lirbo.ini lists the other (Ann in colour 3, Bob in 5), and
    with `capture` a record of the datagrams to port 8800 in each; yields (a, b). Names start with
    `tag`; everything made is removed afterwards."""
    names, veth = (f"{tag}a", f"{tag}b"), (f"{tag}va", f"{tag}vb")
    workspace = tempfile.mkdtemp(prefix=f"lirbo-{tag}-")
    spaces = []
    try:
        for name in names:
            add_namespace(name)
        run("ip", "link", "add", veth[0], "type", "veth", "peer", "name", veth[1])
        for name, device, address in zip(names, veth, (ADDRESS_A, ADDRESS_B)):
            run("ip", "link", "set", device, "netns", name)
            run("ip", "-n", name, "addr", "add", f"{address}/24", "dev", device)
            run("ip", "-n", name, "link", "set", device, "up")
            folder = os.path.join(workspace, name)
            os.mkdir(folder)
            spaces.append(Namespace(name, folder))
        a, b = spaces
        write_ini(a.workdir, "Ann", 3, ADDRESS_B)
        write_ini(b.workdir, "Bob", 5, ADDRESS_A)
        for space in spaces:
            space.start_x()
            if capture:
                space.start_capture()
        yield a, b
    finally:
        for space in spaces:
            space.stop()
        for name in names:
            delete_namespace(name)
        run("ip", "link", "delete", veth[0], check=False)
        shutil.rmtree(workspace, ignore_errors=True)


def read(path):
    with open(path, "rb") as file:
        return file.read()


def rtf_text(rtf):
    """The plain text of the transcript's RTF: escapes decoded, control words dropped."""
    text = re.sub(rb"\\'([0-9a-f]{2})", lambda m: bytes([int(m.group(1), 16)]), rtf)
    text = re.sub(rb"\\par\b ?", b"\n", text)
    text = re.sub(rb"\\[a-z]+-?\d* ?", b"", text)
    return text.replace(b"\\{", b"{").replace(b"\\}", b"}").replace(b"\\\\", b"\\")


def rss_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def sanitized(pid):
    """Whether the process runs with AddressSanitizer."""
    with open(f"/proc/{pid}/maps") as maps:
        return "libasan" in maps.read()
