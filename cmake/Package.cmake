# The Debian package: `cpack -G DEB` in the build folder makes
# rails-against-time_<version>_<arch>.deb from the install rules of
# cmake/Install.cmake, installed under /usr. Its dependencies are computed
# from the binary by dpkg-shlibdeps.
set(TARVEX_PACKAGE_MAINTAINER "Rails Against Time maintainers <maintainers@users.noreply.c-seed-bebcf45e.example>"
    CACHE STRING "The package's Maintainer field: a name and an address")

# The change log Debian wants beside the copyright file of a package.
configure_file(${PROJECT_SOURCE_DIR}/install/changelog.in ${TARVEX_GENERATED_INSTALL}/changelog @ONLY)
tarvex_gzipped_file(${TARVEX_GENERATED_INSTALL}/changelog tarvex_package_changelog)
install(FILES ${TARVEX_GENERATED_INSTALL}/changelog.gz DESTINATION ${TARVEX_INSTALL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rails-against-time)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Rails Against Time developers")
set(CPACK_PACKAGE_CONTACT ${TARVEX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The shipped binary carries no debugging symbols.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TARVEX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARVEX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The first line is the summary; the rest is the one-paragraph description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "puzzle game: lay railway track against the clock
A steam train waits by the start of each of fifteen boards, and when its
countdown runs out it rolls over whatever track you have managed to build.
Order rail pieces with iron, let a small crew of workers build them, clear
stones, mine iron, pick up gold, and chase off the bandits and raiders who
steal iron or tear up track. Won levels unlock the next on a scenario map,
where gold buys more workers; progress is saved.")

include(CPack)
