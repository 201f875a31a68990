# The minimums aural alert "data/minimums.wav": a spoken "minimums", generated
# at build time so that no recorded sound lives in the tree. Without a speech
# synthesiser a two-tone chime from sox stands in.
find_program(COCKPIT_ESPEAK espeak-ng)
find_program(COCKPIT_SOX sox)
set(minimums_wav ${CMAKE_BINARY_DIR}/data/minimums.wav)
if(COCKPIT_ESPEAK)
  set(minimums_make ${COCKPIT_ESPEAK} -v en-us -s 150 -a 180 -w ${minimums_wav}.tmp.wav "minimums")
elseif(COCKPIT_SOX)
  set(minimums_make ${COCKPIT_SOX} -n -r 22050 -b 16 -c 1 ${minimums_wav}.tmp.wav
      synth 0.25 sine 880 : synth 0.35 sine 660)
else()
  message(FATAL_ERROR "minimums.wav: neither espeak-ng nor sox is installed (run scripts/setup.sh)")
endif()
add_custom_command(OUTPUT ${minimums_wav}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data
  COMMAND ${minimums_make}
  COMMAND ${CMAKE_COMMAND} -E rename ${minimums_wav}.tmp.wav ${minimums_wav}
  COMMENT "Generating data/minimums.wav")
add_custom_target(data_minimums_wav ALL DEPENDS ${minimums_wav})
cockpit_run_folder(FOLDER pfd1 DATA ${minimums_wav} DATA_TARGETS data_minimums_wav)
cockpit_run_folder(FOLDER pfd2 DATA ${minimums_wav} DATA_TARGETS data_minimums_wav)
