#!/usr/bin/env bash
# Checks that no source file includes a folder above its own: a file of a folder of src/ may
# include only its own folder and the folders whose libraries its folder's targets link, directly
# or through others. The links come from the build (the file CMake writes at configuring,
# folder-links.txt in the build folder), so the check follows CMakeLists.txt and never a copy of it.
# Usage: scripts/check_includes.sh <folder-links file> [<source root>]; prints every include that
# runs upward and exits 1 when there is one. Folders the build left out are not checked.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: scripts/check_includes.sh <folder-links file> [<source root>]" >&2; exit 2; }
links=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
cd "${2:-$(dirname "$0")/../src}"

declare -A below=()
while IFS=: read -r folder linked; do
  below[$folder]=$linked
done <"$links"

folder_of() {  # folder_of <path>: the deepest folder of the table that holds the file or include
  local dir=${1%/*}
  while [[ $dir == */* && ! -v below[$dir] ]]; do dir=${dir%/*}; done
  echo "$dir"
}

status=0
while IFS= read -r -d '' file; do
  from=$(folder_of "$file")
  [[ -v below[$from] ]] || continue
  while IFS= read -r include; do
    to=$(folder_of "$include")
    [[ $to == "$from" || " ${below[$from]} " == *" $to "* ]] && continue
    echo "$file includes $include: '$to' is not linked by '$from'"
    status=1
  done < <(sed -n 's/^#include "\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sed -z 's|^\./||')
exit $status
