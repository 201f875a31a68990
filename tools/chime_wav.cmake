# The crew-alert chime "data/MCRChime.wav": a synthesised two-tone chime with
# a soft decay, generated at build time so that no recorded sound lives in
# the tree. Both display unit folders get a copy.
find_program(COCKPIT_SOX sox)
if(NOT COCKPIT_SOX)
  message(FATAL_ERROR "MCRChime.wav: sox is not installed (run scripts/setup.sh)")
endif()
set(chime_wav ${CMAKE_BINARY_DIR}/data/MCRChime.wav)
add_custom_command(OUTPUT ${chime_wav}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data
  COMMAND ${COCKPIT_SOX} -n -r 22050 -b 16 -c 1 ${chime_wav}.tmp.wav
          synth 0.3 sine 1046.5 fade q 0.01 0.3 0.2 : synth 0.45 sine 784 fade q 0.01 0.45 0.35 gain -3
  COMMAND ${CMAKE_COMMAND} -E rename ${chime_wav}.tmp.wav ${chime_wav}
  COMMENT "Generating data/MCRChime.wav")
add_custom_target(data_chime_wav ALL DEPENDS ${chime_wav})
cockpit_run_folder(FOLDER du2 DATA ${chime_wav} DATA_TARGETS data_chime_wav)
cockpit_run_folder(FOLDER du3 DATA ${chime_wav} DATA_TARGETS data_chime_wav)
