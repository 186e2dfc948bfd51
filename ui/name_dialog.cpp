// The name dialog "TESTDIALOG": takes a surname and a given name and, on 実行,
// runs the whole name reading and shows it.
#include <string>

#include "readings.h"
#include "resource.h"
#include "ui.h"

using namori::readingState;

namespace {

// 実行: store the fields, check them, then read the name.
void runReading(HWND dlg) {
  // 35 bytes with the NUL; storeNames drops a double-byte character the
  // limit cut in half, so no stray lead byte reaches the reading.
  char surname[namori::kNameFieldBytes] = {};
  char givenName[namori::kNameFieldBytes] = {};
  GetDlgItemTextA(dlg, IDC_SURNAME, surname, sizeof surname);
  GetDlgItemTextA(dlg, IDC_GIVEN_NAME, givenName, sizeof givenName);
  if (!namori::storeNames(readingState, surname, givenName)) {
    MessageBoxA(dlg, "データエラー", NULL, MB_OK);
    return;  // the dialog stays open
  }
  // The dialog ends once this handling returns; the report box is still
  // owned by it.
  EndDialog(dlg, 1);
  showNameReading(dlg);
}

}  // namespace

void showNameReading(HWND dlg) {
  // The reading is complete before any box shows: the main window may take
  // commands while a box is open.
  namori::runNameReading(readingState);
  InvalidateRect(GetWindow(dlg, GW_OWNER), NULL, TRUE);
  const std::string warning =
      namori::zeroStrokeWarning(readingState.surname, readingState.givenName);
  if (!warning.empty()) MessageBoxA(dlg, warning.c_str(), "ナモリ", MB_OK | MB_ICONWARNING);
  MessageBeep(MB_ICONASTERISK);
  MessageBoxA(dlg, readingState.nameReport, "姓名判断", MB_OK);
}

INT_PTR CALLBACK NameDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dlg, IDC_SURNAME, readingState.surname);
      SetDlgItemTextA(dlg, IDC_GIVEN_NAME, readingState.givenName);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          runReading(dlg);
          break;
        case IDCANCEL:
          EndDialog(dlg, 2);
          break;
      }
      return FALSE;
  }
  return FALSE;
}
