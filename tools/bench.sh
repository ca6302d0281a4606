#!/bin/sh
# Prints start-up and shut-down times of Keylark.exe under Wine, measured by
# bench_startup.exe in a throw-away session. Build the win64 preset first.
#   tools/bench.sh [runs]
set -eu
cd "$(dirname "$0")/.."
. cmake/wine/temporary-session.sh
KEYLARK_EXE="$(pwd)/build/win64/bin/Keylark.exe"
export KEYLARK_EXE
setarch "$(uname -m)" -R wine build/win64/bin/bench_startup.exe "${1:-20}"
