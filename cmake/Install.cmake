# What `cmake --install` puts where. The layout is fixed by how the installed program finds its
# resources: `dunwake` looks for them in ../share/dunwake relative to its own folder, so the
# binaries go to bin/ and the resources to share/dunwake/ under the same prefix, whatever the
# GNU directory variables say.
#
#   bin/dunwake, bin/dunwake-ctl
#   share/dunwake/               skin/, DefaultData/, language files, Font/ (private fonts)
#   share/applications/dunwake.desktop
#   share/icons/hicolor/{48x48,128x128,256x256,scalable}/apps/dunwake.{png,svg}
#   lib/udev/rules.d/70-dunwake.rules

include(${CMAKE_CURRENT_LIST_DIR}/DunwakeFonts.cmake)

set(DW_INSTALL_BINDIR "bin")
set(DW_INSTALL_RESOURCEDIR "share/dunwake")

# udev reads /usr/lib/udev/rules.d and /usr/local/lib/udev/rules.d (and /etc/udev/rules.d), so
# the default suits the /usr and /usr/local prefixes. For another prefix, point this at a folder
# udev reads, or copy the rule into /etc/udev/rules.d by hand.
set(DW_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Where the udev rule is installed; relative paths are below the install prefix")

# Folders of resources/ that are not part of the installed program: the skin's image generator
# is a development tool, and Font/ is filled from the system's fonts below (a developer's local
# font files there are never shipped). The install test reads the same list.
set(DW_RESOURCES_NOT_INSTALLED "skin/tools;Font")

set(_dw_packaging "${PROJECT_SOURCE_DIR}/packaging")

if(TARGET dunwake)
  install(TARGETS dunwake RUNTIME DESTINATION ${DW_INSTALL_BINDIR})
endif()
if(TARGET dunwake-ctl)
  install(TARGETS dunwake-ctl RUNTIME DESTINATION ${DW_INSTALL_BINDIR})
endif()

set(_dw_resource_excludes "")
foreach(_dw_folder IN LISTS DW_RESOURCES_NOT_INSTALLED)
  list(APPEND _dw_resource_excludes REGEX "^${PROJECT_SOURCE_DIR}/resources/${_dw_folder}(/.*)?$" EXCLUDE)
endforeach()
install(DIRECTORY "${PROJECT_SOURCE_DIR}/resources/"
        DESTINATION ${DW_INSTALL_RESOURCEDIR}
        ${_dw_resource_excludes})

foreach(_dw_name _dw_file IN ZIP_LISTS DW_PRIVATE_FONT_NAMES DW_PRIVATE_FONT_SOURCES)
  install(FILES "${_dw_file}" DESTINATION ${DW_INSTALL_RESOURCEDIR}/Font RENAME "${_dw_name}")
endforeach()

install(FILES "${_dw_packaging}/dunwake.desktop" DESTINATION share/applications)
foreach(_dw_size 48 128 256)
  install(FILES "${_dw_packaging}/icons/${_dw_size}.png"
          DESTINATION share/icons/hicolor/${_dw_size}x${_dw_size}/apps RENAME dunwake.png)
endforeach()
install(FILES "${_dw_packaging}/dunwake.svg" DESTINATION share/icons/hicolor/scalable/apps)
install(FILES "${_dw_packaging}/70-dunwake.rules" DESTINATION ${DW_UDEV_RULES_DIR})
