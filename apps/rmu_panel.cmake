add_executable(rmu_panel ${CMAKE_CURRENT_LIST_DIR}/rmu_panel.cpp)
target_link_libraries(rmu_panel PRIVATE rmu framework simlink platform)

# Working folders of the captain's and the first officer's radio units, side
# by side below the first officer's PFD.
cockpit_run_folder(FOLDER rmu1 TEXTURES RMU_Bezel3)
cockpit_run_folder(FOLDER rmu2 TEXTURES RMU_Bezel3)
cockpit_run_settings(FOLDER rmu1 PROGRAM rmu_panel FILE RMU.ini SET side=0 size=263,320 position=1320,650)
cockpit_run_settings(FOLDER rmu2 PROGRAM rmu_panel FILE RMU.ini SET side=1 size=263,320 position=1600,650)
