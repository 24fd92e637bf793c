#!/usr/bin/env bash
# Sets up, builds and starts Chronofex. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/chronofex "$@"
