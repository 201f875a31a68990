add_executable(efis_panel ${CMAKE_CURRENT_LIST_DIR}/efis_panel.cpp)
target_link_libraries(efis_panel PRIVATE efis framework simlink platform)

# Working folders of the captain's and the first officer's panels. Each gets a
# settings file at configure time if it has none yet (never overwritten: the
# panel keeps its window there), the first officer's with side 1.
cockpit_run_folder(FOLDER efis1 TEXTURES EFIS_2)
cockpit_run_folder(FOLDER efis2 TEXTURES EFIS_2)
foreach(side 0 1)
  math(EXPR folder_number "${side} + 1")
  math(EXPR x_position "${side} * 660 + 20")
  set(settings ${COCKPIT_RUN_DIR}/efis${folder_number}/EFIS.ini)
  if(NOT EXISTS ${settings})
    file(WRITE ${settings}
      "[X_SIZE,Y_SIZE]\n617,225\n[X_POSITION,Y_POSISTION]\n${x_position},780\n"
      "[FRAMELESS_WINDOW(0-1)]\n0\n[CAP_EFIS=0,CO_EFIS=1]\n${side}\n"
      "[BEARING1_SOURCE]\n0\n[BEARING2_SOURCE]\n0\n")
  endif()
endforeach()
