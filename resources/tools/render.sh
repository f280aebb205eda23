#!/bin/sh
# Re-renders every PNG in resources/ from its SVG source.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TMPDIR:-/tmp}/zorv-artwork-build
cmake -S "$here/tools" -B "$build" -G Ninja >/dev/null
cmake --build "$build" >/dev/null
render() { QT_QPA_PLATFORM=offscreen "$build/render_artwork" "$1" "$2" "$3"; }

render "$here/artwork/ZorvRabbit.svg" "$here/images/ZorvRabbit.png" 256
render "$here/artwork/ZorvDockIcon.svg" "$here/images/AppIcon.png" 256
for size in 16 32 48 64 128 256 512; do
    mkdir -p "$here/icons/hicolor/${size}x${size}/apps"
    render "$here/artwork/ZorvDockIcon.svg" "$here/icons/hicolor/${size}x${size}/apps/org.zorv.Zorv.png" "$size"
done
