#pragma once
// The software renderer (Mesa's llvmpipe) allocates the binned triangles of
// each frame and frees them when the frame is drawn. Left to itself, the C
// library hands that memory back to the kernel after every frame and faults
// it in again on the next: a third of the CPU time of a text-heavy frame.
// Called when a GL context is created; used by the POSIX window layers only.
void platform_keep_renderer_memory();
