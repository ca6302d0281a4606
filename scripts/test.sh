#!/bin/sh
# Sets up, builds and runs every test: the portable core natively (plain and
# under AddressSanitizer/UBSan), a short run of every fuzz target, the Windows
# program under Wine (its lean release build), and builds the 64-bit debug and
# the 32-bit Windows builds.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

for preset in native native-asan fuzz win64 win64-debug win32; do
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
