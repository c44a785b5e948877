# The ZIP layer of the quiz tool's runtime, included by this folder's CMakeLists.txt.
target_sources(tq_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ZipNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipPack.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipUnpack.cpp)
target_link_libraries(tq_runtime PUBLIC minizip::minizip)
