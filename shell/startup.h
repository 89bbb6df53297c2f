// startup.h: the program's start and end around the main window's life.
#pragma once

constexpr const char* MAIN_WINDOW_TITLE = "ZAVROView 1.0b";
constexpr int MAIN_WINDOW_WIDTH = 1024;   // outer size in pixels
constexpr int MAIN_WINDOW_HEIGHT = 768;
