// first_frame_main.cpp: the program itself, ending as soon as its first frame is on the
// screen, to time start-up from outside.
#include "platform/platform.h"
#include "platform/qt/qt_hooks.h"
#include "shell/startup.h"

int main(int argc, char** argv)
{
    platform_frame_presented_hook = [] { platform_quit(0); };
    return platform_run(argc, argv, MAIN_WINDOW_TITLE, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
}
