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
