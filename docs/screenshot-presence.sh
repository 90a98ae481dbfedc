#!/usr/bin/env bash
# Takes docs/screenshot-presence.png from the real program: one copy under Xvfb in a network
# namespace of its own; peers talk to it over loopback, one of them leaves, one that is not in the
# list writes, and the transcript's menu is opened on that message's header line.
# Usage (as root, after ./run.sh or a release build): docs/screenshot-presence.sh [path/to/lirbo]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
lirbo="$(realpath "${1:-${here}/../build/app/ui/qt/lirbo}")"
work="$(mktemp -d)"
trap 'rm -rf "${work}"' EXIT
printf '[user]\r\nnik_color=6\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=127.0.0.2\r\nip1=127.0.0.3\r\nip2=127.0.0.4\r\n' \
    >"${work}/lirbo.ini"
cp "${here}/say.py" "${work}/say.py"
cd "${work}"
unshare -n bash -c '
ip link set lo up
xvfb-run -a -s "-screen 0 800x600x24" bash -c "
\"$1\" & sleep 1.5
w=\$(xdotool search --name ^Lirbo\$ | head -1)
xdotool windowfocus --sync \$w
python3 say.py 127.0.0.2 V 1 Bob \"Привет! Обедаем в час?\"
python3 say.py 127.0.0.4 V 5 Max \"Я сегодня до трёх.\"
python3 say.py 127.0.0.4 V 5 Max \"ОТКЛЮЧИЛСЯ\"
python3 say.py 127.0.0.9 V 2 Lena \"Можно к вам в чат? Это Лена из бухгалтерии.\"
sleep 0.5
xdotool mousemove $2 $3 click 3
sleep 0.5
eval \$(xdotool getwindowgeometry --shell \$w)
import -window root -crop \${WIDTH}x\${HEIGHT}+0+0 +repage shot.png
kill %1"' _ "${lirbo}" "${HEADER_X:-60}" "${HEADER_Y:-88}" 2>/dev/null
cp shot.png "${here}/screenshot-presence.png"
echo "wrote ${here}/screenshot-presence.png"
