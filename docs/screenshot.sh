#!/usr/bin/env bash
# Takes docs/screenshot.png from the real program: one copy under Xvfb in a network namespace of
# its own, a short conversation sent to it over loopback, the window cropped from the screen.
# Usage (as root, after ./run.sh or a release build): docs/screenshot.sh [path/to/lirbo]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
lirbo="$(realpath "${1:-${here}/../build/app/ui/qt/lirbo}")"
work="$(mktemp -d)"
trap 'rm -rf "${work}"' EXIT
printf '[user]\r\nnik_color=6\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.1\r\nip1=127.0.0.2\r\n' >"${work}/lirbo.ini"
cp "${here}/say.py" "${work}/say.py"
cd "${work}"
unshare -n bash -c '
ip link set lo up
xvfb-run -a -s "-screen 0 800x600x24" bash -c "
\"$1\" & sleep 1.5
w=\$(xdotool search --name ^Lirbo\$ | head -1)
xdotool windowfocus --sync \$w
python3 say.py 127.0.0.2 V 1 Bob \"Привет! Обедаем в час?\"
python3 say.py 127.0.0.3 T 2 Kate \"Захвати, пожалуйста, отчёт\"
sleep 0.3
xdotool type --delay 120 \"Всем привет!\"
xdotool key Return
sleep 0.3
python3 say.py 127.0.0.2 V 1 Bob \"Да, в час у входа.\"
sleep 0.5
import -window root full.png
kill %1"' _ "${lirbo}" 2>/dev/null
convert full.png -crop 614x388+0+0 +repage "${here}/screenshot.png"
echo "wrote ${here}/screenshot.png"
