// main.cpp: the entry point. The program takes no arguments of its own.
#include "platform/platform.h"
#include "shell/startup.h"

int main(int argc, char** argv)
{
    return platform_run(argc, argv, MAIN_WINDOW_TITLE, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
}
