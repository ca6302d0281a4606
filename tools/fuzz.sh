#!/bin/sh
# Runs every fuzz target for many inputs and prints how many it ran and how
# long it took:  tools/fuzz.sh [runs-per-target]   (default 10 million)
# Two run at a time. New inputs land in build/fuzz/tests/fuzz/found, and an
# input that fails is kept as build/fuzz/tests/fuzz/crash-* for replaying.
set -eu
cd "$(dirname "$0")/.."
runs=${1:-10000000}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
dir=build/fuzz/tests/fuzz
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

fuzz() {
  name=$1
  mkdir -p "$dir/found/$name"
  if "$dir/fuzz_$name" -runs="$runs" -artifact_prefix="$dir/" -print_final_stats=1 \
    "$dir/found/$name" "tests/fuzz/seeds/$name" >"$logs/$name" 2>&1; then
    echo "$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$logs/$name")"
  else
    echo "$name: FAILED, see $dir/crash-*"
    tail -n 30 "$logs/$name"
    return 1
  fi
}

status=0
set -- value_codec command_line path_split shortcut_record screen_placement
while [ $# -gt 0 ]; do
  fuzz "$1" & first=$!
  second=""
  if [ $# -gt 1 ]; then fuzz "$2" & second=$!; shift; fi
  shift
  wait "$first" || status=1
  [ -z "$second" ] || wait "$second" || status=1
done
exit $status
