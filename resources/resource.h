// Resource ids: one header for the one resource script.  Grouped by dialog, never reused.
#pragma once

#define IDR_MAINFRAME 128

// Console window
#define IDD_CONSOLE 102
#define IDC_OUTPUT_ON 1001
#define IDC_OPTIONS 1002
#define IDC_ABOUT 1003
#define IDC_LOG_LIST 1004
#define IDC_ROSTER_LIST 1005
#define IDC_EXPORT_LOG 1007
#define IDC_EXPORT_RESULTS 1008
#define IDC_RELOAD 1011
#define IDC_MODE_WELCOME 1018
#define IDC_MODE_SCORING 1019
#define IDC_MODE_INDIVIDUAL 1020
#define IDC_MODE_GROUP 1021
#define IDC_SECOND_SCREEN 1033
#define IDC_BLACKOUT 1037
#define IDC_PREVIEW 1038
#define IDC_REVEAL 1039
#define IDC_UNDO 1035
#define IDC_REDO 1036
#define IDC_PANEL_ENTRY 1040
#define IDC_PANEL_SHOW 1041
#define IDC_ROUND 1043  // the current round (a combo box: its choice, not its clicks)
#define IDC_EXPORT_SHEET 1046
#define IDC_NETWORK 1042
#define IDC_ROUNDS 1047
#define IDC_TIMER 1044
#define IDC_TIMER_TEXT 1045  // the clock as the audience sees it (a static text)
#define IDC_TIMER_RESET 1062
#define IDC_TIMER_SETTINGS 1049
#define IDC_BUZZ_SETTINGS 1048
#define IDC_BUZZ_ARM 1060
#define IDC_BUZZ_RESET 1061
// The console's buttons and check boxes lie in this range: its clicks go to the command table.
#define IDC_CONSOLE_FIRST 1001
#define IDC_CONSOLE_LAST 1099

// Judge panel dialog: the contestant, one field and one caption per judge, the result
#define IDD_PANEL 132
#define IDC_PANEL_CONTESTANT 1100
#define IDC_JUDGE_FIRST 1101  // ... 1115
#define IDC_PANEL_RESULT 1120
#define IDC_JUDGE_CAPTION_FIRST 1121  // ... 1135
#define IDC_PANEL_PHONES 1136         // the note that marked scores came from the judges' phones

// Rounds dialog: the list, one round's fields, the list's buttons
#define IDD_ROUNDS 134
#define IDC_ROUNDS_LIST 1140
#define IDC_ROUND_NAME 1141
#define IDC_ROUND_ADD 1142
#define IDC_ROUND_SUBTRACT 1143
#define IDC_ROUND_STEPS 1144
#define IDC_ROUND_SECONDS 1145
#define IDC_ROUND_NEW 1146
#define IDC_ROUND_REMOVE 1147
#define IDC_ROUND_UP 1148
#define IDC_ROUND_DOWN 1149

// Timer dialog: countdown or count-up, the time, the cards, the clock's place, the sound
#define IDD_TIMER 135
#define IDC_TIMER_DOWN 1150
#define IDC_TIMER_UP 1151
#define IDC_TIMER_SECS 1152
#define IDC_TIMER_YELLOW 1153
#define IDC_TIMER_RED 1154
#define IDC_TIMER_TOP_RIGHT 1155
#define IDC_TIMER_BOTTOM_RIGHT 1156
#define IDC_TIMER_FULL_SCREEN 1157
#define IDC_TIMER_SOUND 1158

// Buzzers dialog: a buzzer a team or a group, whose key is asked for, the refusal, the list
// and its buttons, the options
#define IDD_BUZZERS 136
#define IDC_BUZZ_BY_TEAM 1160
#define IDC_BUZZ_BY_GROUP 1161
#define IDC_BUZZ_PROMPT 1162
#define IDC_BUZZ_STATUS 1163
#define IDC_BUZZ_LIST 1164
#define IDC_BUZZ_SKIP 1165
#define IDC_BUZZ_BACK 1166
#define IDC_BUZZ_CLEAR 1167
#define IDC_BUZZ_LOCKOUT 1168
#define IDC_BUZZ_SHOW_FALSE 1169
#define IDC_BUZZ_TIMER 1170

// Output window
#define IDD_SCOREBOARD 129

// Score entry dialog
#define IDD_SCORE_ENTRY 130
#define IDC_SCORE 1013
#define IDC_CONTESTANT 1015
#define IDC_SET_DIRECTLY 1016
#define IDC_CHANGE 1022
#define IDC_STEP1 1024
#define IDC_STEP2 1025
#define IDC_STEP3 1026
#define IDC_STEP4 1027
#define IDC_ADD 1031
#define IDC_SUBTRACT 1034

// Options dialog
#define IDD_OPTIONS 131
#define IDC_OPT_XSW 1010
#define IDC_OPT_WIDTH 1012
#define IDC_OPT_HEIGHT 1014
#define IDC_OPT_SCOREINIT 1017
#define IDC_OPT_COLS 1023
#define IDC_OPT_STEPS 1028
#define IDC_OPT_TITLE 1029
#define IDC_OPT_CLRTITLE 1030
#define IDC_OPT_CLRTEAM 1032
#define IDC_OPT_FILL 1050
#define IDC_OPT_JUDGES 1051
#define IDC_OPT_TRIM 1052
#define IDC_OPT_JUDGEMIN 1053
#define IDC_OPT_JUDGEMAX 1054
#define IDC_OPT_SPREAD 1055

// Network dialog
#define IDD_NETWORK 133
#define IDC_NET_ON 1301
#define IDC_NET_PORT 1302
#define IDC_NET_ADDRESSES 1303
#define IDC_NET_QR 1304
#define IDC_NET_REGENERATE 1305
#define IDC_NET_STATUS 1306
#define IDC_NET_QR_FOR 1307  // whose link the QR code is: the audience's or a judge seat's
