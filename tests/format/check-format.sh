#!/usr/bin/env bash
# Every C++ file of the product and the tests follows the repository's
# .clang-format, as Debian's clang-format-14 lays it out. Lists the files
# that differ; `clang-format-14 -i FILE` mends one.
#
#   check-format.sh SOURCE_DIR
set -uo pipefail
top=${1:?usage: check-format.sh SOURCE_DIR}
cd "$top" || exit 1
command -v clang-format-14 >/dev/null ||
  { echo "clang-format-14 is not installed (bash scripts/setup.sh test installs it)" >&2; exit 1; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find bench model python shell tests tools view -name '*.cpp' -o -name '*.h')
fi
[ "${#files[@]}" -gt 0 ] || { echo "no C++ files found under $top" >&2; exit 1; }
differing=()
for file in "${files[@]}"; do
  clang-format-14 --dry-run --Werror "$file" >/dev/null 2>&1 || differing+=("$file")
done
if [ "${#differing[@]}" -gt 0 ]; then
  echo "These files differ from .clang-format (clang-format-14 -i FILE mends them):" >&2
  printf '  %s\n' "${differing[@]}" >&2
  exit 1
fi
echo "format: ${#files[@]} files follow .clang-format"
