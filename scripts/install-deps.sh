#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need (a no-op when all are there).
set -euo pipefail
# The two font packages are what wine falls back to for Japanese, Chinese and Korean (WenQuanYi
# Micro Hei, 5 MB) and for Arabic and Hebrew (DejaVu Sans, 3 MB): its own fonts have none of them.
packages=(cmake make g++ wine wine64 mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 xvfb x11-utils
          mscompress liblnk-utils libgtest-dev imagemagick xdotool osslsigncode openssl python3-jsonschema
          python3-yaml xz-utils liblzma-dev nsis clang libclang-rt-14-dev
          fonts-wqy-microhei fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
