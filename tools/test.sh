#!/usr/bin/env bash
# The test command: installs what is missing, builds both presets (the 32-bit
# product and the 64-bit build that this machine's Wine runs), and runs every
# test. Its last lines are CTest's summary.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${HOSHIVO_BUILD_ROOT:-$repo/build}
cd "$repo"

bash tools/install-deps.sh

for preset in win32 win64; do
  cmake --preset "$preset" -B "$root/$preset" >/dev/null
  cmake --build "$root/$preset"
done

source tools/wine-env.sh "$root/win64/wineprefix" headless
trap wine_env_cleanup EXIT

# Tests share the user's application-data folder of the prefix, so one at a time.
ctest --test-dir "$root/win64" --output-on-failure --timeout 600
