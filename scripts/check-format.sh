#!/usr/bin/env bash
# Fails, naming each place, where a C++ file of the project is not as clang-format (with the
# project's .clang-format) would write it. `cmake --build --preset test --target format`
# formats them. Versions of clang-format may disagree; CI checks with the one of the machine
# it runs on.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -1): every C++ file is formatted"
