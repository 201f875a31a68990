# The display unit's bezel overlay and its screen background. The overlay is
# rendered square at a power of two so the mip-map builder need not rescale
# it; the quad it is drawn on restores the 433 x 605 proportions.
cockpit_artwork(MFD_Overlay SVG ${CMAKE_CURRENT_LIST_DIR}/mfd_overlay.svg WIDTH 1024 HEIGHT 1024)
cockpit_artwork(MFD_NoBezel SVG ${CMAKE_CURRENT_LIST_DIR}/mfd_nobezel.svg WIDTH 256 HEIGHT 256)
