# Assembles a ready program root (cmake -P, run by the target program_root):
#   <ROOT>/Binaries/   the executable, the language file, the help file, the
#                      pictures, the chime and the list of languages "SIMLANG.INI"
#   <ROOT>/Private/    the team's private directory
#   <ROOT>/Exchange/   what the instructor sends: the sample industry's archive
#                      and its team descriptors
#   <ROOT>/CV3TEAM.ini the settings, naming the exchange directory relative to
#                      the root (so that a copied root uses its own) and holding
#                      the administrator code "CV3-ADMIN" (see the README); kept
#                      when it exists, so that a user's changes survive a rebuild
foreach(variable ROOT EXE LANGUAGE_FILE HELP_FILE MEDIA_DIR SAMPLE_TOOL ADMIN_TOOL)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "program_root.cmake: ${variable} is not set")
  endif()
endforeach()

set(binaries "${ROOT}/Binaries")
file(MAKE_DIRECTORY "${binaries}" "${ROOT}/Private" "${ROOT}/Exchange")
file(COPY "${EXE}" "${LANGUAGE_FILE}" "${HELP_FILE}" DESTINATION "${binaries}")
file(GLOB media "${MEDIA_DIR}/*.WMF" "${MEDIA_DIR}/*.WAV")
file(COPY ${media} DESTINATION "${binaries}")
file(WRITE "${binaries}/SIMLANG.INI" "[Codes]\r\nenu=English\r\n")

# The instructor's files, written aside; only what a team receives goes on.
set(staging "${ROOT}/.instructor")
execute_process(COMMAND "${SAMPLE_TOOL}" "${staging}" RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "program_root.cmake: the sample industry could not be written")
endif()
file(GLOB sent "${staging}/*.rzx" "${staging}/*.mr?")
file(COPY ${sent} DESTINATION "${ROOT}/Exchange")
file(REMOVE_RECURSE "${staging}")

get_filename_component(exe_name "${EXE}" NAME)
set(settings "${ROOT}/${exe_name}.ini")
if(NOT EXISTS "${settings}")
  file(WRITE "${settings}" "[Session]\r\nExchangeDir=Exchange/\r\n")
  execute_process(COMMAND "${ADMIN_TOOL}" "${settings}" "CV3-ADMIN" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "program_root.cmake: the administrator code could not be set")
  endif()
endif()
message(STATUS "Program root ready: ${ROOT}")
