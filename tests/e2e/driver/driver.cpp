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

// A buffer in the program's memory, for the messages whose argument points
// at what they fill in: the request is written there, the answer read back.
class Remote {
 public:
  explicit Remote(SIZE_T bytes)
      : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                             program.dwProcessId)),
        at_(static_cast<char*>(VirtualAllocEx(process_, NULL, bytes, MEM_COMMIT, PAGE_READWRITE))) {
  }
  ~Remote() {
    if (at_ != NULL) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  char* at(SIZE_T offset = 0) const { return at_ + offset; }
  bool ok() const { return at_ != NULL; }
  void put(const void* data, SIZE_T size, SIZE_T offset = 0) {
    WriteProcessMemory(process_, at_ + offset, data, size, NULL);
  }
  void get(void* data, SIZE_T size, SIZE_T offset = 0) {
    ReadProcessMemory(process_, at_ + offset, data, size, NULL);
  }
  // Sends the message with the buffer as lParam; returns the answer.
  DWORD_PTR send(HWND to, UINT message, WPARAM wParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(to, message, wParam, reinterpret_cast<LPARAM>(at_), SMTO_NORMAL, kTimeoutMs,
                        &result);
    return result;
  }

 private:
  HANDLE process_;
  char* at_;
};

// The naming list's column 0 is an empty placeholder of no width (a list's
// first column is always left-aligned); the columns below count from 順位.
const int kPlaceholderColumns = 1;

// Text of a list view cell in the program.
std::string cellText(HWND list, int row, int column) {
  const SIZE_T textBytes = 512;
  Remote remote(sizeof(LVITEMA) + textBytes);
  if (!remote.ok()) return "";
  LVITEMA item = {};
  item.iSubItem = column + kPlaceholderColumns;
  item.pszText = remote.at(sizeof item);
  item.cchTextMax = textBytes;
  char buffer[textBytes] = {};
  remote.put(&item, sizeof item);
  remote.put(buffer, 1, sizeof item);
  remote.send(list, LVM_GETITEMTEXTA, row);
  remote.get(buffer, textBytes - 1, sizeof item);
  return buffer;
}

// The cells of a row, joined by `by`.
std::string rowText(HWND list, int row, const char* by, int columns = 12) {
  std::string out;
  for (int column = 0; column < columns; ++column) {
    out += (column ? by : "") + cellText(list, row, column);
  }
  return out;
}

// The list's column format (LVCFMT_...) and its header item's (HDF_...).
int columnFormat(HWND list, int column) {
  Remote remote(sizeof(LVCOLUMNA));
  LVCOLUMNA get = {};
  get.mask = LVCF_FMT;
  remote.put(&get, sizeof get);
  remote.send(list, LVM_GETCOLUMNA, column + kPlaceholderColumns);
  remote.get(&get, sizeof get);
  return get.fmt;
}

int headerFormat(HWND list, int column) {
  Remote remote(sizeof(HDITEMA));
  HDITEMA get = {};
  get.mask = HDI_FORMAT;
  remote.put(&get, sizeof get);
  remote.send(FindWindowExA(list, NULL, "SysHeader32", NULL), HDM_GETITEMA,
              column + kPlaceholderColumns);
  remote.get(&get, sizeof get);
  return get.fmt;
}

// Selects exactly these rows; the first has the focus.
void selectRows(HWND list, std::initializer_list<int> rows) {
  Remote remote(sizeof(LVITEMA));
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  remote.put(&item, sizeof item);
  remote.send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1));
  for (int row : rows) {
    item.state = row == *rows.begin() ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    remote.put(&item, sizeof item);
    remote.send(list, LVM_SETITEMSTATE, row);
  }
}

// A row's rectangle in the list's client area.
RECT rowRect(HWND list, int row) {
  Remote remote(sizeof(RECT));
  RECT r = {LVIR_BOUNDS, 0, 0, 0};
  remote.put(&r, sizeof r);
  remote.send(list, LVM_GETITEMRECT, row);
  remote.get(&r, sizeof r);
  return r;
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
  int order = 0, scope = 0;  // the drop-down lists' indices
  bool allReadings = false;
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
  send(GetDlgItem(dlg, 1207), CB_SETCURSEL, f.order);
  send(GetDlgItem(dlg, 1209), CB_SETCURSEL, f.scope);
  send(GetDlgItem(dlg, 1211), BM_SETCHECK, f.allReadings ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextA(dlg, 1221, "");
  const DWORD start = GetTickCount();
  post(1210, dlg);
  bool box = false;
  waitFor([&] {
    box = windowsOf(program.dwProcessId, "#32770").size() > 1;
    return box || text(dlg, 1221).find("：候補 ") != std::string::npos;
  });
  return box ? -1 : static_cast<long>(GetTickCount() - start);
}

// Waits for a dialog or box of the program owned by `owner`.
HWND waitOwned(HWND owner) {
  HWND box = NULL;
  waitFor([&] {
    for (HWND hwnd : windowsOf(program.dwProcessId, "#32770")) {
      if (GetWindow(hwnd, GW_OWNER) == owner) box = hwnd;
    }
    return box != NULL;
  });
  if (box == NULL) fail(__LINE__, "no box appeared");
  return box;
}

std::string grouped(int n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

// 一覧をファイル出力: the Save As dialog proposes `proposed` in the current
// folder; the name typed is `file`. Replacing a file is asked first and
// answered with `replace`. Returns the message after writing ("" if none).
std::string exportList(HWND dlg, const std::string& proposed, const std::string& file,
                       bool replace = true) {
  const bool exists = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
  post(1231, dlg);
  HWND save = waitOwned(dlg);
  if (save == NULL) return "";
  // The name field: the combo box of the Explorer-style dialog, or its edit.
  const int nameField = GetDlgItem(save, 0x47C) != NULL ? 0x47C : 0x480;
  CHECK_TEXT(text(save, nameField), proposed);
  SetDlgItemTextA(save, nameField, file.c_str());
  post(IDOK, save);
  if (exists) {
    HWND ask = waitOwned(save);
    post(replace ? IDYES : IDNO, ask);
    CHECK(waitFor([&] { return !IsWindow(ask); }));
    if (!replace) {
      press(save, IDCANCEL);
      return "";
    }
  }
  CHECK(waitFor([&] { return !IsWindow(save); }));
  return closeBox(waitBox("名付け", dlg, dlg));
}

// The current folder as the program names it, with a separator after.
std::string folder() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof path, path);
  return std::string(path) + "\\";
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
  CHECK(startsWith(status, surname + "さん") && status.find("：候補 ") != std::string::npos);
  for (int row : {0, 1, 2, rows - 1}) {
    if (row < 0 || row >= rows) continue;
    const std::string& line = lines[row + 1];
    const std::string wanted = line.substr(0, line.rfind(','));  // 字のなじみ is in the file only
    CHECK_TEXT(rowText(list, row, ",", static_cast<int>(split(wanted, ',').size())), wanted);
  }
  const std::string file = surname + "さんの名付け候補.CSV";
  DeleteFileA(file.c_str());
  CHECK_TEXT(exportList(dlg, file, file),
             folder() + file + " に " + grouped(rows) + " 件を書き出しました");
  CHECK(fileText(file) == expected);
}

// A click (or a right-click) at a point of a window's client area, as a
// user makes it.
void click(HWND window, POINT at, bool right = false) {
  HWND top = GetAncestor(window, GA_ROOT);
  SetForegroundWindow(top);
  CHECK(waitFor([&] { return GetForegroundWindow() == top; }));
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Sleep(300);
}

// The width of a column of the list, counting the placeholder.
int columnWidth(HWND list, int listColumn) {
  return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, listColumn, 0));
}

// A click on the header of a column of the list, never taken for the
// second of a double click.
void clickHeader(HWND list, int column) {
  Sleep(GetDoubleClickTime() + 100);
  int x = 0;
  for (int i = 0; i < column + kPlaceholderColumns; ++i) x += columnWidth(list, i);
  x += columnWidth(list, column + kPlaceholderColumns) / 2;
  click(FindWindowExA(list, NULL, "SysHeader32", NULL), {x, 8});
}

// The clipboard's text, as Shift-JIS.
std::string clipboardText() {
  std::string out;
  if (!OpenClipboard(NULL)) return "(no clipboard)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    const wchar_t* wide = static_cast<const wchar_t*>(GlobalLock(data));
    out.resize(WideCharToMultiByte(932, 0, wide, -1, NULL, 0, NULL, NULL));
    WideCharToMultiByte(932, 0, wide, -1, &out[0], static_cast<int>(out.size()), NULL, NULL);
    if (!out.empty()) out.pop_back();  // the NUL
    GlobalUnlock(data);
  }
  CloseClipboard();
  return out;
}

void clearClipboard() {
  if (OpenClipboard(NULL)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

// The popup menu of the program, once it shows.
bool menuShows() {
  return waitFor([] { return !windowsOf(program.dwProcessId, "#32768").empty(); });
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

// Presses the keys together in `window`, as a user would (NULL: where the
// keys go now, such as an open menu).
void pressKeys(HWND window, std::initializer_list<BYTE> keys) {
  if (window != NULL) {
    SetForegroundWindow(window);
    CHECK(waitFor([&] { return GetForegroundWindow() == window; }));
  }
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

  note("名付け opens centred on the main window, but on the screen, with an empty list");
  post(210);
  HWND dlg = waitBox("名付け", mainWindow);
  if (dlg == NULL) return;
  RECT outer = {}, inner = {}, work = {};
  GetWindowRect(mainWindow, &outer);
  GetWindowRect(dlg, &inner);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  CHECK((abs((outer.left + outer.right) - (inner.left + inner.right)) <= 2 ||
         inner.left == work.left || inner.right == work.right) &&
        (abs((outer.top + outer.bottom) - (inner.top + inner.bottom)) <= 2 ||
         inner.top == work.top || inner.bottom == work.bottom));
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

  note("filters: 女の子 + 2文字, a reading pattern, a character to use; every name and reading "
       "in 人気順");
  const struct {
    NamingFilters filters;
    const char* csv;
  } lists[] = {{{"山田", 1, 2, "", "", ""}, "expected-f2.csv"},
               {{"山田", 0, 0, "ユ*", "", ""}, "expected-yu.csv"},
               {{"山田", 0, 0, "", "翔", ""}, "expected-with.csv"},
               {{"山田", 0, 0, "", "翔", "", 2, 2, true}, "expected-with-all.csv"}};
  for (const auto& l : lists) {
    CHECK(showCandidates(dlg, l.filters) >= 0);
    checkList(dlg, l.csv, "山田");
  }
  const int rows = itemCount(list);

  note("bad input: a box names the field, the list stays");
  std::string long35 = "佐";
  for (int i = 0; i < 16; ++i) long35 += "藤";
  long35 += "a";
  const struct {
    NamingFilters filters;
    const char* message;  // its start
  } bad[] = {{{"", 0, 0, "", "", ""}, "姓"},
             {{"ABC", 0, 0, "", "", ""}, "姓"},
             {{"佐藤 太郎", 0, 0, "", "", ""}, "姓だけを入力してください（名は要りません）"},
             {{"佐藤　太郎", 0, 0, "", "", ""}, "姓だけを"},
             {{long35, 0, 0, "", "", ""}, "姓が長すぎます"},
             {{"山田", 0, 0, "yu*", "", ""}, "読み"},
             {{"山田", 0, 0, "", "ab", ""}, "使いたい字には"},
             {{"山田", 0, 0, "", "", "101"}, "最低得点"}};
  for (const auto& b : bad) {
    CHECK(showCandidates(dlg, b.filters) == -1);
    const std::string message = closeBox(waitBox("名付け", dlg, dlg));
    if (!startsWith(message, b.message)) fail(__LINE__, "box: " + utf8(message));
    CHECK(itemCount(list) == rows && IsWindow(dlg));
  }

  note("使いたい字 drops the separators: 陽、菜 finds what 陽菜 finds");
  CHECK(showCandidates(dlg, {"山田", 0, 0, "", "陽菜", ""}) >= 0);
  const int both = itemCount(list);
  CHECK(showCandidates(dlg, {"山田", 0, 0, "", "陽、菜", ""}) >= 0);
  CHECK(both > 0 && itemCount(list) == both);
  CHECK_TEXT(text(dlg, 1221), "山田さん・使いたい字 陽菜：候補 " + grouped(both) + " 件（得点順）");

  note("a changed field greys 姓名判断 and 一覧をファイル出力 until 候補を表示");
  SetDlgItemTextA(dlg, 1201, "鈴木");
  CHECK(!IsWindowEnabled(GetDlgItem(dlg, 1230)) && !IsWindowEnabled(GetDlgItem(dlg, 1231)));
  CHECK(startsWith(text(dlg, 1221), "条件が変わりました。"));
  post(1230, dlg);
  CHECK(settle() && windowsOf(program.dwProcessId, "#32770").size() == 1);
  CHECK(showCandidates(dlg, {"鈴木", 1, 2, "ゆ*", "", ""}) >= 0);
  CHECK(IsWindowEnabled(GetDlgItem(dlg, 1230)) && IsWindowEnabled(GetDlgItem(dlg, 1231)));
  CHECK(startsWith(text(dlg, 1221), "鈴木さん・女の子・2文字・ゆ*：候補 "));

  note("a header click sorts, a second reverses; 順位 keeps the rank, right-aligned");
  CHECK(showCandidates(dlg, {"山田", 0, 2, "", "", ""}) >= 0);
  const int twoKanji = itemCount(list);
  CHECK((columnFormat(list, 0) & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT && columnWidth(list, 0) == 0);
  CHECK((headerFormat(list, 0) & HDF_SORTUP) != 0);
  clickHeader(list, 4);  // 総運
  CHECK(startsWith(text(dlg, 1221), "山田さん・2文字：候補 ") &&
        text(dlg, 1221).find("件（総運の大きい順）") != std::string::npos);
  CHECK((headerFormat(list, 4) & HDF_SORTDOWN) != 0 &&
        (headerFormat(list, 0) & (HDF_SORTUP | HDF_SORTDOWN)) == 0);
  CHECK(std::atoi(cellText(list, 0, 4).c_str()) >= std::atoi(cellText(list, 1, 4).c_str()) &&
        std::atoi(cellText(list, 1, 4).c_str()) >=
            std::atoi(cellText(list, twoKanji - 1, 4).c_str()));
  clickHeader(list, 4);
  CHECK(text(dlg, 1221).find("件（総運の小さい順）") != std::string::npos);
  CHECK((headerFormat(list, 4) & HDF_SORTUP) != 0);
  CHECK(std::atoi(cellText(list, 0, 4).c_str()) <=
        std::atoi(cellText(list, twoKanji - 1, 4).c_str()));

  note("the CSV in the order shown; replacing a file asks first");
  const std::string file = "山田さんの名付け候補.CSV";
  CHECK_TEXT(exportList(dlg, file, file, false), "");  // not replaced
  const std::string message = exportList(dlg, file, file);
  CHECK_TEXT(message, folder() + file + " に " + grouped(twoKanji) + " 件を書き出しました");
  const std::vector<std::string> written = split(fileText(file), '\n');
  CHECK(static_cast<int>(written.size()) == twoKanji + 2 &&
        startsWith(written[1], rowText(list, 0, ",") + ","));

  note("Ctrl+C copies the selected rows with the titles, for a spreadsheet");
  const std::string titles = "順位\t名\t読み\t性別\t総運\t天運\t地運\t人運\t外運\t得点\t人名数\tランキング\r\n";
  clearClipboard();
  selectRows(list, {0, 2});
  PostMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
  CHECK(settle());
  pressKeys(dlg, {VK_CONTROL, 'C'});
  CHECK_TEXT(clipboardText(),
             titles + rowText(list, 0, "\t") + "\r\n" + rowText(list, 2, "\t") + "\r\n");

  note("Shift+F10 opens the row menu: コピー");
  clearClipboard();
  selectRows(list, {1});
  pressKeys(dlg, {VK_SHIFT, VK_F10});
  CHECK(menuShows());
  pressKeys(NULL, {'C'});
  CHECK_TEXT(clipboardText(), titles + rowText(list, 1, "\t") + "\r\n");

  note("the context-menu key opens it too; Esc closes it");
  pressKeys(dlg, {VK_APPS});
  CHECK(menuShows());
  pressKeys(NULL, {VK_ESCAPE});
  CHECK(waitFor([] { return windowsOf(program.dwProcessId, "#32768").empty(); }));

  note("a right-click on a row: 姓名判断 reads that row");
  const RECT third = rowRect(list, 3);
  click(list, {(third.left + third.right) / 2, (third.top + third.bottom) / 2}, true);
  CHECK(menuShows());
  pressKeys(NULL, {'H'});
  CHECK(startsWith(closeBox(waitBox("姓名判断", dlg, dlg)), header("山田", cellText(list, 3, 1))));

  note("the window resizes: the list grows, the buttons keep their corners");
  CHECK((GetWindowLongA(dlg, GWL_STYLE) & WS_THICKFRAME) != 0);
  RECT before = {}, listBefore = {}, closeBefore = {};
  GetWindowRect(dlg, &before);
  GetWindowRect(list, &listBefore);
  GetWindowRect(GetDlgItem(dlg, IDCANCEL), &closeBefore);
  const int readingsBefore = columnWidth(list, 2 + kPlaceholderColumns);
  const int wider = 200, taller = 120;
  SetWindowPos(dlg, NULL, before.left, before.top, before.right - before.left + wider,
               before.bottom - before.top + taller, SWP_NOZORDER);
  CHECK(settle());
  RECT after = {}, listAfter = {}, closeAfter = {};
  GetWindowRect(list, &listAfter);
  GetWindowRect(GetDlgItem(dlg, IDCANCEL), &closeAfter);
  CHECK(listAfter.right - listAfter.left == listBefore.right - listBefore.left + wider &&
        listAfter.bottom - listAfter.top == listBefore.bottom - listBefore.top + taller);
  CHECK(closeAfter.left == closeBefore.left + wider && closeAfter.top == closeBefore.top + taller);
  CHECK_TEXT(std::to_string(columnWidth(list, 2 + kPlaceholderColumns)),
             std::to_string(readingsBefore + wider));
  SetWindowPos(dlg, NULL, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOMOVE);  // below the smallest
  CHECK(settle());
  GetWindowRect(dlg, &after);
  CHECK(after.right - after.left == before.right - before.left &&
        after.bottom - after.top == before.bottom - before.top);
  SetWindowPos(dlg, NULL, 0, 0, before.right - before.left + wider,
               before.bottom - before.top + taller, SWP_NOZORDER | SWP_NOMOVE);
  CHECK(settle());

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

  note("名付け opens with the last surname, at the size it was left");
  post(210);
  if ((dlg = waitBox("名付け", mainWindow)) == NULL) return;
  CHECK_TEXT(text(dlg, 1201), "山田");
  RECT kept = {};
  GetWindowRect(dlg, &kept);
  CHECK(kept.right - kept.left == before.right - before.left + wider &&
        kept.bottom - kept.top == before.bottom - before.top + taller);

  note("a surname the dictionary lacks: the warning box before the list");
  CHECK(showCandidates(dlg, {"髙橋", 0, 0, "", "", ""}) == -1);
  CHECK_TEXT(closeBox(waitBox("ナモリ", dlg, dlg)),
             "髙 は辞書にないため 0 画として数えます（高 なら 10 画）");
  CHECK(waitFor([&] { return startsWith(text(dlg, 1221), "髙橋さん：候補 "); }));
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
    // Resized: the list and its readings column take the room.
    RECT r = {};
    GetWindowRect(dlg, &r);
    SetWindowPos(dlg, NULL, 10, 10, r.right - r.left + 120, r.bottom - r.top + 80, SWP_NOZORDER);
  } else if (step == "naming-sorted") {
    HWND list = GetDlgItem(waitBox("名付け", mainWindow), 1220);
    clickHeader(list, 4);              // 総運
    send(list, LVM_ENSUREVISIBLE, 0);  // the top of the list
  } else if (step == "naming-menu") {
    HWND list = GetDlgItem(waitBox("名付け", mainWindow), 1220);
    const RECT row = rowRect(list, static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)) + 2);
    click(list, {(row.left + row.right) / 3, (row.top + row.bottom) / 2}, true);
    if (!menuShows()) return 1;
    Sleep(4000);  // open while the picture is taken
  } else if (step == "close") {
    if (!windowsOf(program.dwProcessId, "#32768").empty()) pressKeys(NULL, {VK_ESCAPE});
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
