# One static library per subsystem folder: every .cpp and .h in it is part of the library.
function(tavorin_add_subsystem name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(tavorin_${name} STATIC ${sources})
  target_include_directories(tavorin_${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(tavorin_${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets ${ARG_LINKS})
endfunction()
