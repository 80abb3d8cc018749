#!/usr/bin/env bash
# Whole processes side by side on one .doc: `tarnwick-cli inspect` (every paragraph with its font,
# size, colour, bold, italic, underline, alignment, spacing and indents, page setup, header, page
# number, shapes) against antiword (text only) and LibreOffice headless converting to text.
#   bench/compare-doc-readers.sh [DOCUMENT] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
doc="${1:-$here/../tests/data/office-corpus/doc/rasp.doc}"
runs="${2:-100}"
cli="$here/../build/release/src/tarnwick-cli"
"$here/../tools/ensure-packages.sh" compare authoring
if [ ! -x "$cli" ]; then
  (cd "$here/.." && cmake --preset release >/dev/null && cmake --build --preset release --target tarnwick-cli >/dev/null)
fi
out=$(mktemp -d)
profile=$(mktemp -d)
trap 'rm -rf "$out" "$profile"' EXIT

time_runs() {  # label, runs, command...
  local label=$1 n=$2; shift 2
  "$@" >/dev/null 2>&1  # warm the page cache
  local start end
  start=$(date +%s%N)
  for _ in $(seq "$n"); do "$@" >/dev/null 2>&1; done
  end=$(date +%s%N)
  printf '%-44s %9.2f ms per process\n' "$label" "$(echo "($end - $start) / $n / 1000000" | bc -l)" >&2
  echo "$(( (end - start) / n / 1000 ))"
}

echo "document: $doc ($(stat -c %s "$doc") bytes)" >&2
ours=$(time_runs "tarnwick-cli inspect" "$runs" "$cli" inspect "$doc")
anti=$(time_runs "antiword (text only)" "$runs" antiword "$doc")
lo=$(time_runs "soffice --headless --convert-to txt" 5 soffice -env:UserInstallation=file://"$profile" \
  --headless --convert-to txt:Text --outdir "$out" "$doc")
cat_us=$(time_runs "cat (for scale)" "$runs" cat "$doc")
printf 'ratio antiword / tarnwick-cli: %.2f\n' "$(echo "$anti / $ours" | bc -l)" >&2
printf 'ratio soffice / tarnwick-cli: %.0f\n' "$(echo "$lo / $ours" | bc -l)" >&2
