#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console against its
# built-in simulated exchange (no exchange needs to be attached).
# Extra arguments go to the console, e.g. scripts/run.sh --trace -
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
if [[ -z "${QT_QPA_PLATFORM:-}" && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Start it from a desktop session, or try it headless: QT_QPA_PLATFORM=offscreen scripts/run.sh" >&2
  exit 1
fi
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target opr903
exec build/opr903 --demo "$@"
