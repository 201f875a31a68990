# The EFIS control head picture, texture slot 0 of efis_panel.
cockpit_artwork(EFIS_2 SVG ${CMAKE_CURRENT_LIST_DIR}/efis_2.svg WIDTH 1098 HEIGHT 400)
