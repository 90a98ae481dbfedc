#!/usr/bin/env bash
# Takes docs/screenshot-names.png and docs/screenshot-check.png from the real program: one copy
# under Xvfb in a network namespace of its own, whose list has a label, a nick it learns from what
# arrives and a muted address; then the connection check window opened from "Справка".
# Usage (as root, after ./run.sh or a release build): docs/screenshot-names.sh [path/to/lirbo]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
lirbo="$(realpath "${1:-${here}/../build/release/ui/qt/lirbo}")"
work="$(mktemp -d)"
trap 'rm -rf "${work}"' EXIT
printf '[user]\r\nnik_color=6\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.2\r\nip1=127.0.0.3\r\nip2=127.0.0.4\r\nip3=192.0.2.7\r\n[names]\r\n127.0.0.2=%s\r\n[mute]\r\n127.0.0.4=1\r\n' \
    "$(printf 'Бухгалтерия' | iconv -f UTF-8 -t CP1251)" >"${work}/lirbo.ini"
cp "${here}/say.py" "${work}/say.py"
cd "${work}"
unshare -n bash -c '
ip link set lo up
xvfb-run -a -s "-screen 0 1000x700x24" bash -c "
\"$1\" & sleep 1.5
w=\$(xdotool search --name ^Lirbo\$ | head -1)
xdotool windowfocus --sync \$w
python3 say.py 127.0.0.2 V 1 Lena \"Отчёт готов, забирайте.\"
python3 say.py 127.0.0.3 V 2 Kate \"Спасибо!\"
python3 say.py 127.0.0.4 V 5 Max \"Кто со мной на обед?\"
sleep 0.5
eval \$(xdotool getwindowgeometry --shell \$w)
import -window root -crop \${WIDTH}x\${HEIGHT}+\${X}+\${Y} +repage names.png
xdotool mousemove --window \$w 150 10 click 1
sleep 0.3
xdotool key Down Down Return
sleep 1.5
c=\$(xdotool search --name \"^Проверка связи\$\" | head -1)
eval \$(xdotool getwindowgeometry --shell \$c)
import -window root -crop \${WIDTH}x\${HEIGHT}+\${X}+\${Y} +repage check.png
kill %1"' _ "${lirbo}"
cp names.png "${here}/screenshot-names.png"
cp check.png "${here}/screenshot-check.png"
echo "wrote ${here}/screenshot-names.png and ${here}/screenshot-check.png"
