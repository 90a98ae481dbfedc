#!/usr/bin/env python3
"""Runs the Windows program's window tests under Wine on Xvfb.

  wine_gui.py prefix PREFIX
      Makes a fresh Wine prefix: Wine's own fonts copied into its Fonts folder (Debian's Wine
      does not find them otherwise) and a virtual desktop, so that the program and the driver
      share one desktop and hiding a window does not wait for a window manager.
  wine_gui.py run PREFIX LIRBO_EXE DRIVER_EXE CAPTURE_PY [LOCALE DPI]
      In a network namespace of its own (only loopback, up): Xvfb, a capture of every datagram
      to port 8800, then the driver, which starts lirbo.exe and checks it by control ID. LOCALE
      gives Wine its system code page (ru_RU.UTF-8: 1251, en_US.UTF-8: 1252) and DPI the display
      scaling (96: 100%, 144: 150%); a Russian system at 100% when left out.
  wine_gui.py exec PREFIX PROGRAM.EXE ARGS...
      PROGRAM.EXE with ARGS in the same setting, without the capture (the Windows figures); an
      argument "@work" stands for an empty work folder. LIRBO_WINE_LOCALE and LIRBO_WINE_DPI
      choose another code page and scaling (the README's pictures).
Exit status 77 (skipped) when the namespace cannot be made.
"""
import contextlib
import os
import shutil
import subprocess
import sys
import tempfile
import time

WINE_FONTS = "/usr/share/wine/fonts"
# Code page 1251 for non-Unicode programs: Wine takes it from a Russian locale.
LOCALE = "ru_RU.UTF-8"
CODE_PAGES = {"ru_RU.UTF-8": 1251, "en_US.UTF-8": 1252}
# Room for the window at 150% and widened by the test.
DESKTOP_REG = """REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1600x1200"
"""


def wine_env(prefix, display=None, locale=LOCALE):
    env = dict(os.environ)
    env.update(WINEPREFIX=os.path.abspath(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               LANG=locale, LC_ALL=locale)
    env.pop("DISPLAY", None)
    if display is not None:
        env["DISPLAY"] = display
    return env


def make_prefix(prefix):
    env = wine_env(prefix)
    if os.path.isdir(prefix):
        # The last run's Wine server lingers a few seconds after its processes end; a new prefix
        # made meanwhile at the same place could meet it and fail to start.
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env)
    shutil.rmtree(prefix, ignore_errors=True)
    subprocess.run(["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
    os.makedirs(fonts, exist_ok=True)
    for name in os.listdir(WINE_FONTS):
        shutil.copy(os.path.join(WINE_FONTS, name), fonts)
    with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False) as reg:
        reg.write(DESKTOP_REG)
    try:
        subprocess.run(["wine", "regedit", reg.name], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    finally:
        os.unlink(reg.name)
    # The namespace of the next run needs a wineserver of its own: Wine makes sockets there.
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    return 0


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1200x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        xvfb.kill()
        raise SystemExit("Xvfb did not start")
    return xvfb, ":" + number


def own_network_namespace():
    """Re-runs this script in a new network namespace; returns its status, or None inside it."""
    if os.environ.get("LIRBO_OWN_NETNS") != "1":
        if os.geteuid() != 0 or shutil.which("unshare") is None:
            print("skipped: needs root for a network namespace of its own")
            return 77
        env = dict(os.environ, LIRBO_OWN_NETNS="1")
        return subprocess.call(["unshare", "-n", "--", sys.executable, *sys.argv], env=env)
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    return None


def set_scaling(env, dpi):
    """The display scaling of the prefix's user, read by Wine when its processes start."""
    subprocess.run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                    "/d", str(dpi), "/f"], env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Every process started from now on reads it; none of those reg.exe started keeps the old one.
    subprocess.run(["wineserver", "-k"], env=env)


@contextlib.contextmanager
def wine_desktop(prefix, locale=LOCALE, dpi=96):
    """An empty work folder and the environment of Wine on an Xvfb of its own, in the system
    locale and display scaling given; afterwards every Wine process of the prefix is ended and
    the folder removed."""
    work = tempfile.mkdtemp(prefix="lirbo-wine-")
    xvfb, display = start_xvfb()
    env = wine_env(prefix, display, locale)
    try:
        set_scaling(env, dpi)
        yield work, env
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


def execute(prefix, program, args):
    status = own_network_namespace()
    if status is not None:
        return status
    locale = os.environ.get("LIRBO_WINE_LOCALE", LOCALE)
    dpi = int(os.environ.get("LIRBO_WINE_DPI", "96"))
    with wine_desktop(prefix, locale, dpi) as (work, env):
        args = [windows_path(work) if a == "@work" else a for a in args]
        return subprocess.run(["wine", program, *args], env=env, timeout=900).returncode


def run(prefix, lirbo, driver, capture_py, locale=LOCALE, dpi="96"):
    status = own_network_namespace()
    if status is not None:
        return status
    with wine_desktop(prefix, locale, int(dpi)) as (work, env):
        return drive(work, env, lirbo, driver, capture_py, [str(CODE_PAGES[locale]), dpi])


def drive(work, env, lirbo, driver, capture_py, setting):
    capture_file = os.path.join(work, "capture.txt")
    with open(capture_file, "w") as out:
        capture = subprocess.Popen([sys.executable, capture_py], stdout=out)
    try:
        deadline = time.monotonic() + 30
        while "ready" not in open(capture_file).read():
            if time.monotonic() > deadline or capture.poll() is not None:
                raise SystemExit("the capture did not start")
            time.sleep(0.05)
        runs = os.path.join(work, "runs")
        os.makedirs(runs)
        return subprocess.run(["wine", driver, windows_path(lirbo), windows_path(runs), windows_path(capture_file),
                               *setting], env=env, timeout=300).returncode
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
        capture.terminate()
        capture.wait()


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "prefix":
        return make_prefix(sys.argv[2])
    if len(sys.argv) in (6, 8) and sys.argv[1] == "run":
        return run(*sys.argv[2:])
    if len(sys.argv) >= 4 and sys.argv[1] == "exec":
        return execute(sys.argv[2], sys.argv[3], sys.argv[4:])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
