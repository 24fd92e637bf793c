#!/usr/bin/env bash
# Sets up, builds and runs every test of Chronofex, the fuzz targets included (30 s each).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DCFX_FUZZ_TESTS=ON
cd build
ctest --output-on-failure --timeout 600 -j2
