#!/usr/bin/env bash
# The manual pages render with no warning from groff.
. "$(dirname "$0")/lib.sh"

for page in "$SOURCE"/man/*.1; do
  warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1) || fail "groff failed on $page"
  [ -z "$warnings" ] || fail "$page: $warnings"
done
echo "manual pages render"
