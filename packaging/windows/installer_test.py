#!/usr/bin/env python3
"""Checks the Windows packages: the zip holds the program and the console programs (system DLLs
only) and a README.txt for Notepad; the installer carries Lirbo's icon and, run silently under Wine in the window tests'
prefix once per mode, installs, registers and uninstalls what that mode owns, keeping settings.
Usage: installer_test.py SETUP.EXE PORTABLE.ZIP ICON WINE_PREFIX"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
               "shell32.dll", "user32.dll", "ws2_32.dll"}
# Keys as Wine's registry files write them.
UNINSTALL_KEY = r"[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lirbo]"
ACTIVE_SETUP_KEY = r"[Software\\Microsoft\\Active Setup\\Installed Components\\Lirbo]"
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


def icon_images(path):
    data = open(path, "rb").read()
    entries = [struct.unpack_from("<II", data, 14 + 16 * i) for i in range(struct.unpack_from("<H", data, 4)[0])]
    return [data[offset:offset + size] for size, offset in entries]


def check_portable(portable):
    with zipfile.ZipFile(portable) as archive:
        names = archive.namelist()
        check(sorted(names) == sorted(PROGRAMS + ["README.txt"]),
              "the portable zip holds " + ", ".join(PROGRAMS) + " and README.txt", str(names))
        programs = {name: archive.read(name) if name in names else b"" for name in PROGRAMS}
        readme = archive.read("README.txt") if "README.txt" in names else b""
    text = " ".join(readme[3:].decode("utf-8", errors="replace").split())
    check(readme.startswith(b"\xef\xbb\xbf") and b"\n" not in readme.replace(b"\r\n", b""),
          "README.txt is UTF-8 with a byte-order mark and CR LF line ends")
    told = ("lirbo.ini", "в той папке, из которой программа запущена", "Брандмауэр", "8800")
    check(all(part in text for part in told),
          "README.txt names lirbo.ini, its folder and how to let UDP 8800 through", text[:200])
    for name, program in programs.items():
        with tempfile.NamedTemporaryFile(suffix=".exe") as copy:
            copy.write(program)
            copy.flush()
            dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", copy.name],
                                  capture_output=True).stdout.decode(errors="replace")
        imports = {dll.lower() for dll in re.findall(r"DLL Name: (\S+)", dump)}
        check(imports and imports <= SYSTEM_DLLS, name + " imports only system DLLs", str(sorted(imports)))
        if name == "lirbo.exe":  # it pulls in the print spooler; the choosers load it on first use
            check("comdlg32.dll" not in imports, "lirbo.exe does not load the common dialogs at start")


def registered(prefix, hive_file, key):
    path = os.path.join(prefix, hive_file)
    return os.path.exists(path) and key in open(path, errors="replace").read()


def check_mode(prefix, setup, switch, program_dir, menu_dir, hive, other_hive, start_in, keep_settings):
    drive = os.path.join(prefix, "drive_c")
    user = os.path.join(drive, "users", os.environ.get("USER", "root"))
    installed = os.path.join(drive, *program_dir)
    menu = os.path.join(drive, *menu_dir)
    shortcut = os.path.join(menu, "Lirbo.lnk")
    settings_dir = os.path.join(user, "AppData", "Roaming", "Lirbo")
    label = switch + ": "

    wine(prefix, setup, "/S", switch)
    check(all(os.path.isfile(os.path.join(installed, name)) for name in PROGRAMS + ["uninstall.exe"]),
          label + "the programs and the uninstaller in " + "\\".join(program_dir))
    link = open(shortcut, "rb").read() if os.path.isfile(shortcut) else b""
    check(bool(link), label + "a Start-menu entry in " + "\\".join(menu_dir))
    check(start_in.encode("utf-16-le") in link or start_in.encode() in link,
          label + "the entry starts the program in " + start_in)
    check(os.path.isdir(settings_dir), label + "the user's folder exists")
    check(registered(prefix, hive, UNINSTALL_KEY) and not registered(prefix, other_hive, UNINSTALL_KEY),
          label + "the uninstaller is registered in " + hive + " alone")
    check(registered(prefix, "system.reg", ACTIVE_SETUP_KEY) == (switch == "/ALLUSERS"),
          label + "other users get their start folder only when installed for all")

    if keep_settings:
        os.makedirs(os.path.join(settings_dir, "history"), exist_ok=True)
        with open(os.path.join(settings_dir, "lirbo.ini"), "wb") as ini:
            ini.write(b"[user]\r\nnik=Tester\r\n")
    wine(prefix, os.path.join(installed, "uninstall.exe"), "/S")
    check(not os.path.exists(installed), label + "uninstalling removes the program folder")
    check(not os.path.exists(menu), label + "uninstalling removes the Start-menu entry")
    check(not registered(prefix, hive, UNINSTALL_KEY) and not registered(prefix, "system.reg", ACTIVE_SETUP_KEY),
          label + "uninstalling removes the registration")
    if keep_settings:
        check(all(os.path.exists(os.path.join(settings_dir, name)) for name in ("lirbo.ini", "history")),
              label + "uninstalling keeps lirbo.ini and the history")
        shutil.rmtree(settings_dir)
    else:
        check(not os.path.exists(settings_dir), label + "uninstalling removes the user's empty folder")


def main(setup, portable, icon, prefix):
    check_portable(portable)
    packed = open(setup, "rb").read()
    check(all(image in packed for image in icon_images(icon)), "the installer carries Lirbo's icon")

    user = ["users", os.environ.get("USER", "root")]
    common_menu = ["ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Lirbo"]
    user_menu = user + ["AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs", "Lirbo"]
    modes = [
        # switch, program folder, Start menu, hive, other hive, start folder, settings to keep
        ("/ALLUSERS", ["Program Files", "Lirbo"], common_menu, "system.reg", "user.reg", "%APPDATA%\\Lirbo", True),
        ("/CURRENTUSER", user + ["AppData", "Local", "Programs", "Lirbo"], user_menu, "user.reg", "system.reg",
         "AppData\\Roaming\\Lirbo", False),
    ]
    for mode in modes:
        check_mode(prefix, setup, *mode)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
