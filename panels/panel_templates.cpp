// panel_templates.cpp: the five panel templates. Rectangles are x, y, width, height in
// dialog units; controls are listed in tab order.
#include "panels/panel_templates.h"

#define COUNT(table) (int)(sizeof table / sizeof table[0])

static const ControlTemplate QUERY_CONTROLS[] = {
    {CONTROL_GROUP_BOX, IDC_CRIME_GROUP, "Violent Crime", 0, 5, 5, 200, 120, STYLE_CENTRED},
    {CONTROL_LIST_BOX, IDC_CRIME_LIST, nullptr, 0, 10, 20, 190, 100,
     STYLE_TAB_STOP | STYLE_MULTI_SELECT},
    {CONTROL_GROUP_BOX, IDC_BEAT_GROUP, "Selection", 0, 210, 5, 45, 120, STYLE_CENTRED},
    {CONTROL_LIST_BOX, IDC_BEAT_LIST, nullptr, 0, 215, 20, 35, 100, STYLE_TAB_STOP},
};

const PanelTemplate QUERY_PANEL_TEMPLATE = {
    IDD_QUERY_PANEL, "Query Panel", 20, 20, 257, 133, 0, 1, QUERY_CONTROLS, COUNT(QUERY_CONTROLS)};

// The six arrows form a cross inside "Navigation": tilt minus, zoom in, zoom out and tilt
// plus down the middle, heading minus left and heading plus right.
static const ControlTemplate GIS_CONTROLS[] = {
    {CONTROL_STATIC_TEXT, IDC_MAP_LABEL, "Map", 0, 7, 102, 97, 8, STYLE_CENTRED},
    {CONTROL_COMBO_BOX, IDC_MAP_CHOICE, nullptr, 0, 7, 113, 97, 43, STYLE_TAB_STOP},
    {CONTROL_STATIC_TEXT, IDC_HEIGHT_SCALE_LABEL, "Height Scale", 0, 7, 128, 97, 8, STYLE_CENTRED},
    {CONTROL_COMBO_BOX, IDC_HEIGHT_SCALE, nullptr, 0, 7, 139, 97, 75, STYLE_TAB_STOP},
    {CONTROL_GROUP_BOX, IDC_NAV_GROUP, "Navigation", 0, 7, 3, 97, 94, STYLE_CENTRED},
    {CONTROL_PICTURE, IDC_NAV_TILT_MINUS, nullptr, IDB_NAV_TILT_MINUS, 35, 12, 43, 20, 0},
    {CONTROL_PICTURE, IDC_NAV_TILT_PLUS, nullptr, IDB_NAV_TILT_PLUS, 35, 75, 43, 20, 0},
    {CONTROL_PICTURE, IDC_NAV_ZOOM_IN, nullptr, IDB_NAV_ZOOM_IN, 35, 33, 43, 20, 0},
    {CONTROL_PICTURE, IDC_NAV_ZOOM_OUT, nullptr, IDB_NAV_ZOOM_OUT, 35, 54, 43, 20, 0},
    {CONTROL_PICTURE, IDC_NAV_HEADING_MINUS, nullptr, IDB_NAV_HEADING_MINUS, 11, 34, 21, 39, 0},
    {CONTROL_PICTURE, IDC_NAV_HEADING_PLUS, nullptr, IDB_NAV_HEADING_PLUS, 78, 34, 21, 39, 0},
};

const PanelTemplate GIS_PANEL_TEMPLATE = {
    IDD_GIS_PANEL, "GIS Panel", 40, 40, 109, 158, 0, 1, GIS_CONTROLS, COUNT(GIS_CONTROLS)};

static const ControlTemplate TIMELINE_CONTROLS[] = {
    {CONTROL_RADIO_BUTTON, IDC_PLAY_FORWARD, ">", 0, 47, 7, 20, 12, 0},
    {CONTROL_RADIO_BUTTON, IDC_PLAY_PAUSE, "| |", 0, 27, 7, 20, 12, 0},
    {CONTROL_RADIO_BUTTON, IDC_PLAY_BACKWARD, "<", 0, 7, 7, 20, 12, 0},
    {CONTROL_PROGRESS_BAR, IDC_TIME_BAR, nullptr, 0, 67, 7, 180, 12, STYLE_EDGE},
    {CONTROL_COMBO_BOX, IDC_STEP_UNIT, nullptr, 0, 246, 7, 40, 52, STYLE_TAB_STOP},
    {CONTROL_STATIC_TEXT, IDC_DAY_LABEL, "Day", 0, 10, 26, 20, 10, STYLE_CENTRED | STYLE_VCENTRED},
    {CONTROL_PUSH_BUTTON, IDC_DAY_PLUS, "+", 0, 30, 26, 10, 10, STYLE_TAB_STOP},
    {CONTROL_PUSH_BUTTON, IDC_DAY_MINUS, "-", 0, 40, 26, 10, 10, STYLE_TAB_STOP},
    {CONTROL_STATIC_TEXT, IDC_MONTH_LABEL, "Month", 0, 60, 26, 20, 10, STYLE_VCENTRED},
    {CONTROL_PUSH_BUTTON, IDC_MONTH_PLUS, "+", 0, 80, 26, 10, 10, STYLE_TAB_STOP},
    {CONTROL_PUSH_BUTTON, IDC_MONTH_MINUS, "-", 0, 90, 26, 10, 10, STYLE_TAB_STOP},
    {CONTROL_STATIC_TEXT, IDC_YEAR_LABEL, "Year", 0, 110, 26, 20, 10, STYLE_CENTRED | STYLE_VCENTRED},
    {CONTROL_PUSH_BUTTON, IDC_YEAR_PLUS, "+", 0, 130, 26, 10, 10, STYLE_TAB_STOP},
    {CONTROL_PUSH_BUTTON, IDC_YEAR_MINUS, "-", 0, 140, 26, 10, 10, STYLE_TAB_STOP},
    {CONTROL_STATIC_TEXT, IDC_DATE_TEXT, "Day,January,1,1990", 0, 166, 24, 120, 14,
     STYLE_CENTRED | STYLE_VCENTRED | STYLE_SUNKEN},
};

const PanelTemplate TIMELINE_PANEL_TEMPLATE = {IDD_TIMELINE_PANEL, "Timeline Panel", 0, 0, 291, 42,
                                               0, 1, TIMELINE_CONTROLS, COUNT(TIMELINE_CONTROLS)};

static const ControlTemplate INFO_CONTROLS[] = {
    {CONTROL_TEXT_BOX, IDC_INFO_TEXT, nullptr, 0, 7, 7, 178, 97, 0},
    {CONTROL_PUSH_BUTTON, IDC_INFO_CLEAR, "Clear", 0, 15, 112, 50, 14, STYLE_TAB_STOP},
    {CONTROL_PUSH_BUTTON, IDC_INFO_SAVE, "Save", 0, 127, 112, 50, 14, STYLE_TAB_STOP},
};

const PanelTemplate INFO_PANEL_TEMPLATE = {
    IDD_INFO_PANEL, "Info Panel", 15, 15, 192, 132, 0, 0, INFO_CONTROLS, COUNT(INFO_CONTROLS)};

// Beside the Timeline panel, right of the others at the program's first size; hidden until
// asked for or the first beat is chosen.
static const ControlTemplate CHART_CONTROLS[] = {
    {CONTROL_CHART, IDC_CHART_PLOT, nullptr, 0, 3, 3, 244, 114, 0},
};

const PanelTemplate CHART_PANEL_TEMPLATE = {
    IDD_CHART_PANEL, "Chart Panel", 330, 0, 250, 120, 0, 0, CHART_CONTROLS, COUNT(CHART_CONTROLS)};

// The contact rows name roles, not people; the addresses are under example.org.
static const ControlTemplate ABOUT_CONTROLS[] = {
    {CONTROL_PUSH_BUTTON, IDC_ABOUT_OK, "OK", 0, 94, 245, 50, 14, STYLE_TAB_STOP | STYLE_DEFAULT_BUTTON},
    {CONTROL_PICTURE, IDC_ABOUT_LOGO, nullptr, IDB_ABOUT_LOGO, 6, 6, 217, 73, STYLE_CENTRED | STYLE_EDGE},
    {CONTROL_GROUP_BOX, IDC_CONTACT_GROUP, "Contact information", 0, 8, 85, 126, 153, 0},
    {CONTROL_GROUP_BOX, IDC_QUICKREF_GROUP, "Quick reference", 0, 143, 85, 77, 153, 0},
    {CONTROL_STATIC_TEXT, 1040, "CEO/Inquiries", 0, 29, 106, 83, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1041, "ZAVROView team", 0, 30, 116, 83, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1042, "inquiries@example.org", 0, 15, 126, 112, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1043, "COO/Information", 0, 29, 147, 83, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1044, "Information desk", 0, 30, 157, 82, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1045, "information@example.org", 0, 14, 167, 114, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1046, "CTO/Tech. Support", 0, 30, 188, 83, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1047, "Support team", 0, 30, 198, 82, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1048, "support@example.org", 0, 15, 208, 110, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1049, "Pan view:", 0, 148, 100, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1050, "Right mouse", 0, 148, 110, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1051, "Zoom view:", 0, 148, 128, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1052, "Mouse wheel", 0, 148, 138, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1053, "Move view:", 0, 148, 156, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1054, "Ctrl + Right mouse", 0, 148, 166, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1055, "Control timeline:", 0, 148, 184, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1056, "Left mouse", 0, 148, 194, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1057, "Make selection", 0, 148, 211, 66, 8, STYLE_CENTRED},
    {CONTROL_STATIC_TEXT, 1058, "Ctrl + Left mouse", 0, 148, 221, 66, 8, STYLE_CENTRED},
};

const PanelTemplate ABOUT_BOX_TEMPLATE = {IDD_ABOUT_BOX, "About ZAVROView 1.0b", 0, 0, 231, 265,
                                          1, 0, ABOUT_CONTROLS, COUNT(ABOUT_CONTROLS)};
