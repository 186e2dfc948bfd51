// Works the real namori.exe from outside, as a user would: commands and clicks
// are posted window messages, fields are typed with SetDlgItemTextA, and what
// the program shows is read back from its windows.
//
//   namori_driver.exe SCENARIO PATH\namori.exe   one scenario; exit 0: all checks passed
//   namori_driver.exe pose STEP                  steps for scripts/screenshots.sh
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "expected_texts.h"

namespace {

int failures = 0;
const DWORD startTick = GetTickCount();
const DWORD kTimeoutMs = 15000;

// Shift-JIS as UTF-8 for the terminal, line breaks as \n.
std::string utf8(const std::string& sjis) {
  std::wstring wide(sjis.size(), L'\0');
  wide.resize(MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  std::string out(wide.size() * 3, '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0],
                                 static_cast<int>(out.size()), NULL, NULL));
  for (size_t at; (at = out.find('\n')) != std::string::npos;) out.replace(at, 1, "\\n");
  return out;
}

void fail(int line, const std::string& what) {
  ++failures;
  std::printf("FAIL (line %d): %s\n", line, what.c_str());
}

#define CHECK(cond) ((cond) ? (void)0 : fail(__LINE__, #cond))

void checkText(int line, const std::string& got, const std::string& expected) {
  if (got != expected)
    fail(line, "got \"" + utf8(got) + "\"\n  expected \"" + utf8(expected) + "\"");
}
#define CHECK_TEXT(got, expected) checkText(__LINE__, got, expected)

void note(const char* step) {
  std::printf("-- [%lu ms] %s\n", GetTickCount() - startTick, utf8(step).c_str());
}

template <class Done>
bool waitFor(Done done, DWORD timeoutMs = kTimeoutMs) {
  for (const DWORD start = GetTickCount(); !done(); Sleep(20))
    if (GetTickCount() - start >= timeoutMs) return false;
  return true;
}

bool startsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

PROCESS_INFORMATION program = {};
HWND mainWindow = NULL;
const char* exePath = NULL;

// The text of a window, or of its dialog item `id` (a message box's text is
// its item 0xFFFF).
std::string text(HWND hwnd, int id = 0) {
  static char buffer[8192];
  buffer[0] = '\0';
  if (id != 0) GetDlgItemTextA(hwnd, id, buffer, sizeof buffer);
  if (id == 0) GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

// Visible top-level windows of a class ("#32770": dialogs and message boxes)
// belonging to process pid, or to any process when pid is 0.
std::vector<HWND> windowsOf(DWORD pid, const char* className) {
  std::vector<HWND> found;
  for (HWND hwnd = NULL; (hwnd = FindWindowExA(NULL, hwnd, className, NULL)) != NULL;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if ((pid == 0 || owner == pid) && IsWindowVisible(hwnd)) found.push_back(hwnd);
  }
  return found;
}

bool noDialogs() {
  return windowsOf(program.dwProcessId, "#32770").empty();
}

bool send(HWND hwnd, UINT message, WPARAM wParam = 0, DWORD_PTR* result = NULL) {
  DWORD_PTR ignored;
  return SendMessageTimeoutA(hwnd, message, wParam, 0, SMTO_NORMAL, kTimeoutMs,
                             result != NULL ? result : &ignored) != 0;
}

// Lets the program finish what it is doing: a sent message is handled only
// once the program is back in a message loop.
bool settle() {
  return send(mainWindow, WM_NULL);
}

void post(int command, HWND to = mainWindow) {
  PostMessageA(to, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
}

// Waits for a dialog or box of the program other than `except`; checks its
// caption and owner unless they are NULL.
HWND waitBox(const char* caption, HWND owner, HWND except = NULL) {
  HWND box = NULL;
  waitFor([&] {
    for (HWND hwnd : windowsOf(program.dwProcessId, "#32770")) {
      if (hwnd != except) box = hwnd;
    }
    return box != NULL;
  });
  if (box == NULL) fail(__LINE__, "no box " + utf8(caption != NULL ? caption : "appeared"));
  if (box == NULL) return NULL;
  if (caption != NULL) CHECK_TEXT(text(box), caption);
  if (owner != NULL) CHECK(GetWindow(box, GW_OWNER) == owner);
  return box;
}

void press(HWND dlg, int id) {
  post(id, dlg);
  CHECK(waitFor([&] { return !IsWindow(dlg); }));
}

std::string closeBox(HWND box) {
  if (box == NULL) return "";
  const std::string boxText = text(box, 0xFFFF);
  press(box, IDOK);
  CHECK(settle());
  return boxText;
}

HWND openNameDialog() {
  post(200);
  return waitBox("姓名の入力", mainWindow);
}

// Types the names, presses 実行 and returns the box that answers.
HWND submit(HWND dlg, const std::string& surname, const std::string& givenName,
            const char* caption) {
  SetDlgItemTextA(dlg, 101, surname.c_str());
  SetDlgItemTextA(dlg, 102, givenName.c_str());
  post(IDOK, dlg);
  return waitBox(caption, dlg, dlg);
}

// A whole reading, in `dlg` or a newly opened name dialog: the text of the
// 姓名判断 box. The dialog ends before the box shows. The warning about
// characters that count 0 goes to *warning, and is a failure without it.
std::string readName(const std::string& surname, const std::string& givenName, HWND dlg = NULL,
                     std::string* warning = NULL) {
  if (dlg == NULL && (dlg = openNameDialog()) == NULL) return "";
  HWND box = submit(dlg, surname, givenName, NULL);
  if (box != NULL && text(box) == "ナモリ") {
    const std::string said = closeBox(box);
    if (warning == NULL) fail(__LINE__, "unexpected warning: " + utf8(said));
    if (warning != NULL) *warning = said;
    box = waitBox(NULL, dlg, dlg);
  }
  if (box != NULL) CHECK_TEXT(text(box), "姓名判断");
  CHECK(!IsWindowVisible(dlg));
  const std::string report = closeBox(box);
  CHECK(waitFor([&] { return !IsWindow(dlg); }));
  return report;
}

std::string career() {
  post(201);
  return closeBox(waitBox("職業運と適職", mainWindow));
}

// Clicks File output and returns the text of the box it shows. No box
// expected: the click is sent, so it has been handled on return.
std::string fileOutput(bool expectBox = false) {
  HWND button = GetDlgItem(mainWindow, 202);
  CHECK(button != NULL);
  if (expectBox && PostMessageA(button, BM_CLICK, 0, 0)) return closeBox(waitBox(NULL, mainWindow));
  CHECK(send(button, BM_CLICK) && noDialogs());
  return "";
}

// Ends the program with a message (none: it ends by itself) and checks its exit code.
void quit(UINT message, WPARAM wParam, DWORD expected = 0) {
  if (message != 0) PostMessageA(mainWindow, message, wParam, 0);
  CHECK(WaitForSingleObject(program.hProcess, kTimeoutMs) == WAIT_OBJECT_0);
  DWORD exitCode = expected + 1;
  GetExitCodeProcess(program.hProcess, &exitCode);
  CHECK(exitCode == expected);
}

// The menu as text: "item=id;" and "popup{...};".
std::string menuText(HMENU menu) {
  std::string out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char item[256] = {};
    GetMenuStringA(menu, i, item, sizeof item, MF_BYPOSITION);
    HMENU popup = GetSubMenu(menu, i);
    out += item +
           (popup != NULL ? "{" + menuText(popup) + "}"
                          : "=" + std::to_string(GetMenuItemID(menu, i))) +
           ";";
  }
  return out;
}

std::string fileText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
            : "(no file " + name + ")";
}

int countFiles() {
  namespace fs = std::filesystem;
  return static_cast<int>(std::distance(fs::directory_iterator("."), fs::directory_iterator()));
}

std::string header(const std::string& surname, const std::string& givenName) {
  return "\n***姓名判断***      " + surname + " " + givenName + " さん\n\n";
}

// The window and the commands that need no reading; ends through ナモリの終了.
void scenarioWindow() {
  note("title, menu (the window was found by its class MyApp)");
  CHECK_TEXT(text(mainWindow), "ナモリ");
  CHECK(GetWindow(mainWindow, GW_CHILD) == NULL);
  // Wine keeps a menu inside the process that owns it; the window's menu is
  // the class menu, the executable's resource "MyApp", which is read instead.
  CHECK(GetMenu(mainWindow) != NULL);
  HMODULE exe = LoadLibraryExA(exePath, NULL, LOAD_LIBRARY_AS_DATAFILE);
  HMENU menu = exe != NULL ? LoadMenuA(exe, "MyApp") : NULL;
  CHECK_TEXT(menu != NULL ? menuText(menu) : "(no menu)",
             "ファイル(&F){ファイル出力(&O)\tCtrl+S=202;ナモリの終了(&X)=100;};姓名判断(&H)=200;"
             "職業運、適職(&J)=201;名付け(&N)=210;ヘルプ(&H){目次(&C)=400;バージョン情報=301;};");

  note("career before any reading: the notice, and still no button");
  CHECK_TEXT(career(), expected::kNotice);
  CHECK(GetWindow(mainWindow, GW_CHILD) == NULL);

  note("unknown command ids do nothing");
  const int files = countFiles();
  for (UINT id : {0, 99, 101, 203, 300, 302, 401, 0xFFFF}) {
    DWORD_PTR result = 1;
    CHECK(send(mainWindow, WM_COMMAND, id, &result) && result == 0);
  }
  CHECK(settle() && noDialogs() && GetWindow(mainWindow, GW_CHILD) == NULL &&
        countFiles() == files);

  note("About box: modal, the version; OK and Escape both close it");
  for (int closeWith : {IDOK, IDCANCEL}) {
    post(301);
    HWND about = waitBox("ナモリ", mainWindow);
    CHECK(!IsWindowEnabled(mainWindow));
    bool version = false;
    for (HWND s = NULL; (s = FindWindowExA(about, s, "Static", NULL)) != NULL;) {
      version |= startsWith(text(s), "Ver 1.0");
    }
    CHECK(version);
    press(about, closeWith);
    CHECK(settle() && IsWindowEnabled(mainWindow));
  }

  // The help viewer is another process; finding no ナモリ.HLP it asks the
  // user, and the program waits for that answer inside WinHelpA. The viewer
  // has no manifest: outside a Japanese system it reads the name through
  // another code page, garbled.
  note("目次: the help viewer is asked for ナモリ.HLP");
  const bool japanese = PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE;
  const char* const helpFile = japanese ? "ナモリ.HLP" : ".HLP";
  post(400);
  HWND help = NULL;
  waitFor([&] {
    for (HWND hwnd : windowsOf(0, "#32770")) {
      if (text(hwnd, 0xFFFF).find(helpFile) != std::string::npos) help = hwnd;
    }
    return help != NULL;
  });
  CHECK(help != NULL);
  CHECK(noDialogs() && settle());  // the program waits inside WinHelpA
  press(help, GetDlgItem(help, IDNO) != NULL ? IDNO : IDOK);
  CHECK(settle() && noDialogs());

  note("ナモリの終了");
  quit(WM_COMMAND, 100);
}

// Readings, the career entry and File output; ends through the close box.
void scenarioReading() {
  const std::string nameFile = "山田太郎さんの姓名判断.TXT";
  const std::string careerFile = "山田太郎さんの職業運適職.TXT";

  note("first opening: empty fields, the button appears");
  HWND dlg = openNameDialog();
  if (dlg == NULL) return;
  CHECK_TEXT(text(dlg, 101) + "|" + text(dlg, 102), "|");
  CHECK(GetDlgItem(mainWindow, 202) != NULL);

  note("キャンセル changes nothing");
  SetDlgItemTextA(dlg, 101, "佐藤");
  press(dlg, IDCANCEL);
  CHECK(settle() && noDialogs());
  if ((dlg = openNameDialog()) == NULL) return;
  CHECK_TEXT(text(dlg, 101) + "|" + text(dlg, 102), "|");

  note("an empty field: データエラー, the dialog stays");
  for (const auto& names : {std::make_pair("山田", ""), std::make_pair("", "太郎")}) {
    CHECK_TEXT(closeBox(submit(dlg, names.first, names.second, NULL)), "データエラー");
    CHECK(IsWindow(dlg) && IsWindowVisible(dlg));
  }

  note("実行: the 姓名判断 box shows the name report; no file is written");
  CHECK_TEXT(readName("山田", "太郎", dlg), expected::kYamadaTaroReport);
  CHECK(noDialogs() && countFiles() == 0);

  note("the File output button");
  HWND button = GetDlgItem(mainWindow, 202);
  CHECK(FindWindowExA(mainWindow, NULL, "Button", NULL) == button && IsWindowVisible(button));
  CHECK_TEXT(text(button), "ファイル出力");
  RECT r = {};
  GetWindowRect(button, &r);
  MapWindowPoints(NULL, mainWindow, reinterpret_cast<POINT*>(&r), 2);
  CHECK(r.left == 450 && r.top == 300 && r.right - r.left == 100 && r.bottom - r.top == 32);

  note("second opening shows the last names; a second reading keeps one button");
  if ((dlg = openNameDialog()) == NULL) return;
  CHECK_TEXT(text(dlg, 101) + "|" + text(dlg, 102), "山田|太郎");
  press(dlg, IDCANCEL);
  CHECK_TEXT(readName("山田", "太郎"), expected::kYamadaTaroReport);
  CHECK(GetWindow(mainWindow, GW_CHILD) == button && GetWindow(button, GW_HWNDNEXT) == NULL);

  note("career after the reading: the entry for 外運 17, the same each time");
  const std::string entry = career();
  CHECK_TEXT(entry, expected::kYamadaTaroCareer);
  CHECK_TEXT(career(), entry);

  note("a rejected name keeps the last reading's career entry and its file name");
  if ((dlg = openNameDialog()) == NULL) return;
  closeBox(submit(dlg, "田中", "", NULL));
  press(dlg, IDCANCEL);
  CHECK_TEXT(career(), entry);
  fileOutput();
  CHECK_TEXT(fileText(careerFile), entry);
  CHECK(countFiles() == 1);

  note("File output rewrites a file byte for byte; a longer old file is cut");
  readName("山田", "太郎");
  std::ofstream(nameFile, std::ios::binary) << std::string(3000, 'x');
  fileOutput();
  CHECK_TEXT(fileText(nameFile), expected::kYamadaTaroReport);
  CHECK_TEXT(career(), entry);
  std::ofstream(careerFile, std::ios::binary) << entry + std::string(500, '#');
  fileOutput();
  CHECK_TEXT(fileText(careerFile), entry);
  CHECK_TEXT(fileText(nameFile), expected::kYamadaTaroReport);
  CHECK(countFiles() == 2);

  note("a name that cannot be a file name: ファイル出力エラー");
  for (const char* surname : {"山?", "a/b", "c:d", "e\\f"}) {
    std::string warning;
    CHECK(startsWith(readName(surname, "一", NULL, &warning), header(surname, "一")));
    CHECK(startsWith(warning, "次の字は辞書にないため 0 画として数えます："));
    CHECK_TEXT(fileOutput(true), "ファイル出力エラー");
  }
  CHECK(countFiles() == 2);

  note("a directory or a locked file at the name: ファイル出力エラー, the file stays");
  CHECK(CreateDirectoryA("田中一さんの姓名判断.TXT", NULL));
  readName("田中", "一");
  CHECK_TEXT(fileOutput(true), "ファイル出力エラー");
  // Another program holds the file open without sharing.
  const std::string locked = "表一さんの姓名判断.TXT";
  std::ofstream(locked, std::ios::binary) << "old";
  HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(lock != INVALID_HANDLE_VALUE);
  readName("表", "一");
  CHECK_TEXT(fileOutput(true), "ファイル出力エラー");
  CloseHandle(lock);
  CHECK_TEXT(fileText(locked), "old");
  CHECK(countFiles() == 4);  // no temporary file is left

  note("a second byte 0x5C (表) is part of the character, not a separator");
  CHECK(startsWith(readName("表", "一"), header("表", "一")));
  fileOutput();
  CHECK(startsWith(fileText("表一さんの姓名判断.TXT"), header("表", "一")));

  note("names are cut to 34 bytes, never through a character");
  std::string kanji17;
  for (int i = 0; i < 17; ++i) kanji17 += "一";
  CHECK(startsWith(readName("林", kanji17 + "二"), header("林", kanji17)));
  const std::string cut = "a" + kanji17.substr(0, 32);  // "a" + 17 kanji: byte 34 leads
  std::string warning;
  CHECK(startsWith(readName("a" + kanji17, "一", NULL, &warning), header(cut, "一")));
  CHECK_TEXT(warning, "次の字は辞書にないため 0 画として数えます：a");
  if ((dlg = openNameDialog()) == NULL) return;
  CHECK_TEXT(text(dlg, 101) + "|" + text(dlg, 102), cut + "|一");
  press(dlg, IDCANCEL);

  note("the close box");
  quit(WM_SYSCOMMAND, SC_CLOSE);
}

// ---- The naming window ----------------------------------------------------

// Text of a list view cell in the program: the request and its answer live
// in the program's memory.
std::string cellText(HWND list, int row, int column) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               program.dwProcessId);
  const SIZE_T textBytes = 512;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, NULL, sizeof(LVITEMA) + textBytes, MEM_COMMIT, PAGE_READWRITE));
  std::string out;
  if (remote != NULL) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote + sizeof item;
    item.cchTextMax = textBytes;
    char buffer[textBytes] = {};
    WriteProcessMemory(process, remote, &item, sizeof item, NULL);
    WriteProcessMemory(process, remote + sizeof item, buffer, 1, NULL);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                        kTimeoutMs, &length);
    ReadProcessMemory(process, remote + sizeof item, buffer, textBytes - 1, NULL);
    out = buffer;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return out;
}

int itemCount(HWND list) {
  DWORD_PTR count = 0;
  send(list, LVM_GETITEMCOUNT, 0, &count);
  return static_cast<int>(count);
}

std::vector<std::string> split(const std::string& line, char by) {
  std::vector<std::string> parts(1);
  for (char c : line) {
    if (c == by) {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  return parts;
}

struct NamingFilters {
  std::string surname = "山田";
  int sex = 0, characters = 0;
  std::string reading, with, minScore;
};

// Fills the fields, presses 候補を表示 and waits for the count; returns the
// milliseconds that took, or -1 when a box answered instead.
long showCandidates(HWND dlg, const NamingFilters& f) {
  SetDlgItemTextA(dlg, 1201, f.surname.c_str());
  send(GetDlgItem(dlg, 1202), CB_SETCURSEL, f.sex);
  send(GetDlgItem(dlg, 1203), CB_SETCURSEL, f.characters);
  SetDlgItemTextA(dlg, 1204, f.reading.c_str());
  SetDlgItemTextA(dlg, 1205, f.with.c_str());
  SetDlgItemTextA(dlg, 1206, f.minScore.c_str());
  SetDlgItemTextA(dlg, 1221, "");
  const DWORD start = GetTickCount();
  post(1210, dlg);
  bool box = false;
  waitFor([&] {
    box = windowsOf(program.dwProcessId, "#32770").size() > 1;
    return box || startsWith(text(dlg, 1221), "候補 ");
  });
  return box ? -1 : static_cast<long>(GetTickCount() - start);
}

// The list shows the module's list (expected: the CSV the native tool made)
// and 一覧をファイル出力 writes exactly that CSV.
void checkList(HWND dlg, const std::string& expectedCsv, const std::string& surname) {
  const std::string expected = fileText(expectedCsv);
  std::vector<std::string> lines = split(expected, '\n');
  CHECK(lines.size() >= 2 && lines.back().empty());
  const int rows = static_cast<int>(lines.size()) - 2;  // header, final line end
  HWND list = GetDlgItem(dlg, 1220);
  CHECK(itemCount(list) == rows);
  std::string status = text(dlg, 1221);
  CHECK(startsWith(status, "候補 ") && status.find(" 件（") != std::string::npos);
  for (int row : {0, 1, 2, rows - 1}) {
    if (row < 0 || row >= rows) continue;
    const std::string& line = lines[row + 1];
    const std::string wanted = line.substr(0, line.rfind(','));  // 字のなじみ is in the file only
    std::string shown;
    for (size_t column = 0; column < split(wanted, ',').size(); ++column) {
      shown += (column ? "," : "") + cellText(list, row, static_cast<int>(column));
    }
    CHECK_TEXT(shown, wanted);
  }
  const std::string file = surname + "さんの名付け候補.CSV";
  DeleteFileA(file.c_str());
  post(1231, dlg);
  char count[32];
  std::snprintf(count, sizeof count, "%d", rows);
  std::string grouped = count;
  for (int at = static_cast<int>(grouped.size()) - 3; at > 0; at -= 3) grouped.insert(at, ",");
  CHECK_TEXT(closeBox(waitBox("名付け", dlg, dlg)),
             file + " に " + grouped + " 件を書き出しました");
  CHECK(fileText(file) == expected);
}

// For a failure: every visible top-level window, its class, title and text.
void listWindows() {
  for (HWND hwnd = GetTopWindow(NULL); hwnd != NULL; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
    if (!IsWindowVisible(hwnd)) continue;
    char className[128] = {};
    GetClassNameA(hwnd, className, sizeof className);
    std::printf("  window %s \"%s\" \"%s\"\n", className, utf8(text(hwnd)).c_str(),
                utf8(text(hwnd, 0xFFFF)).c_str());
  }
}

// Presses the keys together in `window`, as a user would.
void pressKeys(HWND window, std::initializer_list<BYTE> keys) {
  SetForegroundWindow(window);
  CHECK(waitFor([&] { return GetForegroundWindow() == window; }));
  for (BYTE key : keys) keybd_event(key, 0, 0, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
  }
  Sleep(300);
}

// Ctrl+S in the main window.
void pressCtrlS() {
  pressKeys(mainWindow, {VK_CONTROL, 'S'});
  CHECK(settle());
}

// 名付け, the File output menu item, the warning about 0 strokes and the
// guide as help. The program runs from the scenario's folder, beside
// namori-guide-ja.txt; run_scenario.sh left the module's CSVs there.
void scenarioNaming() {
  note("Ctrl+S before any 姓名判断: the item is greyed, nothing is written");
  CHECK_TEXT(career(), expected::kNotice);
  const int files = countFiles();
  pressCtrlS();
  CHECK(noDialogs() && countFiles() == files);

  note("目次 with the guide beside the program and no ナモリ.HLP: the guide opens");
  post(400);
  HWND guide = NULL;
  CHECK(waitFor([&] {
    for (HWND hwnd : windowsOf(0, "Notepad")) {
      if (text(hwnd).find("namori-guide-ja") != std::string::npos) guide = hwnd;
    }
    return guide != NULL;
  }));
  if (guide == NULL) listWindows();
  CHECK(settle() && noDialogs());
  if (guide != NULL) PostMessageA(guide, WM_CLOSE, 0, 0);

  note("名付け opens centred on the main window, with an empty list");
  post(210);
  HWND dlg = waitBox("名付け", mainWindow);
  if (dlg == NULL) return;
  RECT outer = {}, inner = {};
  GetWindowRect(mainWindow, &outer);
  GetWindowRect(dlg, &inner);
  CHECK(abs((outer.left + outer.right) - (inner.left + inner.right)) <= 2 &&
        abs((outer.top + outer.bottom) - (inner.top + inner.bottom)) <= 2);
  HWND list = GetDlgItem(dlg, 1220);
  CHECK(list != NULL && itemCount(list) == 0 && !IsWindowEnabled(GetDlgItem(dlg, 1231)));
  CHECK_TEXT(text(dlg, 1201), "");

  note("山田, no filters: the module's whole list, and its CSV");
  NamingFilters all;
  const long ms = showCandidates(dlg, all);
  std::printf("%s: %ld ms to the count\n", utf8("-- 候補を表示 for 山田 with no filters").c_str(),
              ms);
  CHECK(ms >= 0);
  checkList(dlg, "expected-all.csv", "山田");

  note("filters: 女の子 + 2文字, a reading pattern, a character to use");
  const struct {
    NamingFilters filters;
    const char* csv;
  } lists[] = {{{"山田", 1, 2, "", "", ""}, "expected-f2.csv"},
               {{"山田", 0, 0, "ユ*", "", ""}, "expected-yu.csv"},
               {{"山田", 0, 0, "", "翔", ""}, "expected-with.csv"}};
  for (const auto& l : lists) {
    CHECK(showCandidates(dlg, l.filters) >= 0);
    checkList(dlg, l.csv, "山田");
  }
  const int rows = itemCount(list);

  note("bad input: a box names the field, the list stays");
  const struct {
    NamingFilters filters;
    const char* field;
  } bad[] = {{{"", 0, 0, "", "", ""}, "姓"},
             {{"ABC", 0, 0, "", "", ""}, "姓"},
             {{"山田", 0, 0, "yu*", "", ""}, "読み"},
             {{"山田", 0, 0, "", "", "101"}, "最低得点"}};
  for (const auto& b : bad) {
    CHECK(showCandidates(dlg, b.filters) == -1);
    const std::string message = closeBox(waitBox("名付け", dlg, dlg));
    if (!startsWith(message, b.field)) fail(__LINE__, "box: " + utf8(message));
    CHECK(itemCount(list) == rows && IsWindow(dlg));
  }

  note("姓名判断 on the first row: the name dialog's reading; the window stays");
  CHECK(showCandidates(dlg, all) >= 0);
  const std::string given = cellText(list, 0, 1);
  post(1230, dlg);
  const std::string report = closeBox(waitBox("姓名判断", dlg, dlg));
  CHECK(startsWith(report, header("山田", given)));
  CHECK(IsWindow(dlg) && IsWindowVisible(dlg) && itemCount(list) > 0);
  CHECK(GetDlgItem(mainWindow, 202) != NULL);
  pressKeys(dlg, {VK_RETURN});  // Enter on the list, which has the focus
  CHECK_TEXT(closeBox(waitBox("姓名判断", dlg, dlg)), report);
  press(dlg, IDCANCEL);
  HWND nameDlg = openNameDialog();
  if (nameDlg == NULL) return;
  CHECK_TEXT(text(nameDlg, 101) + "|" + text(nameDlg, 102), "山田|" + given);
  CHECK_TEXT(readName("山田", given, nameDlg), report);

  note("ファイル出力 by Ctrl+S now writes the reading");
  const std::string reportFile = "山田" + given + "さんの姓名判断.TXT";
  pressCtrlS();
  CHECK_TEXT(fileText(reportFile), report);

  note("名付け opens with the last surname");
  post(210);
  if ((dlg = waitBox("名付け", mainWindow)) == NULL) return;
  CHECK_TEXT(text(dlg, 1201), "山田");
  press(dlg, IDCANCEL);

  note("characters that count 0: a warning first, then the reading unchanged");
  std::string warning;
  const std::string warned = readName("髙橋", "一郎", NULL, &warning);
  CHECK_TEXT(warning, "髙 は辞書にないため 0 画として数えます（高 なら 10 画）");
  CHECK(startsWith(warned, header("髙橋", "一郎")) &&
        warned.find("得点 80.0/100.0") != std::string::npos);

  note("the close box");
  quit(WM_SYSCOMMAND, SC_CLOSE);
}

// Started without code page 932 (the build without the manifest, under a
// non-Japanese locale): one message box says why, then exit status 1.
void scenarioCodePage() {
  note("the code page message instead of the window");
  HWND box = waitBox("ナモリ", NULL);
  const std::string message = text(box, 0xFFFF);
  for (const char* part : {"コードページ 932", "Windows 11", "日本語 (日本)", "code page 932",
                           "\"Language for non-Unicode programs\" to Japanese"}) {
    if (message.find(part) == std::string::npos)
      fail(__LINE__, "no \"" + utf8(part) + "\" in " + utf8(message));
  }
  CHECK(windowsOf(program.dwProcessId, "MyApp").empty());
  press(box, IDOK);
  quit(0, 0, 1);
}

// Screenshot poses, acting on an already running namori.exe.
int pose(const std::string& step) {
  if (!waitFor([] { return (mainWindow = FindWindowA("MyApp", NULL)) != NULL; }, 30000)) return 1;
  GetWindowThreadProcessId(mainWindow, &program.dwProcessId);
  settle();
  if (step == "window") {
    SetWindowPos(mainWindow, NULL, 20, 20, 640, 440, SWP_NOZORDER);
  } else if (step == "dialog") {
    HWND dlg = openNameDialog();
    SetDlgItemTextA(dlg, 101, "山田");
    SetDlgItemTextA(dlg, 102, "太郎");
  } else if (step == "reading") {
    submit(waitBox("姓名の入力", NULL), "山田", "太郎", "姓名判断");
  } else if (step == "naming") {
    press(waitBox(NULL, NULL), IDCANCEL);  // the reading
    SetWindowPos(mainWindow, NULL, 10, 10, 900, 660, SWP_NOZORDER);
    post(210);
    HWND dlg = waitBox("名付け", mainWindow);
    showCandidates(dlg, {"山田", 1, 0, "", "", ""});
  } else if (step == "close") {
    press(waitBox(NULL, NULL), IDCANCEL);
    post(100);
  } else {
    return 2;
  }
  Sleep(500);  // let the windows paint
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, NULL, _IONBF, 0);
  // The driver has namori.exe's manifest, so it reads the program's texts
  // through code page 932 under any locale.
  if (GetACP() != 932) {
    std::printf("FAIL: ANSI code page %u, not 932: the manifest was not applied\n", GetACP());
    return 2;
  }
  const std::string name = argc == 3 ? argv[1] : "";
  if (name == "pose") return pose(argv[2]);
  void (*const scenario)() = name == "window"     ? scenarioWindow
                             : name == "reading"  ? scenarioReading
                             : name == "naming"   ? scenarioNaming
                             : name == "codepage" ? scenarioCodePage
                                                  : nullptr;
  if (scenario == nullptr) {
    std::printf("usage: namori_driver SCENARIO NAMORI_EXE | pose STEP\n");
    return 2;
  }
  exePath = argv[2];
  // The naming scenario runs a copy of the program beside a guide.
  if (scenario == scenarioNaming) {
    CHECK(CopyFileA(exePath, "namori.exe", FALSE));
    std::ofstream("namori-guide-ja.txt") << "ナモリ 使い方ガイド\r\n";
    exePath = "namori.exe";
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + std::string(exePath) + "\"";
  if (!CreateProcessA(exePath, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                      &program)) {
    std::printf("FAIL: cannot start %s (error %lu)\n", exePath, GetLastError());
    return 1;
  }
  if (scenario != scenarioCodePage) {
    waitFor([] { return !windowsOf(program.dwProcessId, "MyApp").empty(); }, 30000);
    for (HWND hwnd : windowsOf(program.dwProcessId, "MyApp")) mainWindow = hwnd;
    CHECK(mainWindow != NULL && settle());
  }
  if (failures == 0) scenario();
  if (WaitForSingleObject(program.hProcess, 0) != WAIT_OBJECT_0) {  // a scenario stopped early
    fail(__LINE__, "namori.exe was left running");
    TerminateProcess(program.hProcess, 99);
  }
  std::printf("%s: %s\n", argv[1], failures == 0 ? "passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}
