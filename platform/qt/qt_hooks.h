// qt_hooks.h: observation points of the Qt platform for benchmarks.
#pragma once

// Called each time Qt has put a frame of the view on the screen; null by default.
extern void (*platform_frame_presented_hook)();
