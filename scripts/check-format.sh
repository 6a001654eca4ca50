#!/usr/bin/env bash
# Fails when a C++ file is not laid out as .clang-format says, with the
# clang-format of Debian 12 (version 14), the one CI has.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort | xargs clang-format-14 --dry-run --Werror
