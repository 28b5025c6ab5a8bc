#!/usr/bin/env bash
# Checks the built updaters as files, without running them:
#   check-binary.sh REPO EXE32 EXE64
# - EXE32 is a 32-bit (PE32, i386) GUI program, EXE64 a PE32+ x86-64 one;
# - each imports nothing but DLLs that every Windows has: the C and C++
#   runtimes must be inside, since the program runs from a bare folder;
# - a second build of the 32-bit product, from a copy of the sources in
#   another place into another build folder, gives the same bytes as EXE32.
set -euo pipefail
# The tests run under a Japanese locale, which objdump would answer in.
export LC_ALL=C LANG=C
repo=$1 exe32=$2 exe64=$3

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Windows' own DLLs; anything else would have to ship beside the updater.
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll shlwapi.dll ole32.dll msvcrt.dll"

check_exe() {
  local exe=$1 objdump=$2 format=$3 arch=$4 magic=$5
  echo "== $exe"
  if [ ! -f "$exe" ]; then
    fail "$exe does not exist (build both presets first)"
    return
  fi
  local header private
  header=$("$objdump" -f "$exe" 2>&1) || true
  private=$("$objdump" -p "$exe" 2>&1) || true
  grep -q "file format $format\$" <<<"$header" || fail "$exe: not $format"
  grep -q "architecture: $arch," <<<"$header" || fail "$exe: architecture is not $arch"
  grep -Eq "^Magic[[:space:]]+$magic" <<<"$private" || fail "$exe: optional header magic is not $magic"
  grep -Eq "^Subsystem[[:space:]]+00000002" <<<"$private" || fail "$exe: subsystem is not 2 (Windows GUI)"
  echo "measured:" \
    "$(sed -n 's/.*file format //p' <<<"$header")," \
    "$(sed -n 's/^architecture: \([^,]*\),.*/\1/p' <<<"$header")," \
    "magic $(sed -n 's/^Magic[[:space:]]*\([0-9a-f]*\).*/\1/p' <<<"$private")," \
    "subsystem $(sed -n 's/^Subsystem[[:space:]]*\([0-9a-f]*\).*/\1/p' <<<"$private")"

  local dlls dll
  dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$private" | tr 'A-Z' 'a-z' | sort -u)
  [ -n "$dlls" ] || fail "$exe: no imports found"
  echo "imports:" $dlls
  for dll in $dlls; do
    case " $allowed " in
      *" $dll "*) ;;
      *) fail "$exe imports $dll, which is not among the system DLLs allowed" ;;
    esac
  done
}

# Others may have changed the sources since the last build: bring the
# product up to date first, so that every check below, and the second build,
# see the same sources.
if [ -f "$(dirname "$exe32")/build.ninja" ]; then
  cmake --build "$(dirname "$exe32")" --target hoshivo_update -j2 >/dev/null ||
    fail "the 32-bit build does not build"
fi

check_exe "$exe32" i686-w64-mingw32-objdump pei-i386 i386 010b
check_exe "$exe64" x86_64-w64-mingw32-objdump pei-x86-64 i386:x86-64 020b

# Reproducibility. The copy holds what the main build was made from: the
# tracked files and any new ones, without build trees or ignored files.
echo "== second build of the 32-bit product"
work=$(mktemp -d /tmp/hoshivo-rebuild.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
(cd "$repo" && git ls-files -z --cached --others --exclude-standard |
  xargs -0 -I{} sh -c '[ -f "{}" ] && printf "%s\0" "{}"' |
  tar --null -T - -cf -) | tar -C "$work/src" -xf -
cmake -S "$work/src" --preset win32 -B "$work/build" -DHOSHIVO_TESTS=OFF >/dev/null
cmake --build "$work/build" --target hoshivo_update -j2 >"$work/build.log" 2>&1 ||
  { cat "$work/build.log"; fail "the second build failed"; }
if [ -f "$work/build/hoshivo_update.exe" ] && [ -f "$exe32" ]; then
  if cmp "$exe32" "$work/build/hoshivo_update.exe"; then
    echo "identical: $(stat -c %s "$exe32") bytes, sha256 $(sha256sum <"$exe32" | cut -c1-16)"
  else
    echo "differing bytes (offset, main build, second build; octal):"
    cmp -l "$exe32" "$work/build/hoshivo_update.exe" | head -20
    fail "two builds of the same sources differ"
  fi
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all binary checks passed"
