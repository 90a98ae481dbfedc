#!/usr/bin/env bash
# Builds Lirbo and starts it. Installs the Debian packages it needs first.
# Lirbo keeps its settings in lirbo.ini in the directory you start it from.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

"${here}/scripts/install-deps.sh" build
(cd "${here}" && cmake --preset app >/dev/null && cmake --build --preset app)
exec "${here}/build/app/ui/qt/lirbo" "$@"
