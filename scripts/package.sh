#!/usr/bin/env bash
# Builds the Debian package zel4_<version>_<arch>.deb into build/.
# Install it with: sudo apt install ./build/zel4_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs" --target zel4 zel4-admin
(cd build && cpack -G DEB)
ls -1 build/zel4_*.deb
