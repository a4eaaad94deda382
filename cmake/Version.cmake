# version.h for the sources, made from the version in the top project(); pt_version adds its folder.
if(NOT PelloxTermwright_VERSION)
  # A project of its own (the fuzz targets) reads it from the top CMakeLists.txt.
  file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt pt_project REGEX "^project\\(PelloxTermwright ")
  string(REGEX MATCH "VERSION ([0-9.]+)" pt_project "${pt_project}")
  set(PelloxTermwright_VERSION ${CMAKE_MATCH_1})
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
add_library(pt_version INTERFACE)
target_include_directories(pt_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
