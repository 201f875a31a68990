add_executable(mfd_display ${CMAKE_CURRENT_LIST_DIR}/mfd_display.cpp)
target_link_libraries(mfd_display PRIVATE mfd nav framework simlink platform)

# Working folders of the two display units, between the two PFDs: DU3 the
# MFD side, DU2 the EICAS side, each knowing the other's folder.
cockpit_run_folder(FOLDER du2 TEXTURES MFD_NoBezel MFD_Overlay)
cockpit_run_folder(FOLDER du3 TEXTURES MFD_NoBezel MFD_Overlay)
set(du_folders plan_path=../plans path_to_du2=../du2 path_to_du3=../du3)
cockpit_run_settings(FOLDER du3 PROGRAM mfd_display FILE MFD.ini SET side=0 size=433,605 position=440,0 ${du_folders})
cockpit_run_settings(FOLDER du2 PROGRAM mfd_display FILE MFD.ini SET side=1 size=433,605 position=880,0 ${du_folders})
# The aircraft configuration the PFDs read from these folders (accfg.ini) is
# the display unit's own: written with the defaults at its first start, and
# again when the crew changes the V-speeds.
