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
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "expected_texts.h"

namespace {

using std::string;

int failures = 0;
const DWORD startTick = GetTickCount(), kTimeoutMs = 15000;
PROCESS_INFORMATION program = {};
HWND mainWindow = NULL;
const char* exePath = NULL;

// UTF-16 text in code page `to`.
string narrow(const std::wstring& wide, UINT to) {
  string out(wide.size() * 3, '\0');
  out.resize(WideCharToMultiByte(to, 0, wide.data(), static_cast<int>(wide.size()), &out[0],
                                 static_cast<int>(out.size()), NULL, NULL));
  return out;
}

// Shift-JIS as UTF-8 for the terminal, line breaks as \n.
string utf8(const string& sjis) {
  std::wstring wide(sjis.size(), L'\0');
  wide.resize(MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  string out = narrow(wide, CP_UTF8);
  for (size_t at; (at = out.find('\n')) != string::npos;) out.replace(at, 1, "\\n");
  return out;
}

void fail(int line, const string& what) {
  ++failures;
  std::printf("FAIL (line %d): %s\n", line, what.c_str());
}
#define CHECK(cond) ((cond) ? (void)0 : fail(__LINE__, #cond))
void checkText(int line, const string& got, const string& expected) {
  if (got != expected)
    fail(line, "got \"" + utf8(got) + "\"\n  expected \"" + utf8(expected) + "\"");
}
#define CHECK_TEXT(got, expected) checkText(__LINE__, got, expected)
#define CHECK_START(got, start) \
  checkText(__LINE__, string(got).substr(0, string(start).size()), start)

void note(const char* step) {
  std::printf("-- [%lu ms] %s\n", GetTickCount() - startTick, utf8(step).c_str());
}

template <class Done>
bool waitFor(Done done, DWORD timeoutMs = kTimeoutMs) {
  for (const DWORD start = GetTickCount(); !done(); Sleep(20))
    if (GetTickCount() - start >= timeoutMs) return false;
  return true;
}

bool startsWith(const string& s, const string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}
bool has(const string& s, const string& part) {
  return s.find(part) != string::npos;
}

// The text of a window, or of its item `id` (a message box's text is 0xFFFF).
string text(HWND hwnd, int id = 0) {
  char buffer[8192] = "";
  id != 0 ? GetDlgItemTextA(hwnd, id, buffer, sizeof buffer)
          : GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

// Visible top-level windows of a class ("#32770": dialogs, "#32768": menus) of pid (0: any).
std::vector<HWND> windowsOf(const char* className, DWORD pid = program.dwProcessId) {
  std::vector<HWND> found;
  for (HWND hwnd = NULL; (hwnd = FindWindowExA(NULL, hwnd, className, NULL)) != NULL;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if ((pid == 0 || owner == pid) && IsWindowVisible(hwnd)) found.push_back(hwnd);
  }
  return found;
}

// Waits for such a window that `match` accepts.
template <class Match>
HWND waitWindow(const char* className, DWORD pid, Match match) {
  HWND found = NULL;
  waitFor([&] {
    for (HWND hwnd : windowsOf(className, pid))
      if (match(hwnd)) found = hwnd;
    return found != NULL;
  });
  return found;
}

bool noDialogs() {
  return windowsOf("#32770").empty();
}
bool menuShows() {
  return waitFor([] { return !windowsOf("#32768").empty(); });
}

bool send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result;
  return SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result) != 0;
}

// Lets the program finish: a sent message waits for its message loop.
bool settle() {
  return send(mainWindow, WM_NULL);
}

void post(int command, HWND to = mainWindow) {
  PostMessageA(to, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
}

// Waits for a dialog or box owned by `owner` (NULL: any) and checks its caption (NULL: none).
HWND waitBox(const char* caption, HWND owner) {
  HWND box = waitWindow("#32770", program.dwProcessId, [&](HWND hwnd) {
    return owner == NULL || GetWindow(hwnd, GW_OWNER) == owner;
  });
  if (box == NULL) fail(__LINE__, "no box " + utf8(caption != NULL ? caption : "appeared"));
  if (box != NULL && caption != NULL) CHECK_TEXT(text(box), caption);
  return box;
}

void press(HWND dlg, int id) {
  post(id, dlg);
  CHECK(waitFor([&] { return !IsWindow(dlg); }));
}

string closeBox(HWND box) {
  if (box == NULL) return "";
  const string boxText = text(box, 0xFFFF);
  press(box, IDOK);
  CHECK(settle());
  return boxText;
}

HWND openNameDialog() {
  post(200);
  return waitBox("姓名の入力", mainWindow);
}

// Types the names, presses 実行 and returns the box that answers.
HWND submit(HWND dlg, const string& surname, const string& givenName, const char* caption) {
  SetDlgItemTextA(dlg, 101, surname.c_str());
  SetDlgItemTextA(dlg, 102, givenName.c_str());
  post(IDOK, dlg);
  return waitBox(caption, dlg);
}

// A whole reading, in `dlg` or a new name dialog, which ends before the 姓名判断
// box shows: the box's text. A warning box goes to *warning (none: a failure).
string readName(const string& surname, const string& givenName, HWND dlg = NULL,
                string* warning = NULL) {
  if (dlg == NULL && (dlg = openNameDialog()) == NULL) return "";
  HWND box = submit(dlg, surname, givenName, NULL);
  if (box != NULL && text(box) == "ナモリ") {
    const string said = closeBox(box);
    if (warning == NULL) fail(__LINE__, "unexpected warning: " + utf8(said));
    if (warning != NULL) *warning = said;
    box = waitBox(NULL, dlg);
  }
  if (box != NULL) CHECK_TEXT(text(box), "姓名判断");
  CHECK(!IsWindowVisible(dlg));
  const string report = closeBox(box);
  CHECK(waitFor([&] { return !IsWindow(dlg); }));
  return report;
}

// The names the name dialog opens with, as "surname|given name"; then キャンセル.
string namesShown() {
  HWND dlg = openNameDialog();
  if (dlg == NULL) return "(no dialog)";
  const string shown = text(dlg, 101) + "|" + text(dlg, 102);
  press(dlg, IDCANCEL);
  return shown;
}

string career() {
  post(201);
  return closeBox(waitBox("職業運と適職", mainWindow));
}

// Clicks File output, which has been handled on return and shows no box.
void fileOutput() {
  CHECK(send(GetDlgItem(mainWindow, 202), BM_CLICK) && noDialogs());
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
string menuText(HMENU menu) {
  string out;
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

string fileText(const string& name) {
  std::ifstream in(name, std::ios::binary);
  return in ? string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
            : "(no file " + name + ")";
}

int countFiles() {
  namespace fs = std::filesystem;
  return static_cast<int>(std::distance(fs::directory_iterator("."), fs::directory_iterator()));
}

string header(const string& surname, const string& givenName) {
  return "\n***姓名判断***      " + surname + " " + givenName + " さん\n\n";
}

// The window and the commands that need no reading; ends through ナモリの終了.
void scenarioWindow() {
  note("title, menu (the window was found by its class MyApp)");
  CHECK_TEXT(text(mainWindow), "ナモリ");
  CHECK(GetWindow(mainWindow, GW_CHILD) == NULL && GetMenu(mainWindow) != NULL);
  // Wine keeps a menu inside its process: the class menu is read from the exe.
  HMODULE exe = LoadLibraryExA(exePath, NULL, LOAD_LIBRARY_AS_DATAFILE);
  HMENU menu = exe != NULL ? LoadMenuA(exe, "MyApp") : NULL;
  CHECK_TEXT(menu != NULL ? menuText(menu) : "(no menu)",
             "ファイル(&F){ファイル出力(&O)\tCtrl+S=202;ナモリの終了(&X)=100;};姓名判断(&H)=200;"
             "職業運、適職(&J)=201;名付け(&N)=210;ヘルプ(&H){目次(&C)=400;バージョン情報=301;};");

  note("career before any reading: the notice, no button; unknown command ids do nothing");
  CHECK_TEXT(career(), expected::kNotice);
  const int files = countFiles();
  for (UINT id : {0, 99, 101, 203, 300, 302, 401, 0xFFFF}) CHECK(send(mainWindow, WM_COMMAND, id));
  CHECK(settle() && noDialogs() && GetWindow(mainWindow, GW_CHILD) == NULL &&
        countFiles() == files);

  note("About box: modal, the version; OK and Escape both close it");
  for (int closeWith : {IDOK, IDCANCEL}) {
    post(301);
    HWND about = waitBox("ナモリ", mainWindow);
    CHECK(!IsWindowEnabled(mainWindow));
    bool version = false;
    for (HWND s = NULL; (s = FindWindowExA(about, s, "Static", NULL)) != NULL;)
      version |= startsWith(text(s), "Ver 1.0");
    CHECK(version);
    press(about, closeWith);
    CHECK(settle() && IsWindowEnabled(mainWindow));
  }

  // The help viewer, another process without a manifest, asks the user about
  // the missing file, and outside a Japanese system garbles its name.
  note("目次: the help viewer is asked for ナモリ.HLP");
  const string helpFile =
      PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE ? "ナモリ.HLP" : ".HLP";
  post(400);
  HWND help = waitWindow("#32770", 0, [&](HWND hwnd) { return has(text(hwnd, 0xFFFF), helpFile); });
  CHECK(help != NULL && noDialogs() && settle());
  press(help, GetDlgItem(help, IDNO) != NULL ? IDNO : IDOK);
  CHECK(settle() && noDialogs());
  quit(WM_COMMAND, 100);
}

// Readings, the career entry and File output; ends through the close box.
void scenarioReading() {
  note("first opening: empty fields, the button; データエラー keeps the dialog, 実行 reads");
  HWND dlg = openNameDialog();
  if (dlg == NULL) return;
  CHECK(text(dlg, 101).empty() && text(dlg, 102).empty() && GetDlgItem(mainWindow, 202) != NULL);
  for (const auto& given : {std::make_pair("山田", ""), std::make_pair("", "太郎")}) {
    CHECK_TEXT(closeBox(submit(dlg, given.first, given.second, NULL)), "データエラー");
    CHECK(IsWindow(dlg) && IsWindowVisible(dlg));
  }
  CHECK_TEXT(readName("山田", "太郎", dlg), expected::kYamadaTaroReport);
  CHECK(noDialogs() && countFiles() == 0);

  note("a second reading keeps the one button; File output cuts a longer old file");
  CHECK_TEXT(readName("山田", "太郎"), expected::kYamadaTaroReport);
  HWND button = GetWindow(mainWindow, GW_CHILD);
  CHECK(button == GetDlgItem(mainWindow, 202) && GetWindow(button, GW_HWNDNEXT) == NULL &&
        IsWindowVisible(button));
  CHECK_TEXT(text(button), "ファイル出力");
  const string nameFile = "山田太郎さんの姓名判断.TXT";
  std::ofstream(nameFile, std::ios::binary) << string(3000, 'x');
  fileOutput();
  CHECK_TEXT(fileText(nameFile), expected::kYamadaTaroReport);

  note("career: the entry for 外運 17; a rejected name keeps only its fields, キャンセル nothing");
  const string entry = career();
  CHECK_TEXT(entry, expected::kYamadaTaroCareer);
  if ((dlg = openNameDialog()) == NULL) return;
  closeBox(submit(dlg, "田中", "", NULL));
  SetDlgItemTextA(dlg, 101, "佐藤");
  press(dlg, IDCANCEL);
  CHECK_TEXT(namesShown(), "田中|");
  CHECK_TEXT(career(), entry);
  fileOutput();
  CHECK_TEXT(fileText("山田太郎さんの職業運適職.TXT"), entry);
  CHECK(countFiles() == 2);

  note("a bad file name, a directory or a locked file at the name: ファイル出力エラー, no file");
  CHECK(CreateDirectoryA("田中一さんの姓名判断.TXT", NULL));
  const string locked = "表一さんの姓名判断.TXT";
  std::ofstream(locked, std::ios::binary) << "old";
  // Held open without sharing, as another program might.
  HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(lock != INVALID_HANDLE_VALUE);
  for (const char* surname : {"山?", "a/b", "c:d", "e\\f", "田中", "表"}) {
    string warning;  // for the characters the dictionary lacks
    const bool known = string(surname) == "田中" || string(surname) == "表";
    CHECK_START(readName(surname, "一", NULL, &warning), header(surname, "一"));
    CHECK(startsWith(warning, "次の字は辞書にないため 0 画として数えます：") != known);
    PostMessageA(GetDlgItem(mainWindow, 202), BM_CLICK, 0, 0);
    CHECK_TEXT(closeBox(waitBox(NULL, mainWindow)), "ファイル出力エラー");
  }
  CloseHandle(lock);
  CHECK_TEXT(fileText(locked), "old");
  CHECK(countFiles() == 4);  // the two made here, and no temporary file

  note("unlocked, the file takes 表一's report: a second byte 0x5C is no separator");
  fileOutput();
  CHECK_START(fileText(locked), header("表", "一"));

  note("names are cut to 34 bytes, never through a character");
  string kanji17;
  for (int i = 0; i < 17; ++i) kanji17 += "一";
  CHECK_START(readName("林", kanji17 + "二"), header("林", kanji17));
  const string cut = "a" + kanji17.substr(0, 32);  // "a" + 17 kanji: byte 34 leads
  string warning;
  CHECK_START(readName("a" + kanji17, "一", NULL, &warning), header(cut, "一"));
  CHECK_TEXT(warning, "次の字は辞書にないため 0 画として数えます：a");
  CHECK_TEXT(namesShown(), cut + "|一");
  quit(WM_SYSCOMMAND, SC_CLOSE);
}

// ---- The naming window ----------------------------------------------------

// Sends `message` with a copy of `data` in the program's memory (a page for each
// type) and returns it as the program left it; an LVITEMA's text goes to *text.
template <class T>
T remote(HWND to, UINT message, WPARAM wParam, T data, string* text = NULL) {
  static const HANDLE process = OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, program.dwProcessId);
  static char* const at =
      static_cast<char*>(VirtualAllocEx(process, NULL, 4096, MEM_COMMIT, PAGE_READWRITE));
  char buffer[512] = {};
  if constexpr (std::is_same_v<T, LVITEMA>)
    data.pszText = at + sizeof data, data.cchTextMax = sizeof buffer;
  WriteProcessMemory(process, at, &data, sizeof data, NULL);
  WriteProcessMemory(process, at + sizeof data, buffer, 1, NULL);
  send(to, message, wParam, reinterpret_cast<LPARAM>(at));
  ReadProcessMemory(process, at, &data, sizeof data, NULL);
  ReadProcessMemory(process, at + sizeof data, buffer, sizeof buffer - 1, NULL);
  if (text != NULL) *text = buffer;
  return data;
}

// The list's column 0 is an empty placeholder; the columns below count from 順位.
const int kPlaceholderColumns = 1;

// Text of a list view cell in the program.
string cellText(HWND list, int row, int column) {
  LVITEMA item = {};
  item.iSubItem = column + kPlaceholderColumns;
  string out;
  remote(list, LVM_GETITEMTEXTA, row, item, &out);
  return out;
}

// The cells of a row, joined by `by`.
string rowText(HWND list, int row, const char* by) {
  string out;
  for (int column = 0; column < 12; ++column)
    out += (column ? by : "") + cellText(list, row, column);
  return out;
}

// The format of a column's header item (HDF_...: alignment, sort arrow).
int headerFormat(HWND list, int column) {
  HDITEMA get = {};
  get.mask = HDI_FORMAT;
  return remote(ListView_GetHeader(list), HDM_GETITEMA, column + kPlaceholderColumns, get).fmt;
}

// Selects exactly these rows; the first has the focus.
void selectRows(HWND list, std::initializer_list<int> rows) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  remote(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), item);
  for (int row : rows) {
    item.state = row == *rows.begin() ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    remote(list, LVM_SETITEMSTATE, row, item);
  }
}

// A point on a row, a third of the way along it, in the list's client area.
POINT onRow(HWND list, int row) {
  const RECT r = remote(list, LVM_GETITEMRECT, row, RECT{LVIR_BOUNDS, 0, 0, 0});
  return {(r.left + r.right) / 3, (r.top + r.bottom) / 2};
}

RECT rectOf(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

SIZE sizeOf(HWND hwnd) {
  const RECT r = rectOf(hwnd);
  return {r.right - r.left, r.bottom - r.top};
}

HWND openNaming() {
  post(210);
  return waitBox("名付け", mainWindow);
}

std::vector<string> split(const string& line, char by) {
  std::vector<string> parts(1);
  for (char c : line) {
    if (c == by) parts.emplace_back();
    if (c != by) parts.back().push_back(c);
  }
  return parts;
}

struct NamingFilters {
  string surname = "山田";
  int sex = 0, characters = 0;
  string reading{}, with{}, minScore{};
  int order = 0, scope = 0;  // the drop-down lists' indices
  bool allReadings = false;
};

// Fills the fields, presses 候補を表示: the milliseconds to the count, or -1 for a box.
long showCandidates(HWND dlg, const NamingFilters& f) {
  const std::pair<int, const string*> fields[] = {
      {1201, &f.surname}, {1204, &f.reading}, {1205, &f.with}, {1206, &f.minScore}};
  for (const auto& field : fields) SetDlgItemTextA(dlg, field.first, field.second->c_str());
  const std::pair<int, int> picks[] = {
      {1202, f.sex}, {1203, f.characters}, {1207, f.order}, {1209, f.scope}};
  for (const auto& pick : picks) send(GetDlgItem(dlg, pick.first), CB_SETCURSEL, pick.second);
  send(GetDlgItem(dlg, 1211), BM_SETCHECK, f.allReadings ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextA(dlg, 1221, "");
  const DWORD start = GetTickCount();
  post(1210, dlg);
  bool box = false;
  waitFor(
      [&] { return (box = windowsOf("#32770").size() > 1) || has(text(dlg, 1221), "：候補 "); });
  return box ? -1 : static_cast<long>(GetTickCount() - start);
}

string grouped(int n) {
  string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

const string kCsv = "山田さんの名付け候補.CSV";

// 一覧をファイル出力: Save As proposes kCsv in the current folder; over a file it
// asks first, answered No and then, on a second OK, Yes. The box counts `rows`.
void exportList(HWND dlg, int rows) {
  const bool exists = GetFileAttributesA(kCsv.c_str()) != INVALID_FILE_ATTRIBUTES;
  post(1231, dlg);
  HWND save = waitBox(NULL, dlg);
  if (save == NULL) return;
  // The name field: the combo box of the Explorer-style dialog, or its edit.
  CHECK_TEXT(text(save, GetDlgItem(save, 0x47C) != NULL ? 0x47C : 0x480), kCsv);
  post(IDOK, save);
  if (exists) {
    press(waitBox(NULL, save), IDNO);
    post(IDOK, save);
    press(waitBox(NULL, save), IDYES);
  }
  CHECK(waitFor([&] { return !IsWindow(save); }));
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  CHECK_TEXT(closeBox(waitBox("名付け", dlg)),
             string(folder) + "\\" + kCsv + " に " + grouped(rows) + " 件を書き出しました");
}

// Brings the top-level window to the front, for input as a user makes it.
void foreground(HWND window) {
  SetForegroundWindow(window);
  CHECK(waitFor([&] { return GetForegroundWindow() == window; }));
}

// A click (or a right-click) at a point of a window's client area.
void click(HWND window, POINT at, bool right = false) {
  foreground(GetAncestor(window, GA_ROOT));
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Sleep(300);
}

// A click on a column's header, never taken for the second of a double click.
void clickHeader(HWND list, int column) {
  Sleep(GetDoubleClickTime() + 100);
  int x = ListView_GetColumnWidth(list, column + kPlaceholderColumns) / 2;
  for (int i = 0; i < column + kPlaceholderColumns; ++i) x += ListView_GetColumnWidth(list, i);
  click(ListView_GetHeader(list), {x, 8});
}

// The clipboard's text, as Shift-JIS; the clipboard is left empty.
string takeClipboard() {
  string out;
  if (!OpenClipboard(NULL)) return "(no clipboard)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    out = narrow(static_cast<const wchar_t*>(GlobalLock(data)), 932);
    GlobalUnlock(data);
  }
  EmptyClipboard();
  CloseClipboard();
  return out;
}

// Presses the keys together in `window` (NULL: where keys go now, such as a menu).
void pressKeys(HWND window, std::initializer_list<BYTE> keys) {
  if (window != NULL) foreground(window);
  for (BYTE key : keys) keybd_event(key, 0, 0, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
  Sleep(300);
}

// 名付け, Ctrl+S, the 0-stroke warning and the guide as help. The program runs
// beside namori-guide-ja.txt and the module's CSVs (see run_scenario.sh).
void scenarioNaming() {
  note("Ctrl+S before any 姓名判断: the item is greyed, nothing is written");
  CHECK_TEXT(career(), expected::kNotice);
  const int files = countFiles();
  pressKeys(mainWindow, {VK_CONTROL, 'S'});
  CHECK(settle() && noDialogs() && countFiles() == files);

  note("目次 with the guide beside the program and no ナモリ.HLP: the guide opens");
  post(400);
  HWND guide =
      waitWindow("Notepad", 0, [](HWND hwnd) { return has(text(hwnd), "namori-guide-ja"); });
  CHECK(guide != NULL && settle() && noDialogs());
  PostMessageA(guide, WM_CLOSE, 0, 0);

  note("名付け opens centred on the main window, but on the screen, with an empty list");
  HWND dlg = openNaming();
  if (dlg == NULL) return;
  const RECT outer = rectOf(mainWindow), inner = rectOf(dlg);
  RECT work = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  CHECK((abs((outer.left + outer.right) - (inner.left + inner.right)) <= 2 ||
         inner.left == work.left || inner.right == work.right) &&
        (abs((outer.top + outer.bottom) - (inner.top + inner.bottom)) <= 2 ||
         inner.top == work.top || inner.bottom == work.bottom));
  HWND list = GetDlgItem(dlg, 1220);
  const auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; };
  CHECK(list != NULL && ListView_GetItemCount(list) == 0 && !enabled(1231));
  CHECK_TEXT(text(dlg, 1201), "");

  // The list shows, and 一覧をファイル出力 writes, the CSVs the native tool made.
  note("山田 with no filters, 女の子 2文字, ユ*, 翔, all names and readings: the module's lists");
  const std::pair<NamingFilters, const char*> lists[] = {
      {{}, "expected-all.csv"},
      {{"山田", 1, 2}, "expected-f2.csv"},
      {{"山田", 0, 0, "ユ*"}, "expected-yu.csv"},
      {{"山田", 0, 0, "", "翔"}, "expected-with.csv"},
      {{"山田", 0, 0, "", "翔", "", 2, 2, true}, "expected-with-all.csv"}};
  for (const auto& [filters, csv] : lists) {
    const long ms = showCandidates(dlg, filters);
    std::printf("-- %s: %ld ms to the count\n", csv, ms);
    const string expected = fileText(csv);
    const std::vector<string> lines = split(expected, '\n');  // a header, a line end at the end
    const int rows = static_cast<int>(lines.size()) - 2;
    CHECK(ms >= 0 && rows >= 0 && lines.back().empty() && ListView_GetItemCount(list) == rows);
    for (int row : {0, 1, 2, rows - 1}) {  // 字のなじみ, the file's last column, is not shown
      if (row >= 0 && row < rows)
        CHECK_TEXT(rowText(list, row, ","), lines[row + 1].substr(0, lines[row + 1].rfind(',')));
    }
    DeleteFileA(kCsv.c_str());
    exportList(dlg, rows);
    CHECK(fileText(kCsv) == expected);
  }
  const int shown = ListView_GetItemCount(list);

  note("bad input: a box names the field (its message's start below), the list stays");
  string long35 = "佐";
  for (int i = 0; i < 16; ++i) long35 += "藤";
  const std::pair<NamingFilters, const char*> bad[] = {
      {{""}, "姓を"},
      {{"佐藤　太郎"}, "姓だけを入力してください（名は要りません）"},
      {{long35 + "a"}, "姓が長すぎます"},  // typed whole, not cut by the field
      {{"山田", 0, 0, "yu*"}, "読みは"},
      {{"山田", 0, 0, "", "ab"}, "使いたい字には"},
      {{"山田", 0, 0, "", "", "101"}, "最低得点は"}};
  for (const auto& [filters, message] : bad) {
    CHECK(showCandidates(dlg, filters) == -1);
    CHECK_START(closeBox(waitBox("名付け", dlg)), message);
    CHECK(ListView_GetItemCount(list) == shown && IsWindow(dlg));
  }

  note("a changed field greys 姓名判断 and 一覧をファイル出力 until 候補を表示");
  CHECK(showCandidates(dlg, {}) >= 0 && enabled(1230) && enabled(1231));
  SetDlgItemTextA(dlg, 1201, "鈴木");
  CHECK(!enabled(1230) && !enabled(1231));
  CHECK_START(text(dlg, 1221), "条件が変わりました。");
  post(1230, dlg);
  CHECK(settle() && windowsOf("#32770").size() == 1);
  CHECK(showCandidates(dlg, {"鈴木", 1, 2, "ゆ*"}) >= 0 && enabled(1230) && enabled(1231));
  CHECK_START(text(dlg, 1221), "鈴木さん・女の子・2文字・ゆ*：候補 ");

  note("a header click sorts, a second reverses; 順位 keeps the rank, right-aligned");
  CHECK(showCandidates(dlg, {"山田", 0, 2}) >= 0);
  const int last = ListView_GetItemCount(list) - 1;
  CHECK((headerFormat(list, 0) & (HDF_JUSTIFYMASK | HDF_SORTUP)) == (HDF_RIGHT | HDF_SORTUP));
  CHECK(ListView_GetColumnWidth(list, 0) == 0);
  const string count = "山田さん・2文字：候補 " + grouped(last + 1) + " 件";
  const auto total = [&](int row) { return std::atoi(cellText(list, row, 4).c_str()); };
  clickHeader(list, 4);  // 総運
  CHECK_TEXT(text(dlg, 1221), count + "（総運の大きい順）");
  CHECK((headerFormat(list, 4) & HDF_SORTDOWN) != 0 &&
        (headerFormat(list, 0) & (HDF_SORTUP | HDF_SORTDOWN)) == 0);
  CHECK(total(0) >= total(1) && total(1) >= total(last));
  clickHeader(list, 4);
  CHECK_TEXT(text(dlg, 1221), count + "（総運の小さい順）");
  CHECK((headerFormat(list, 4) & HDF_SORTUP) != 0 && total(0) <= total(last));

  note("the CSV in the order shown; replacing a file asks first");
  exportList(dlg, last + 1);
  const std::vector<string> written = split(fileText(kCsv), '\n');
  CHECK(static_cast<int>(written.size()) == last + 3 &&
        startsWith(written[1], rowText(list, 0, ",") + ","));

  note("Ctrl+C, and Shift+F10 then コピー: the selected rows with the titles");
  const string titles =
      "順位\t名\t読み\t性別\t総運\t天運\t地運\t人運\t外運\t得点\t人名数\tランキング\r\n";
  takeClipboard();
  selectRows(list, {0, 2});
  PostMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
  CHECK(settle());
  pressKeys(dlg, {VK_CONTROL, 'C'});
  CHECK_TEXT(takeClipboard(),
             titles + rowText(list, 0, "\t") + "\r\n" + rowText(list, 2, "\t") + "\r\n");
  selectRows(list, {1});
  pressKeys(dlg, {VK_SHIFT, VK_F10});
  CHECK(menuShows());
  pressKeys(NULL, {'C'});
  CHECK_TEXT(takeClipboard(), titles + rowText(list, 1, "\t") + "\r\n");

  note("the menu key opens the menu, Esc closes it; a right-click on a row: 姓名判断 reads it");
  pressKeys(dlg, {VK_APPS});
  CHECK(menuShows());
  pressKeys(NULL, {VK_ESCAPE});
  CHECK(waitFor([] { return windowsOf("#32768").empty(); }));
  click(list, onRow(list, 3), true);
  CHECK(menuShows());
  pressKeys(NULL, {'H'});
  CHECK_START(closeBox(waitBox("姓名判断", dlg)), header("山田", cellText(list, 3, 1)));

  note("resizing: the list grows, the buttons keep their corners, no smaller than at first");
  const SIZE first = sizeOf(dlg), listFirst = sizeOf(list);
  const RECT closeBefore = rectOf(GetDlgItem(dlg, IDCANCEL));
  const int readings = ListView_GetColumnWidth(list, 2 + kPlaceholderColumns);
  // No window grows past the screen: half the width it leaves.
  const int wider = (work.right - work.left - first.cx) / 2, taller = 120;
  CHECK((GetWindowLongA(dlg, GWL_STYLE) & WS_THICKFRAME) != 0 && wider > 20);
  SetWindowPos(dlg, NULL, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOMOVE);
  CHECK(settle() && sizeOf(dlg).cx == first.cx && sizeOf(dlg).cy == first.cy);
  SetWindowPos(dlg, NULL, 0, 0, first.cx + wider, first.cy + taller, SWP_NOZORDER | SWP_NOMOVE);
  CHECK(settle() && sizeOf(list).cx == listFirst.cx + wider &&
        sizeOf(list).cy == listFirst.cy + taller);
  const RECT closeAfter = rectOf(GetDlgItem(dlg, IDCANCEL));
  CHECK(closeAfter.left == closeBefore.left + wider && closeAfter.top == closeBefore.top + taller);
  CHECK_TEXT(std::to_string(ListView_GetColumnWidth(list, 2 + kPlaceholderColumns)),
             std::to_string(readings + wider));

  note("姓名判断 on the first row, Enter on the list: the name dialog's reading; Ctrl+S writes it");
  CHECK(showCandidates(dlg, {}) >= 0);
  const string given = cellText(list, 0, 1);
  post(1230, dlg);
  const string report = closeBox(waitBox("姓名判断", dlg));
  CHECK_START(report, header("山田", given));
  CHECK(IsWindow(dlg) && IsWindowVisible(dlg) && ListView_GetItemCount(list) > 0 &&
        GetDlgItem(mainWindow, 202) != NULL);
  pressKeys(dlg, {VK_RETURN});  // the list has the focus
  CHECK_TEXT(closeBox(waitBox("姓名判断", dlg)), report);
  press(dlg, IDCANCEL);
  CHECK_TEXT(namesShown(), "山田|" + given);
  CHECK_TEXT(readName("山田", given), report);
  pressKeys(mainWindow, {VK_CONTROL, 'S'});
  CHECK(settle());
  CHECK_TEXT(fileText("山田" + given + "さんの姓名判断.TXT"), report);

  note("名付け opens with the last surname, at the size it was left; 髙橋 warns");
  if ((dlg = openNaming()) == NULL) return;
  CHECK_TEXT(text(dlg, 1201), "山田");
  CHECK(sizeOf(dlg).cx == first.cx + wider && sizeOf(dlg).cy == first.cy + taller);
  // 髙 counts 0: the warning comes before the list, and before the reading.
  const string taka = "髙 は辞書にないため 0 画として数えます（高 なら 10 画）";
  CHECK(showCandidates(dlg, {"髙橋"}) == -1);
  CHECK_TEXT(closeBox(waitBox("ナモリ", dlg)), taka);
  CHECK(waitFor([&] { return startsWith(text(dlg, 1221), "髙橋さん：候補 "); }));
  press(dlg, IDCANCEL);
  string warning;
  const string warned = readName("髙橋", "一郎", NULL, &warning);
  CHECK_TEXT(warning, taka);
  CHECK_START(warned, header("髙橋", "一郎"));
  CHECK(has(warned, "得点 80.0/100.0"));
  quit(WM_SYSCOMMAND, SC_CLOSE);
}

// Without code page 932 (no manifest, not a Japanese locale): a box, then exit status 1.
void scenarioCodePage() {
  note("the code page message instead of the window");
  HWND box = waitBox("ナモリ", NULL);
  const string message = text(box, 0xFFFF);
  for (const char* part : {"コードページ 932", "Windows 11", "日本語 (日本)", "code page 932",
                           "\"Language for non-Unicode programs\" to Japanese"})
    if (!has(message, part)) fail(__LINE__, "no \"" + utf8(part) + "\" in " + utf8(message));
  CHECK(windowsOf("MyApp").empty());
  press(box, IDOK);
  quit(0, 0, 1);
}

// Screenshot poses, acting on an already running namori.exe.
int pose(const string& step) {
  if (!waitFor([] { return (mainWindow = FindWindowA("MyApp", NULL)) != NULL; }, 30000)) return 1;
  GetWindowThreadProcessId(mainWindow, &program.dwProcessId);
  settle();
  HWND naming = startsWith(step, "naming-") ? waitBox("名付け", mainWindow) : NULL;
  HWND list = GetDlgItem(naming, 1220);
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
    HWND dlg = openNaming();
    showCandidates(dlg, {"山田", 1});
    // Resized: the list and its readings column take the room.
    SetWindowPos(dlg, NULL, 10, 10, sizeOf(dlg).cx + 80, sizeOf(dlg).cy + 80, SWP_NOZORDER);
  } else if (step == "naming-sorted") {
    clickHeader(list, 4);              // 総運
    send(list, LVM_ENSUREVISIBLE, 0);  // the top of the list
  } else if (step == "naming-menu") {
    click(list, onRow(list, static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)) + 2), true);
    if (!menuShows()) return 1;
    Sleep(4000);  // open while the picture is taken
  } else if (step == "close") {
    if (!windowsOf("#32768").empty()) pressKeys(NULL, {VK_ESCAPE});
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
  // The driver has namori.exe's manifest, for code page 932 under any locale.
  if (GetACP() != 932) {
    std::printf("FAIL: ANSI code page %u, not 932: the manifest was not applied\n", GetACP());
    return 2;
  }
  const string name = argc == 3 ? argv[1] : "";
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
  if (!CreateProcessA(exePath, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &program)) {
    std::printf("FAIL: cannot start %s (error %lu)\n", exePath, GetLastError());
    return 1;
  }
  if (scenario != scenarioCodePage)
    CHECK(waitFor([] { return (mainWindow = FindWindowA("MyApp", NULL)) != NULL; }, 30000) &&
          settle());
  if (failures == 0) scenario();
  if (WaitForSingleObject(program.hProcess, 0) != WAIT_OBJECT_0) {  // a scenario stopped early
    fail(__LINE__, "namori.exe was left running");
    TerminateProcess(program.hProcess, 99);
  }
  std::printf("%s: %s\n", argv[1], failures == 0 ? "passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}
