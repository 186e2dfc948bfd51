// The naming window "NAMINGDIALOG": the filters, the ranked candidates in a
// virtual list, a reading of the chosen name and the list's CSV file. What
// the fields mean and what the window says come from naming_window.h; this
// file only moves them in and out of the controls.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "naming_window.h"
#include "readings.h"
#include "resource.h"
#include "ui.h"

using namori::readingState;

namespace {

// Where a control goes when the window is resized: it moves with the right
// or bottom edge, or grows with it.
enum Anchor { kMoveX = 1, kMoveY = 2, kGrowX = 4, kGrowY = 8 };
const struct {
  int id;
  int anchor;
} kAnchors[] = {
    {IDC_NAMING_SHOW, kMoveX},          {IDC_NAMING_STATUS, kGrowX},
    {IDC_NAMING_LIST, kGrowX | kGrowY}, {IDC_NAMING_READ, kMoveY},
    {IDC_NAMING_EXPORT, kMoveY},        {IDCANCEL, kMoveX | kMoveY},
    {IDC_NAMING_GRIP, kMoveX | kMoveY},
};

// The window's size, kept from one opening to the next while the program
// runs (0: as the template makes it).
SIZE keptSize = {0, 0};

// The window's state while it is open.
struct NamingList {
  namori::Suggestions suggestions;
  std::string surname;  // the surname it was ranked for
  namori::SuggestFilter filter;
  namori::NamingSort sort;
  std::vector<std::size_t> rows;  // the rank shown in each row
  bool listed = false;            // 候補を表示 has run
  bool stale = false;             // a field changed since
  // The cells of the row drawn last: a row is asked for once per column.
  std::size_t cachedRank = static_cast<std::size_t>(-1);
  std::vector<std::string> cachedCells;
  // The layout as the template made it, for resizing.
  SIZE minimum = {0, 0};  // the window's smallest size
  SIZE client = {0, 0};   // the client area the rectangles below belong to
  RECT placed[std::size(kAnchors)] = {};
  int listWidth = 0;  // the list's outer width when its columns were last fitted
};

NamingList* listOf(HWND dlg) {
  return reinterpret_cast<NamingList*>(GetWindowLongPtrA(dlg, DWLP_USER));
}

// A typical widest cell of each column, for its first width.
const char* const kWidest[namori::kNamingColumns] = {
    "000000", "漢漢漢漢", "", "男女", "00", "00", "00", "00", "00", "100.0", "0000", "2025年10位"};

std::string fieldText(HWND dlg, int id) {
  char text[256] = {};
  GetDlgItemTextA(dlg, id, text, sizeof text);
  return text;
}

int choice(HWND dlg, int id) {
  const LRESULT index = SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? 0 : static_cast<int>(index);
}

void fillChoices(HWND dlg, int id, const char* const* texts, int count) {
  for (int i = 0; i < count; ++i) {
    SendDlgItemMessageA(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
  }
  SendDlgItemMessageA(dlg, id, CB_SETCURSEL, 0, 0);
}

void centreOnOwner(HWND dlg) {
  RECT owner, self, work;
  GetWindowRect(GetWindow(dlg, GW_OWNER), &owner);
  GetWindowRect(dlg, &self);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const LONG width = self.right - self.left, height = self.bottom - self.top;
  LONG x = (owner.left + owner.right - width) / 2, y = (owner.top + owner.bottom - height) / 2;
  x = std::max(work.left, std::min(x, work.right - width));
  y = std::max(work.top, std::min(y, work.bottom - height));
  SetWindowPos(dlg, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The list's first column is always drawn left-aligned, so it is an empty
// placeholder of no width that cannot be widened; the columns of
// kNamingColumnTitles follow it, 順位 right-aligned like the other numbers.
const int kPlaceholderColumns = 1;

int listColumn(int column) {
  return column + kPlaceholderColumns;
}

// Columns as wide as their title, with room for the sort arrow, or their
// typical cell in the list's own font; the readings take what is left.
void addColumns(HWND list) {
  const int padding = 16, arrow = 22;
  std::vector<int> widths;
  int used = 0;
  for (int i = 0; i < namori::kNamingColumns; ++i) {
    const int width =
        padding + std::max(ListView_GetStringWidth(list, namori::kNamingColumnTitles[i]) + arrow,
                           ListView_GetStringWidth(list, kWidest[i]));
    widths.push_back(width);
    used += width;
  }
  RECT client;
  GetClientRect(list, &client);
  const int rest = client.right - GetSystemMetrics(SM_CXVSCROLL) - used;
  if (rest > 0) widths[namori::kReadingsColumn] += rest;

  LVCOLUMNA placeholder = {};
  placeholder.mask = LVCF_WIDTH;
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&placeholder));
  for (int i = 0; i < namori::kNamingColumns; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = namori::isNumberColumn(i) ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = widths[i];
    column.pszText = const_cast<char*>(namori::kNamingColumnTitles[i]);
    SendMessageA(list, LVM_INSERTCOLUMNA, listColumn(i), reinterpret_cast<LPARAM>(&column));
  }
}

// The sort arrow on the column the list is sorted by.
void showSortArrow(HWND list, namori::NamingSort sort) {
  HWND header = ListView_GetHeader(list);
  for (int i = 0; i < namori::kNamingColumns; ++i) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, listColumn(i), reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (i == sort.column) item.fmt |= sort.descending ? HDF_SORTDOWN : HDF_SORTUP;
    SendMessageA(header, HDM_SETITEMA, listColumn(i), reinterpret_cast<LPARAM>(&item));
  }
}

// The row chosen for 姓名判断: the focused row if it is selected, else the
// first selected one; -1 for none.
int selectedRow(HWND dlg) {
  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED);
  return focused >= 0 ? focused : ListView_GetNextItem(list, -1, LVNI_SELECTED);
}

// Ranks of the selected rows, in the order shown.
std::vector<std::size_t> selectedRanks(HWND dlg) {
  const NamingList* shown = listOf(dlg);
  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  std::vector<std::size_t> ranks;
  for (int row = -1; (row = ListView_GetNextItem(list, row, LVNI_SELECTED)) >= 0;) {
    if (static_cast<std::size_t>(row) < shown->rows.size()) ranks.push_back(shown->rows[row]);
  }
  return ranks;
}

// A list made for fields that have changed since is neither read nor
// exported.
bool canRead(HWND dlg) {
  const NamingList* shown = listOf(dlg);
  return shown->listed && !shown->stale && selectedRow(dlg) >= 0;
}

bool canExport(HWND dlg) {
  const NamingList* shown = listOf(dlg);
  return shown->listed && !shown->stale && !shown->suggestions.empty();
}

void updateButtons(HWND dlg) {
  EnableWindow(GetDlgItem(dlg, IDC_NAMING_READ), canRead(dlg));
  EnableWindow(GetDlgItem(dlg, IDC_NAMING_EXPORT), canExport(dlg));
}

void showStatus(HWND dlg) {
  const NamingList* shown = listOf(dlg);
  std::string status = namori::namingStatus(shown->suggestions.size(), shown->filter,
                                            shown->surname.c_str(), shown->sort);
  if (shown->stale) {
    status = "条件が変わりました。「候補を表示」を押すと一覧を作り直します。（いまの一覧：" +
             status + "）";
  }
  SetDlgItemTextA(dlg, IDC_NAMING_STATUS, status.c_str());
}

// A field changed: the list no longer shows what the fields ask for.
void fieldChanged(HWND dlg) {
  NamingList* shown = listOf(dlg);
  if (shown == nullptr || !shown->listed || shown->stale) return;
  shown->stale = true;
  showStatus(dlg);
  updateButtons(dlg);
}

// Shows the rows in shown->sort's order, keeping the selected rows selected
// and the focused one in view.
void arrangeRows(HWND dlg) {
  NamingList* shown = listOf(dlg);
  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  const std::vector<std::size_t> selected = selectedRanks(dlg);
  const int focusedRow = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
  const std::size_t focused =
      focusedRow >= 0 && static_cast<std::size_t>(focusedRow) < shown->rows.size()
          ? shown->rows[focusedRow]
          : static_cast<std::size_t>(-1);
  shown->rows = namori::sortedRanks(shown->suggestions, shown->sort);
  std::vector<int> rowOf(shown->rows.size());
  for (std::size_t row = 0; row < shown->rows.size(); ++row) {
    rowOf[shown->rows[row]] = static_cast<int>(row);
  }
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (const std::size_t rank : selected) {
    ListView_SetItemState(list, rowOf[rank], LVIS_SELECTED, LVIS_SELECTED);
  }
  if (focused < rowOf.size()) {
    ListView_SetItemState(list, rowOf[focused], LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(list, rowOf[focused], FALSE);
  }
  showSortArrow(list, shown->sort);
  InvalidateRect(list, NULL, TRUE);
  showStatus(dlg);
}

void sortBy(HWND dlg, int column) {
  NamingList* shown = listOf(dlg);
  if (!shown->listed || column < 0 || column >= namori::kNamingColumns) return;
  shown->sort = namori::nextSort(shown->sort, column);
  HCURSOR previous = SetCursor(LoadCursorA(NULL, IDC_WAIT));
  arrangeRows(dlg);
  SetCursor(previous);
}

// 候補を表示: every field is read now; a bad one is named and the list stays.
void showCandidates(HWND dlg) {
  namori::NamingForm form;
  form.surname = fieldText(dlg, IDC_NAMING_SURNAME);
  form.sex = choice(dlg, IDC_NAMING_SEX);
  form.characters = choice(dlg, IDC_NAMING_CHARACTERS);
  form.reading = fieldText(dlg, IDC_NAMING_READING);
  form.with = fieldText(dlg, IDC_NAMING_WITH);
  form.minScore = fieldText(dlg, IDC_NAMING_MIN_SCORE);
  form.order = choice(dlg, IDC_NAMING_ORDER);
  form.anyKanji = IsDlgButtonChecked(dlg, IDC_NAMING_ANY_KANJI) == BST_CHECKED;
  form.scope = choice(dlg, IDC_NAMING_SCOPE);
  form.allReadings = IsDlgButtonChecked(dlg, IDC_NAMING_ALL_READINGS) == BST_CHECKED;

  std::string surname;
  namori::SuggestFilter filter;
  namori::NamingField badField;
  const std::string problem = namori::readNamingForm(form, &surname, &filter, &badField);
  if (!problem.empty()) {
    MessageBoxA(dlg, problem.c_str(), "名付け", MB_OK | MB_ICONWARNING);
    const int id = badField == namori::NamingField::kReading    ? IDC_NAMING_READING
                   : badField == namori::NamingField::kWith     ? IDC_NAMING_WITH
                   : badField == namori::NamingField::kMinScore ? IDC_NAMING_MIN_SCORE
                                                                : IDC_NAMING_SURNAME;
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, id)), TRUE);
    return;
  }
  // The same warning as before a reading, before every row counts 0 for it.
  const std::string warning = namori::zeroStrokeWarning(surname.c_str(), "");
  if (!warning.empty()) MessageBoxA(dlg, warning.c_str(), "ナモリ", MB_OK | MB_ICONWARNING);

  HCURSOR previous = SetCursor(LoadCursorA(NULL, IDC_WAIT));
  NamingList* shown = listOf(dlg);
  shown->suggestions = namori::suggestGivenNames(surname.c_str(), filter);
  shown->surname = surname;
  shown->filter = filter;
  shown->sort = namori::NamingSort{};
  shown->listed = true;
  shown->stale = false;
  shown->cachedRank = static_cast<std::size_t>(-1);

  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  const std::size_t count = shown->suggestions.size();
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  shown->rows.clear();
  SendMessageA(list, LVM_SETITEMCOUNT, count, 0);
  arrangeRows(dlg);
  if (count > 0) {
    // The best name is chosen and the list takes the keys: arrows move,
    // Enter reads.
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, 0, FALSE);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
  }
  updateButtons(dlg);
  SetCursor(previous);
}

// 姓名判断 on a row: the list's surname and the row's name, read as the name
// dialog's 実行 reads them. The window stays open.
void readRow(HWND dlg, int row) {
  NamingList* shown = listOf(dlg);
  if (!shown->listed || shown->stale || row < 0 ||
      static_cast<std::size_t>(row) >= shown->rows.size()) {
    return;
  }
  HWND mainWindow = GetWindow(dlg, GW_OWNER);
  ensureFileOutputButton(mainWindow);
  if (!namori::storeNames(readingState, shown->surname.c_str(),
                          shown->suggestions[shown->rows[row]].given)) {
    return;  // never: both names are non-empty
  }
  showNameReading(dlg);
}

// Ctrl+C: the selected rows with the column titles, for a spreadsheet.
void copyRows(HWND dlg) {
  const std::vector<std::size_t> ranks = selectedRanks(dlg);
  if (ranks.empty()) return;
  const std::string text = namori::suggestionsTsv(listOf(dlg)->suggestions, ranks);
  const int wideLength =
      MultiByteToWideChar(932, 0, text.c_str(), static_cast<int>(text.size()) + 1, NULL, 0);
  HGLOBAL wide = GlobalAlloc(GMEM_MOVEABLE, wideLength * sizeof(wchar_t));
  HGLOBAL ansi = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (wide != NULL && ansi != NULL && OpenClipboard(dlg)) {
    MultiByteToWideChar(932, 0, text.c_str(), static_cast<int>(text.size()) + 1,
                        static_cast<wchar_t*>(GlobalLock(wide)), wideLength);
    GlobalUnlock(wide);
    char* bytes = static_cast<char*>(GlobalLock(ansi));
    text.copy(bytes, text.size());
    bytes[text.size()] = '\0';
    GlobalUnlock(ansi);
    EmptyClipboard();
    // The clipboard owns what it took.
    if (SetClipboardData(CF_UNICODETEXT, wide) != NULL) wide = NULL;
    if (SetClipboardData(CF_TEXT, ansi) != NULL) ansi = NULL;
    CloseClipboard();
  }
  if (wide != NULL) GlobalFree(wide);
  if (ansi != NULL) GlobalFree(ansi);
}

// 一覧をファイル出力: the Save As dialog, then the list as shown to the file
// chosen.
void exportList(HWND dlg) {
  const NamingList* shown = listOf(dlg);
  if (!canExport(dlg)) return;
  char path[MAX_PATH * 2] = {};
  const std::string name = namori::defaultExportName(shown->surname.c_str());
  name.copy(path, std::min(name.size(), sizeof path - 1));
  char folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  OPENFILENAMEA save = {};
  save.lStructSize = sizeof save;
  save.hwndOwner = dlg;
  save.lpstrFilter = "CSV ファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0";
  save.lpstrFile = path;
  save.nMaxFile = sizeof path;
  save.lpstrInitialDir = folder;
  save.lpstrDefExt = "csv";
  // The current folder stays where the report files go.
  save.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameA(&save)) return;
  bool written = false;
  const std::string message =
      namori::exportSuggestions(shown->suggestions, shown->rows, path, &written);
  MessageBoxA(dlg, message.c_str(), "名付け",
              MB_OK | (written ? MB_ICONINFORMATION : MB_ICONWARNING));
}

// The menu of a right-click, Shift+F10 or the menu key on the list, at the
// pointer or, from the keyboard, at the focused row.
void showRowMenu(HWND dlg, LPARAM where) {
  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) {
    RECT row = {};
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (focused < 0 || !ListView_GetItemRect(list, focused, &row, LVIR_LABEL)) {
      GetClientRect(list, &row);
      row.bottom = row.top;
    }
    at = {row.left + 8, row.bottom};
    ClientToScreen(list, &at);
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING | (canRead(dlg) ? 0 : MF_GRAYED), IDC_NAMING_READ, "姓名判断(&H)");
  AppendMenuA(menu, MF_STRING | (selectedRow(dlg) >= 0 ? 0 : MF_GRAYED), IDM_NAMING_COPY,
              "コピー(&C)\tCtrl+C");
  SetMenuDefaultItem(menu, IDC_NAMING_READ, FALSE);
  const int command = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                                     at.y, 0, dlg, NULL);
  DestroyMenu(menu);
  if (command == IDC_NAMING_READ) readRow(dlg, selectedRow(dlg));
  if (command == IDM_NAMING_COPY) copyRows(dlg);
}

// The text of one cell, asked for when the list draws it.
void giveCellText(HWND dlg, NMLVDISPINFOA* info) {
  NamingList* shown = listOf(dlg);
  LVITEMA& item = info->item;
  if (!(item.mask & LVIF_TEXT) || item.pszText == NULL || item.cchTextMax <= 0) return;
  item.pszText[0] = '\0';
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= shown->rows.size()) return;
  const std::size_t rank = shown->rows[item.iItem];
  if (shown->cachedRank != rank) {
    shown->cachedCells = namori::suggestionCells(shown->suggestions, rank);
    shown->cachedRank = rank;
  }
  const int column = item.iSubItem - kPlaceholderColumns;
  if (column < 0 || static_cast<std::size_t>(column) >= shown->cachedCells.size()) return;
  const std::string& cell = shown->cachedCells[static_cast<std::size_t>(column)];
  std::size_t length = 0;  // whole characters that fit
  for (const char* p = cell.c_str(); std::size_t n = namori::charLength(p); p += n) {
    if (length + n >= static_cast<std::size_t>(item.cchTextMax)) break;
    length += n;
  }
  cell.copy(item.pszText, length);
  item.pszText[length] = '\0';
}

// Enter on the list is the list's own (NM_RETURN, a reading of the chosen
// row) rather than the dialog's default button. The placeholder column keeps
// its zero width: its header divider neither drags nor fits.
LRESULT CALLBACK listKeys(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_GETDLGCODE && lParam != 0) {
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
  }
  if (msg == WM_NOTIFY) {
    const NMHEADERA* header = reinterpret_cast<const NMHEADERA*>(lParam);
    switch (header->hdr.code) {
      case HDN_BEGINTRACKA:
      case HDN_BEGINTRACKW:
      case HDN_DIVIDERDBLCLICKA:
      case HDN_DIVIDERDBLCLICKW:
        if (header->iItem < kPlaceholderColumns) return TRUE;
    }
  }
  return DefSubclassProc(list, msg, wParam, lParam);
}

// Ctrl+C copies the selected rows, Ctrl+A selects every row.
void listKeyDown(HWND dlg, const NMLVKEYDOWN* key) {
  if (GetKeyState(VK_CONTROL) >= 0) return;
  if (key->wVKey == 'C') copyRows(dlg);
  if (key->wVKey == 'A') {
    ListView_SetItemState(GetDlgItem(dlg, IDC_NAMING_LIST), -1, LVIS_SELECTED, LVIS_SELECTED);
  }
}

// Moves and stretches the controls for the client area's new size; the
// readings column takes the list's change in width.
void layout(HWND dlg, int width, int height) {
  NamingList* shown = listOf(dlg);
  if (shown == nullptr || shown->client.cx == 0) return;
  const int dx = width - shown->client.cx, dy = height - shown->client.cy;
  HDWP moves = BeginDeferWindowPos(static_cast<int>(std::size(kAnchors)));
  for (std::size_t i = 0; i < std::size(kAnchors); ++i) {
    const RECT& r = shown->placed[i];
    const int a = kAnchors[i].anchor;
    HWND control = GetDlgItem(dlg, kAnchors[i].id);
    if (control == NULL || moves == NULL) continue;
    moves = DeferWindowPos(moves, control, NULL, r.left + (a & kMoveX ? dx : 0),
                           r.top + (a & kMoveY ? dy : 0), r.right - r.left + (a & kGrowX ? dx : 0),
                           r.bottom - r.top + (a & kGrowY ? dy : 0), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (moves != NULL) EndDeferWindowPos(moves);
  ShowWindow(GetDlgItem(dlg, IDC_NAMING_GRIP), IsZoomed(dlg) ? SW_HIDE : SW_SHOW);

  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  RECT bounds;
  GetWindowRect(list, &bounds);
  const int grown = (bounds.right - bounds.left) - shown->listWidth;
  const int readings = ListView_GetColumnWidth(list, listColumn(namori::kReadingsColumn));
  if (grown != 0 && shown->listWidth != 0) {
    ListView_SetColumnWidth(list, listColumn(namori::kReadingsColumn),
                            std::max(readings + grown, 60));
  }
  shown->listWidth = bounds.right - bounds.left;
  // The window erases its background over the moved controls: all are drawn
  // again.
  RedrawWindow(dlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void initDialog(HWND dlg) {
  NamingList* shown = new NamingList;
  SetWindowLongPtrA(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(shown));

  // The size grip in the corner, and the layout the template makes: the
  // smallest size, and what moves from there.
  RECT client, window;
  GetClientRect(dlg, &client);
  const int grip = GetSystemMetrics(SM_CXVSCROLL);
  CreateWindowExA(
      0, "SCROLLBAR", NULL, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
      client.right - grip, client.bottom - grip, grip, grip, dlg,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_NAMING_GRIP)), appInstance, NULL);
  GetWindowRect(dlg, &window);
  shown->minimum = {window.right - window.left, window.bottom - window.top};
  shown->client = {client.right, client.bottom};
  for (std::size_t i = 0; i < std::size(kAnchors); ++i) {
    RECT& r = shown->placed[i];
    GetWindowRect(GetDlgItem(dlg, kAnchors[i].id), &r);
    MapWindowPoints(NULL, dlg, reinterpret_cast<POINT*>(&r), 2);
  }

  SetDlgItemTextA(dlg, IDC_NAMING_SURNAME, readingState.surname);
  fillChoices(dlg, IDC_NAMING_SEX, namori::kSexChoices, 3);
  fillChoices(dlg, IDC_NAMING_CHARACTERS, namori::kCharacterChoices, 4);
  fillChoices(dlg, IDC_NAMING_ORDER, namori::kOrderChoices, 3);
  fillChoices(dlg, IDC_NAMING_SCOPE, namori::kScopeChoices, 3);
  SendDlgItemMessageW(dlg, IDC_NAMING_READING, EM_SETCUEBANNER, TRUE,
                      reinterpret_cast<LPARAM>(L"ゆ*  *と  *な*"));
  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  ListView_SetExtendedListViewStyle(list,
                                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  addColumns(list);
  GetWindowRect(list, &window);
  shown->listWidth = window.right - window.left;
  SetWindowSubclass(list, listKeys, 0, 0);
  SetDlgItemTextA(dlg, IDC_NAMING_STATUS,
                  "姓と条件を入れて「候補を表示」を押すと、得点の高い名前から並びます。");
  if (keptSize.cx > 0) {
    SetWindowPos(dlg, NULL, 0, 0, keptSize.cx, keptSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  centreOnOwner(dlg);
}

}  // namespace

INT_PTR CALLBACK NamingDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      initDialog(dlg);
      return TRUE;
    case WM_DESTROY: {
      WINDOWPLACEMENT placement = {};
      placement.length = sizeof placement;
      if (GetWindowPlacement(dlg, &placement)) {
        const RECT& r = placement.rcNormalPosition;
        keptSize = {r.right - r.left, r.bottom - r.top};
      }
      RemoveWindowSubclass(GetDlgItem(dlg, IDC_NAMING_LIST), listKeys, 0);
      delete listOf(dlg);
      SetWindowLongPtrA(dlg, DWLP_USER, 0);
      return FALSE;
    }
    case WM_GETMINMAXINFO:
      if (const NamingList* shown = listOf(dlg)) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {shown->minimum.cx,
                                                                 shown->minimum.cy};
      }
      return TRUE;
    case WM_SIZE:
      layout(dlg, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != GetDlgItem(dlg, IDC_NAMING_LIST)) return FALSE;
      showRowMenu(dlg, lParam);
      return TRUE;
    case WM_COMMAND:
      switch (HIWORD(wParam)) {
        case EN_CHANGE:
        case CBN_SELCHANGE:
          fieldChanged(dlg);
          return TRUE;
      }
      switch (LOWORD(wParam)) {
        case IDC_NAMING_ANY_KANJI:
        case IDC_NAMING_ALL_READINGS:
          fieldChanged(dlg);
          return TRUE;
        case IDC_NAMING_SHOW:
          showCandidates(dlg);
          return TRUE;
        case IDC_NAMING_READ:
          readRow(dlg, selectedRow(dlg));
          return TRUE;
        case IDC_NAMING_EXPORT:
          exportList(dlg);
          return TRUE;
        case IDCANCEL:
          EndDialog(dlg, 2);
          return TRUE;
      }
      return FALSE;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_NAMING_LIST || listOf(dlg) == nullptr) return FALSE;
      switch (header->code) {
        case LVN_GETDISPINFOA:
          giveCellText(dlg, reinterpret_cast<NMLVDISPINFOA*>(lParam));
          return TRUE;
        case LVN_ITEMCHANGED:
        case LVN_ODSTATECHANGED:
          updateButtons(dlg);
          return TRUE;
        case LVN_COLUMNCLICK:
          sortBy(dlg, reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem - kPlaceholderColumns);
          return TRUE;
        case LVN_KEYDOWN:
          listKeyDown(dlg, reinterpret_cast<const NMLVKEYDOWN*>(lParam));
          return TRUE;
        case NM_DBLCLK:
          readRow(dlg, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
          return TRUE;
        case NM_RETURN:
          readRow(dlg, selectedRow(dlg));
          return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}
