# What `cmake --install` puts where (the folders are named in DunwakeInstallDirs.cmake):
#
#   bin/dunwake, bin/dunwake-ctl
#   share/dunwake/               skin/, DefaultData/, language files, Font/ (private fonts)
#   share/applications/dunwake.desktop
#   share/icons/hicolor/{48x48,128x128,256x256,scalable}/apps/dunwake.{png,svg}
#   lib/udev/rules.d/70-dunwake.rules

include(${CMAKE_CURRENT_LIST_DIR}/DunwakeInstallDirs.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/DunwakeFonts.cmake)

set(_dw_packaging "${PROJECT_SOURCE_DIR}/packaging")

if(TARGET dunwake)
  install(TARGETS dunwake RUNTIME DESTINATION ${DW_INSTALL_BINDIR})
endif()
if(TARGET dunwake-ctl)
  install(TARGETS dunwake-ctl RUNTIME DESTINATION ${DW_INSTALL_BINDIR})
endif()

set(_dw_resource_excludes "")
foreach(_dw_folder IN LISTS DW_RESOURCES_NOT_INSTALLED)
  list(APPEND _dw_resource_excludes REGEX "/resources/${_dw_folder}(/.*)?$" EXCLUDE)
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
