#!/usr/bin/env bash
# Fails when any tracked C++ file differs from what clang-format makes of it with the
# repository's .clang-format; prints the offending lines. Reformat the tree with
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
CLANG_FORMAT=${CLANG_FORMAT:-clang-format}
git ls-files -z '*.cpp' '*.h' | xargs -0 "$CLANG_FORMAT" --style=file --dry-run --Werror
