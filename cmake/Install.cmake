# cmake --install (and the Debian package, which is made from the same rules):
# the game, its data, a desktop entry, icons, the AppStream metadata, the
# manual page and the licence files, in the usual places under the prefix.
# The installed game finds its data from its own folder (game/session/folders.cpp) and
# keeps its state in the user's data folder.
include(GNUInstallDirs)

set(TARVEX_APP_ID "org.example.RailsAgainstTime" CACHE STRING
    "The AppStream component id (reverse domain name of the project's home)")
set(TARVEX_HOMEPAGE "https://rails-against-time.example.org" CACHE STRING
    "The project's home page, written into the package and the metadata")
set(TARVEX_SCREENSHOT_URL "${TARVEX_HOMEPAGE}/docs" CACHE STRING
    "Where the committed docs/*.png are published, for the metadata's screenshots")
set(TARVEX_RELEASE_DATE "2026-12-08" CACHE STRING "The date of this version's release (YYYY-MM-DD)")

set(TARVEX_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/rails-against-time/data)
set(TARVEX_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/rails-against-time)
set(TARVEX_GENERATED_INSTALL ${PROJECT_BINARY_DIR}/install)

if(TARGET rails-against-time)
  install(TARGETS rails-against-time RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The data with its licence notes.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${TARVEX_INSTALL_DATA_DIR})

# The desktop entry and the metadata are named after the component id, as
# software centres look them up.
configure_file(${PROJECT_SOURCE_DIR}/install/rails-against-time.desktop
               ${TARVEX_GENERATED_INSTALL}/${TARVEX_APP_ID}.desktop COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/install/rails-against-time.metainfo.xml.in
               ${TARVEX_GENERATED_INSTALL}/${TARVEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${TARVEX_GENERATED_INSTALL}/${TARVEX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TARVEX_GENERATED_INSTALL}/${TARVEX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${PROJECT_SOURCE_DIR}/install/rails-against-time.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/install/icons/${size}x${size}/rails-against-time.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Files installed gzipped (the manual page, the package's change log) are
# packed at build time without a time stamp, so the same sources always give
# the same bytes.
function(tarvex_gzipped_file source target)
  add_custom_command(OUTPUT ${source}.gz
                     COMMAND gzip -9nkf ${source}
                     DEPENDS ${source})
  add_custom_target(${target} ALL DEPENDS ${source}.gz)
endfunction()

configure_file(${PROJECT_SOURCE_DIR}/install/rails-against-time.6.in
               ${TARVEX_GENERATED_INSTALL}/rails-against-time.6 @ONLY)
tarvex_gzipped_file(${TARVEX_GENERATED_INSTALL}/rails-against-time.6 tarvex_manual_page)
install(FILES ${TARVEX_GENERATED_INSTALL}/rails-against-time.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

install(FILES ${PROJECT_SOURCE_DIR}/install/copyright ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${TARVEX_INSTALL_DOC_DIR})
