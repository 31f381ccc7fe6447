# The four private fonts the program loads from its resource folder's "Font" folder at start-up.
#
# No font file is kept in the repository. Each private name is served by a free font from a
# Debian package, taken under the name the program and the skin use: the first candidate file
# that exists wins. A name none of whose candidates is installed is left out; the program then
# skips that font and draws with the system's fonts.
#
# Some candidates are font collections (.ttc). They are taken as they are: the program hands the
# file's bytes to the font engine, which reads a collection whatever the file is called, and every
# face of the collection becomes available.
#
# Sets, for Install.cmake and the tests:
#   DW_PRIVATE_FONT_NAMES      the private names served on this machine
#   DW_PRIVATE_FONT_SOURCES    the system file serving each of them (same order, links resolved)
#   DW_PRIVATE_FONT_STAGING    a build-tree folder holding a link to each, under its private name
#   DW_PRIVATE_FONT_PACKAGES   the Debian packages the candidates come from

set(DW_SYSTEM_FONT_DIR "/usr/share/fonts" CACHE PATH
    "Folder holding the system's font files, searched for the private fonts")

# private name | Debian package | file below DW_SYSTEM_FONT_DIR. Several rows per name are
# candidates in order of preference.
set(_dw_font_candidates
  "Simplified_Chinese.ttf|fonts-wqy-microhei|truetype/wqy/wqy-microhei.ttc"
  "Simplified_Chinese.ttf|fonts-noto-cjk|opentype/noto/NotoSansCJK-Regular.ttc"
  "Predator-Regular.otf|fonts-manrope|truetype/manrope/Manrope-Regular.ttf"
  "Predator-Regular.otf|fonts-dejavu-core|truetype/dejavu/DejaVuSans.ttf"
  "NotoSansThai-Regular.ttf|fonts-noto-core|truetype/noto/NotoSansThai-Regular.ttf"
  "NotoSansCJKtc-Regular.otf|fonts-noto-cjk|opentype/noto/NotoSansCJK-Regular.ttc"
)

set(DW_PRIVATE_FONT_NAMES "")
set(DW_PRIVATE_FONT_SOURCES "")
set(DW_PRIVATE_FONT_PACKAGES "")
set(DW_PRIVATE_FONT_STAGING "${CMAKE_BINARY_DIR}/fonts")

foreach(_dw_row IN LISTS _dw_font_candidates)
  string(REPLACE "|" ";" _dw_fields "${_dw_row}")
  list(GET _dw_fields 0 _dw_name)
  list(GET _dw_fields 1 _dw_package)
  list(GET _dw_fields 2 _dw_relative)
  list(APPEND DW_PRIVATE_FONT_PACKAGES "${_dw_package}")
  if(_dw_name IN_LIST DW_PRIVATE_FONT_NAMES)
    continue()
  endif()
  set(_dw_file "${DW_SYSTEM_FONT_DIR}/${_dw_relative}")
  if(EXISTS "${_dw_file}" AND NOT IS_DIRECTORY "${_dw_file}")
    # Installing a symbolic link would install the link, not the font: take the real file.
    file(REAL_PATH "${_dw_file}" _dw_file)
    list(APPEND DW_PRIVATE_FONT_NAMES "${_dw_name}")
    list(APPEND DW_PRIVATE_FONT_SOURCES "${_dw_file}")
  endif()
endforeach()
list(REMOVE_DUPLICATES DW_PRIVATE_FONT_PACKAGES)

# The build tree links to the system files instead of copying some 25 MB of fonts; the staging
# folder is laid anew at each configure so that a font package removed since then leaves no link.
file(REMOVE_RECURSE "${DW_PRIVATE_FONT_STAGING}")
file(MAKE_DIRECTORY "${DW_PRIVATE_FONT_STAGING}")
foreach(_dw_name _dw_file IN ZIP_LISTS DW_PRIVATE_FONT_NAMES DW_PRIVATE_FONT_SOURCES)
  file(CREATE_LINK "${_dw_file}" "${DW_PRIVATE_FONT_STAGING}/${_dw_name}" SYMBOLIC)
endforeach()

list(LENGTH DW_PRIVATE_FONT_NAMES _dw_font_count)
if(_dw_font_count LESS 4)
  list(JOIN DW_PRIVATE_FONT_PACKAGES " " _dw_packages)
  message(STATUS "Dunwake: ${_dw_font_count} of 4 private fonts found; the program falls back to "
                 "system fonts for the others (Debian packages: ${_dw_packages})")
endif()
