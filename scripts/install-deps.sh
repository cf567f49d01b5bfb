#!/usr/bin/env bash
# Installs the Debian 12 packages Fenwarx builds, tests, packages and benchmarks
# with (dpkg-dev and file for cpack's dependency list, groff for the manual pages).
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  dpkg-dev file groff-base
  zlib1g-dev libpugixml-dev libsqlite3-dev libcli11-dev libfmt-dev
  libcairo2-dev libpango1.0-dev fonts-dejavu-core poppler-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  python3 python3-openpyxl libreoffice-calc
  python3-uno
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
