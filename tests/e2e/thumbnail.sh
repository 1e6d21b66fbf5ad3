#!/usr/bin/env bash
# End-to-end test of the file-manager thumbnail: installs the built tree into a temporary prefix,
# registers its layout file type in a temporary XDG data folder with update-mime-database, checks
# that GIO (the type detection of GIO-based file managers) gives a layout that type and leaves an
# unrelated .set file alone, then runs the installed thumbnailer entry's Exec line as a file manager
# does (%i input path, %o output path, %s size) and checks the PNG it writes. Needs no display.
#
# Usage: thumbnail.sh <build dir>
# Exit codes: 0 passed, 1 failed, 77 skipped (update-mime-database or gio not installed).
set -euo pipefail

BUILD_DIR=${1:?usage: thumbnail.sh <build dir>}
SOURCE_DIR=$(cd "$(dirname "$0")/../.." && pwd)
TYPE=application/x-tilvaro-layout

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
for tool in update-mime-database gio identify; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tilvaro-thumbnail.XXXXXX")
trap e2e_cleanup EXIT

install_build "$BUILD_DIR"
mime_package=$PREFIX/share/mime/packages/tilvaro-layout.xml
entry=$PREFIX/share/thumbnailers/tilvaro-layout.thumbnailer
[[ -f $mime_package && -f $entry ]] || fail "mime package or thumbnailer entry not installed"
grep -q "^MimeType=.*$TYPE;" "$PREFIX/share/applications/tilvaro-editor.desktop" ||
  fail "the desktop entry does not list $TYPE"

# --- the file type, in a data folder of its own in front of the system's ----------------------
export XDG_DATA_HOME=$WORK/data-home XDG_DATA_DIRS=$PREFIX/share:/usr/local/share:/usr/share
update-mime-database "$PREFIX/share/mime" || fail "update-mime-database failed"
content_type() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }

cp "$SOURCE_DIR/examples/layouts/Pyramide.set" "$WORK/Pyramide.set"
printf 'set -g mouse on\nbind r source-file ~/.tmux.conf\n' >"$WORK/unrelated.set"
[[ $(content_type "$WORK/Pyramide.set") == "$TYPE" ]] ||
  fail "layout has type '$(content_type "$WORK/Pyramide.set")', expected $TYPE"
printf '[INFO] starting\r\n[INFO] stopped\n' >"$WORK/log.set"
for unrelated in unrelated log; do
  unrelated_type=$(content_type "$WORK/$unrelated.set")
  [[ -n $unrelated_type && $unrelated_type != "$TYPE" ]] || fail "$unrelated.set has type '$unrelated_type'"
done
grep -q "^MimeType=$TYPE;" "$entry" || fail "the thumbnailer entry is not for $TYPE"

# --- the thumbnailer, run as a file manager runs it ---------------------------------------------
run_thumbnailer() {  # run_thumbnailer <input> <output> <size>
  local exec_line
  exec_line=$(sed -n 's/^Exec=//p' "$entry")
  exec_line=${exec_line//%i/$1}
  exec_line=${exec_line//%o/$2}
  exec_line=${exec_line//%s/$3}
  # The file manager splits the line at blanks; the paths here have none.
  read -r -a argv <<<"$exec_line"
  PATH=$PREFIX/bin:$PATH "${argv[@]}"
}

for size in 128 256; do
  out=$WORK/thumb-$size.png
  run_thumbnailer "$WORK/Pyramide.set" "$out" "$size" || fail "thumbnailer failed for size $size"
  read -r format width height opaque <<<"$(identify -format '%m %w %h %[opaque]' "$out")"
  [[ $format == PNG ]] || fail "thumbnail is $format, not PNG"
  longer=$((width > height ? width : height))
  ((longer <= size && longer * 10 >= size * 9)) || fail "thumbnail of ${width}x$height does not fit $size"
  [[ ${opaque,,} == false ]] || fail "thumbnail has no transparent background"
  # Tiles cover a good part of it: the mean opacity lies well between empty and full.
  mean_alpha=$(identify -format '%[fx:int(100*mean.a)]' "$out")
  ((mean_alpha > 30 && mean_alpha < 95)) || fail "thumbnail opacity $mean_alpha% does not look like a layout"
done

if run_thumbnailer "$WORK/missing.set" "$WORK/missing.png" 128 2>"$WORK/err.txt"; then
  fail "thumbnailer succeeded for a missing file"
fi
[[ ! -e $WORK/missing.png ]] || fail "a picture was written for a missing file"
echo "PASS: thumbnail"
