# What every build of the portable code reads, wherever it is configured
# from (the main build, the fuzz build; web/module/build.sh reads the same
# lists):
#   rnrr_sources(VAR FOLDER)  the sources that FOLDER/sources.txt lists, one
#                             name a line, as absolute paths in VAR;
#   rnrr_portable_library(NAME FOLDER [LINKED...])  the library NAME of those
#                             sources (and NAME_sanitized, for the tests);
#   rnrr_string_table(TARGET OUTDIR)  the window's string table as the lookup
#                             of res/string_table.h, its entries written into
#                             OUTDIR from res/rnrr.rc by tools/string_table.py.
get_filename_component(RNRR_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

function(rnrr_sources var folder)
  file(STRINGS ${RNRR_ROOT}/${folder}/sources.txt names)
  set(paths)
  foreach(name ${names})
    list(APPEND paths ${RNRR_ROOT}/${folder}/${name})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RNRR_ROOT}/${folder}/sources.txt)
  set(${var} ${paths} PARENT_SCOPE)
endfunction()

# NAME: the sources that FOLDER/sources.txt lists, the folder its include
# directory, over the libraries LINKED. NAME_sanitized: for the host build of
# the tests, the same sources under RNRR_SANITIZER_FLAGS over the sanitized
# copies of LINKED where they have one; NAME itself where the build has no
# sanitizers.
function(rnrr_portable_library name folder)
  rnrr_sources(sources ${folder})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${RNRR_ROOT}/${folder})
  target_link_libraries(${name} PUBLIC ${ARGN})
  target_compile_options(${name} PRIVATE ${RNRR_PROGRAM_COMPILE_OPTIONS})
  if(NOT RNRR_SANITIZER_FLAGS)
    add_library(${name}_sanitized ALIAS ${name})
    return()
  endif()
  set(sanitized)
  foreach(library ${ARGN})
    if(TARGET ${library}_sanitized)
      list(APPEND sanitized ${library}_sanitized)
    else()
      list(APPEND sanitized ${library})
    endif()
  endforeach()
  add_library(${name}_sanitized STATIC ${sources})
  target_include_directories(${name}_sanitized PUBLIC ${RNRR_ROOT}/${folder})
  target_link_libraries(${name}_sanitized PUBLIC ${sanitized})
  target_compile_options(${name}_sanitized PUBLIC ${RNRR_SANITIZER_FLAGS})
  target_link_options(${name}_sanitized PUBLIC ${RNRR_SANITIZER_FLAGS})
endfunction()

function(rnrr_string_table target outdir)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_command(
    OUTPUT ${outdir}/string_table_entries.h
    COMMAND ${Python3_EXECUTABLE} ${RNRR_ROOT}/tools/string_table.py ${RNRR_ROOT}
            ${outdir}/string_table_entries.h
    DEPENDS ${RNRR_ROOT}/tools/string_table.py ${RNRR_ROOT}/res/rnrr.rc
            ${RNRR_ROOT}/res/resource_ids.h
    COMMENT "Writing the string table's entries"
    VERBATIM)
  add_custom_target(${target}_entries DEPENDS ${outdir}/string_table_entries.h)
  add_library(${target} INTERFACE)
  target_include_directories(${target} INTERFACE ${RNRR_ROOT}/res ${outdir})
  add_dependencies(${target} ${target}_entries)
endfunction()
