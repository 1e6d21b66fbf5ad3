#!/usr/bin/env bash
# Checks that no source file includes a folder above its own: each folder of src/ may include only
# itself and the folders listed for it below (what it links, and what those link in turn).
# Usage: scripts/check_includes.sh [<source root>]; prints every include that runs upward and
# exits 1 when there is one.
set -euo pipefail
cd "${1:-$(dirname "$0")/../src}"

declare -A below=(
  [platform/raster]=""
  [layout]=""
  [desktop]="layout"
  [runtime]=""
  [platform]="runtime platform/raster"
  [glyphs]="runtime platform platform/raster"
  [hints]="runtime platform platform/raster"
  [widgets]="runtime platform platform/raster"
  [web]="desktop runtime platform platform/raster"
  [button]="glyphs hints runtime platform platform/raster"
  [picture]="layout"
  [tools]="picture layout"
  [editor]="picture button widgets web hints glyphs desktop runtime platform platform/raster layout"
  [access]="button widgets hints glyphs runtime platform platform/raster"
  [gallery]="access button widgets hints glyphs runtime platform platform/raster"
  [app]="access editor picture button widgets web hints glyphs desktop runtime platform platform/raster layout"
)

folder_of() {  # folder_of <path>: the folder of a file or of an include, as the table names it
  case $1 in
    platform/raster/*) echo platform/raster ;;
    *) echo "${1%%/*}" ;;
  esac
}

status=0
while IFS= read -r -d '' file; do
  from=$(folder_of "$file")
  [[ -v below[$from] ]] || { echo "$file: folder '$from' is not in the table"; status=1; continue; }
  while IFS= read -r include; do
    to=$(folder_of "$include")
    [[ $to == "$from" || " ${below[$from]} " == *" $to "* ]] && continue
    echo "$file includes $include: '$to' is not below '$from'"
    status=1
  done < <(sed -n 's/^#include "\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's|^\./||')
exit $status
