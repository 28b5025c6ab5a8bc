#!/usr/bin/env bash
# Benchmarks the manifest under Wine: load, add two lines and save a
# 100,000-line "Setup.dat", against a plain read and write of the same bytes;
# five alternating rounds, median ratio last. Not part of the test command.
#   tools/bench-manifest.sh [BUILD_ROOT]   (default build/; uses its win64 build)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${1:-${HOSHIVO_BUILD_ROOT:-$repo/build}}
cd "$repo"

cmake --preset win64 -B "$root/win64" >/dev/null
cmake --build "$root/win64" --target bench_manifest

source tools/wine-env.sh "$root/win64/wineprefix" headless
work=$(mktemp -d)
trap 'wine_env_cleanup; rm -rf "$work"' EXIT
wine "$root/win64/bench_manifest.exe" "Z:${work//\//\\}"
