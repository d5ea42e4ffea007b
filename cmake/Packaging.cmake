# Installation and packages.
#
# The program reads and writes its settings beside its executable, so it is
# installed into a folder of its own: the install prefix IS the program
# folder (/opt/kxrcontrol unless another prefix is given). Inside it: the
# three programs, the run-time tree (APP, TitleBar, UserDefaultEDID,
# UserCmdConfig), the launchers in bin/ (they run a per-user copy of the
# folder, see packaging/kxrcontrol-launcher), and the desktop entry, icon,
# kxrctl's manual page and bash completion in share/. The .deb installs into /opt/kxrcontrol and links the launchers
# into /usr/bin and the desktop entry and icon into /usr/share.

# Installing and packaging need the three programs only, not the tests and
# benchmarks: build those targets first (scripts/check-deb does).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "/opt/kxrcontrol" CACHE PATH "The program's own folder" FORCE)
endif()

install(TARGETS kxrcontrol kxrctl kxr-devsim kxr-gateway RUNTIME DESTINATION .)
# The gateway's service unit and default configuration; the .deb puts them in
# the system's places, installed disabled (packaging/debian/postinst).
install(FILES ${CMAKE_SOURCE_DIR}/packaging/gateway/kxr-gateway.service DESTINATION share/systemd)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/gateway/kxr-gateway.conf DESTINATION share/kxr-gateway)
install(FILES ${CMAKE_SOURCE_DIR}/docs/gateway.md DESTINATION share/doc RENAME kxr-gateway.md)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION . PATTERN .gitkeep EXCLUDE)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/kxrcontrol-launcher DESTINATION bin RENAME kxrcontrol)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/kxrcontrol-launcher DESTINATION bin RENAME kxrctl)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/kxrcontrol.desktop DESTINATION share/applications)
# kxrctl's manual page and bash completion (the .deb links them into /usr).
install(FILES ${CMAKE_SOURCE_DIR}/docs/kxrctl.1 DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/completion/kxrctl DESTINATION share/bash-completion/completions)
install(FILES ${CMAKE_SOURCE_DIR}/resources/TitleBar/Image/App.png
        DESTINATION share/icons/hicolor/64x64/apps RENAME kxrcontrol.png)

set(KXR_PACKAGE_MAINTAINER "KXR matrix control maintainers <maintainers@kxrcontrol.invalid>"
    CACHE STRING "Maintainer named in the .deb")

set(CPACK_PACKAGE_NAME kxrcontrol)
set(CPACK_PACKAGE_VENDOR "KXR matrix control")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Control tool for an HDMI matrix switcher and video-wall processor")
set(CPACK_PACKAGE_CONTACT "${KXR_PACKAGE_MAINTAINER}")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
# The archive holds the program folder itself, to unpack as /opt/kxrcontrol
# or anywhere else (the launchers find their folder).
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_SOURCE_DIR}/cmake/PackagingGenerators.cmake")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KXR_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The other language's texts are Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
# The summary above is the first line of the description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Switches inputs to outputs, configures signals, builds TV-wall splices and\n\
multiview layouts, moves EDIDs, recalls presets, drives IO and relays and\n\
configures the device's network module, over a serial port or TCP. With\n\
kxrctl, the command-line control, kxr-gateway, which shares one device link\n\
with the window, scripts and router-control clients, and kxr-devsim, the\n\
device simulator.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${CMAKE_SOURCE_DIR}/packaging/debian/postinst;${CMAKE_SOURCE_DIR}/packaging/debian/prerm")

include(CPack)
