#!/usr/bin/env bash
# Builds KALIDOR, installs it with its side files into its program folder (~/KALIDOR unless a
# folder is given), adds it to the desktop menu and starts it from there. The pupils' record
# files in that folder are kept.
set -euo pipefail
cd "$(dirname "$0")"

folder="${1:-$HOME/KALIDOR}"
scripts/install_packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALIDOR_TESTS=ON -DKALIDOR_BENCH=ON \
  -DKALIDOR_WERROR=OFF >/dev/null
cmake --build build -j "$(nproc)" --target kalidor kalidor-cli kalidor_side_files
mkdir -p "$folder"
folder="$(cd "$folder" && pwd)"
cmake --install build --prefix "$folder" >/dev/null
echo "KALIDOR est installé dans $folder"
# The desktop menu entry, so that KALIDOR starts from the menu as well.
applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
scripts/desktop_entry.sh "$folder" "$applications/kalidor.desktop"
echo "Entrée de menu : $applications/kalidor.desktop"
exec "$folder/kalidor"
