#!/usr/bin/env bash
# Checks that every tracked .cpp and .h file (the seed corpora of fuzz/corpus
# and build/ aside) is laid out as clang-format and the root .clang-format
# would lay it out. Changes nothing: lists the files that differ, ends with
# one summary line and exits 1 when there is any. `clang-format -i FILE`
# fixes a file. CLANG_FORMAT names another clang-format binary.
set -uo pipefail
cd "$(dirname "$0")/.."

clang_format=${CLANG_FORMAT:-clang-format}
if ! command -v "$clang_format" >/dev/null; then
  echo "format: $clang_format not found (scripts/setup.sh installs it)"
  exit 1
fi

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h' ':!:fuzz/corpus/**' ':!:build/**')

# One message per file is enough to name it; two processes share the files.
report=$(mktemp)
trap 'rm -f "$report"' EXIT
printf '%s\0' "${files[@]}" |
  xargs -0 -r -n 40 -P 2 "$clang_format" --dry-run --Werror --ferror-limit=1 2>"$report" >/dev/null
status=$?
differ=$(sed -nE 's/^(.+):[0-9]+:[0-9]+: (error|warning): code should be clang-formatted.*/\1/p' "$report" | sort -u)

# A failure that names no file (a bad .clang-format, a crash) is a failure too.
if [ "$status" -ne 0 ] && [ -z "$differ" ]; then
  head -n 20 "$report"
  echo "format: $clang_format failed (exit $status) without naming a file"
  exit 1
fi
if [ -n "$differ" ]; then
  echo "$differ"
  echo "format: $(wc -l <<<"$differ") of ${#files[@]} files differ from clang-format"
  exit 1
fi
echo "format: clean, ${#files[@]} files"
