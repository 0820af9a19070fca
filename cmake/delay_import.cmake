# Delay-loaded DLLs: mapped at the first call of one of their functions instead of at process
# start. MSVC's linker does this with /DELAYLOAD and delayimp.lib. GNU ld has no such option;
# there dlltool makes a delay-import library instead (its functions bind through
# __delayLoadHelper2, which mingw-w64's runtime provides). Its export list is read from the
# toolchain's own import library, so every function of the DLL stays reachable and nothing has
# to be kept in step by hand.
#
#   linova_delay_load(<target> <dll-name>...)   e.g. linova_delay_load(linova_shell comctl32)
#
# links <target> to each DLL, delay-loaded where the toolchain can, else imported as usual.

function(linova_delay_import_library dll out_var)
  set(${out_var} "" PARENT_SCOPE)
  find_library(LINOVA_IMPORT_${dll} NAMES ${dll})
  set(import_library ${LINOVA_IMPORT_${dll}})
  if(NOT CMAKE_DLLTOOL OR NOT CMAKE_NM OR NOT import_library)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_NM} --defined-only ${import_library}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    return()
  endif()
  # Each function has an __imp_ pointer; 32-bit names carry one more leading underscore and
  # their stdcall size (__imp__InitCommonControlsEx@4), which dlltool -k leaves out of the name
  # it binds.
  string(REGEX MATCHALL "__imp_[^\r\n]+" pointers "${symbols}")
  list(REMOVE_DUPLICATES pointers)
  set(definitions "LIBRARY ${dll}.dll\nEXPORTS\n")
  foreach(pointer ${pointers})
    # (REGEX REPLACE would take every leading underscore, and _TrackMouseEvent has its own.)
    string(LENGTH "__imp_" prefix)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(LENGTH "__imp__" prefix)
    endif()
    string(SUBSTRING "${pointer}" ${prefix} -1 name)
    string(APPEND definitions "  ${name}\n")
  endforeach()
  set(dir ${CMAKE_BINARY_DIR}/delay_import)
  file(MAKE_DIRECTORY ${dir})
  file(WRITE ${dir}/${dll}.def "${definitions}")
  set(kill_at "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at -k)
  endif()
  execute_process(COMMAND ${CMAKE_DLLTOOL} -d ${dir}/${dll}.def -D ${dll}.dll ${kill_at}
                          -y ${dir}/lib${dll}_delay.a
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(failed)
    return()
  endif()
  # A new toolchain brings a new list.
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${import_library})
  set(${out_var} ${dir}/lib${dll}_delay.a PARENT_SCOPE)
endfunction()

function(linova_delay_load target)
  foreach(dll ${ARGN})
    if(MSVC)
      target_link_libraries(${target} PUBLIC ${dll})
      target_link_options(${target} INTERFACE /DELAYLOAD:${dll}.dll)
      set(needs_helper TRUE)
    else()
      linova_delay_import_library(${dll} delay_library)
      if(delay_library)
        target_link_libraries(${target} PUBLIC ${delay_library})
      else()
        message(STATUS "${dll}.dll is loaded at start: the toolchain makes no delay import")
        target_link_libraries(${target} PUBLIC ${dll})
      endif()
    endif()
  endforeach()
  if(needs_helper)
    target_link_libraries(${target} PUBLIC delayimp)
  endif()
endfunction()
