#!/bin/sh
# Renders the main window with every page of one model per family, and the
# pleasing alert editor and the keypad dialog, at 100 % and 200 %
# into FOLDER/scale-1 and FOLDER/scale-2 (default: build/screenshots), on a
# virtual X display.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${1:-$build/screenshots}
tool=$build/tools/screenshots/zelta-page-screenshots
if [ ! -x "$tool" ]; then
  cmake --build "$build" --target zelta-page-screenshots
fi
for scale in 1 2; do
  xvfb-run -a -s "-screen 0 2560x1600x24" "$tool" "$out/scale-$scale" --scale "$scale"
done
echo "screenshots in $out"
