#!/usr/bin/env bash
# Benchmark of the update copy (not a test): a 1 GiB archive copied five times
# each way, alternating: (a) the updater's copy, (b) a bare read/write/peek
# loop, (b+f) the bare loop plus one FlushFileBuffers, (c) CopyFileA.
# Prints each time, the medians and the ratios a/b, a/(b+f), a/c.
#   bash tools/bench-copy.sh [BUILD_ROOT] [SIZE_MIB]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${1:-${HOSHIVO_BUILD_ROOT:-$repo/build}}
mib=${2:-1024}
cd "$repo"

cmake --preset win64 -B "$root/win64" >/dev/null
cmake --build "$root/win64" --target update_copy_bench
bench=$root/win64/update_copy_bench.exe

# Next to the build, on the disk with room (/tmp may be small).
work=$root/bench-copy.work
source tools/wine-env.sh "$root/win64/wineprefix" headless
cleanup() { rm -rf "$work"; wine_env_cleanup; }
trap cleanup EXIT
rm -rf "$work"; mkdir -p "$work"
head -c $((mib * 1048576)) /dev/urandom >"$work/archive.pac"
win() { local p=${1//\//\\}; echo "Z:$p"; }
src=$(win "$work/archive.pac")

declare -A times
modes=(updater bare bareflush copyfile)
for round in 1 2 3 4 5; do
  for mode in "${modes[@]}"; do
    rm -f "$work/target.pac"
    # Every run starts with no dirty pages left by the one before.
    sync
    t=$(wine "$bench" "$mode" "$src" "$(win "$work/target.pac")" </dev/null 2>/dev/null | tr -d '\r') ||
      { echo "$mode failed in round $round"; exit 1; }
    cmp -s "$work/archive.pac" "$work/target.pac" || { echo "$mode: copy differs"; exit 1; }
    times[$mode]="${times[$mode]:-} $t"
    echo "round $round $mode $t s"
  done
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n 3p; }
for mode in "${modes[@]}"; do
  declare "m_$mode=$(median "${times[$mode]}")"
  echo "median $mode $(median "${times[$mode]}") s"
done
awk -v a="$m_updater" -v b="$m_bare" -v bf="$m_bareflush" -v c="$m_copyfile" 'BEGIN {
  printf "a/b     %.3f\n", a / b
  printf "a/(b+f) %.3f\n", a / bf
  printf "a/c     %.3f\n", a / c
  printf "flush   %.3f s (median bare+flush minus median bare)\n", bf - b
}'
