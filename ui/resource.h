// Command and control ids shared by the resource script and the code.
#pragma once

// Menu commands and the File output button (WM_COMMAND ids).
#define IDM_EXIT 100
#define IDM_NAME_READING 200
#define IDM_CAREER 201
#define IDC_FILE_OUTPUT 202
#define IDM_ABOUT 301
#define IDM_HELP_CONTENTS 400

// Name dialog fields.
#define IDC_SURNAME 101
#define IDC_GIVEN_NAME 102
