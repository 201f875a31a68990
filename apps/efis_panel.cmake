add_executable(efis_panel ${CMAKE_CURRENT_LIST_DIR}/efis_panel.cpp)
target_link_libraries(efis_panel PRIVATE efis framework simlink platform)

# Working folders of the captain's and the first officer's panels, side by
# side below the displays.
cockpit_run_folder(FOLDER efis1 TEXTURES EFIS_2)
cockpit_run_folder(FOLDER efis2 TEXTURES EFIS_2)
cockpit_run_settings(FOLDER efis1 PROGRAM efis_panel FILE EFIS.ini SET side=0 size=617,225 position=20,780)
cockpit_run_settings(FOLDER efis2 PROGRAM efis_panel FILE EFIS.ini SET side=1 size=617,225 position=680,780)
