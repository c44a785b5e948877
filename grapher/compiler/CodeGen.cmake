# Code generator of the formula compiler: trees, constant pool, register model and emission.
target_sources(kx_compiler PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/KCompilerTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KCompilerPool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KCompilerCode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KCompilerWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KCompilerArgs.cpp)
