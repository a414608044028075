# Makes a header folder of the build machine usable by a cross build: a
# folder in the build tree that links to `subdir` of /usr/include alone, so
# the rest of /usr/include stays out of the include path.
function(k470_host_header_folder subdir out_var)
  set(root ${CMAKE_BINARY_DIR}/host-headers/${subdir})
  if(NOT EXISTS ${root}/${subdir})
    if(NOT IS_DIRECTORY /usr/include/${subdir})
      message(FATAL_ERROR "/usr/include/${subdir} is missing: install its Debian package")
    endif()
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK /usr/include/${subdir} ${root}/${subdir} SYMBOLIC)
  endif()
  set(${out_var} ${root} PARENT_SCOPE)
endfunction()
