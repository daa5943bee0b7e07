# The interface pictures. Every picture is an SVG source below gfx-src/,
# rendered at build time: into the theme packages gfx/NAME.zip next to the
# program, and into the pictures compiled into the program.

find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert not found: the interface pictures cannot be rendered. "
                      "Install librsvg2-bin (scripts/install-deps.sh).")
endif()

set(PICTURE_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(PICTURE_STAGE_DIR ${CMAKE_BINARY_DIR}/gfx-stage)
set(THEME_PACKAGE_DIR ${CMAKE_BINARY_DIR}/gfx)

# Control name = picture base name, in the order of the icon tables.
set(ICON_PICTURES
  New=page Add=page-plus InFiles=files InFolder=folder-files OutFolder=folder-out
  OutFormat=sliders FavFolder=folder-star ImportFiles=tray-in ExportFiles=tray-out Exit=exit
  Copy=copy Delete=delete SelectAll=select-all Convert=convert Error=warning
  Preferences=gear CustomConverter=file-search Help=help Email=envelope Web=globe
  Updates=updates About=about)
set(ICON_SIZES 16 24 32 48 64)
# Control name = picture base name : side in pixels. Convert fills a 100x100
# button with a margin; the other two suit a 48-pixel button.
set(BUTTON_PICTURES Convert=button-convert:80 InFiles=button-files:48 InFolder=button-folder:48)
# Package key = display name.
set(THEMES handdrawn=Hand-drawn flat=Flat)
# The theme whose icons (at every size) and Convert button are also built in.
set(BUILTIN_THEME flat)

# A new 16-pixel variant is picked up without a manual reconfigure.
file(GLOB PICTURE_SOURCES CONFIGURE_DEPENDS ${PICTURE_SOURCE_DIR}/*/*.svg ${PICTURE_SOURCE_DIR}/*/*/*.svg)

function(require_picture_source path)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "Missing picture source ${path}")
  endif()
endfunction()

# render_picture(<svg> <png> <width> <height>): one build rule per picture.
function(render_picture svg png width height)
  require_picture_source(${svg})
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${RSVG_CONVERT} --width=${width} --height=${height} --output=${png} ${svg}
    DEPENDS ${svg}
    COMMENT "Rendering ${png}"
    VERBATIM)
endfunction()

# The icon source for a size: a drawing of its own for 16 pixels where one
# exists (detail that would blur is left out), otherwise the full drawing.
function(icon_source theme base size out)
  set(small ${PICTURE_SOURCE_DIR}/${theme}/icons-16/${base}.svg)
  if(size EQUAL 16 AND EXISTS ${small})
    set(${out} ${small} PARENT_SCOPE)
  else()
    set(${out} ${PICTURE_SOURCE_DIR}/${theme}/icons/${base}.svg PARENT_SCOPE)
  endif()
endfunction()

set(THEME_PACKAGES)
foreach(theme_pair IN LISTS THEMES)
  string(REPLACE "=" ";" theme_fields ${theme_pair})
  list(GET theme_fields 0 theme)
  list(GET theme_fields 1 display_name)
  set(stage ${PICTURE_STAGE_DIR}/${theme})
  file(MAKE_DIRECTORY ${stage})

  # theme.cfg: CR LF line ends; "Theme" with "Name" first, within the 255
  # bytes the display name is read from.
  set(cfg "[Theme]\nName=${display_name}\n\n[Buttons]\n")
  set(members theme.cfg)
  set(member_paths)
  foreach(button IN LISTS BUTTON_PICTURES)
    string(REGEX MATCH "^([^=]+)=([^:]+):([0-9]+)$" unused ${button})
    set(base ${CMAKE_MATCH_2})
    string(APPEND cfg "${CMAKE_MATCH_1}=${base}.png\n")
    render_picture(${PICTURE_SOURCE_DIR}/${theme}/buttons/${base}.svg ${stage}/${base}.png
                   ${CMAKE_MATCH_3} ${CMAKE_MATCH_3})
    list(APPEND members ${base}.png)
    list(APPEND member_paths ${stage}/${base}.png)
  endforeach()
  string(APPEND cfg "\n[Icons]\n")
  foreach(icon IN LISTS ICON_PICTURES)
    string(REPLACE "=" ";" icon_fields ${icon})
    list(GET icon_fields 0 control)
    list(GET icon_fields 1 base)
    string(APPEND cfg "${control}=${base}\n")
    foreach(size IN LISTS ICON_SIZES)
      icon_source(${theme} ${base} ${size} svg)
      render_picture(${svg} ${stage}/${base}_${size}.png ${size} ${size})
      list(APPEND members ${base}_${size}.png)
      list(APPEND member_paths ${stage}/${base}_${size}.png)
    endforeach()
  endforeach()
  file(GENERATE OUTPUT ${stage}/theme.cfg CONTENT "${cfg}" NEWLINE_STYLE CRLF)

  set(package ${THEME_PACKAGE_DIR}/${theme}.zip)
  add_custom_command(
    OUTPUT ${package}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${THEME_PACKAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${package}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${package} --format=zip --mtime=2024-01-01 ${members}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${member_paths} ${stage}/theme.cfg
    COMMENT "Packing theme ${theme}"
    VERBATIM)
  list(APPEND THEME_PACKAGES ${package})
endforeach()
add_custom_target(theme_packages ALL DEPENDS ${THEME_PACKAGES})

# Built-in pictures: the icons under their control names and sizes
# ("Add_32"), so that the toolbar stays sharp without a theme package, the
# Convert button's picture and the about box's banner.
set(builtin_stage ${PICTURE_STAGE_DIR}/builtin)
file(MAKE_DIRECTORY ${builtin_stage})
set(builtin_list)
set(builtin_paths)
foreach(icon IN LISTS ICON_PICTURES)
  string(REPLACE "=" ";" icon_fields ${icon})
  list(GET icon_fields 0 control)
  list(GET icon_fields 1 base)
  foreach(size IN LISTS ICON_SIZES)
    icon_source(${BUILTIN_THEME} ${base} ${size} svg)
    render_picture(${svg} ${builtin_stage}/${control}_${size}.png ${size} ${size})
    string(APPEND builtin_list "${control}_${size} ${builtin_stage}/${control}_${size}.png\n")
    list(APPEND builtin_paths ${builtin_stage}/${control}_${size}.png)
  endforeach()
endforeach()
render_picture(${PICTURE_SOURCE_DIR}/${BUILTIN_THEME}/buttons/button-convert.svg
               ${builtin_stage}/ConvertButton.png 80 80)
render_picture(${PICTURE_SOURCE_DIR}/builtin/banner.svg ${builtin_stage}/Banner.png 360 40)
string(APPEND builtin_list "ConvertButton ${builtin_stage}/ConvertButton.png\n")
string(APPEND builtin_list "Banner ${builtin_stage}/Banner.png\n")
list(APPEND builtin_paths ${builtin_stage}/ConvertButton.png ${builtin_stage}/Banner.png)
file(GENERATE OUTPUT ${builtin_stage}/pictures.txt CONTENT "${builtin_list}")

set(BUILTIN_PICTURES_SOURCE ${CMAKE_BINARY_DIR}/generated/builtin_picture_data.cpp)
add_custom_command(
  OUTPUT ${BUILTIN_PICTURES_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DLIST=${builtin_stage}/pictures.txt -DOUTPUT=${BUILTIN_PICTURES_SOURCE}
          -P ${PICTURE_SOURCE_DIR}/embed_pictures.cmake
  DEPENDS ${builtin_paths} ${builtin_stage}/pictures.txt ${PICTURE_SOURCE_DIR}/embed_pictures.cmake
  COMMENT "Compiling in the built-in pictures"
  VERBATIM)

include(GNUInstallDirs)
install(FILES ${THEME_PACKAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/korvane/gfx)
