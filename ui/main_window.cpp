// Program entry and the main window: class registration, the message loop,
// menu and button commands, the About box and the help command.
#include "readings.h"
#include "resource.h"
#include "ui.h"

using namori::readingState;

HINSTANCE appInstance;

namespace {

const char kClassName[] = "MyApp";

// The File output button appears with the first 姓名判断 and then stays.
void ensureFileOutputButton(HWND hwnd) {
  if (GetDlgItem(hwnd, IDC_FILE_OUTPUT) != NULL) return;
  CreateWindowExA(0, "BUTTON", "ファイル出力", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 450, 300, 100,
                  32, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FILE_OUTPUT)),
                  appInstance, NULL);
}

void runCareer(HWND hwnd) {
  namori::runCareerCommand(readingState);
  MessageBeep(MB_ICONASTERISK);
  MessageBoxA(hwnd, readingState.careerReport, "職業運と適職", MB_OK);
}

// Writes the pending report; a file that could not be written is reported
// rather than passed over, so the user does not take it for saved.
void outputFile(HWND hwnd) {
  if (namori::writePendingReport(readingState) == namori::FileOutputResult::kFailed) {
    MessageBoxA(hwnd, "ファイル出力エラー", NULL, MB_OK);
  }
}

// Every text of the program is Shift-JIS and goes through the ANSI calls, so
// it needs code page 932: from the manifest on Windows 11, otherwise from the
// system locale. Under any other code page the texts would show garbled and
// a file name could mean something else to the file system than to the name
// check, so the program says so (in Unicode, which reads correctly anywhere)
// and stops.
bool codePageIs932() {
  if (GetACP() == 932) return true;
  MessageBoxW(
      NULL,
      L"ナモリは日本語の文字コード (コード ページ 932、Shift-JIS) で動くプログラムです。"
      L"このパソコンでは別のコード ページで起動したため、文字化けしないよう終了します。\n"
      L"Windows 11 でお使いいただくか、コントロール パネルの「地域」→「管理」→"
      L"「システム ロケールの変更」で「Unicode 対応ではないプログラムの現在の言語」を"
      L"「日本語 (日本)」にして (「ベータ: ワールドワイド言語サポートで Unicode UTF-8 を使用」"
      L"はオフ)、Windows を再起動してください。\n\n"
      L"Namori needs code page 932 (Japanese, Shift-JIS), but this computer started it "
      L"with another code page, so it stops rather than show garbled text.\n"
      L"Run it on Windows 11, or set \"Language for non-Unicode programs\" to Japanese "
      L"(Japan) in Control Panel > Region > Administrative > Change system locale "
      L"(with \"Beta: Use Unicode UTF-8 for worldwide language support\" off), "
      L"then restart Windows.",
      L"ナモリ", MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

ATOM RegisterWin95(const WNDCLASSA* wc) {
  WNDCLASSEXA wcex;
  wcex.cbSize = sizeof wcex;
  wcex.style = wc->style;
  wcex.lpfnWndProc = wc->lpfnWndProc;
  wcex.cbClsExtra = wc->cbClsExtra;
  wcex.cbWndExtra = wc->cbWndExtra;
  wcex.hInstance = wc->hInstance;
  wcex.hIcon = wc->hIcon;
  wcex.hCursor = wc->hCursor;
  wcex.hbrBackground = wc->hbrBackground;
  wcex.lpszMenuName = wc->lpszMenuName;
  wcex.lpszClassName = wc->lpszClassName;
  wcex.hIconSm = static_cast<HICON>(
      LoadImageA(wc->hInstance, kClassName, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  return RegisterClassExA(&wcex);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_EXIT:
          DestroyWindow(hwnd);
          break;
        case IDM_NAME_READING:
          ensureFileOutputButton(hwnd);
          DialogBoxParamA(appInstance, "TESTDIALOG", hwnd, NameDlgProc, 0);
          break;
        case IDM_CAREER:
          runCareer(hwnd);
          break;
        case IDC_FILE_OUTPUT:
          outputFile(hwnd);
          break;
        case IDM_ABOUT:
          DialogBoxParamA(appInstance, "ABOUTBOX", hwnd, AboutDlgProc, 0);
          break;
        case IDM_HELP_CONTENTS:
          WinHelpA(hwnd, "ナモリ.HLP", HELP_FINDER, 0);
          break;
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

INT_PTR CALLBACK AboutDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dlg, 1);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!codePageIs932()) return 1;

  WNDCLASSA wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = WndProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, kClassName);
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszMenuName = kClassName;
  wc.lpszClassName = kClassName;

  // The small icon needs the extended registration of the Windows 95
  // family; the NT family and older versions register the plain way.
  const DWORD version = GetVersion();
  const bool win95Family = (version & 0x80000000) != 0;
  const BYTE major = LOBYTE(LOWORD(version));
  const ATOM atom = (win95Family && major >= 4) ? RegisterWin95(&wc) : RegisterClassA(&wc);
  if (atom == 0) return 0;

  appInstance = instance;

  HWND hwnd = CreateWindowExA(0, kClassName, "ナモリ", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                              CW_USEDEFAULT, 0, NULL, NULL, instance, NULL);
  if (hwnd == NULL) return 0;
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);

  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
