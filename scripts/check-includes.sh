#!/bin/sh
# Fails when a file under src/ includes a header from a subsystem above its own. Dependencies
# point down only:
#     app -> windows, settings -> views, editor -> hotkey, model -> platform
# (src/main.cpp belongs to app). Subsystems on one level may include each other; subfolders
# belong to their subsystem (src/platform/x11/ is platform). X11 and XCB headers stay in
# platform, so their macros never reach the rest.
cd "$(dirname "$0")/.." || exit 1
find src -name '*.cpp' -o -name '*.h' | sort | xargs awk '
BEGIN {
    level["platform"] = 1
    level["hotkey"] = 2; level["model"] = 2
    level["views"] = 3; level["editor"] = 3
    level["windows"] = 4; level["settings"] = 4
    level["app"] = 5
}
FNR == 1 {
    n = split(FILENAME, part, "/")
    own = n > 2 ? part[2] : "app"
}
/^[ \t]*#[ \t]*include[ \t]*"/ {
    header = $0
    sub(/^[^"]*"/, "", header)
    sub(/".*/, "", header)
    while (header ~ /^\.\.\//)
        sub(/^\.\.\//, "", header)
    split(header, hpart, "/")
    other = hpart[1]
    if (other in level && own in level && level[other] > level[own]) {
        printf "%s:%d: includes %s: %s must not depend on %s\n", FILENAME, FNR, header, own, other
        bad++
    }
}
/^[ \t]*#[ \t]*include[ \t]*<(X11|xcb)\// && own != "platform" {
    printf "%s:%d: %s: X11 and XCB headers belong in src/platform\n", FILENAME, FNR, $0
    bad++
}
END {
    if (bad) {
        print "Includes point down only: app -> windows, settings -> views, editor -> hotkey, model -> platform."
        print "Move what the lower subsystem needs down into it, or let the caller above pass it in."
        exit 1
    }
}'
