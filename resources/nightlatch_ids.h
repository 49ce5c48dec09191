// Resource and control ids of Nightlatch. The numbers are fixed: settings,
// other windows and tests refer to them.
#pragma once

// Icons, bitmaps, menus, strings.
#define IDI_NIGHTLATCH 128
#define IDB_PAGE_BUTTONS 208
#define IDB_PROMPT_BACKGROUND 206
#define IDB_ABOUT_PICTURE 210
#define IDB_BOX_BACKGROUND 216
#define IDR_TRAY_MENU 205
#define IDS_VERSION 129
#define IDS_TITLE 61403

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_MAIN 129
#define IDD_SIMPLE_PAGE 202
#define IDD_SETTINGS_PAGE 203
#define IDD_PLAN_PAGE 211
#define IDD_PASSWORD 215
#define IDD_MESSAGE 217

// Main dialog.
#define IDC_PAGE_SIMPLE 1000
#define IDC_PAGE_SETTINGS 1001
#define IDC_PAGE_PLAN 1002
#define IDC_FEEDBACK_LINK 1003
#define IDC_STATUS_LINE 1004
#define IDC_HIDE 1130

// Simple page.
#define IDC_SIMPLE_QUIT 1004
#define IDC_SIMPLE_ADD 1005
#define IDC_SIMPLE_HIDE 1006
#define IDC_SIMPLE_MANAGE 1007
#define IDC_SIMPLE_NOW 1021
#define IDC_SIMPLE_UPTIME 1022
#define IDC_SIMPLE_NEXT 1029
#define IDC_SIMPLE_UPTIME_CAPTION 1072
#define IDC_SIMPLE_NEXT_CAPTION 1073
#define IDC_SIMPLE_NOW_CAPTION 1074
#define IDC_SIMPLE_LINK1 1075
#define IDC_SIMPLE_LINK2 1077
#define IDC_SIMPLE_LINK3 1078
#define IDC_SIMPLE_LINK4 1079

// Task list page.
#define IDC_PLAN_LIST 1038
#define IDC_PLAN_ADD 1039
#define IDC_PLAN_MODIFY 1040
#define IDC_PLAN_DELETE 1041
#define IDC_PLAN_ADD_OPEN 1042
#define IDC_PLAN_ADD_REMINDER 1043

// About box.
#define IDC_ABOUT_TEXT 1037

// Password dialog.
#define IDC_PASSWORD_EDIT 1076
#define IDC_PASSWORD_TIP 1078
#define IDC_PASSWORD_TITLE 1079

// Notice window and message box (one template).
#define IDC_MESSAGE_TITLE 1080
#define IDC_MESSAGE_TEXT 1081

// Tray menu.
#define IDM_TRAY_OPEN 32772
#define IDM_TRAY_SHUTDOWN 32773
#define IDM_TRAY_RESTART 32774
#define IDM_TRAY_LOGOFF 32775
#define IDM_TRAY_LOCK 32776
#define IDM_TRAY_ABOUT 32777
#define IDM_TRAY_EXIT 32778
#define IDM_TRAY_SPEAK 32779
#define IDM_TRAY_CLOCK 32785
