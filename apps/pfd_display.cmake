add_executable(pfd_display ${CMAKE_CURRENT_LIST_DIR}/pfd_display.cpp)
target_link_libraries(pfd_display PRIVATE pfd framework simlink platform)

# Working folders of the two primary flight displays: the captain's at the
# left edge, the first officer's at the right, each reading the accfg.ini of
# the display units' folders.
cockpit_run_folder(FOLDER pfd1 TEXTURES zero_flag DU_NoBezel DU_BezelOverlay)
cockpit_run_folder(FOLDER pfd2 TEXTURES zero_flag DU_NoBezel DU_BezelOverlay)
set(du_folders path_to_du2=../du2 path_to_du3=../du3)
cockpit_run_settings(FOLDER pfd1 PROGRAM pfd_display FILE PFD.ini SET side=0 size=433,605 position=0,0 ${du_folders})
cockpit_run_settings(FOLDER pfd2 PROGRAM pfd_display FILE PFD.ini SET side=1 size=433,605 position=1320,0 ${du_folders})
