// panel_templates.h: the five panels as data (caption, place and size in dialog units,
// every control in order) and their control and bitmap identifiers. The platform builds
// its widgets from these tables; the test platform builds its in-memory controls from
// the same tables.
//
// Identifiers are unique within one panel only: 1035 is the "Month" label of the
// Timeline panel and the text box of the Info panel.
#pragma once

#include "platform/platform.h"

// Dialogs
constexpr int IDD_QUERY_PANEL = 101;
constexpr int IDD_GIS_PANEL = 103;
constexpr int IDD_TIMELINE_PANEL = 106;
constexpr int IDD_ABOUT_BOX = 108;
constexpr int IDD_INFO_PANEL = 109;
constexpr int IDD_CHART_PANEL = 111;

// Bitmaps, embedded in the program
constexpr int IDB_ABOUT_LOGO = 110;         // 322 x 115, 4 bits a pixel
constexpr int IDB_NAV_TILT_MINUS = 115;     // 64 x 32, red arrow down
constexpr int IDB_NAV_TILT_PLUS = 116;      // 64 x 32, red arrow up
constexpr int IDB_NAV_ZOOM_IN = 117;        // 64 x 32, green arrow away from the viewer
constexpr int IDB_NAV_HEADING_MINUS = 118;  // 32 x 64, red arrow right
constexpr int IDB_NAV_ZOOM_OUT = 119;       // 64 x 32, green arrow towards the viewer
constexpr int IDB_NAV_HEADING_PLUS = 120;   // 32 x 64, red arrow left

// Query panel
constexpr int IDC_CRIME_GROUP = 1026;
constexpr int IDC_CRIME_LIST = 1047;
constexpr int IDC_BEAT_GROUP = 1027;
constexpr int IDC_BEAT_LIST = 1048;

// GIS panel
constexpr int IDC_MAP_LABEL = 1003;
constexpr int IDC_MAP_CHOICE = 1004;
constexpr int IDC_HEIGHT_SCALE_LABEL = 1005;
constexpr int IDC_HEIGHT_SCALE = 1006;
constexpr int IDC_NAV_GROUP = 1024;
constexpr int IDC_NAV_TILT_MINUS = 1052;
constexpr int IDC_NAV_TILT_PLUS = 1053;
constexpr int IDC_NAV_ZOOM_IN = 1054;
constexpr int IDC_NAV_ZOOM_OUT = 1055;
constexpr int IDC_NAV_HEADING_MINUS = 1056;
constexpr int IDC_NAV_HEADING_PLUS = 1057;

// Timeline panel
constexpr int IDC_PLAY_FORWARD = 1018;
constexpr int IDC_PLAY_PAUSE = 1019;
constexpr int IDC_PLAY_BACKWARD = 1020;
constexpr int IDC_TIME_BAR = 1023;
constexpr int IDC_STEP_UNIT = 1029;
constexpr int IDC_DAY_LABEL = 1032;
constexpr int IDC_DAY_PLUS = 1033;
constexpr int IDC_DAY_MINUS = 1034;
constexpr int IDC_MONTH_LABEL = 1035;
constexpr int IDC_MONTH_PLUS = 1036;
constexpr int IDC_MONTH_MINUS = 1037;
constexpr int IDC_YEAR_LABEL = 1038;
constexpr int IDC_YEAR_PLUS = 1039;
constexpr int IDC_YEAR_MINUS = 1040;
constexpr int IDC_DATE_TEXT = 1044;

// Info panel
constexpr int IDC_INFO_TEXT = 1035;
constexpr int IDC_INFO_CLEAR = 1045;
constexpr int IDC_INFO_SAVE = 1046;

// Chart panel
constexpr int IDC_CHART_PLOT = 1060;

// About box
constexpr int IDC_ABOUT_OK = 1036;
constexpr int IDC_ABOUT_LOGO = 1037;
constexpr int IDC_CONTACT_GROUP = 1038;
constexpr int IDC_QUICKREF_GROUP = 1039;

extern const PanelTemplate QUERY_PANEL_TEMPLATE;
extern const PanelTemplate GIS_PANEL_TEMPLATE;
extern const PanelTemplate TIMELINE_PANEL_TEMPLATE;
extern const PanelTemplate INFO_PANEL_TEMPLATE;
extern const PanelTemplate ABOUT_BOX_TEMPLATE;
extern const PanelTemplate CHART_PANEL_TEMPLATE;
