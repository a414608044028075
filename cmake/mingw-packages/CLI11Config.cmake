# CLI11 (libcli11-dev) for a cross build; see host_headers.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
if(NOT TARGET CLI11::CLI11)
  k470_host_header_folder(CLI k470_cli11_include)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES ${k470_cli11_include})
endif()
set(CLI11_FOUND TRUE)
