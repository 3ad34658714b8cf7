# SPDX-License-Identifier: GPL-3.0-or-later
# Installation and the ZIP package on Windows: the program, the shipped
# practice lists beside it (the game looks for it in the current directory,
# which is the program's folder when it is started from there) and the Qt
# run-time, deployed by Qt's own tool at install time.
#   cmake --install build --prefix C:/Zembrot     (or: cd build && cpack -G ZIP)

install(TARGETS zembrot RUNTIME DESTINATION .)
install(FILES ${ZEMBROT_PRACTICE_LISTS} DESTINATION .)

# windeployqt sits in Qt's bin folder, beside qmake.
set(ZEMBROT_QT_BIN_HINTS "${Qt6_DIR}/../../../bin")
foreach(tool Qt6::windeployqt Qt6::qmake)
  if(TARGET ${tool})
    get_target_property(location ${tool} IMPORTED_LOCATION)
    if(NOT location)
      get_target_property(location ${tool} IMPORTED_LOCATION_RELEASE)
    endif()
    if(location)
      get_filename_component(directory "${location}" DIRECTORY)
      list(PREPEND ZEMBROT_QT_BIN_HINTS "${directory}")
    endif()
  endif()
endforeach()
find_program(ZEMBROT_WINDEPLOYQT windeployqt HINTS ${ZEMBROT_QT_BIN_HINTS} REQUIRED)

# Copies the Qt libraries and plug-ins the program needs (and, for a MinGW
# build, the compiler's run-time) next to the installed program. Runs into
# CPack's staging folder as well, so the ZIP holds a program that starts.
install(CODE "
  execute_process(
    COMMAND \"${ZEMBROT_WINDEPLOYQT}\" $<IF:$<CONFIG:Debug>,--debug,--release>
            --no-translations --no-system-d3d-compiler --no-opengl-sw
            \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:zembrot>\"
    COMMAND_ERROR_IS_FATAL ANY)
")

# With Visual C++, its run-time DLLs go beside the program too.
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
include(InstallRequiredSystemLibraries)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Zembrot)
set(CPACK_PACKAGE_VENDOR "Zembrot")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Typing game for learning English vocabulary with Chinese meanings")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_SYSTEM_NAME win64)
# Everything in one top folder of the ZIP: unpack, open it, start Zembrot.exe.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
