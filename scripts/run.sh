#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds Parlonex and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh --target parlonex
exec build/bin/parlonex "$@"
