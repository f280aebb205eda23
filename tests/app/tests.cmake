# Tests of the application shell.
zorv_add_test(tst_appshell app/tst_appshell.cpp)

# No Mac key glyph or Mac program name in a text the user reads.
# The desktop entry and the package's metadata are read by users too.
add_test(NAME linux_words COMMAND sh -c "! grep -rnE '\"[^\"]*(⌘|⌃|⌥|Finder|macOS)' ${CMAKE_SOURCE_DIR}/src && ! grep -rnE '⌘|⌃|⌥|Finder|macOS' --include=*.desktop --include=*.xml ${CMAKE_SOURCE_DIR}/resources")
