# The radio unit's bezel picture: line keys, bottom keys and the double knob
# painted on the unit's click zones, the screen opening transparent. Rendered
# square at a power of two; the quad it is drawn on restores the proportions.
cockpit_artwork(RMU_Bezel3 SVG ${CMAKE_CURRENT_LIST_DIR}/rmu_bezel.svg WIDTH 1024 HEIGHT 1024)
