# Run by cpack when it stages the files of a package. For the Debian package
# the project is installed here, under /usr with the launcher in /usr/games and
# the program it starts in /usr/lib/games/nebulark, where Debian keeps a game's
# private binaries. cpack has already set DESTDIR to its staging folder.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(NEBULARK_INSTALL_BINDIR games)
    set(NEBULARK_INSTALL_GAMEDIR lib/games/nebulark)
    set(CMAKE_INSTALL_PREFIX "${CPACK_PACKAGING_INSTALL_PREFIX}")
    set(CMAKE_INSTALL_DO_STRIP "${CPACK_STRIP_FILES}")
    set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
    include("${CPACK_NEBULARK_BUILD_DIR}/cmake_install.cmake")
endif()
