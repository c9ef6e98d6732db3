#!/usr/bin/env bash
# Fails when a C++ file differs from what the project's .clang-format makes of it;
# `clang-format -i` on the files it names mends them. Sample files under tests/data are not ours.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' ':!:tests/data/**' | xargs -0 clang-format --dry-run --Werror
