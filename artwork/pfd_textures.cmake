# The primary flight display's textures: the bezel overlay (controls on the
# unit's click zones), the screen background with the attitude window left
# open, and the hatched leading-zero flag of the altitude readout. Rendered
# square at powers of two; the quads they are drawn on restore the proportions.
cockpit_artwork(DU_BezelOverlay SVG ${CMAKE_CURRENT_LIST_DIR}/pfd_bezel_overlay.svg WIDTH 1024 HEIGHT 1024)
cockpit_artwork(DU_NoBezel SVG ${CMAKE_CURRENT_LIST_DIR}/pfd_nobezel.svg WIDTH 512 HEIGHT 512)
cockpit_artwork(zero_flag SVG ${CMAKE_CURRENT_LIST_DIR}/pfd_zero_flag.svg WIDTH 64 HEIGHT 64)
