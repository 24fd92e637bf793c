#!/usr/bin/env bash
# Configures and builds Chronofex into build/ (Release with debug info). Arguments are passed to
# the configure step (for example -DCFX_FUZZ_TESTS=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build
