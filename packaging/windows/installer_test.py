#!/usr/bin/env python3
"""Checks the Windows packages: the zip holds the program and the console programs, which import
only system DLLs; the installer, run silently under Wine in the prefix of the window tests, puts the program in
Program Files with a Start-menu entry that starts it in a folder of the user's, registers its
uninstaller, and the uninstaller takes all of it away again.
Usage: installer_test.py SETUP.EXE PORTABLE.ZIP WINE_PREFIX"""
import os
import re
import subprocess
import sys
import tempfile
import zipfile

SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
               "shell32.dll", "user32.dll", "ws2_32.dll"}
UNINSTALL_KEY = r"Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Lirbo"
PROGRAMS = ["lirbo.exe", "lirbo-send.exe", "lirbo-listen.exe"]
failures = 0


def check(ok, name, detail=""):
    global failures
    print(("ok - " if ok else "not ok - ") + name + ("" if ok or not detail else ": " + detail), flush=True)
    failures += 0 if ok else 1


def wine(prefix, *args):
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    env.pop("DISPLAY", None)
    subprocess.run(["wine", *args], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    subprocess.run(["wineserver", "-w"], env=env, timeout=120)


def main(setup, portable, prefix):
    with zipfile.ZipFile(portable) as archive:
        names = archive.namelist()
        check(names == PROGRAMS, "the portable zip holds " + ", ".join(PROGRAMS), str(names))
        for name in PROGRAMS:
            with tempfile.NamedTemporaryFile(suffix=".exe") as copy:
                copy.write(archive.read(name) if name in names else b"")
                copy.flush()
                dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", copy.name],
                                      capture_output=True).stdout.decode(errors="replace")
            imports = {dll.lower() for dll in re.findall(r"DLL Name: (\S+)", dump)}
            check(imports and imports <= SYSTEM_DLLS, name + " imports only system DLLs", str(sorted(imports)))
            if name == "lirbo.exe":  # it pulls in the print spooler; the choosers load it on first use
                check("comdlg32.dll" not in imports, "lirbo.exe does not load the common dialogs at start")

    drive = os.path.join(prefix, "drive_c")
    installed = os.path.join(drive, "Program Files", "Lirbo")
    user = os.path.join(drive, "users", os.environ.get("USER", "root"))
    menu = os.path.join(user, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs", "Lirbo")
    shortcut = os.path.join(menu, "Lirbo.lnk")
    start_in = os.path.join(user, "AppData", "Roaming", "Lirbo")

    wine(prefix, setup, "/S")
    for name in PROGRAMS:
        check(os.path.isfile(os.path.join(installed, name)), "the installer puts " + name + " in Program Files")
    check(os.path.isfile(os.path.join(installed, "uninstall.exe")), "the installer writes its uninstaller")
    check(os.path.isfile(shortcut), "the installer makes a Start-menu entry")
    link = open(shortcut, "rb").read() if os.path.isfile(shortcut) else b""
    target = "AppData\\Roaming\\Lirbo"
    check(target.encode("utf-16-le") in link or target.encode() in link,
          "the entry starts the program in the user's own folder")
    check(os.path.isdir(start_in), "the user's folder exists")
    check(re.search(UNINSTALL_KEY, open(os.path.join(prefix, "system.reg"), errors="replace").read()) is not None,
          "the uninstaller is registered")

    wine(prefix, os.path.join(installed, "uninstall.exe"), "/S")
    check(not os.path.exists(installed), "uninstalling removes the program folder")
    check(not os.path.exists(menu), "uninstalling removes the Start-menu entry")
    check(not os.path.exists(start_in), "uninstalling removes the user's empty folder")
    check(re.search(UNINSTALL_KEY, open(os.path.join(prefix, "system.reg"), errors="replace").read()) is None,
          "uninstalling removes the registration")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
