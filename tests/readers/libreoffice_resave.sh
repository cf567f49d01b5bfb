#!/usr/bin/env bash
# Re-saves workbooks through LibreOffice: OUTDIR/<name>.xlsx is what LibreOffice
# made of each FILE. A private profile per run keeps concurrent runs apart.
# Usage: libreoffice_resave.sh OUTDIR FILE [FILE ...]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OUTDIR FILE [FILE ...]" >&2; exit 2; }
outdir="$1"; shift
profile="$(mktemp -d /tmp/fenwarx-lo-XXXXXX)"
trap 'rm -rf "$profile"' EXIT
mkdir -p "$outdir"
soffice -env:UserInstallation="file://$profile" --headless --norestore \
  --convert-to xlsx --outdir "$outdir" "$@" >&2
for f in "$@"; do
  base="$(basename "$f")"
  [ -s "$outdir/${base%.*}.xlsx" ] || { echo "LibreOffice did not convert $f" >&2; exit 1; }
done
