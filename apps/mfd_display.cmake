add_executable(mfd_display ${CMAKE_CURRENT_LIST_DIR}/mfd_display.cpp)
target_link_libraries(mfd_display PRIVATE mfd nav framework simlink platform)

# Working folders of the two display units.
cockpit_run_folder(FOLDER du2 TEXTURES MFD_NoBezel MFD_Overlay)
cockpit_run_folder(FOLDER du3 TEXTURES MFD_NoBezel MFD_Overlay)
