#!/usr/bin/env bash
# Takes docs/windows-*.png from the real lirbo.exe under Wine on Xvfb: lirbo_shots.exe starts it
# in an empty folder, has a short conversation with it over loopback (in a network namespace of
# its own), opens each dialog and grabs each window; the BMPs become PNGs here.
# Usage (as root, after `cmake --build --preset windows`): docs/screenshot-windows.sh [build/windows]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(realpath "${1:-${here}/../build/windows}")"
work="$(mktemp -d)"
trap 'rm -rf "${work}"' EXIT
windows_path() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }
gui="${here}/../tests/win32/wine_gui.py"
python3 "${gui}" prefix "${work}/prefix"
mkdir "${work}/out"
python3 "${gui}" exec "${work}/prefix" "${build}/tests/win32/lirbo_shots.exe" \
  "$(windows_path "${build}/ui/win32/lirbo.exe")" @work "$(windows_path "${work}/out")"
# The main window again at 150% scaling, and on an English Windows (code page 1252).
for setting in "ru_RU.UTF-8 144 150" "en_US.UTF-8 96 cp1252"; do
  read -r locale dpi tag <<<"${setting}"
  mkdir "${work}/${tag}"
  LIRBO_WINE_LOCALE="${locale}" LIRBO_WINE_DPI="${dpi}" python3 "${gui}" exec "${work}/prefix" \
    "${build}/tests/win32/lirbo_shots.exe" "$(windows_path "${build}/ui/win32/lirbo.exe")" @work \
    "$(windows_path "${work}/${tag}")"
  mv "${work}/${tag}/windows-main.bmp" "${work}/out/windows-main-${tag}.bmp"
done
python3 - "${work}/out" "${here}" <<'PY'
import os, struct, sys, zlib
source, target = sys.argv[1:]
for name in sorted(os.listdir(source)):
    data = open(os.path.join(source, name), "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # the BMP's rows run bottom-up, its pixels as BGR
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
        rows.append(b"\0" + bytes(rgb))
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
    out = os.path.join(target, name[:-4] + ".png")
    open(out, "wb").write(png)
    print("wrote", out)
PY
