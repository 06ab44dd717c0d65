# Debian's hardening flags, as dpkg-buildflags gives them with bindnow (fortified
# string and memory functions, stack protector, format checks, read-only relocations
# bound at start). Every build on a Debian system gets them, not only the release one,
# because the package can be made in any build tree and lintian checks its launcher
# for them. The build type keeps choosing optimisation and debug information; the
# sanitizer build goes without, as fortified functions hide accesses from ASan.
if(TAVORIN_SANITIZE)
  return()
endif()
find_program(TAVORIN_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TAVORIN_DPKG_BUILDFLAGS)
  return()
endif()

function(tavorin_buildflags kind out_var)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow
                          "${TAVORIN_DPKG_BUILDFLAGS}" --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(g|O.*|ffile-prefix-map=.*)$")
  set(${out_var} "${flags}" PARENT_SCOPE)
endfunction()

tavorin_buildflags(CPPFLAGS cpp_flags)
tavorin_buildflags(CXXFLAGS cxx_flags)
tavorin_buildflags(LDFLAGS ld_flags)
# glibc warns in every file when _FORTIFY_SOURCE meets an unoptimised build.
add_compile_options(${cxx_flags} "$<$<NOT:$<CONFIG:Debug>>:${cpp_flags}>")
add_link_options(${ld_flags})
