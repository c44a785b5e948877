# Third-party libraries, cross-built once from Debian's source packages by
# tools/build-deps and reused by every later configure.
#
# KX_DEPS_DIR may point at another build tree's deps so that several build
# folders share one set of libraries.
set(KX_DEPS_DIR ${CMAKE_BINARY_DIR}/deps CACHE PATH "Prefix of the cross-built dependencies")

if(NOT EXISTS ${KX_DEPS_DIR}/.complete)
  message(STATUS "Building dependencies into ${KX_DEPS_DIR}")
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/tools/build-deps ${KX_DEPS_DIR}
    RESULT_VARIABLE deps_result)
  if(NOT deps_result EQUAL 0)
    message(FATAL_ERROR "tools/build-deps failed (${deps_result})")
  endif()
endif()

function(kx_import_static name lib)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION ${KX_DEPS_DIR}/lib/${lib}
    INTERFACE_INCLUDE_DIRECTORIES ${KX_DEPS_DIR}/include)
endfunction()

# zlib is Debian's own cross-built package.
add_library(deps_zlib STATIC IMPORTED GLOBAL)
set_target_properties(deps_zlib PROPERTIES IMPORTED_LOCATION /usr/i686-w64-mingw32/lib/libz.a)
add_library(ZLIB::ZLIB ALIAS deps_zlib)

kx_import_static(deps_png libpng16.a)
set_property(TARGET deps_png PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
add_library(PNG::PNG ALIAS deps_png)

kx_import_static(deps_jpeg libjpeg.a)
add_library(JPEG::JPEG ALIAS deps_jpeg)

# The quiz tool keeps its texts as UTF-16, so pugixml runs in wide-character mode.
kx_import_static(deps_pugixml libpugixml.a)
set_property(TARGET deps_pugixml PROPERTY INTERFACE_COMPILE_DEFINITIONS PUGIXML_WCHAR_MODE)
add_library(pugixml::pugixml ALIAS deps_pugixml)

kx_import_static(deps_minizip libminizip.a)
set_property(TARGET deps_minizip PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
add_library(minizip::minizip ALIAS deps_minizip)

kx_import_static(deps_gtest libgtest.a)
kx_import_static(deps_gtest_main libgtest_main.a)
kx_import_static(deps_gmock libgmock.a)
set_property(TARGET deps_gtest_main PROPERTY INTERFACE_LINK_LIBRARIES deps_gtest)
set_property(TARGET deps_gmock PROPERTY INTERFACE_LINK_LIBRARIES deps_gtest)
add_library(GTest::gtest ALIAS deps_gtest)
add_library(GTest::gtest_main ALIAS deps_gtest_main)
add_library(GTest::gmock ALIAS deps_gmock)
