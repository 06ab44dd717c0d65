# The launcher's icons for the hicolor theme, the install rules and the Debian
# package (cpack -G DEB). The package carries the launcher, the icons and the
# per-game-folder install step; see the README, "Use it with your game".

# --- Icons: the true-colour images of the window's icon, cut out as PNGs --------
set(icon_file "${PROJECT_SOURCE_DIR}/src/ui/pictures/tavorin.ico")
set(icons_dir "${CMAKE_BINARY_DIR}/icons/hicolor")
find_program(TAVORIN_MAGICK_CONVERT convert REQUIRED)

# Returns "index:size" for every image of 32 bits a pixel in an .ico file, read from
# its directory: 6 header bytes, then 16 bytes an image with the width in byte 0 and
# the bit count in bytes 6 and 7.
function(tavorin_true_colour_images ico out_var)
  file(READ "${ico}" head LIMIT 1000 HEX)
  string(SUBSTRING "${head}" 8 2 count_hex)
  math(EXPR last "0x${count_hex} - 1")
  set(found "")
  foreach(i RANGE ${last})
    math(EXPR at "(6 + 16 * ${i}) * 2")
    math(EXPR bits_at "${at} + 12")
    string(SUBSTRING "${head}" ${at} 2 width_hex)
    string(SUBSTRING "${head}" ${bits_at} 2 bits_hex)
    math(EXPR width "0x${width_hex}")
    if(bits_hex STREQUAL "20")
      list(APPEND found "${i}:${width}")
    endif()
  endforeach()
  set(${out_var} "${found}" PARENT_SCOPE)
endfunction()

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${icon_file}")
tavorin_true_colour_images("${icon_file}" icon_images)
set(icon_pngs "")
foreach(image IN LISTS icon_images)
  string(REPLACE ":" ";" image "${image}")
  list(GET image 0 index)
  list(GET image 1 size)
  set(png "${icons_dir}/${size}x${size}/apps/tavorin.png")
  # No dates in the PNG, so the same icon gives the same bytes on every build.
  add_custom_command(OUTPUT "${png}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${icons_dir}/${size}x${size}/apps"
    COMMAND "${TAVORIN_MAGICK_CONVERT}" "${icon_file}[${index}]" -strip
            -define png:exclude-chunks=date,time PNG32:${png}
    DEPENDS "${icon_file}" VERBATIM)
  list(APPEND icon_pngs "${png}")
endforeach()
add_custom_target(tavorin_icons ALL DEPENDS ${icon_pngs})

# --- What the package carries ---------------------------------------------------
# Every file of the install step sits in lib/games/tavorin beside the launcher it
# copies; the commands are links to it in games, where Debian wants a game's commands.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(packaging_dir "${PROJECT_SOURCE_DIR}/packaging")
set(staged_dir "${CMAKE_BINARY_DIR}/packaging")
install(TARGETS Tavorin RUNTIME DESTINATION lib/games/tavorin)
# The sections that only name the compiler and its notes go too, as Debian's own
# strip step takes them (lintian asks for it).
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/games/tavorin/Tavorin\" COMMAND_ERROR_IS_FATAL ANY)")
install(PROGRAMS "${packaging_dir}/tavorin-install" "${packaging_dir}/tavorin-uninstall"
                 "${packaging_dir}/start-in" DESTINATION lib/games/tavorin)
install(FILES "${packaging_dir}/records.sh" DESTINATION lib/games/tavorin)
install(DIRECTORY "${icons_dir}" DESTINATION share/icons)

file(MAKE_DIRECTORY "${staged_dir}/bin" "${staged_dir}/man")
foreach(command tavorin-install tavorin-uninstall)
  file(CREATE_LINK "../lib/games/tavorin/${command}" "${staged_dir}/bin/${command}" SYMBOLIC)
  install(FILES "${staged_dir}/bin/${command}" DESTINATION games)
endforeach()
file(CREATE_LINK tavorin-install.6.gz "${staged_dir}/man/tavorin-uninstall.6.gz" SYMBOLIC)

# Debian wants the manual page and the changelog compressed with gzip -9n.
function(tavorin_gzip source output)
  get_filename_component(plain "${output}" NAME_WLE)
  get_filename_component(folder "${output}" DIRECTORY)
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${folder}/${plain}"
    COMMAND gzip -9nf "${folder}/${plain}"
    DEPENDS "${source}" VERBATIM)
endfunction()
tavorin_gzip("${packaging_dir}/tavorin-install.6" "${staged_dir}/man/tavorin-install.6.gz")
tavorin_gzip("${packaging_dir}/changelog" "${staged_dir}/changelog.gz")
add_custom_target(tavorin_package_docs ALL
  DEPENDS "${staged_dir}/man/tavorin-install.6.gz" "${staged_dir}/changelog.gz")
install(FILES "${staged_dir}/man/tavorin-install.6.gz" "${staged_dir}/man/tavorin-uninstall.6.gz"
        DESTINATION share/man/man6)
install(FILES "${packaging_dir}/copyright" "${packaging_dir}/README.Debian" "${staged_dir}/changelog.gz"
        DESTINATION share/doc/tavorin)
install(FILES "${packaging_dir}/lintian-overrides" DESTINATION share/lintian/overrides RENAME tavorin)

# --- The Debian package ---------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavorin)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Kestrel Lane Software")
set(CPACK_PACKAGE_CONTACT "Ilse Marwood <ilse@kestrel-lane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "camera scene and match launcher for a 2005 football game")
set(CPACK_PACKAGE_DESCRIPTION "Tavorin lives in the installation folder of the game. Pick a home team,
kit and resolution, click one of twelve camera thumbnails, and it stages that
camera's script into the game's scene archive and starts the scene program.
Play starts the game straight into a match. Windows programs are started
through Wine.

tavorin-install puts a copy of the launcher into a game folder and adds a menu
entry for it, which keeps that copy up to date with this package.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kestrel-lane.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# qt6-wayland is recommended, not required: without it Qt falls back to X11 (XWayland on a
# Wayland desktop) and the launcher works the same; see docs/design.md, "Wayland".
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
