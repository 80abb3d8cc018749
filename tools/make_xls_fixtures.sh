#!/bin/sh
# Makes the workbook fixtures of tests/data/xls from the flat OpenDocument sources beside this
# script, with LibreOffice headless (Debian's libreoffice-calc). Rerun by hand when a source changes.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../tests/data/xls"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
for src in "$here"/xls_fixtures/*.fods; do
  HOME="$tmp" soffice --headless --norestore --convert-to xls:"MS Excel 97" --outdir "$tmp" "$src" >/dev/null
  cp "$tmp/$(basename "$src" .fods).xls" "$out/"
done
# A newer-format workbook renamed to .xls (its first bytes are "PK").
HOME="$tmp" soffice --headless --norestore --convert-to xlsx --outdir "$tmp" "$here/xls_fixtures/formatted.fods" >/dev/null
cp "$tmp/formatted.xlsx" "$out/renamed-xlsx.xls"
