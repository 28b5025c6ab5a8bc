#!/usr/bin/env bash
# Faults that only real file systems show: a disk that fills up during a copy,
# too little room, immutable files, a held file, a source that shrinks while
# it is read. Runs the update probe under Wine against each and checks that
# every installed file holds exactly its old or its new bytes, "Setup.dat" is
# whole and no staging file is left.
#   bash tools/update-faults.sh PATH/TO/update_fault_probe.exe
# Needs root (mount, chattr) and the Wine environment of tools/wine-env.sh;
# exits 77 (skipped) without root.
set -euo pipefail
probe=$1
[ "$(id -u)" -eq 0 ] || { echo "needs root for mount and chattr: skipped"; exit 77; }
: "${WINEPREFIX:?run inside the environment of tools/wine-env.sh}"

work=$(cd "$(dirname "$probe")" && pwd)/update-faults.work
mnt=$work/mnt
drive=""
cleanup() {
  chattr -R -i "$work" 2>/dev/null || true
  mountpoint -q "$mnt" 2>/dev/null && umount "$mnt"
  [ -n "$drive" ] && rm -f "$WINEPREFIX/dosdevices/$drive"
  rm -rf "$work"
}
trap cleanup EXIT
cleanup
# A drive letter left by a run that was killed outright.
for link in "$WINEPREFIX"/dosdevices/?:; do
  if [ "$(readlink "$link")" = "$mnt" ]; then rm -f "$link"; fi
done
mkdir -p "$work/src" "$work/program" "$mnt"

# A Windows path for a Unix one: Wine maps / to Z:.
win() { local p=${1//\//\\}; echo "Z:$p"; }

for letter in m n o p q r s t u v w x y; do
  [ -e "$WINEPREFIX/dosdevices/$letter:" ] || { drive="$letter:"; break; }
done
[ -n "$drive" ] || { echo "no free drive letter"; exit 1; }
ln -s "$mnt" "$WINEPREFIX/dosdevices/$drive"
mount -t tmpfs -o size=120m tmpfs "$mnt"

head -c 3000000 /dev/urandom >"$work/src/patch.new"
head -c 1000000 /dev/urandom >"$work/src/data.new"
head -c 1000000 /dev/urandom >"$work/src/patch.old"
head -c 500000 /dev/urandom >"$work/src/data.old"
printf 'D game;\r\nF hoshivo.exe;\r\n' >"$work/src/setup.old"
{ cat "$work/src/setup.old"; printf 'F patch.pac;\r\nF data.pac;\r\n'; } >"$work/src/setup.new"
cp "$work/src/patch.new" "$work/program/patch.pac"
cp "$work/src/data.new" "$work/program/data.pac"

failures=0
fail() { echo "FAIL [$case]: $*"; failures=$((failures + 1)); }

# A fresh install folder holding the old files and the manifest.
install() {
  rm -rf "$1"; mkdir -p "$1"
  cp "$work/src/patch.old" "$1/patch.pac"
  cp "$work/src/data.old" "$1/data.pac"
  cp "$work/src/setup.old" "$1/Setup.dat"
}

run() {  # program-folder install-folder state [action]
  boxes=$(wine "$probe" "$3" "$(win "$1")" "$2" ${4:+"$4"} </dev/null 2>/dev/null | tr -d '\r' | paste -sd, -)
}

expect_boxes() { [ "$boxes" = "$1" ] || fail "boxes '$boxes', expected '$1'"; }

# Each file byte-identical to the version named; nothing else in the folder.
expect_files() {  # folder patch-version data-version setup-version
  cmp -s "$1/patch.pac" "$work/src/patch.$2" || fail "patch.pac is not its $2 version"
  cmp -s "$1/data.pac" "$work/src/data.$3" || fail "data.pac is not its $3 version"
  cmp -s "$1/Setup.dat" "$work/src/setup.$4" || fail "Setup.dat is not its $4 version"
  local listing; listing=$(ls -A "$1" | paste -sd' ' -)
  [ "$listing" = "Setup.dat data.pac patch.pac" ] || fail "folder holds: $listing"
}

W='0x40030'  # warning box flags

case="room on the small drive: the update goes through"
install "$mnt/game"
run "$work/program" "$drive\\game" 1
expect_boxes "Done 0x40000"
expect_files "$mnt/game" new new new

case="disk fills up during the first copy"
install "$mnt/game"
run "$work/program" "$drive\\game" 1 "fill:$drive\\filler"
[ -s "$mnt/filler" ] || fail "the filler did not run"
rm -f "$mnt/filler"
expect_boxes "WriteFailed $W,CopyFailed $W"
expect_files "$mnt/game" old old old

case="too little free space on the drive"
mount -o remount,size=100m "$mnt"
install "$mnt/game"
run "$work/program" "$drive\\game" 1
expect_boxes "DiskFull $W"
expect_files "$mnt/game" old old old
mount -o remount,size=120m "$mnt"

game=$work/game
case="immutable target"
install "$game"; chattr +i "$game/data.pac"
run "$work/program" "$(win "$game")" 1
chattr -i "$game/data.pac"
expect_boxes "CreateFailed $W,CopyFailed $W"
expect_files "$game" new old old

case="target held open elsewhere"
install "$game"
run "$work/program" "$(win "$game")" 1 "hold:$(win "$game/data.pac")"
expect_boxes "CreateFailed $W,CopyFailed $W"
expect_files "$game" new old old

case="immutable manifest"
install "$game"; chattr +i "$game/Setup.dat"
run "$work/program" "$(win "$game")" 1
chattr -i "$game/Setup.dat"
# The manifest's own box (its create failed), then the update's.
expect_boxes "CreateFailed $W,ManifestUpdateFailed $W"
expect_files "$game" new new old

case="source shrinks during the copy"
install "$game"
mkdir -p "$work/shrinking"
cp "$work/src/patch.new" "$work/shrinking/patch.pac"
cp "$work/src/data.new" "$work/shrinking/data.pac"
flag=$work/shrink.flag
rm -f "$flag"
out=$work/shrink.out
wine "$probe" 1 "$(win "$work/shrinking")" "$(win "$game")" "shrink:$(win "$flag")" \
  </dev/null >"$out" 2>/dev/null &
runner=$!
for _ in $(seq 600); do [ -e "$flag" ] && break; sleep 0.05; done
[ -e "$flag" ] || fail "the copy never reached its first chunk"
truncate -s 70000 "$work/shrinking/patch.pac"
rm -f "$flag"
wait "$runner" || fail "the probe did not end cleanly"
boxes=$(tr -d '\r' <"$out" | paste -sd, -)
expect_boxes "ReadFailed $W,CopyFailed $W"
expect_files "$game" old old old

if [ "$failures" -ne 0 ]; then
  echo "$failures fault check(s) failed"
  exit 1
fi
echo "all fault cases hold"
