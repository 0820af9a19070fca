# The build date the About box shows. Two builds of one commit must give the same bytes, so the
# date is not the moment of compiling: it is SOURCE_DATE_EPOCH when that is set, else the date
# of the last commit, else (a source tree without git) the moment of configuring.
#
#   linova_build_date(<date-var> <time-var>)   "Mar  5 2024" and "09:07:02", in UTC

function(linova_build_date date_var time_var)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    find_package(Git QUIET)
    if(GIT_FOUND)
      execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE epoch
                      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
      if(failed)
        set(epoch "")
      endif()
      # A new commit or checkout moves HEAD's log, and with it the date.
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
                      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE git_dir
                      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(EXISTS "${git_dir}/logs/HEAD")
        set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     "${git_dir}/logs/HEAD")
      endif()
    endif()
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    if(NOT epoch STREQUAL "")
      message(FATAL_ERROR "SOURCE_DATE_EPOCH must be seconds since 1970, not '${epoch}'")
    endif()
    string(TIMESTAMP epoch "%s" UTC)
  endif()
  # string(TIMESTAMP) reads SOURCE_DATE_EPOCH itself.
  set(saved "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP month "%b" UTC)
  string(TIMESTAMP day "%d" UTC)
  string(TIMESTAMP year "%Y" UTC)
  string(TIMESTAMP time "%H:%M:%S" UTC)
  if(saved STREQUAL "")
    unset(ENV{SOURCE_DATE_EPOCH})
  else()
    set(ENV{SOURCE_DATE_EPOCH} "${saved}")
  endif()
  # The compiler pads a day below 10 with a blank, not a zero.
  string(REGEX REPLACE "^0" " " day "${day}")
  set(${date_var} "${month} ${day} ${year}" PARENT_SCOPE)
  set(${time_var} "${time}" PARENT_SCOPE)
endfunction()
