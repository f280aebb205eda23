# Installs what a desktop needs to know Zorv: the desktop entry, the AppStream metadata, the
# application icon in the hicolor theme, the manual page, and the licence where Debian looks.
set(ZORV_APP_ID org.zorv.Zorv)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZORV_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZORV_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256 512)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor/${size}x${size}/apps/${ZORV_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/artwork/ZorvDockIcon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ZORV_APP_ID}.svg)

# Debian wants manual pages and changelogs compressed, without a timestamp inside, and the
# licence and changelog under the package's own name.
function(zorv_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9nc ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
set(ZORV_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
zorv_gzip(${CMAKE_CURRENT_LIST_DIR}/zorv.1 ${CMAKE_CURRENT_BINARY_DIR}/zorv.1.gz)
zorv_gzip(${ZORV_PACKAGING_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_target(zorv_docs ALL
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/zorv.1.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorv.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ZORV_PACKAGING_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zorv)
