#!/usr/bin/env bash
# Builds KALIDOR, installs it with its side files into its program folder (~/KALIDOR unless a
# folder is given) and starts it from there. The pupils' record files in that folder are kept.
set -euo pipefail
cd "$(dirname "$0")"

folder="${1:-$HOME/KALIDOR}"
scripts/install_packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALIDOR_TESTS=ON -DKALIDOR_BENCH=ON \
  -DKALIDOR_WERROR=OFF >/dev/null
cmake --build build -j "$(nproc)" --target kalidor kalidor_side_files
mkdir -p "$folder"
cmake --install build --prefix "$folder" >/dev/null
echo "KALIDOR est installé dans $folder"
exec "$folder/kalidor"
