# nlohmann-json (nlohmann-json3-dev) for a cross build; see host_headers.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
if(NOT TARGET nlohmann_json::nlohmann_json)
  k470_host_header_folder(nlohmann k470_json_include)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES ${k470_json_include})
endif()
set(nlohmann_json_FOUND TRUE)
