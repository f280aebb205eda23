#!/bin/sh
# Fails when a source file differs from the committed .clang-format style. Only clang-format
# 14 is trusted: other versions lay out some constructs differently. `make format` applies it.
cd "$(dirname "$0")/.." || exit 1
format=$(command -v clang-format-14 || command -v clang-format)
if [ -z "$format" ]; then
    echo "clang-format 14 is not installed (make deps-test installs it)"
    exit 1
fi
case $("$format" --version) in
*" version 14."*) ;;
*)
    echo "$format is not clang-format 14: $("$format" --version)"
    exit 1
    ;;
esac
if ! find src tests benchmarks tools -name '*.cpp' -o -name '*.h' | sort |
    xargs "$format" --dry-run --Werror; then
    echo "The files above differ from .clang-format: run make format."
    exit 1
fi
