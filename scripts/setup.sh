#!/bin/sh
# Installs what building and testing Keylark needs, from Debian's packages only.
set -eu

packages="cmake ninja-build g++ googletest clang libclang-rt-14-dev \
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 \
  wine wine64 fonts-wine fonts-noto-cjk xvfb xauth cmark imagemagick zlib1g-dev nsis"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

as_root=""
[ "$(id -u)" -ne 0 ] && as_root="sudo"
echo "Installing:$missing"
# An index that is briefly inconsistent on a mirror must not stop the set-up;
# a package that cannot be installed does.
$as_root apt-get update -q || echo "apt-get update reported a problem; installing anyway" >&2
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -q --no-install-recommends $missing
