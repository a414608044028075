# The program's pictures are drawn as SVG files in resources/ and rendered at
# build time into PNG files at the sizes the program paints them, with a @2x
# file for high-density screens. The Windows Qt has no Qt Svg, and one set of
# PNG files makes Linux and Windows paint the very same pixels.
find_program(K470_RSVG_CONVERT rsvg-convert REQUIRED
             DOC "rsvg-convert (Debian package librsvg2-bin) renders the SVG pictures")

# k470_render_pictures(<name> <prefix> <alias>=<svg>:<width>x<height> ...)
#
# Renders each <svg> (relative to resources/) into <alias> (a PNG file name,
# possibly with folders) at exactly <width> x <height> pixels, writes a
# resource collection <name>.qrc that holds them under <prefix>, and returns
# its compiled source in <name>_SOURCES. The collection registers itself as
# Q_INIT_RESOURCE(<name>).
function(k470_render_pictures name prefix)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(qrc "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"${prefix}\">\n")
  foreach(entry ${ARGN})
    if(NOT entry MATCHES "^([^=]+\\.png)=([^:]+\\.svg):([0-9]+)x([0-9]+)$")
      message(FATAL_ERROR "k470_render_pictures: \"${entry}\" is not <alias>.png=<svg>:<w>x<h>")
    endif()
    set(alias ${CMAKE_MATCH_1})
    set(svg ${PROJECT_SOURCE_DIR}/resources/${CMAKE_MATCH_2})
    set(png ${out_dir}/${alias})
    get_filename_component(png_dir ${png} DIRECTORY)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${png_dir}
      COMMAND ${K470_RSVG_CONVERT} --width ${CMAKE_MATCH_3} --height ${CMAKE_MATCH_4}
              --output ${png} ${svg}
      DEPENDS ${svg}
      COMMENT "Rendering ${alias} (${CMAKE_MATCH_3} x ${CMAKE_MATCH_4})"
      VERBATIM)
    string(APPEND qrc "    <file>${alias}</file>\n")
  endforeach()
  string(APPEND qrc "  </qresource>\n</RCC>\n")
  # Written only when it changes, so an unchanged list compiles nothing anew.
  file(CONFIGURE OUTPUT ${out_dir}/${name}.qrc CONTENT "${qrc}" @ONLY)
  # rcc learns the PNG files from the collection and waits for their rendering.
  qt_add_resources(sources ${out_dir}/${name}.qrc)
  set(${name}_SOURCES ${sources} PARENT_SCOPE)
endfunction()
