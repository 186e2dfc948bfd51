// The Windows front end: entry point, main window and dialog procedures.
#pragma once

#include <windows.h>

// The instance, for loading resources, creating the button and running
// dialogs.
extern HINSTANCE appInstance;

ATOM RegisterWin95(const WNDCLASSA* wc);
LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NameDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NamingDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Makes the File output button present on the main window, and with it the
// menu item that does what it does.
void ensureFileOutputButton(HWND mainWindow);

// Reads the stored names (storeNames has accepted them) and shows the
// reading in a box owned by dlg: the warning about characters that count 0
// strokes first, if any. The main window, dlg's owner, drops its hint.
void showNameReading(HWND dlg);
