#!/usr/bin/env bash
# Builds the user guide shipped beside the program, data/リファレンス.htm, in
# Shift-JIS from its UTF-8 source; the homepage address is taken from
# app/about.h, where the program keeps it.
# Usage: make_reference.sh          write data/リファレンス.htm
#        make_reference.sh --check  fail when data/リファレンス.htm is not up to date
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
target=$root/data/リファレンス.htm
address=$(sed -n 's/.*kHomepageAddress = QStringLiteral("\([^"]*\)").*/\1/p' "$root/app/about.h")
[ -n "$address" ] || { echo "no homepage address in app/about.h" >&2; exit 1; }
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
# CR LF line breaks like every text file of the program; iconv stops at any
# character Shift-JIS cannot hold.
sed -e "s|@HOMEPAGE@|$address|g" -e 's/$/\r/' "$here/reference.utf8.htm" | iconv -f UTF-8 -t CP932 >"$tmp"
if [ "${1:-}" = --check ]; then
  cmp -s "$tmp" "$target" || { echo "$target is out of date: run $0" >&2; exit 1; }
  echo "$target is up to date"
else
  cat "$tmp" >"$target"
fi
