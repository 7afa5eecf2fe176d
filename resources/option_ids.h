// Dialog templates and control ids of KilnOp's property sheet and its
// message dialog. Both executables carry the templates.
#ifndef KILN_RESOURCES_OPTION_IDS_H
#define KILN_RESOURCES_OPTION_IDS_H

#define IDD_COMPILER_PAGE 101
#define IDD_EDITOR_PAGE   102
#define IDD_WINDOW_PAGE   103
#define IDD_MESSAGES      201

// Compiler page (101).
#define IDC_PROFILE_LIST        1002
#define IDC_PROFILE_NAME        1003
#define IDC_COMPILER_PATH       1007
#define IDC_AID_PATH            1008
#define IDC_COMPILER_BROWSE     1009
#define IDC_AID_BROWSE          1010
#define IDC_COMPILE_OPTION      1106
#define IDC_OUTPUT_OPTION       1107
#define IDC_OUTPUT_TYPE         1108
#define IDC_EXECUTE_COMMAND     1109
#define IDC_AID_EXECUTE         1110
#define IDC_CHECK_EXECUTE       1111
#define IDC_COMPILE_AFTER_SHOW  1112

// Editor page (102).
#define IDC_EDITOR_PATH         1007
#define IDC_EDITOR_BROWSE       1009
#define IDC_JUMP_TYPE           1110
#define IDC_JUMP_OPTION         1106

// Window page (103).
#define IDC_MAGNET              1110
#define IDC_FIX                 1111
#define IDC_MESSAGE_GROUP       1101
#define IDC_CUSTOM              1112
#define IDC_FIX_SIZE                1201
#define IDC_FIX_POSITION            1202
#define IDC_WIDTH_LABEL         1211
#define IDC_HEIGHT_LABEL        1212
#define IDC_X_LABEL             1213
#define IDC_Y_LABEL             1214
#define IDC_CURRENT_SIZE        1301
#define IDC_CURRENT_POSITION    1302
#define IDC_WIDTH               1401  // 1401 ... 1404: width, height, x, y
#define IDC_HEIGHT              1402
#define IDC_X                   1403
#define IDC_Y                   1404
#define IDC_WIDTH_SPIN          1501  // 1501 ... 1504: the up-downs of 1401 ... 1404
#define IDC_HEIGHT_SPIN         1502
#define IDC_X_SPIN              1503
#define IDC_Y_SPIN              1504
#define IDC_CUSTOMISE           2000

// Message dialog (201).
#define IDC_MESSAGE_FIRST       2101  // 2101 ... 2110: texts 0 ... 9
#define IDC_MESSAGE_LABEL_FIRST 2201
#define IDC_INTERVAL            1106

#endif
