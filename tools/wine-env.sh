# Sourced: prepares Wine for the updater and its tests.
#   source tools/wine-env.sh PREFIX [headless]
# Sets WINEPREFIX and the Japanese locale (Wine takes its ANSI code page, 932,
# from it), starts Xvfb when asked to or when there is no display, creates the
# prefix once, and starts a persistent wineserver. Call wine_env_cleanup after.

export WINEPREFIX="$(realpath -m "$1")"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8

WINE_ENV_XVFB_PID=""
if [ "${2:-}" = headless ] || [ -z "${DISPLAY:-}" ]; then
  dispfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dispfile" >/dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$dispfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$dispfile")"
  rm -f "$dispfile"
fi

mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 </dev/null || true
  wineserver -w
fi
# A warm, persistent server: each test program then starts in a fraction of a
# second. Started with its output away from the caller's pipe, which Wine's
# background services would otherwise keep open.
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null || true

wine_env_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$WINE_ENV_XVFB_PID" ] && kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
}
