#!/usr/bin/env bash
# Whole processes side by side on one workbook: `tarnwick-cli inspect` (reads every cell's value,
# formulas in both styles, formats, fonts, alignment, borders, merges, sizes, charts) against
# Python's xlrd opening it with formatting_info=True (Debian's python3-xlrd).
#   bench/compare-xlrd.sh [WORKBOOK] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
book="${1:-$here/../tests/data/solutions/ex3-solution.xls}"
runs="${2:-200}"
cli="$here/../build/release/src/tarnwick-cli"
py=/usr/bin/python3
"$here/../tools/ensure-packages.sh" compare
if [ ! -x "$cli" ]; then
  (cd "$here/.." && cmake --preset release >/dev/null && cmake --build --preset release --target tarnwick-cli >/dev/null)
fi

time_runs() {  # label, command...
  local label=$1; shift
  "$@" >/dev/null  # warm the page cache
  local start end
  start=$(date +%s%N)
  for _ in $(seq "$runs"); do "$@" >/dev/null; done
  end=$(date +%s%N)
  echo "$(( (end - start) / runs / 1000 ))"
  printf '%-36s %8.2f ms per process\n' "$label" "$(echo "($end - $start) / $runs / 1000000" | bc -l)" >&2
}

echo "workbook: $book ($(stat -c %s "$book") bytes), $runs runs each" >&2
ours=$(time_runs "tarnwick-cli inspect" "$cli" inspect "$book")
xlrd=$(time_runs "python3 xlrd (formatting_info=True)" $py -c \
  'import sys, xlrd; b = xlrd.open_workbook(sys.argv[1], formatting_info=True); [s.cell_value(r, c) for s in b.sheets() for r in range(s.nrows) for c in range(s.ncols)]' "$book")
cat_us=$(time_runs "cat (for scale)" cat "$book")
printf 'ratio xlrd / tarnwick-cli: %.1f\n' "$(echo "$xlrd / $ours" | bc -l)" >&2
