#!/usr/bin/env bash
# Installs the Debian packages KALIDOR needs to build, run and test, when any is missing,
# together with the extra packages named as arguments (the CI stages name theirs).
# Quick when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  fonts-liberation2
  libgtest-dev googletest libbenchmark-dev
  poppler-utils clang-format
  desktop-file-utils
  libcups2-dev
  libzip-dev
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installation des paquets manquants : ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
