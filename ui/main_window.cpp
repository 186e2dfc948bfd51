// Program entry and the main window: class registration, the message loop,
// menu and button commands, the About box and the help command.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "readings.h"
#include "resource.h"
#include "ui.h"

using namori::readingState;

HINSTANCE appInstance;

namespace {

const char kClassName[] = "MyApp";

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
      L"ナモリは日本語の文字コード (コードページ 932、Shift-JIS) で動くプログラムです。"
      L"このパソコンでは別のコードページで起動したため、文字化けしないよう終了します。\n"
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

// ヘルプ→目次: the guide beside the program stands in for a help file that
// is not there; otherwise the help viewer is asked, as it always was.
void openHelp(HWND hwnd) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
  std::string folder;
  if (length > 0 && length < sizeof path) {
    // Up to the last backslash that is a character of its own (the second
    // byte of ソ is 0x5C too).
    std::size_t end = 0;
    for (const char* p = path; std::size_t n = namori::charLength(p); p += n) {
      if (n == 1 && *p == '\\') end = static_cast<std::size_t>(p - path) + 1;
    }
    folder.assign(path, end);
  }
  const std::string guide = folder + "namori-guide-ja.txt";
  if (!folder.empty() &&
      GetFileAttributesA((folder + "ナモリ.HLP").c_str()) == INVALID_FILE_ATTRIBUTES &&
      GetFileAttributesA(guide.c_str()) != INVALID_FILE_ATTRIBUTES &&
      reinterpret_cast<INT_PTR>(
          ShellExecuteA(hwnd, "open", guide.c_str(), NULL, folder.c_str(), SW_SHOWNORMAL)) > 32) {
    return;
  }
  WinHelpA(hwnd, "ナモリ.HLP", HELP_FINDER, 0);
}

// 名付け: the naming window, whose list view needs the common controls.
void runNaming(HWND hwnd) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  DialogBoxParamA(appInstance, "NAMINGDIALOG", hwnd, NamingDlgProc, 0);
}

// Until the first reading the empty window says where to begin.
void paintHint(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  if (namori::readingState.readingNames[0] == '\0') {
    static HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, "MS UI Gothic");
    HGDIOBJ old = SelectObject(dc, font != NULL ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    RECT area;
    GetClientRect(hwnd, &area);
    InflateRect(&area, -24, -24);
    DrawTextA(dc, "メニューの「姓名判断」で名前を入力します。\n「名付け」で名前の候補を探せます。",
              -1, &area, DT_LEFT | DT_TOP | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  EndPaint(hwnd, &paint);
}

}  // namespace

// The File output button appears with the first 姓名判断 and then stays.
void ensureFileOutputButton(HWND hwnd) {
  if (GetDlgItem(hwnd, IDC_FILE_OUTPUT) != NULL) return;
  CreateWindowExA(0, "BUTTON", "ファイル出力", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 450, 300, 100,
                  32, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FILE_OUTPUT)),
                  appInstance, NULL);
  EnableMenuItem(GetMenu(hwnd), IDC_FILE_OUTPUT, MF_BYCOMMAND | MF_ENABLED);
}

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
          openHelp(hwnd);
          break;
        case IDM_NAMING:
          runNaming(hwnd);
          break;
      }
      return 0;
    case WM_PAINT:
      paintHint(hwnd);
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

  // Ctrl+S: File output, as the menu item says.
  HACCEL accelerators = LoadAcceleratorsA(instance, kClassName);
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    if (accelerators != NULL && TranslateAcceleratorA(hwnd, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
