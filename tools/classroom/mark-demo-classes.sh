#!/usr/bin/env bash
# Makes a class folder for every exercise from the test data, marks each with one `mark-class`
# command, checks the CSV and the HTML report by parsing them, opens the report in headless
# Chromium (Debian's chromium) and saves a screenshot of one report.
#   tools/classroom/mark-demo-classes.sh [OUTPUT_FOLDER] [SCREENSHOT.png]
# Each class holds: an untouched exam folder (未做), the solution (满分), every one-change variant,
# an unreadable file (损坏), an empty folder (空文件夹), a folder without the document (漏交),
# two copies of one submission (抄甲, 抄乙) and a file identical to the starting file (原始文件).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(realpath -m "${1:-$(mktemp -d /tmp/tarnwick-classes-XXXXXX)}")"
shot="${2:-}"
"$root/tools/ensure-packages.sh" classroom
cli="$root/build/release/src/tarnwick-cli"
[ -x "$cli" ] || (cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target tarnwick-cli >/dev/null)
mkdir -p "$out"
echo "classes and reports in $out"

solution_of() {  # exercise -> solution file in tests/data
  case "$1" in
    1|2|7) echo "$root/tests/data/word-solutions/ex$1-solution.doc" ;;
    3|4|8) echo "$root/tests/data/solutions/ex$1-solution.xls" ;;
    5|6) echo "$root/tests/data/web/ex$1-solution.htm" ;;
  esac
}
variants_of() {
  case "$1" in
    1|2|7) ls "$root"/tests/data/word-solutions/variants/ex$1-*.doc 2>/dev/null || true ;;
    3|4|8) ls "$root"/tests/data/solutions/variants/ex$1-*.xls 2>/dev/null || true ;;
  esac
}

status=0
for n in 1 2 3 4 5 6 7 8; do
  class="$out/class-$n"
  rm -rf "$class"; mkdir -p "$class"
  "$cli" prepare "$n" --exam-dir "$class/未做" --skip-probe >/dev/null
  doc=$(cd "$class/未做" && "$cli" list | awk -F'\t' -v n="$n" '$1 == n {print $4}')
  ext="${doc##*.}"
  cp "$(solution_of "$n")" "$class/满分.$ext"
  cp "$(solution_of "$n")" "$class/抄甲.$ext"
  cp "$(solution_of "$n")" "$class/抄乙.$ext"
  for v in $(variants_of "$n"); do cp "$v" "$class/$(basename "$v" ".$ext").$ext"; done
  printf 'this is not a document' > "$class/损坏.$ext"
  mkdir "$class/空文件夹"
  mkdir "$class/漏交"; printf 'notes' > "$class/漏交/笔记.txt"
  cp "$class/未做/$doc" "$class/原始文件.$ext"
  "$cli" mark-class "$n" "$class" --quiet --csv "$out/class-$n.csv" --report "$out/class-$n.html" --json > "$out/class-$n.jsonl"
  /usr/bin/python3 "$root/tools/classroom/check-class-report.py" "$n" "$class" "$out/class-$n.csv" "$out/class-$n.html" \
    "$out/class-$n.jsonl" || status=1
  # The page as a browser sees it after its script ran: every student row is there.
  rows=$(chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
           --no-first-run --dump-dom "file://$out/class-$n.html" 2>/dev/null | grep -c '<tr><td>' || true)
  echo "exercise $n: chromium shows $rows table rows"
done
if [ -n "$shot" ]; then
  chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
    --no-first-run --hide-scrollbars --window-size=1100,1500 --screenshot="$shot" "file://$out/class-3.html" 2>/dev/null
  echo "screenshot: $shot"
fi
exit $status
