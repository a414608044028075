# Man pages. Those of the command-line programs are made at build time from
# their own --help and --version by help2man, so a page cannot drift from the
# program; the desktop program has no --help and a page written by hand.
# Installed gzipped (-n: no time stamp, so the same build gives the same bytes).
# A cross build cannot run its programs for help2man, and Windows has no man.
if(WIN32 OR CMAKE_CROSSCOMPILING)
  set(K470_MAN_PAGES_DEFAULT OFF)
else()
  set(K470_MAN_PAGES_DEFAULT ON)
endif()
option(K470_BUILD_MAN_PAGES "Make man pages of k470ctl and k470sim with help2man"
       ${K470_MAN_PAGES_DEFAULT})
if(K470_BUILD_MAN_PAGES)
  find_program(K470_HELP2MAN help2man)
  find_program(K470_GZIP gzip REQUIRED)
  if(NOT K470_HELP2MAN)
    message(FATAL_ERROR "help2man not found: run scripts/install-deps, or configure with "
                        "-DK470_BUILD_MAN_PAGES=OFF")
  endif()
endif()

# k470_add_man_page(<program target> <one-line description> [<help option>])
function(k470_add_man_page program description)
  set(help_option --help)
  if(ARGC GREATER 2)
    set(help_option ${ARGV2})
  endif()
  if(NOT K470_BUILD_MAN_PAGES)
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${program}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${K470_HELP2MAN} --no-info --section=1 --name=${description}
            --help-option=${help_option}
            --output=${page} $<TARGET_FILE:${program}>
    COMMAND ${K470_GZIP} -9nkf ${page}
    DEPENDS ${program}
    COMMENT "Making the man page of ${program}"
    VERBATIM)
  add_custom_target(${program}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# k470_add_written_man_page(<page template NAME.1.in>): @VARIABLES@ filled in.
function(k470_add_written_man_page template)
  if(NOT K470_BUILD_MAN_PAGES)
    return()
  endif()
  get_filename_component(name ${template} NAME_WLE)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${name})
  configure_file(${template} ${page} @ONLY)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${K470_GZIP} -9nkf ${page}
    DEPENDS ${page}
    VERBATIM)
  add_custom_target(${name}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
