#!/usr/bin/env bash
# Installs what building and testing VX needs on Debian 12: the MinGW-w64
# compilers, Wine64, Xvfb, a Japanese locale and font, native test libraries.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils imagemagick
  fonts-ipafont-gothic locales file
)

missing=()
for p in "${packages[@]}"; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
done

sudo_cmd=""
if [ "$(id -u)" != 0 ]; then sudo_cmd="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Outputs are taken whole: under pipefail a grep -q that stops reading early
# fails the pipe by its writer's SIGPIPE.
if ! grep -qi '^ja_JP\.utf-\?8$' <<<"$(locale -a 2>/dev/null)"; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  $sudo_cmd localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

echo "setup: all tools present"
