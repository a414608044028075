# The Windows installer, made with `cpack -G NSIS` in the Windows build folder
# (scripts/test-windows builds, installs and uninstalls it under wine):
# K470Configuration-<version>-win64.exe. It installs the program folder
# (K470Configuration.exe with its DLLs and plugins, k470ctl.exe), a Start-menu
# entry, an uninstaller listed under Apps, and the .K470 file type, whose
# files open in the program. The uninstaller removes all of that and leaves
# the user's own files (the .ini file, settings files) alone.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME K470Configuration)
set(CPACK_PACKAGE_VENDOR "K470Configuration developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the K470 UHF RFID reader")
set(CPACK_PACKAGE_FILE_NAME K470Configuration-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY K470Configuration)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY K470Configuration)
set(CPACK_STRIP_FILES ON)
# The NSIS commands below hold backslashes and quotes that must reach NSIS as they stand.
set(CPACK_VERBATIM_VARIABLES ON)

# A 64-bit installer for a 64-bit program: CPack's template builds a 32-bit
# one, which 64-bit-only Windows installs (and Debian's wine64) cannot run.
# The template is CMake's own, with the target set after its first line.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
string(FIND "${nsis_template}" "\n" first_line_end)
string(SUBSTRING "${nsis_template}" 0 ${first_line_end} first_line)
math(EXPR rest_begin "${first_line_end} + 1")
string(SUBSTRING "${nsis_template}" ${rest_begin} -1 rest)
file(WRITE ${PROJECT_BINARY_DIR}/packaging/nsis/NSIS.template.in
     "${first_line}\nTarget amd64-unicode\n${rest}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/packaging/nsis)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")

set(CPACK_NSIS_DISPLAY_NAME "K470Configuration ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "K470Configuration ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME K470Configuration.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MENU_LINKS K470Configuration.exe K470Configuration)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)

# The .K470 file type. The class is the program's own; ".K470" itself is
# removed on uninstall only while it still names that class. The uninstaller
# also removes the vendor key that CPack's own commands leave empty.
set(k470_class K470Configuration.SettingsFile)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr SHCTX "Software\Classes\.K470" "" "@k470_class@"
  WriteRegStr SHCTX "Software\Classes\@k470_class@" "" "K470 settings file"
  WriteRegStr SHCTX "Software\Classes\@k470_class@\DefaultIcon" "" "$INSTDIR\K470Configuration.exe,0"
  WriteRegStr SHCTX "Software\Classes\@k470_class@\shell\open\command" "" '"$INSTDIR\K470Configuration.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey SHCTX "Software\Classes\@k470_class@"
  DeleteRegKey SHCTX "Software\@CPACK_PACKAGE_VENDOR@\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"
  DeleteRegKey /ifempty SHCTX "Software\@CPACK_PACKAGE_VENDOR@"
  ReadRegStr $0 SHCTX "Software\Classes\.K470" ""
  StrCmp $0 "@k470_class@" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.K470"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
string(CONFIGURE "${CPACK_NSIS_EXTRA_INSTALL_COMMANDS}" CPACK_NSIS_EXTRA_INSTALL_COMMANDS @ONLY)
string(CONFIGURE "${CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS}" CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
       @ONLY)
include(CPack)
