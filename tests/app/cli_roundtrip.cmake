# Backup and restore through the real program and the real settings file:
#   cmake -DORBELUNE=<path of orbelune> -DWORK=<scratch directory> -P cli_roundtrip.cmake
if(NOT ORBELUNE OR NOT WORK)
  message(FATAL_ERROR "usage: cmake -DORBELUNE=<binary> -DWORK=<dir> -P cli_roundtrip.cmake")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# Run orbelune with its settings inside WORK; check the exit code.
function(run_orbelune expected_code)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "XDG_CONFIG_HOME=${WORK}/config" "${ORBELUNE}" ${ARGN}
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE code
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)
  if(NOT code STREQUAL "${expected_code}")
    message(FATAL_ERROR "orbelune ${ARGN}: exit ${code}, expected ${expected_code}\nstdout: ${out}\nstderr: ${err}")
  endif()
endfunction()

run_orbelune(0 --export t.orb)
if(NOT EXISTS "${WORK}/t.orb")
  message(FATAL_ERROR "--export t.orb wrote no file")
endif()
file(READ "${WORK}/t.orb" exported)
string(FIND "${exported}" "[UniGal31]" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the exported template has no [UniGal31] section")
endif()
if(EXISTS "${WORK}/config/orbelune/orbelune.ini")
  message(FATAL_ERROR "--export wrote the settings file")
endif()

run_orbelune(0 --import t.orb)
if(NOT EXISTS "${WORK}/config/orbelune/orbelune.ini")
  message(FATAL_ERROR "--import stored nothing")
endif()
file(READ "${WORK}/config/orbelune/orbelune.ini" stored)

run_orbelune(1 --import missing.orb)
file(READ "${WORK}/config/orbelune/orbelune.ini" after)
if(NOT stored STREQUAL after)
  message(FATAL_ERROR "--import of a missing file changed the settings")
endif()

run_orbelune(2 --bogus)
