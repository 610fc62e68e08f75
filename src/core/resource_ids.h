// Identifiers shared by the resource script and the C++ code.
// Plain macros only: windres includes this file too.
#pragma once

// Strings (English (US) string table)
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109

// Accelerators (English (US)); Alt+? and Alt+/ send IDM_ABOUT, which no window handles
#define IDC_ACCELERATORS 109
#define IDM_ABOUT 104

// Dialog templates
#define IDD_COUNTDOWN 103
#define IDD_CONTACT 136

// Embedded readout font, custom resource type "TTF"
#define IDR_LCD_FONT 130

// Sounds (WAVE)
#define IDW_ALARM 129
#define IDW_FIVE_MINUTES 138
#define IDW_HALF_HOUR 139
#define IDW_FULL_HOUR 140

// Image and icons
#define IDB_CONTACT 137
#define IDI_LARGE 141
#define IDI_SMALL 142

// Main window controls
#define IDC_START_BUTTON 10001
#define IDC_RESET_BUTTON 10003
#define IDC_TOP_CHECK 10004
#define IDC_MS_CHECK 10005
#define IDC_SET_BUTTON 10006
#define IDC_STOPWATCH_RADIO 10007
#define IDC_COUNTDOWN_RADIO 10008
#define IDC_CLOCK_RADIO 10011

// Popup menu commands
#define IDM_CLOCK_MODE 32771
#define IDM_ALWAYS_ON_TOP 32772
#define IDM_GUIDE 32773
#define IDM_CONTACT 32774
#define IDM_COUNTDOWN_MODE 32775
#define IDM_STOPWATCH_MODE 32776
#define IDM_START 32777
#define IDM_RESET 32778
#define IDM_MILLISECONDS 32779
#define IDM_COMPACT 32780
#define IDM_EXIT 32781

// Countdown settings dialog (template 103)
#define IDC_FIX_MINUTES_SPIN 1000
#define IDC_FIX_MINUTES 1001
#define IDC_FIX_HOURS_SPIN 1002
#define IDC_FIX_HOURS 1003
#define IDC_FIX_SECONDS_SPIN 1004
#define IDC_FIX_SECONDS 1005
#define IDC_KIND_FIXED 1007
#define IDC_KIND_UNTIL 1008
#define IDC_UNTIL_HOURS 1014
#define IDC_UNTIL_SECONDS 1015
#define IDC_UNTIL_HOURS_SPIN 1016
#define IDC_UNTIL_MINUTES_SPIN 1017
#define IDC_UNTIL_SECONDS_SPIN 1018
#define IDC_UNTIL_MINUTES 1019
#define IDC_TIMEOUT_CONTINUE 1020

// Messages the main window posts to itself (WM_APP and up; windres ignores them)
// The taskbar button's progress is due: a countdown started, paused, resumed or reset, its
// readout shows another second, or it has run out.
#define WM_APP_PROGRESS_DUE (WM_APP + 1)
