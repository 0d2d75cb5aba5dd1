#!/usr/bin/env bash
# Fails, naming each place, where a file of the project is not as its formatter writes it: a
# C++ file as clang-format does with the project's .clang-format, a shell script as shfmt
# does with four spaces an indent; and where shellcheck finds anything in a script (with the
# project's .shellcheckrc). `cmake --build --preset test --target format` formats the C++,
# `shfmt -i 4 -w` a script. Versions of the tools may disagree; CI checks with the ones of the
# machine it runs on.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -1): every C++ file is formatted"
mapfile -t scripts < <(git ls-files '*.sh' '*.sh.in' .ci/run)
shfmt -i 4 -d "${scripts[@]}"
echo "shfmt $(shfmt --version): every script is indented with four spaces"
shellcheck "${scripts[@]}"
echo "shellcheck $(shellcheck --version | sed -n 's/^version: //p'): nothing found in ${#scripts[@]} scripts"
