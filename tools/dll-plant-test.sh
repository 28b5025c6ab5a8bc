#!/usr/bin/env bash
# Plants copies of the DLLs an updater run loads beside the updater, runs it
# through to the end under Wine's DLL-load trace, and fails if any module was
# mapped from the updater's folder:
#   dll-plant-test.sh WIN64_BUILD_DIR
# Needs the environment of tools/wine-env.sh (WINEPREFIX, DISPLAY, locale).
# Wine maps a few dependencies of the imported system DLLs before any code of
# the program runs, where no program can intervene; that set is measured with
# bare_imports.exe (same imports, returns at once) in the same kind of folder
# and is the only thing excluded. KEEP_PLANT=1 keeps the folders and traces.
set -euo pipefail
build=$(realpath "$1")
: "${WINEPREFIX:?run inside tools/wine-env.sh}"
system32=$WINEPREFIX/drive_c/windows/system32
objdump=x86_64-w64-mingw32-objdump

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

imports() { LC_ALL=C "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | xargs; }
updater_imports=$(imports "$build/hoshivo_update.exe")
bare_imports=$(imports "$build/bare_imports.exe")
echo "imports of the updater: $updater_imports"
[ "$updater_imports" = "$bare_imports" ] ||
  fail "bare_imports.exe imports '$bare_imports', not the updater's own; the excluded set would be wrong"

work=$(mktemp -d "$build/dll-plant.XXXXXX")
roaming=$(wine cmd /c echo %APPDATA% 2>/dev/null </dev/null | tr -d '\r')
settings=$(winepath -u "$roaming" 2>/dev/null)/Amberlune
cleanup() {
  rm -f "$settings/hoshivo.ini"
  [ -n "${KEEP_PLANT:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

# A recorded install that needs the update: the run goes save-data question,
# dialog, copies, done box.
game=$work/game
new_install() {
  rm -rf "$game"
  mkdir -p "$game" "$settings"
  printf MZ >"$game/hoshivo.exe"
  head -c 1000 /dev/zero >"$game/patch.pac"
  head -c 1000 /dev/zero >"$game/data.pac"
  printf 'F hoshivo.exe;\r\n' >"$game/Setup.dat"
  printf '[INSTALL]\r\nIsInstall=1\r\nInstallFold=%s\r\n' "$(winepath -w "$game" 2>/dev/null)" \
    >"$settings/hoshivo.ini"
}

# Every module the trace shows mapped from FOLDER (a Windows path), lower case.
mapped_from() {
  local trace=$1 folder=$2
  grep 'trace:loaddll' "$trace" | sed -n 's/.*Loaded L"\(.*\)" at .*/\1/p' | sed 's/\\\\/\\/g' |
    PLANT_DIR="$folder\\" awk '{ dir = tolower(ENVIRON["PLANT_DIR"]); p = tolower($0)
                                    if (index(p, dir) == 1) print substr(p, length(dir) + 1) }' |
    sort -u | xargs
}

# Runs the updater in FOLDER to its end, answering as a user who wants the
# update; the trace goes to FOLDER.trace.
whole_run() {
  local folder=$1
  new_install
  WINEDEBUG=+loaddll timeout 180 wine "$build/demo_driver.exe" \
    "$(winepath -w "$folder/hoshivo_update.exe" 2>/dev/null)" - auto \
    >"$folder.out" 2>"$folder.trace" </dev/null || true
  cat "$folder.out"
  grep -q 'screen 1: question' "$folder.out" && grep -q 'dialog' "$folder.out" &&
    grep -q 'exit code 1' "$folder.out" || fail "the run in $folder did not go through to the end"
  [ "$(cat "$game/Setup.dat")" = $'F hoshivo.exe;\r\nF patch.pac;\r\nF data.pac;\r' ] ||
    fail "the run in $folder did not finish the update"
}

prepare_updater() {
  mkdir -p "$1"
  cp "$build/hoshivo_update.exe" "$1/"
  head -c 3000 /dev/urandom >"$1/patch.pac"
  head -c 2000 /dev/urandom >"$1/data.pac"
}

# 1. Which DLLs does a whole run load? Every one of them gets a planted twin.
echo "== a run with nothing planted"
clean=$work/clean
prepare_updater "$clean"
whole_run "$clean"
loaded=$(mapped_from "$clean.trace" 'C:\windows\system32')
echo "loaded from the system folder: $loaded"
planted=()
for dll in $loaded; do
  [ -f "$system32/$dll" ] && planted+=("$dll")
done
echo "planted: ${planted[*]}"
[[ " ${planted[*]} " == *" uxtheme.dll "* ]] || fail "the run did not load uxtheme.dll; is the display up?"

plant() { for dll in "${planted[@]}"; do cp "$system32/$dll" "$1/"; done; }

# 2. What Wine maps from the program's folder before the program runs.
echo "== bare_imports.exe beside planted DLLs"
bare=$work/bare
mkdir -p "$bare"
cp "$build/bare_imports.exe" "$bare/"
plant "$bare"
WINEDEBUG=+loaddll timeout 60 wine "$bare/bare_imports.exe" >/dev/null 2>"$bare.trace" </dev/null ||
  fail "bare_imports.exe failed"
before_code=$(mapped_from "$bare.trace" "$(winepath -w "$bare" 2>/dev/null)" | tr ' ' '\n' | grep -v '^bare_imports.exe$' | xargs)
echo "mapped from its folder before any code runs: ${before_code:-none}"

# 3. The updater beside the same planted DLLs.
echo "== the updater beside planted DLLs"
planted_run=$work/planted
prepare_updater "$planted_run"
plant "$planted_run"
whole_run "$planted_run"
from_folder=$(mapped_from "$planted_run.trace" "$(winepath -w "$planted_run" 2>/dev/null)" |
  tr ' ' '\n' | grep -v '^hoshivo_update.exe$' | xargs)
echo "mapped from the updater's folder: ${from_folder:-none}"
for dll in $from_folder; do
  case " $before_code " in
    *" $dll "*) ;;
    *) fail "$dll was mapped from the updater's folder after the program started" ;;
  esac
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "no planted DLL was loaded by the updater"
