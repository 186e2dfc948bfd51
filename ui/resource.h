// Command and control ids shared by the resource script and the code.
#pragma once

// Menu commands and the File output button (WM_COMMAND ids).
#define IDM_EXIT 100
#define IDM_NAME_READING 200
#define IDM_CAREER 201
#define IDC_FILE_OUTPUT 202
#define IDM_ABOUT 301
#define IDM_HELP_CONTENTS 400
#define IDM_NAMING 210

// Name dialog fields.
#define IDC_SURNAME 101
#define IDC_GIVEN_NAME 102

// Naming dialog controls.
#define IDC_NAMING_SURNAME 1201
#define IDC_NAMING_SEX 1202
#define IDC_NAMING_CHARACTERS 1203
#define IDC_NAMING_READING 1204
#define IDC_NAMING_WITH 1205
#define IDC_NAMING_MIN_SCORE 1206
#define IDC_NAMING_ORDER 1207
#define IDC_NAMING_ANY_KANJI 1208
#define IDC_NAMING_SCOPE 1209
#define IDC_NAMING_ALL_READINGS 1211
#define IDC_NAMING_SHOW 1210
#define IDC_NAMING_LIST 1220
#define IDC_NAMING_STATUS 1221
#define IDC_NAMING_READ 1230
#define IDC_NAMING_EXPORT 1231
#define IDC_NAMING_GRIP 1240
// The list's context menu: コピー (its 姓名判断 is IDC_NAMING_READ).
#define IDM_NAMING_COPY 1250
