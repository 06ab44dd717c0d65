# The Windows zip (cpack -G ZIP): Tavorin-<version>-win64.zip, whose top folder Tavorin/ holds
# Tavorin.exe and exactly what it needs on a Windows machine without Qt or MinGW, named here
# file by file, with the licences in Tavorin/licences so they do not spread into the game
# folder. Copying the folder's contents into the game folder is the whole install.

set(zip_root Tavorin)
set(windows_packaging_dir "${PROJECT_SOURCE_DIR}/packaging/windows")

# The Qt that was built for Windows (scripts/build-qt-windows.sh) carries its licences, the
# notices of the code bundled into it, and where its exact source comes from.
get_filename_component(qt_windows_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
foreach(needed licences/LGPL-3.0-only.txt licences/GPL-3.0-only.txt licences/qt-bundled SOURCE)
  if(NOT EXISTS "${qt_windows_prefix}/${needed}")
    message(FATAL_ERROR "The Qt in ${qt_windows_prefix} lacks ${needed}, which the zip's licences "
                        "folder needs: build it with scripts/build-qt-windows.sh")
  endif()
endforeach()

# MinGW's runtime, which Qt's DLLs link to as well, so it ships as DLLs rather than statically.
# The compiler says where its own copies are.
set(mingw_runtime "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  get_filename_component(path "${path}" REALPATH)
  list(APPEND mingw_runtime "${path}")
endforeach()
# Their licence texts, as Debian ships them with the cross compiler's packages: GCC's runtime
# (GPL-3 with the GCC Runtime Library Exception) and MinGW-w64 (winpthreads' notice among them).
set(gcc_runtime_copyright /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright)
set(mingw_copyright /usr/share/doc/mingw-w64-x86-64-dev/copyright)
foreach(file IN ITEMS "${gcc_runtime_copyright}" "${mingw_copyright}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file} is missing: the zip's licences folder needs it (Debian's MinGW-w64 packages)")
  endif()
endforeach()

install(TARGETS Tavorin RUNTIME DESTINATION ${zip_root})
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${mingw_runtime}
        DESTINATION ${zip_root})
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${zip_root}/platforms)
# The window's pictures are GIF, BMP (built into Qt), ICO and CUR; the team logos of the game are JPEG.
install(FILES $<TARGET_FILE:Qt6::QGifPlugin> $<TARGET_FILE:Qt6::QICOPlugin> $<TARGET_FILE:Qt6::QJpegPlugin>
        DESTINATION ${zip_root}/imageformats)
# The lists look like the rest of Windows only with the Vista style; without it Qt falls back to
# its plain Windows style.
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${zip_root}/styles)

# Qt's DLLs keep their symbol tables and MinGW's C++ runtime its debugging information (23 of its
# 24 MB), which no player needs: they are stripped in the zip, as cpack strips Tavorin.exe.
install(CODE "
  file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${zip_root}/*.dll\")
  foreach(dll IN LISTS dlls)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()")

set(licences ${zip_root}/licences)
install(FILES "${windows_packaging_dir}/licences-README.txt" DESTINATION ${licences} RENAME README.txt)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION ${licences} RENAME Tavorin-LICENSE.txt)
install(FILES "${qt_windows_prefix}/licences/LGPL-3.0-only.txt" "${qt_windows_prefix}/licences/GPL-3.0-only.txt"
              "${qt_windows_prefix}/licences/qt6-base-debian-copyright.txt" DESTINATION ${licences}/qt)
install(FILES "${qt_windows_prefix}/SOURCE" DESTINATION ${licences}/qt RENAME SOURCE.txt)
install(DIRECTORY "${qt_windows_prefix}/licences/qt-bundled" DESTINATION ${licences}/qt)
install(FILES "${gcc_runtime_copyright}" DESTINATION ${licences}/mingw-w64 RENAME gcc-runtime-copyright.txt)
install(FILES "${mingw_copyright}" DESTINATION ${licences}/mingw-w64 RENAME mingw-w64-copyright.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavorin)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "Tavorin-${PROJECT_VERSION}-win64")
# The install rules already put everything under Tavorin/.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
