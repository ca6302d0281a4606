#!/bin/sh
# Sets up, builds and runs every test: the portable core natively (plain and
# under AddressSanitizer/UBSan), a short run of every fuzz target, the Windows
# program under Wine, and the 32-bit Windows build.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

for preset in native native-asan fuzz win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

status=0
for preset in native native-asan fuzz win64; do
  echo "== test $preset"
  ctest --preset "$preset" || status=1
done
exit $status
