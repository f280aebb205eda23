# The Debian package, made by `make deb`: dependencies computed from the binaries, the fonts
# the panel draws with recommended, the portal Plasma's Wayland session needs suggested.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zorv developers")
set(CPACK_PACKAGE_CONTACT "The Zorv developers <developers@zorv.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_SOURCE_DIR}/dist)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt loads its X11 plugin at run time, so the binaries' libraries do not name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-noto-cjk, fonts-noto-color-emoji, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-desktop-portal-kde")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "write text and make it the clipboard's content
Zorv is a small writing tool whose one idea is that what you write becomes
the clipboard's content. A system-wide hotkey summons a floating panel with
a plain-text editor (line numbers, indentation folding, indent guides,
colouring for HTML, CSS and JavaScript, seven themes). Confirming puts the
trimmed text on the clipboard, keeps it as a card in a short history and
writes it into a memo, a Markdown file other programs may edit too.
.
Its texts are Japanese. zorv --toggle can be bound in any desktop's own
shortcut settings.")
include(CPack)
