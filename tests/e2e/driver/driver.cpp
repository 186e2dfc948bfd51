// Drives the real namori.exe from outside, as a user would: menu commands
// and button clicks arrive as window messages, dialog fields are typed with
// SetDlgItemTextA, and what the program shows is read back from its windows
// (a message box's text is its static control 0xFFFF).
//
//   namori_driver.exe SCENARIO PATH\namori.exe   run one test scenario
//   namori_driver.exe pose STEP                  steps for the screenshots
//
// Each scenario starts namori.exe in the current directory, checks, closes
// it and checks its exit code. Exit status 0 means every check passed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Checks -----------------------------------------------------------------

int failures = 0;
DWORD startTick = GetTickCount();

// Shift-JIS text shown readably on a UTF-8 terminal.
std::string readable(const std::string& sjis) {
  int wideLength = MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), NULL, 0);
  std::wstring wide(wideLength, L'\0');
  MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), &wide[0], wideLength);
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, NULL, 0, NULL, NULL);
  std::string utf8(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, NULL, NULL);
  std::string out;
  for (char c : utf8) {
    if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

void fail(int line, const std::string& what) {
  ++failures;
  std::printf("FAIL (line %d): %s\n", line, what.c_str());
  std::fflush(stdout);
}

#define CHECK(cond)                     \
  do {                                  \
    if (!(cond)) fail(__LINE__, #cond); \
  } while (0)

#define CHECK_TEXT(actual, expected)                                            \
  do {                                                                          \
    const std::string a_ = (actual), e_ = (expected);                           \
    if (a_ != e_)                                                               \
      fail(__LINE__, std::string(#actual) + "\n  got:      \"" + readable(a_) + \
                         "\"\n  expected: \"" + readable(e_) + "\"");           \
  } while (0)

void note(const char* step) {
  std::printf("-- [%lu ms] %s\n", GetTickCount() - startTick, readable(step).c_str());
  std::fflush(stdout);
}

// ---- Windows of the program -------------------------------------------------

const DWORD kTimeoutMs = 15000;

std::string windowText(HWND hwnd) {
  char buffer[8192] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::string className(HWND hwnd) {
  char buffer[256] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

// The text of a message box: its static control 0xFFFF.
std::string boxText(HWND box) {
  static char buffer[8192];
  std::memset(buffer, 0, sizeof buffer);
  GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
  return buffer;
}

std::string itemText(HWND dlg, int id) {
  char buffer[1024] = {};
  GetDlgItemTextA(dlg, id, buffer, sizeof buffer);
  return buffer;
}

struct DialogSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND hwnd, LPARAM param) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && IsWindowVisible(hwnd) && className(hwnd) == "#32770") {
    search->found.push_back(hwnd);
  }
  return TRUE;
}

// Visible dialogs and message boxes of process pid.
std::vector<HWND> dialogsOf(DWORD pid) {
  DialogSearch search{pid, {}};
  EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits for a dialog of pid other than `except` whose caption is `caption`
// (any caption when NULL).
HWND waitDialog(DWORD pid, const char* caption, HWND except = NULL) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kTimeoutMs) {
    for (HWND hwnd : dialogsOf(pid)) {
      if (hwnd != except && (caption == NULL || windowText(hwnd) == caption)) return hwnd;
    }
    Sleep(20);
  }
  return NULL;
}

bool waitGone(HWND hwnd) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kTimeoutMs) {
    if (!IsWindow(hwnd)) return true;
    Sleep(20);
  }
  return false;
}

// Lets the program finish whatever it is doing: a sent message is handled
// only once the program is back in a message loop.
bool settle(HWND hwnd) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result) != 0;
}

// Presses a dialog button (OK, Cancel) and waits for the dialog to close.
void pressAndWaitGone(HWND dlg, int id) {
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  CHECK(waitGone(dlg));
}

// ---- The program ---------------------------------------------------------------

struct Program {
  PROCESS_INFORMATION process;
  HWND main;
  const char* exePath;
};

struct MainSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findMain(HWND hwnd, LPARAM param) {
  MainSearch* search = reinterpret_cast<MainSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && className(hwnd) == "MyApp" && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

bool start(const char* exePath, Program& program) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string commandLine = std::string("\"") + exePath + "\"";
  if (!CreateProcessA(exePath, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                      &program.process)) {
    std::printf("FAIL: cannot start %s (error %lu)\n", exePath, GetLastError());
    return false;
  }
  MainSearch search{program.process.dwProcessId, NULL};
  const DWORD start = GetTickCount();
  while (search.found == NULL && GetTickCount() - start < 30000) {
    EnumWindows(findMain, reinterpret_cast<LPARAM>(&search));
    if (search.found == NULL) Sleep(50);
  }
  program.main = search.found;
  if (program.main == NULL) {
    std::printf("FAIL: namori.exe showed no window of class MyApp\n");
    TerminateProcess(program.process.hProcess, 99);
    return false;
  }
  return settle(program.main);
}

// Waits for the process to end and checks it ended with exit code 0.
void checkExitsCleanly(Program& program) {
  const DWORD waited = WaitForSingleObject(program.process.hProcess, kTimeoutMs);
  CHECK(waited == WAIT_OBJECT_0);
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(program.process.hProcess, 99);
    WaitForSingleObject(program.process.hProcess, kTimeoutMs);
  }
  DWORD exitCode = 1;
  GetExitCodeProcess(program.process.hProcess, &exitCode);
  CHECK(exitCode == 0);
  CloseHandle(program.process.hProcess);
  CloseHandle(program.process.hThread);
  program.process.hProcess = NULL;
}

void postCommand(const Program& program, int id) {
  PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

const char kNameDialogCaption[] = "姓名の入力";

// 姓名判断: opens the name dialog and returns it.
HWND openNameDialog(const Program& program) {
  postCommand(program, 200);
  HWND dlg = waitDialog(program.process.dwProcessId, kNameDialogCaption);
  CHECK(dlg != NULL);
  return dlg;
}

// Types the names and presses 実行; returns the message box that follows.
HWND enterNames(const Program& program, HWND dlg, const char* surname, const char* givenName) {
  SetDlgItemTextA(dlg, 101, surname);
  SetDlgItemTextA(dlg, 102, givenName);
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  HWND box = waitDialog(program.process.dwProcessId, NULL, dlg);
  CHECK(box != NULL);
  return box;
}

// A complete reading: returns the text of the 姓名判断 box, which is closed.
std::string readName(const Program& program, const char* surname, const char* givenName) {
  HWND dlg = openNameDialog(program);
  if (dlg == NULL) return "";
  HWND box = enterNames(program, dlg, surname, givenName);
  if (box == NULL) return "";
  CHECK_TEXT(windowText(box), "姓名判断");
  const std::string text = boxText(box);
  CHECK(!IsWindowVisible(dlg));  // ended before the box; it goes with the box
  pressAndWaitGone(box, IDOK);
  CHECK(waitGone(dlg));
  CHECK(settle(program.main));
  return text;
}

// 職業運、適職: returns the text of its box, which is closed.
std::string runCareer(const Program& program) {
  postCommand(program, 201);
  HWND box = waitDialog(program.process.dwProcessId, NULL);
  CHECK(box != NULL);
  if (box == NULL) return "";
  CHECK_TEXT(windowText(box), "職業運と適職");
  const std::string text = boxText(box);
  pressAndWaitGone(box, IDOK);
  CHECK(settle(program.main));
  return text;
}

HWND fileOutputButton(const Program& program) {
  return GetDlgItem(program.main, 202);
}

// Clicks the File output button and waits until the click is handled.
void clickFileOutput(const Program& program) {
  HWND button = fileOutputButton(program);
  CHECK(button != NULL);
  if (button == NULL) return;
  DWORD_PTR result = 0;
  CHECK(SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, kTimeoutMs, &result) != 0);
}

int countChildren(HWND parent) {
  int count = 0;
  for (HWND child = GetWindow(parent, GW_CHILD); child != NULL;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++count;
  }
  return count;
}

bool noDialogs(const Program& program) {
  return dialogsOf(program.process.dwProcessId).empty();
}

// ---- Files --------------------------------------------------------------------

bool readFile(const std::string& name, std::string& content) {
  FILE* f = std::fopen(name.c_str(), "rb");
  if (f == NULL) return false;
  content.clear();
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
  std::fclose(f);
  return true;
}

void writeFile(const std::string& name, const std::string& content) {
  FILE* f = std::fopen(name.c_str(), "wb");
  CHECK(f != NULL);
  if (f == NULL) return;
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

int countFiles() {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("*", &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

// ---- Expected texts -------------------------------------------------------------

// The reading of 山田 太郎 (grades 26, 8, 18, 9, 17), byte for byte.
const char kYamadaTaroReport[] =
    "\n***姓名判断***      山田 太郎 さん\n\n"
    "総運  26画  総合      波乱と異変の凶数(天下を取る可能性)\n\n"
    "天運   8画  先祖運    忍耐が発展を生む吉数\n\n"
    "地運  18画  個性      才知と行動力に富む吉数\n\n"
    "人運   9画  社会性    不遇と孤独を暗示する凶数\n\n"
    "外運  17画  環境運    剛毅で気迫のある吉数(アイドルスター性、遭難・事故に注意)\n\n"
    "総運+人運 7.0 天運+地運+外運 24.0 得点 31.0/100.0\n\n";

const char kCareerNotice[] = "\n職業運数３２以降は表示しません\n";

// 外運 17 gives this career entry.
const char kCareer17Title[] = "\n******* 人気商売で行こう *******\n\n貴方の適職：";

bool startsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// ---- Scenarios -------------------------------------------------------------------

// The window, its menu, the commands that need no reading, the About box and
// the unknown command; ends through ナモリの終了.
void scenarioWindow(Program& program) {
  const DWORD pid = program.process.dwProcessId;

  note("class, title");
  CHECK_TEXT(className(program.main), "MyApp");
  CHECK_TEXT(windowText(program.main), "ナモリ");
  CHECK(countChildren(program.main) == 0);

  // Wine keeps a menu inside the process that owns it, so the window's menu
  // cannot be read from here; it is the class menu, loaded from the
  // executable's resource "MyApp", which is read instead.
  note("menu");
  CHECK(GetMenu(program.main) != NULL);
  HMODULE exe = LoadLibraryExA(program.exePath, NULL, LOAD_LIBRARY_AS_DATAFILE);
  CHECK(exe != NULL);
  HMENU menu = exe != NULL ? LoadMenuA(exe, "MyApp") : NULL;
  CHECK(menu != NULL);
  struct Item {
    const char* text;
    int id;      // -1: a popup
    int parent;  // index of the popup holding it, or -1
  };
  const Item items[] = {{"ファイル(&F)", -1, -1},  {"ナモリの終了(&X)", 100, 0},
                        {"姓名判断(&H)", 200, -1}, {"職業運、適職(&J)", 201, -1},
                        {"ヘルプ(&H)", -1, -1},    {"目次(&C)", 400, 4},
                        {"バージョン情報", 301, 4}};
  if (menu != NULL) {
    CHECK(GetMenuItemCount(menu) == 4);
    int topPosition = -1;
    int subPosition = 0;
    HMENU popup = NULL;
    for (int i = 0; i < static_cast<int>(sizeof items / sizeof items[0]); ++i) {
      const Item& item = items[i];
      HMENU owner;
      int position;
      if (item.parent < 0) {
        owner = menu;
        position = ++topPosition;
      } else {
        owner = popup;
        position = subPosition++;
      }
      char text[256] = {};
      GetMenuStringA(owner, position, text, sizeof text, MF_BYPOSITION);
      CHECK_TEXT(text, item.text);
      if (item.id < 0) {
        popup = GetSubMenu(menu, position);
        CHECK(popup != NULL);
        subPosition = 0;
        CHECK(GetMenuItemCount(popup) == (i == 0 ? 1 : 2));
      } else {
        CHECK(GetMenuItemID(owner, position) == static_cast<UINT>(item.id));
      }
    }
    DestroyMenu(menu);
  }
  if (exe != NULL) FreeLibrary(exe);

  note("career before any reading: the notice, and still no button");
  CHECK_TEXT(runCareer(program), kCareerNotice);
  CHECK(fileOutputButton(program) == NULL);
  CHECK(countChildren(program.main) == 0);

  note("unknown command ids do nothing");
  const int filesBefore = countFiles();
  const UINT unknown[] = {0, 99, 101, 203, 300, 302, 401, 0xFFFF};
  for (UINT id : unknown) {
    DWORD_PTR result = 1;
    CHECK(SendMessageTimeoutA(program.main, WM_COMMAND, id, 0, SMTO_NORMAL, kTimeoutMs, &result));
    CHECK(result == 0);
  }
  CHECK(settle(program.main));
  CHECK(noDialogs(program));
  CHECK(countChildren(program.main) == 0);
  CHECK(countFiles() == filesBefore);
  CHECK(IsWindow(program.main));

  note("About box: OK and Escape both close it");
  for (int closeWith : {IDOK, IDCANCEL}) {
    postCommand(program, 301);
    HWND about = waitDialog(pid, "ナモリ");
    CHECK(about != NULL);
    if (about == NULL) continue;
    CHECK(!IsWindowEnabled(program.main));  // modal
    HWND text = FindWindowExA(about, NULL, "Static", NULL);
    bool sawVersion = false;
    for (; text != NULL; text = FindWindowExA(about, text, "Static", NULL)) {
      if (startsWith(windowText(text), "Ver 1.0")) sawVersion = true;
    }
    CHECK(sawVersion);
    CHECK_TEXT(itemText(about, IDOK), "OK");
    pressAndWaitGone(about, closeWith);
    CHECK(settle(program.main));
    CHECK(IsWindowEnabled(program.main));
  }

  // The help viewer is another process; finding no ナモリ.HLP it asks the
  // user, and the program waits for that answer inside WinHelpA.
  note("目次: the help viewer is asked for ナモリ.HLP");
  postCommand(program, 400);
  HWND helpBox = NULL;
  const DWORD helpStart = GetTickCount();
  while (helpBox == NULL && GetTickCount() - helpStart < kTimeoutMs) {
    for (HWND hwnd = FindWindowExA(NULL, NULL, "#32770", NULL); hwnd != NULL;
         hwnd = FindWindowExA(NULL, hwnd, "#32770", NULL)) {
      if (boxText(hwnd).find("ナモリ.HLP") != std::string::npos) helpBox = hwnd;
    }
    if (helpBox == NULL) Sleep(50);
  }
  CHECK(helpBox != NULL);
  if (helpBox != NULL) {
    DWORD helpPid = 0;
    GetWindowThreadProcessId(helpBox, &helpPid);
    CHECK(helpPid != pid);
    CHECK(settle(program.main));
    PostMessageA(helpBox, WM_COMMAND, GetDlgItem(helpBox, IDNO) != NULL ? IDNO : IDOK, 0);
    CHECK(waitGone(helpBox));
  }
  CHECK(settle(program.main));
  CHECK(noDialogs(program));

  note("ナモリの終了");
  postCommand(program, 100);
  CHECK(waitGone(program.main));
  checkExitsCleanly(program);
}

// The name dialog, the reading box, the File output button and the career
// entry after a reading; ends through the close box.
void scenarioReading(Program& program) {
  note("first opening: empty fields, the button appears");
  HWND dlg = openNameDialog(program);
  if (dlg == NULL) return;
  CHECK_TEXT(itemText(dlg, 101), "");
  CHECK_TEXT(itemText(dlg, 102), "");
  CHECK(fileOutputButton(program) != NULL);

  note("キャンセル changes nothing");
  SetDlgItemTextA(dlg, 101, "佐藤");
  pressAndWaitGone(dlg, IDCANCEL);
  CHECK(settle(program.main));
  CHECK(noDialogs(program));
  dlg = openNameDialog(program);
  if (dlg == NULL) return;
  CHECK_TEXT(itemText(dlg, 101), "");
  CHECK_TEXT(itemText(dlg, 102), "");

  note("an empty field: データエラー, the dialog stays");
  const char* const halfEmpty[][2] = {{"山田", ""}, {"", "太郎"}};
  for (const auto& names : halfEmpty) {
    HWND box = enterNames(program, dlg, names[0], names[1]);
    if (box == NULL) return;
    CHECK_TEXT(boxText(box), "データエラー");
    CHECK(GetWindow(box, GW_OWNER) == dlg);
    pressAndWaitGone(box, IDOK);
    CHECK(IsWindow(dlg) && IsWindowVisible(dlg));
  }

  note("実行: the 姓名判断 box shows the name report");
  HWND box = enterNames(program, dlg, "山田", "太郎");
  if (box == NULL) return;
  CHECK_TEXT(windowText(box), "姓名判断");
  CHECK_TEXT(boxText(box), kYamadaTaroReport);
  CHECK(GetWindow(box, GW_OWNER) == dlg);
  CHECK(!IsWindowVisible(dlg));
  pressAndWaitGone(box, IDOK);
  CHECK(waitGone(dlg));
  CHECK(settle(program.main));
  CHECK(noDialogs(program));

  note("the File output button");
  HWND button = fileOutputButton(program);
  CHECK(button != NULL);
  if (button != NULL) {
    CHECK_TEXT(className(button), "Button");
    CHECK_TEXT(windowText(button), "ファイル出力");
    CHECK(GetDlgCtrlID(button) == 202);
    CHECK(IsWindowVisible(button));
    RECT rect;
    GetWindowRect(button, &rect);
    MapWindowPoints(NULL, program.main, reinterpret_cast<POINT*>(&rect), 2);
    CHECK(rect.left == 450 && rect.top == 300);
    CHECK(rect.right - rect.left == 100 && rect.bottom - rect.top == 32);
  }

  note("second opening shows the last names; a second reading keeps one button");
  dlg = openNameDialog(program);
  if (dlg == NULL) return;
  CHECK_TEXT(itemText(dlg, 101), "山田");
  CHECK_TEXT(itemText(dlg, 102), "太郎");
  pressAndWaitGone(dlg, IDCANCEL);
  CHECK_TEXT(readName(program, "山田", "太郎"), kYamadaTaroReport);
  CHECK(countChildren(program.main) == 1);
  CHECK(fileOutputButton(program) == button);

  note("career after the reading: the entry for 外運 17");
  const std::string career = runCareer(program);
  CHECK(startsWith(career, kCareer17Title));
  CHECK(career.find('\r') == std::string::npos);
  CHECK_TEXT(runCareer(program), career);  // the same text again, not appended

  note("a rejected name keeps the last reading's career entry");
  dlg = openNameDialog(program);
  if (dlg == NULL) return;
  box = enterNames(program, dlg, "田中", "");
  if (box == NULL) return;
  pressAndWaitGone(box, IDOK);
  pressAndWaitGone(dlg, IDCANCEL);
  CHECK_TEXT(runCareer(program), career);

  note("the close box");
  PostMessageA(program.main, WM_SYSCOMMAND, SC_CLOSE, 0);
  CHECK(waitGone(program.main));
  checkExitsCleanly(program);
}

// The report files written by the File output button.
void scenarioFileOutput(Program& program) {
  const std::string nameFile = "山田太郎さんの姓名判断.TXT";
  const std::string careerFile = "山田太郎さんの職業運適職.TXT";
  std::string content;

  note("the name report, byte for byte");
  CHECK_TEXT(readName(program, "山田", "太郎"), kYamadaTaroReport);
  CHECK(countFiles() == 0);
  clickFileOutput(program);
  CHECK(noDialogs(program));
  CHECK(readFile(nameFile, content));
  CHECK_TEXT(content, kYamadaTaroReport);
  CHECK(countFiles() == 1);

  note("a second press rewrites the file; a longer old file is cut");
  writeFile(nameFile, std::string(3000, 'x'));
  clickFileOutput(program);
  CHECK(readFile(nameFile, content));
  CHECK_TEXT(content, kYamadaTaroReport);

  note("after the career command: the career text, to the career file");
  const std::string career = runCareer(program);
  CHECK(startsWith(career, kCareer17Title));
  writeFile(careerFile, career + std::string(500, '#'));
  clickFileOutput(program);
  CHECK(noDialogs(program));
  CHECK(readFile(careerFile, content));
  CHECK_TEXT(content, career);
  CHECK(readFile(nameFile, content));
  CHECK_TEXT(content, kYamadaTaroReport);  // left alone
  CHECK(countFiles() == 2);

  note("a name that cannot be a file name: ファイル出力エラー");
  const char* const badSurnames[] = {"山?", "a/b", "c:d", "e\\f"};
  for (const char* surname : badSurnames) {
    const std::string text = readName(program, surname, "一");
    CHECK(startsWith(text, std::string("\n***姓名判断***      ") + surname + " 一 さん\n\n"));
    PostMessageA(fileOutputButton(program), BM_CLICK, 0, 0);
    HWND box = waitDialog(program.process.dwProcessId, NULL);
    CHECK(box != NULL);
    if (box == NULL) continue;
    CHECK_TEXT(boxText(box), "ファイル出力エラー");
    CHECK(GetWindow(box, GW_OWNER) == program.main);
    pressAndWaitGone(box, IDOK);
    CHECK(settle(program.main));
  }
  CHECK(countFiles() == 2);

  note("a file the system refuses to open: ファイル出力エラー");
  CHECK(CreateDirectoryA("田中一さんの姓名判断.TXT", NULL));
  readName(program, "田中", "一");
  PostMessageA(fileOutputButton(program), BM_CLICK, 0, 0);
  HWND box = waitDialog(program.process.dwProcessId, NULL);
  CHECK(box != NULL);
  if (box != NULL) {
    CHECK_TEXT(boxText(box), "ファイル出力エラー");
    pressAndWaitGone(box, IDOK);
  }

  note("a second byte 0x5C (表) is part of the character, not a separator");
  CHECK(startsWith(readName(program, "表", "一"), "\n***姓名判断***      表 一 さん\n"));
  clickFileOutput(program);
  CHECK(noDialogs(program));
  CHECK(readFile("表一さんの姓名判断.TXT", content));

  postCommand(program, 100);
  checkExitsCleanly(program);
}

// Long names are cut to 34 bytes, never through a character.
void scenarioLongNames(Program& program) {
  std::string kanji17;
  for (int i = 0; i < 17; ++i) kanji17 += "一";

  note("an 18-character given name reads as its first 17");
  std::string text = readName(program, "林", (kanji17 + "二").c_str());
  CHECK(startsWith(text, "\n***姓名判断***      林 " + kanji17 + " さん\n\n"));

  note("a limit inside a double-byte character drops the whole character");
  const std::string odd = "a" + kanji17;  // 35 bytes: the 34th is a lead byte
  text = readName(program, odd.c_str(), "一");
  const std::string cut = "a" + kanji17.substr(0, 32);
  CHECK(startsWith(text, "\n***姓名判断***      " + cut + " 一 さん\n\n"));

  note("the next opening shows the names as they were cut");
  HWND dlg = openNameDialog(program);
  if (dlg == NULL) return;
  CHECK_TEXT(itemText(dlg, 101), cut);
  CHECK_TEXT(itemText(dlg, 102), "一");
  pressAndWaitGone(dlg, IDCANCEL);

  postCommand(program, 100);
  checkExitsCleanly(program);
}

// ---- Screenshot poses: act on an already running namori.exe --------------------

int pose(const char* step) {
  HWND main = NULL;
  const DWORD start = GetTickCount();
  while ((main = FindWindowA("MyApp", NULL)) == NULL && GetTickCount() - start < 30000) Sleep(50);
  if (main == NULL) {
    std::printf("no namori.exe window\n");
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  Program program{{NULL, NULL, pid, 0}, main, NULL};
  settle(main);
  if (std::strcmp(step, "window") == 0) {
    SetWindowPos(main, NULL, 20, 20, 640, 440, SWP_NOZORDER);
  } else if (std::strcmp(step, "dialog") == 0) {
    HWND dlg = openNameDialog(program);
    if (dlg == NULL) return 1;
    SetDlgItemTextA(dlg, 101, "山田");
    SetDlgItemTextA(dlg, 102, "太郎");
  } else if (std::strcmp(step, "reading") == 0) {
    HWND dlg = waitDialog(pid, kNameDialogCaption);
    if (dlg == NULL) return 1;
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    if (waitDialog(pid, "姓名判断") == NULL) return 1;
  } else if (std::strcmp(step, "close") == 0) {
    HWND box = waitDialog(pid, NULL);
    if (box != NULL) pressAndWaitGone(box, IDOK);
    PostMessageA(main, WM_COMMAND, 100, 0);
  } else {
    std::printf("unknown pose %s\n", step);
    return 2;
  }
  Sleep(500);  // let the windows paint
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, NULL, _IONBF, 0);
  if (GetACP() != 932) {
    std::printf(
        "FAIL: the ANSI code page is %u, not 932. Run under Wine with LANG=ja_JP.UTF-8 "
        "(locale generated) or on Japanese Windows.\n",
        GetACP());
    return 2;
  }
  if (argc == 3 && std::strcmp(argv[1], "pose") == 0) return pose(argv[2]);
  if (argc != 3) {
    std::printf("usage: namori_driver SCENARIO NAMORI_EXE | pose STEP\n");
    return 2;
  }
  struct Scenario {
    const char* name;
    void (*run)(Program&);
  };
  const Scenario scenarios[] = {{"window", scenarioWindow},
                                {"reading", scenarioReading},
                                {"file-output", scenarioFileOutput},
                                {"long-names", scenarioLongNames}};
  for (const Scenario& scenario : scenarios) {
    if (std::strcmp(argv[1], scenario.name) != 0) continue;
    Program program = {};
    program.exePath = argv[2];
    if (!start(argv[2], program)) return 1;
    scenario.run(program);
    if (program.process.hProcess != NULL) {  // a scenario stopped early
      fail(__LINE__, "namori.exe was left running");
      TerminateProcess(program.process.hProcess, 99);
    }
    std::printf("%s: %s\n", scenario.name, failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
  }
  std::printf("unknown scenario %s\n", argv[1]);
  return 2;
}
