# cmake --install: the game, its data, a desktop entry and an icon, in the
# usual places under the prefix. The installed game finds its data from its
# own folder (game/folders.cpp) and keeps its state in the user's data folder.
include(GNUInstallDirs)

set(TARVEX_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/rails-against-time/data)

if(TARGET rails-against-time)
  install(TARGETS rails-against-time RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The data with its licence notes.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${TARVEX_INSTALL_DATA_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/install/rails-against-time.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/install/rails-against-time.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
