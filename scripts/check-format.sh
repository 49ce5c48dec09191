#!/usr/bin/env bash
# Fails when a C++ source differs from what the checked-in .clang-format
# makes of it, and names the files.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
command -v clang-format >/dev/null || {
  echo "clang-format is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
}
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
unformatted=()
for file in "${files[@]}"; do
  [ -f "$file" ] || continue
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done
if [ ${#unformatted[@]} -ne 0 ]; then
  printf 'not formatted (run clang-format -i): %s\n' "${unformatted[@]}"
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format has them"
