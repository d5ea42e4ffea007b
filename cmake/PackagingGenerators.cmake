# Read by CPack for each generator: the .deb installs into /opt/kxrcontrol,
# the archive holds the program folder under its top-level directory.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/opt/kxrcontrol")
else()
    set(CPACK_PACKAGING_INSTALL_PREFIX "/")
endif()
