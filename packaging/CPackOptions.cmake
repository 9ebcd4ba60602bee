# Read by cpack for each generator before it installs anything.
if(CPACK_GENERATOR STREQUAL "DEB")
    # DebianInstall.cmake installs the project in Debian's layout instead of
    # cpack's own install, which would use the plain layout.
    set(CPACK_INSTALL_CMAKE_PROJECTS "")
endif()
