#!/bin/sh
# Measures Keylark side by side with a bare one-window program under Wine, on
# a virtual display in a throw-away session, and prints a table of medians.
# Builds the win64 preset's product and benchmark programs first.
#   tools/bench.sh [--dpi N] [--verbose] [--runs N] [--launches-per-run N] [--launches N]
#                  [--scale-with-display]
# --dpi sets the session's pixels per inch (96 unless given).
set -eu
cd "$(dirname "$0")/.."
dpi=96
if [ "${1:-}" = "--dpi" ]; then
  dpi=$2
  shift 2
fi
sh scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target keylark_bench >/dev/null
# The files users download: the Setup program (when NSIS is there) and the zip.
packages="portable"
command -v makensis >/dev/null 2>&1 && packages="installer portable"
# shellcheck disable=SC2086
cmake --build --preset win64 --target $packages >/dev/null
# Other work on the machine shifts the timings: when allowed, this script and
# everything it starts from here on (display, Wine, the programs measured) run
# at a raised priority.
renice -n -10 -p $$ >/dev/null 2>&1 || true
. cmake/wine/temporary-session.sh
run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
setarch "$(uname -m)" -R wine build/win64/bench/bench.exe "$@"
setarch "$(uname -m)" -R wine build/win64/bench/bench_explorer.exe
for file in build/win64/Keylark-*-Setup.exe build/win64/Keylark-*-portable.zip; do
  [ -f "$file" ] || continue
  awk -v name="${file##*/}" -v bytes="$(stat -c %s "$file")" \
    'BEGIN { printf "file size: %-40s %8.1f KiB\n", name, bytes / 1024 }'
done
