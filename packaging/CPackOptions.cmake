# Read by cpack for each generator before it installs anything: the Debian
# packages get Debian's layout (see the install code in CMakeLists.txt).
if(CPACK_GENERATOR STREQUAL "DEB")
    set(ENV{NEBULARK_INSTALL_LAYOUT} debian)
endif()
