#pragma once
// Resource identifiers of Mardello. Shared by the resource script and the C++ code.

#define IDR_MAINFRAME               99
#define IDD_ABOUTBOX                100
#define IDS_ABOUTBOX                101
#define IDD_MAIN_DIALOG             102
#define IDD_PRINT_PREVIEW           104
#define IDD_PRINT_PROGRESS          105
#define IDD_WORKSHOP                120
#define IDS_WORKSHOP                130
#define IDD_HISTORY                 110
#define IDD_JOB_CARD                125
#define IDS_HISTORY                 120

#define IDB_PRINT_ALL               141
#define IDB_PRINT_ALL_ACTIVE        142
#define IDB_TROUBLE_CODE            143
#define IDB_TROUBLE_CODE_ACTIVE     144
#define IDB_LIVE_DATA_ACTIVE        145
#define IDB_FROZEN_FRAME            146
#define IDB_PRINT                   147
#define IDB_PRINT_ACTIVE            148
#define IDB_COPY                    149
#define IDB_LIVE_DATA               150
#define IDB_FROZEN_FRAME_ACTIVE     151
#define IDB_COPY_ACTIVE             152
#define IDB_EXIT                    154

// The same pictures at twice their size, for buttons larger than the pictures.
#define IDB_PRINT_ALL_2X            161
#define IDB_PRINT_ALL_ACTIVE_2X     162
#define IDB_TROUBLE_CODE_2X         163
#define IDB_TROUBLE_CODE_ACTIVE_2X  164
#define IDB_LIVE_DATA_2X            165
#define IDB_LIVE_DATA_ACTIVE_2X     166
#define IDB_FROZEN_FRAME_2X         167
#define IDB_FROZEN_FRAME_ACTIVE_2X  168
#define IDB_PRINT_2X                169
#define IDB_PRINT_ACTIVE_2X         170
#define IDB_COPY_2X                 171
#define IDB_COPY_ACTIVE_2X          172
#define IDB_EXIT_2X                 173

#define IDC_EDIT_VIN                1000
#define IDC_BTN_PRINT_ALL           1001
#define IDC_BTN_LIVE_DATA           1002
#define IDC_BTN_TROUBLE_CODE        1003
#define IDC_BTN_FROZEN_FRAME        1004
#define IDC_BTN_EXIT                1005
#define IDC_BTN_PRINT               1007
#define IDC_BTN_COPY                1008
#define IDC_STATIC_STATUS           1009
#define IDC_RICHEDIT_REPORT         1010
#define IDC_STATIC_TITLE            1011

// What the VIN in the VIN box tells.
#define IDC_STATIC_VIN_FACTS        1300

#define IDC_WORKSHOP_NAME           1301
#define IDC_WORKSHOP_ADDRESS1       1302
#define IDC_WORKSHOP_ADDRESS2       1303
#define IDC_WORKSHOP_PHONE          1304
#define IDC_WORKSHOP_WEB            1305

#define IDC_JOB_PLATE               1401
#define IDC_JOB_MILEAGE             1402
#define IDC_JOB_UNIT                1403
#define IDC_JOB_CUSTOMER            1404
#define IDC_JOB_NUMBER              1405
#define IDC_JOB_NOTES               1406
#define IDC_JOB_KEPT                1407

#define IDC_PREVIEW_PREVIOUS        1100
#define IDC_PREVIEW_NEXT            1101
#define IDC_PREVIEW_PAGE            1102
#define IDC_PREVIEW_PRINT           1103

#define IDC_PRINT_PROGRESS_PAGE     1110

#define IDC_HISTORY_FILTER          1200
#define IDC_HISTORY_LIST            1201
#define IDC_HISTORY_OPEN_FOLDER     1202
#define IDC_HISTORY_DELETE          1203
#define IDC_HISTORY_KEEP            1204
#define IDC_HISTORY_FAILURE         1205
#define IDC_HISTORY_NONE            1206
#define IDC_HISTORY_COMPARE         1210
#define IDC_HISTORY_COMPARE_PREVIOUS 1211
#define IDC_HISTORY_FOLDER          1212
#define IDC_HISTORY_FOLDER_SHOWN    1213
#define IDC_HISTORY_EARLIER         1214
#define IDC_HISTORY_COPY_EARLIER    1215

#define IDM_ABOUTBOX                0x0010
#define IDM_WORKSHOP                0x0020
#define IDM_HISTORY_ENTRY           0x0030

// The report viewer's context menu and the main window's keys.
#define IDM_VIEWER_UNDO             0x8000
#define IDM_VIEWER_CUT              0x8001
#define IDM_VIEWER_COPY             0x8002
#define IDM_VIEWER_PASTE            0x8003
#define IDM_VIEWER_DELETE           0x8004
#define IDM_VIEWER_SELECT_ALL       0x8005
#define IDM_FIND                    0x8006
#define IDM_FIND_NEXT               0x8007
#define IDM_FIND_PREVIOUS           0x8008
#define IDM_PRINT_PREVIEW 0x8010
#define IDM_SAVE_AS                 0x8011
#define IDM_VIEWER_WORKSHOP         0x8030
#define IDM_JOB_DETAILS             0x8031
#define IDM_VIEWER_ABOUT            0x8050
#define IDM_WINDOW_MENU             0x8051
#define IDM_HISTORY                 0x8020
// The viewer menu's Encoding choices, in the order the menu lists them.
#define IDM_ENCODING_AUTOMATIC      0x8040
#define IDM_ENCODING_GBK            0x8041
#define IDM_ENCODING_UTF8           0x8042
#define IDM_ENCODING_WESTERN        0x8043
#define IDM_ENCODING_SYSTEM         0x8044
