#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it in a scratch folder, build/run/, whose
# layouts/ folder is seeded with the sample layouts of examples/layouts. Saving there never touches
# the tracked samples; layouts saved in earlier runs are kept, and a sample is copied only where no
# layout of that name exists yet. Extra arguments go to the editor.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
cmake --install "$top/build" --prefix "$top/build/install" >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "The editor is built (build/install/bin/tilvaro-editor), but there is no display to show it on:" >&2
  echo "set DISPLAY (or run inside a desktop session, or under 'xvfb-run -a') and try again." >&2
  exit 1
fi
scratch="$top/build/run"
mkdir -p "$scratch/layouts"
for sample in "$top"/examples/layouts/*; do
  [ -e "$scratch/layouts/$(basename "$sample")" ] || cp "$sample" "$scratch/layouts/"
done
cd "$scratch"
exec "$top/build/install/bin/tilvaro-editor" "$@"
