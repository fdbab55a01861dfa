# Link checks: every library of the program and its tools is linked whole
# against the dependencies it declares, and nothing else, into a program of
# its own (<library>_link_check). A reference to a layer the library does not
# declare (a higher one, or one beside it) is an undefined symbol there, so the
# build fails. Libraries under tests/ and bench/ are not checked.

function(cv_link_check library)
  add_executable(${library}_link_check ${PROJECT_SOURCE_DIR}/cmake/link_check_main.cpp)
  target_link_libraries(${library}_link_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
endfunction()

# Checks every static library defined in Directory and the folders below it.
function(cv_link_check_libraries directory)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${directory})
  if(relative MATCHES "^(tests|bench)(/|$)")
    return()
  endif()
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      cv_link_check(${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory ${subdirectories})
    cv_link_check_libraries(${subdirectory})
  endforeach()
endfunction()
