#!/usr/bin/env bash
# Faults a Windows program cannot produce on its own, made real on the Unix
# side for the manifest tests: a disk that fills up while the manifest is
# written (a 64 KB tmpfs), and a manifest that cannot be opened for writing
# (an immutable file; as root, Wine ignores the read-only mode bits).
#   fault_fixtures.sh TEST_EXE WORK_DIR
# Exits 77 (skipped) when it cannot build them: they need root.
set -euo pipefail
exe=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)

if [ "$(id -u)" -ne 0 ] || [ -z "${WINEPREFIX:-}" ]; then
  echo "needs root (mount, chattr) and the Wine environment of tools/wine-env.sh"
  exit 77
fi

full="$work/full"
locked="$work/locked"
cleanup() {
  chattr -i "$locked/Setup.dat" 2>/dev/null || true
  mountpoint -q "$full" && umount "$full"
  rm -rf "$work"
}
trap cleanup EXIT
cleanup
mkdir -p "$full" "$locked"
mount -t tmpfs -o size=64k tmpfs "$full"
printf 'D game\r\nF old.pac;\r\n' >"$locked/Setup.dat"
if ! chattr +i "$locked/Setup.dat"; then
  echo "chattr +i is not supported on $locked"
  exit 77
fi

# Wine's drive Z: is the Unix root.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
log="$work/run.log"
status=0
MANIFEST_FULL_DISK_DIR=$(winpath "$full") MANIFEST_LOCKED_PATH=$(winpath "$locked/Setup.dat") \
  bash "$here/../../tools/wine-exec.sh" "$exe" \
  --gtest_filter='ManifestSaveFaultsFixture.*' >"$log" 2>&1 || status=$?
cat "$log"
# Both must have run, not been skipped: a missing variable would skip them.
if [ "$status" -ne 0 ] || ! grep -q '^\[  PASSED  \] 2 tests' "$log" || grep -q '^\[  SKIPPED' "$log"; then
  exit 1
fi
