#!/usr/bin/env bash
# Checks the exploit mitigations of the built updaters, read from their PE
# headers with objdump:
#   check-hardening.sh EXE32 EXE64
# - both: DYNAMIC_BASE (0x40) and NX_COMPAT (0x100) in DllCharacteristics,
#   and a base relocation table that is really there (without it Windows
#   cannot move the image, whatever the flag says);
# - the 64-bit one also HIGH_ENTROPY_VA (0x20);
# - neither has delay-loaded imports, which would be searched for at run time.
set -euo pipefail
export LC_ALL=C LANG=C
exe32=$1 exe64=$2

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The value of one data-directory entry: "RVA SIZE" in hex.
data_directory() {
  awk -v name="$2" '$1 == "Entry" && index($0, name) { print $3, $4; exit }' <<<"$1"
}

check_exe() {
  local exe=$1 objdump=$2 want_high_entropy=$3
  echo "== $exe"
  if [ ! -f "$exe" ]; then
    fail "$exe does not exist (build both presets first)"
    return
  fi
  local private headers flags reloc delay
  private=$("$objdump" -p "$exe")
  headers=$("$objdump" -h "$exe")
  flags=$(sed -n 's/^DllCharacteristics[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$private")
  [ -n "$flags" ] || { fail "$exe: no DllCharacteristics in the optional header"; return; }
  flags=$((16#$flags))
  printf 'DllCharacteristics 0x%04x:' "$flags"
  (( flags & 0x40 )) && printf ' DYNAMIC_BASE'
  (( flags & 0x100 )) && printf ' NX_COMPAT'
  (( flags & 0x20 )) && printf ' HIGH_ENTROPY_VA'
  echo
  (( flags & 0x40 )) || fail "$exe: not DYNAMIC_BASE (no ASLR)"
  (( flags & 0x100 )) || fail "$exe: not NX_COMPAT (no DEP)"
  if [ "$want_high_entropy" = yes ]; then
    (( flags & 0x20 )) || fail "$exe: not HIGH_ENTROPY_VA"
  fi
  # IMAGE_FILE_RELOCS_STRIPPED in the file header would forbid moving the image.
  if grep -q 'relocations stripped' <<<"$("$objdump" -f "$exe")"; then
    fail "$exe: the file header says its relocations are stripped"
  fi

  read -r _ reloc <<<"$(data_directory "$private" "Base Relocation Directory")"
  echo "base relocation directory size 0x${reloc:-none}," \
    ".reloc section: $(grep -c ' \.reloc ' <<<"$headers")"
  if [ -z "$reloc" ] || (( 16#$reloc == 0 )); then
    fail "$exe: no base relocation table"
  fi
  grep -q ' \.reloc ' <<<"$headers" || fail "$exe: no .reloc section"

  read -r _ delay <<<"$(data_directory "$private" "Delay Import Directory")"
  if [ -n "$delay" ] && (( 16#$delay != 0 )); then
    fail "$exe: has delay-loaded imports"
  fi
  echo "imports:" $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$private" | tr 'A-Z' 'a-z' | sort -u)
}

check_exe "$exe32" i686-w64-mingw32-objdump no
check_exe "$exe64" x86_64-w64-mingw32-objdump yes

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all hardening checks passed"
