#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build python3
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64
  xvfb xauth x11-apps imagemagick
  locales fonts-ipafont-gothic
  clang libclang-rt-14-dev
  e2fsprogs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the Unix locale: without ja_JP.UTF-8 it
# silently falls back to 1252 and every Japanese text turns into mojibake.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
