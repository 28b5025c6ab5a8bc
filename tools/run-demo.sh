#!/usr/bin/env bash
# The run command: builds the updater and runs it under Wine on a ready-made
# demo install: a Wine prefix whose user has the game's settings file, a game
# folder with an older release, and an updater folder with the new update
# files. On your display when there is one (you answer the screens), else
# under Xvfb (answered automatically). A screenshot of each screen goes to
# build/demo/shots/.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${HOSHIVO_BUILD_ROOT:-$repo/build}
demo=$root/demo
cd "$repo"

bash tools/install-deps.sh
# The product is the 32-bit build; this machine's Wine runs only 64-bit
# programs, so the demo runs the 64-bit build of the same sources.
for preset in win32 win64; do
  cmake --preset "$preset" -B "$root/$preset" >/dev/null
  cmake --build "$root/$preset" --target hoshivo_update $([ "$preset" = win64 ] && echo demo_driver)
done

mode=watch
headless=""
if [ -z "${DISPLAY:-}" ]; then mode=auto; headless=headless; fi
source tools/wine-env.sh "$demo/wineprefix" $headless
trap wine_env_cleanup EXIT

# A fresh demo install every time, so every run shows the whole flow.
roaming=$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
roaming_unix=$(winepath -u "$roaming" 2>/dev/null)
game_win='C:\Games\Lumivera'
game_unix=$(winepath -u "$game_win" 2>/dev/null)
rm -rf "$game_unix" "$demo/updater" "$demo/shots"
mkdir -p "$game_unix" "$demo/updater" "$demo/shots" "$roaming_unix/Amberlune"
printf '[INSTALL]\r\nIsInstall=1\r\nInstallFold=%s\r\n' "$game_win" >"$roaming_unix/Amberlune/hoshivo.ini"
printf 'MZ' >"$game_unix/hoshivo.exe"
head -c 3000000 /dev/urandom >"$game_unix/patch.pac"
head -c 2000000 /dev/urandom >"$game_unix/data.pac"
printf 'D Lumivera;\r\nF hoshivo.exe;\r\nF patch.pac;\r\nF data.pac;\r\n' >"$game_unix/Setup.dat"
head -c 5000000 /dev/urandom >"$demo/updater/patch.pac"
head -c 2500000 /dev/urandom >"$demo/updater/data.pac"
cp "$root/win64/hoshivo_update.exe" "$demo/updater/"

echo "demo install: game folder $game_unix, updater $demo/updater"
echo "screens ($mode mode):"
# Without a window manager (Xvfb) Wine draws the window frames itself only
# inside a Wine desktop window; that keeps the captions in the screenshots.
desktop=()
[ "$mode" = auto ] && desktop=(explorer /desktop=hoshivo,900x500)
wine "${desktop[@]}" "$root/win64/demo_driver.exe" "$(winepath -w "$demo/updater/hoshivo_update.exe")" \
  "$(winepath -w "$demo/shots")" "$mode" &
driver=$!
# Take a screenshot whenever the driver asks for one.
while kill -0 "$driver" 2>/dev/null; do
  for request in "$demo"/shots/*.req; do
    [ -e "$request" ] || continue
    xwd -root -silent | convert xwd:- -trim +repage -trim +repage "${request%.req}.png"
    rm -f "$request"
  done
  sleep 0.1
done
wait "$driver"
echo "game folder after the run:"
ls -l "$game_unix"
echo "Setup.dat:"
cat "$game_unix/Setup.dat"
echo "screenshots:"
ls "$demo"/shots/*.png
