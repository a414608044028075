# What K470Configuration.exe needs beside it on a Windows machine with nothing
# else installed: the Qt DLLs it and its plugins import, the windows platform
# plugin, the windowsvista style, and the mingw runtime DLLs that the Qt DLLs
# were linked against (the programs themselves link that runtime statically).
# Qt finds the plugins in the platforms/ and styles/ folders beside the
# program. PNG, the only picture format the program loads, is built into
# Qt6Gui: no image format plugin is needed. scripts/test-windows checks the
# installed folder with objdump: every DLL a file imports is a system DLL or
# one in the folder.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
        DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
        DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)

foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The mingw runtime ${dll} is not where ${CMAKE_CXX_COMPILER} says")
  endif()
  install(FILES ${path} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# install(FILES) copies as it is; `cmake --install --strip` and the installer
# strip these DLLs as they strip the programs (libstdc++ 24 MB to 2 MB).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.dll\")
    foreach(dll \${dlls})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

# Qt's own texts (the standard buttons, the file dialogs) in the languages the
# program is translated into, from Debian's qt6-translations-l10n: the
# program loads them from translations/ beside it (shell/translations.cc).
foreach(ts ${K470_TS_FILES})
  string(REGEX REPLACE ".*_([a-zA-Z_]+)\\.ts$" "\\1" language "${ts}")
  set(qm /usr/share/qt6/translations/qtbase_${language}.qm)
  if(NOT EXISTS ${qm})
    message(FATAL_ERROR "Qt's translation ${qm} is missing: install qt6-translations-l10n")
  endif()
  install(FILES ${qm} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
endforeach()
