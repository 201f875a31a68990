add_executable(pfd_display ${CMAKE_CURRENT_LIST_DIR}/pfd_display.cpp)
target_link_libraries(pfd_display PRIVATE pfd framework simlink platform)

# Working folders of the two primary flight displays.
cockpit_run_folder(FOLDER pfd1 TEXTURES zero_flag DU_NoBezel DU_BezelOverlay)
cockpit_run_folder(FOLDER pfd2 TEXTURES zero_flag DU_NoBezel DU_BezelOverlay)

# Each folder starts with its side and the folders of the display units whose
# accfg.ini it reads; a settings file the user has changed is kept.
foreach(side 0 1)
  math(EXPR unit "${side} + 1")
  set(ini ${COCKPIT_RUN_DIR}/pfd${unit}/PFD.ini)
  math(EXPR x "${side} * 1320")  # captain at the left edge, first officer at the right
  if(NOT EXISTS ${ini})
    file(WRITE ${ini} "[X_SIZE,Y_SIZE]\n433,605\n[X_POSITION,Y_POSISTION]\n${x},0\n[FRAMELESS_WINDOW(0-1)]\n0\n[DISPLAY_BEZEL(0-1)]\n1\n[PFD1=0,PFD2=1]\n${side}\n[PATH_TO_DU2]\n\"../du2\"\n[PATH_TO_DU3]\n\"../du3\"")
  endif()
endforeach()
