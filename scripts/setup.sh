#!/usr/bin/env bash
# Installs what building and testing VX needs on Debian 12: the MinGW-w64
# compilers, Wine64 with the 32-bit Wine beside it (the shipped build is
# 32-bit), Xvfb, a Japanese locale and font, native test libraries, wixl and
# msibuild for the installer packages.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick
  fonts-ipafont-gothic locales file
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  msitools wixl
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
  if ! grep -qx i386 <<<"$(dpkg --print-foreign-architectures)"; then
    $sudo_cmd dpkg --add-architecture i386
  fi
  # An index that fails to download (a mirror in sync) is reported, not fatal.
  $sudo_cmd apt-get update -qq || true
  # The 32-bit libraries must match their 64-bit twins' versions: when one
  # architecture's security index could not be read, the release's own
  # versions of both are taken.
  if ! $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    echo "setup: installing again with the release's own package versions"
    $sudo_cmd apt-get install -y -qq --no-install-recommends -t bookworm "${missing[@]}" >/dev/null
  fi
fi

# Outputs are taken whole: under pipefail a grep -q that stops reading early
# fails the pipe by its writer's SIGPIPE.
if ! grep -qi '^ja_JP\.utf-\?8$' <<<"$(locale -a 2>/dev/null)"; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  # Outside the locale archive: a shell that looked for a locale before the
  # archive existed never reads it again, and would warn when the scripts
  # set LC_ALL; a locale folder it finds at any time.
  $sudo_cmd localedef --no-archive -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

echo "setup: all tools present"
