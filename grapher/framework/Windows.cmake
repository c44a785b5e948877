# Window framework, windowed part: graphics, controls, forms, application,
# and the grapher's screen font. Included by this folder's CMakeLists.txt.

# --- Screen font ------------------------------------------------------------
# "kurvex.fon" (face "Kurvexsans") is rendered from DejaVu Sans by a host tool
# built with the host compiler; glyphs go to the TCVN3 codes of the
# framework's own table (Tcvn3.cpp). The font lands beside the programs.
find_program(KX_HOST_CXX NAMES g++ c++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
find_file(KX_SCREEN_FONT_SOURCE DejaVuSans.ttf REQUIRED NO_CMAKE_FIND_ROOT_PATH
          PATHS /usr/share/fonts/truetype/dejavu)
# The host's FreeType (Debian's libfreetype-dev) renders the outlines.
find_path(KX_HOST_FREETYPE_INCLUDE ft2build.h REQUIRED NO_CMAKE_FIND_ROOT_PATH
          PATHS /usr/include/freetype2 /usr/local/include/freetype2)

set(kx_fontgen_dir ${CMAKE_SOURCE_DIR}/tools/screenfont)
set(kx_fontgen_sources
  ${kx_fontgen_dir}/MakeScreenFont.cpp
  ${kx_fontgen_dir}/FontFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tcvn3.cpp)
set(kx_fontgen ${CMAKE_BINARY_DIR}/host/MakeScreenFont)
add_custom_command(
  OUTPUT ${kx_fontgen}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
  COMMAND ${KX_HOST_CXX} -std=c++17 -O2 -Wall -Wextra -I${kx_fontgen_dir}
          -I${CMAKE_CURRENT_LIST_DIR} -I${KX_HOST_FREETYPE_INCLUDE} ${kx_fontgen_sources} -lfreetype
          -o ${kx_fontgen}
  DEPENDS ${kx_fontgen_sources} ${kx_fontgen_dir}/FontFile.h ${CMAKE_CURRENT_LIST_DIR}/Tcvn3.h
  COMMENT "Building the screen-font generator (host)"
  VERBATIM)

set(KX_SCREEN_FONT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/kurvex.fon)
set(KX_SCREEN_FONT_GLYPHS ${CMAKE_BINARY_DIR}/tests/kurvex-glyphs.txt)
add_custom_command(
  OUTPUT ${KX_SCREEN_FONT} ${KX_SCREEN_FONT_GLYPHS}
  COMMAND ${kx_fontgen} ${KX_SCREEN_FONT_SOURCE} 11 ${KX_SCREEN_FONT} ${KX_SCREEN_FONT_GLYPHS}
  DEPENDS ${kx_fontgen}
  COMMENT "Generating kurvex.fon"
  VERBATIM)
add_custom_target(kurvex_font ALL DEPENDS ${KX_SCREEN_FONT} ${KX_SCREEN_FONT_GLYPHS})

# --- Windowed framework library ---------------------------------------------
add_library(kx_windows STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Graphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsPictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Jpeg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlsWin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormsApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExtCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Grids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlClasses.cpp
)
target_include_directories(kx_windows PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(kx_windows PUBLIC kx_framework JPEG::JPEG
  comctl32 comdlg32 msimg32 gdi32 user32)
