#!/usr/bin/env bash
# Builds the Debian package zel4_<version>_<arch>.deb into build/.
# Install it with: sudo apt install ./build/zel4_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build-program.sh
(cd build && cpack -G DEB)
ls -1 build/zel4_*.deb
