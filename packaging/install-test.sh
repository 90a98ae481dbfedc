#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop needs from it: the desktop
# file and the metainfo validate, the icons are there, and the staged program starts and ends cleanly.
set -euo pipefail
build=$1
stage=$2

rm -rf "${stage}"
DESTDIR="${stage}" cmake --install "${build}" --prefix /usr >/dev/null

exe="${stage}/usr/bin/lirbo"
test -x "${exe}"
test -x "${stage}/usr/bin/lirbo-send"
test -x "${stage}/usr/bin/lirbo-listen"
test -f "${stage}/usr/share/icons/hicolor/32x32/apps/lirbo.png"
test -f "${stage}/usr/share/icons/hicolor/scalable/apps/lirbo.svg"
desktop-file-validate "${stage}/usr/share/applications/lirbo.desktop"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "${stage}/usr/share/metainfo/org.example.lirbo.metainfo.xml"
fi

# The program listens on UDP port 8800: run it in a network namespace of its own.
home=$(mktemp -d)
trap 'rm -rf "${home}"' EXIT
status=0
unshare -n sh -c '
    ip link set lo up
    cd "$2"
    QT_QPA_PLATFORM=offscreen "$1" &
    pid=$!
    sleep 2
    kill -0 "$pid" || exit 90
    kill -TERM "$pid"
    wait "$pid"
' sh "${exe}" "${home}" || status=$?
if [ "${status}" -ne 0 ]; then
    echo "staged lirbo did not start and end cleanly (status ${status})" >&2
    exit 1
fi
echo "staged install is complete and lirbo starts and ends cleanly"
