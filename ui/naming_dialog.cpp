// The naming window "NAMINGDIALOG": the filters, the ranked candidates in a
// virtual list, a reading of the chosen name and the list's CSV file. What
// the fields mean and what the window says come from naming_window.h; this
// file only moves them in and out of the controls.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

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

// The list on screen, kept while the window is open.
struct NamingList {
  namori::Suggestions suggestions;
  std::string surname;  // the surname it was ranked for
  // The cells of the row drawn last: a row is asked for once per column.
  std::size_t cachedRank = static_cast<std::size_t>(-1);
  std::vector<std::string> cachedCells;
};

NamingList* listOf(HWND dlg) {
  return reinterpret_cast<NamingList*>(GetWindowLongPtrA(dlg, DWLP_USER));
}

struct Column {
  const char* title;
  const char* widest;  // a typical widest cell
  bool number;
};
const Column kColumns[] = {
    {"順位", "000000", true}, {"名", "漢漢漢漢", false}, {"読み", "", false},
    {"性別", "女男―", false}, {"総運", "00", true},      {"天運", "00", true},
    {"地運", "00", true},     {"人運", "00", true},      {"外運", "00", true},
    {"得点", "100.0", true},  {"人名数", "0000", true},
    {"ランキング", "2025年10位", false},
};
const int kReadingColumn = 2;

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

// Columns as wide as their title or typical cell in the list's own font; the
// readings take what is left.
void addColumns(HWND list) {
  const int padding = 16;
  std::vector<int> widths;
  int used = 0;
  for (const Column& column : kColumns) {
    int width = padding + std::max(ListView_GetStringWidth(list, column.title),
                                   ListView_GetStringWidth(list, column.widest));
    widths.push_back(width);
    used += width;
  }
  RECT client;
  GetClientRect(list, &client);
  const int rest = client.right - GetSystemMetrics(SM_CXVSCROLL) - used;
  if (rest > 0) widths[kReadingColumn] += rest;

  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = kColumns[i].number && i > 0 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = widths[i];
    column.pszText = const_cast<char*>(kColumns[i].title);
    column.iSubItem = i;
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

int selectedRow(HWND dlg) {
  return static_cast<int>(
      SendDlgItemMessageA(dlg, IDC_NAMING_LIST, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

void updateButtons(HWND dlg) {
  const NamingList* shown = listOf(dlg);
  EnableWindow(GetDlgItem(dlg, IDC_NAMING_READ), selectedRow(dlg) >= 0);
  EnableWindow(GetDlgItem(dlg, IDC_NAMING_EXPORT), shown != nullptr && !shown->suggestions.empty());
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

  std::string surname;
  namori::SuggestFilter filter;
  namori::NamingField badField;
  const std::string problem = namori::readNamingForm(form, &surname, &filter, &badField);
  if (!problem.empty()) {
    MessageBoxA(dlg, problem.c_str(), "名付け", MB_OK | MB_ICONWARNING);
    const int id = badField == namori::NamingField::kReading    ? IDC_NAMING_READING
                   : badField == namori::NamingField::kMinScore ? IDC_NAMING_MIN_SCORE
                                                                : IDC_NAMING_SURNAME;
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, id)), TRUE);
    return;
  }

  HCURSOR previous = SetCursor(LoadCursorA(NULL, IDC_WAIT));
  NamingList* shown = listOf(dlg);
  shown->suggestions = namori::suggestGivenNames(surname.c_str(), filter);
  shown->surname = surname;
  shown->cachedRank = static_cast<std::size_t>(-1);

  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  const std::size_t count = shown->suggestions.size();
  SendMessageA(list, LVM_SETITEMCOUNT, count, 0);
  if (count > 0) {
    // The best name is chosen and the list takes the keys: arrows move,
    // Enter reads.
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, 0, FALSE);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
  }
  InvalidateRect(list, NULL, TRUE);
  SetDlgItemTextA(dlg, IDC_NAMING_STATUS,
                  namori::namingStatus(count, filter, surname.c_str()).c_str());
  updateButtons(dlg);
  SetCursor(previous);
}

// 姓名判断 on a row: the list's surname and the row's name, read as the name
// dialog's 実行 reads them. The window stays open.
void readRow(HWND dlg, int row) {
  NamingList* shown = listOf(dlg);
  if (row < 0 || static_cast<std::size_t>(row) >= shown->suggestions.size()) return;
  HWND mainWindow = GetWindow(dlg, GW_OWNER);
  ensureFileOutputButton(mainWindow);
  if (!namori::storeNames(readingState, shown->surname.c_str(),
                          shown->suggestions[static_cast<std::size_t>(row)].given)) {
    return;  // never: both names are non-empty
  }
  showNameReading(dlg);
}

void exportList(HWND dlg) {
  const NamingList* shown = listOf(dlg);
  if (shown->suggestions.empty()) return;
  bool written = false;
  const std::string message =
      namori::exportSuggestions(shown->suggestions, shown->surname.c_str(), &written);
  MessageBoxA(dlg, message.c_str(), "名付け",
              MB_OK | (written ? MB_ICONINFORMATION : MB_ICONWARNING));
}

// The text of one cell, asked for when the list draws it.
void giveCellText(HWND dlg, NMLVDISPINFOA* info) {
  NamingList* shown = listOf(dlg);
  LVITEMA& item = info->item;
  if (!(item.mask & LVIF_TEXT) || item.pszText == NULL || item.cchTextMax <= 0) return;
  item.pszText[0] = '\0';
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= shown->suggestions.size()) return;
  const std::size_t rank = static_cast<std::size_t>(item.iItem);
  if (shown->cachedRank != rank) {
    shown->cachedCells = namori::suggestionCells(shown->suggestions, rank);
    shown->cachedRank = rank;
  }
  if (item.iSubItem < 0 || static_cast<std::size_t>(item.iSubItem) >= shown->cachedCells.size()) {
    return;
  }
  const std::string& cell = shown->cachedCells[static_cast<std::size_t>(item.iSubItem)];
  std::size_t length = 0;  // whole characters that fit
  for (const char* p = cell.c_str(); std::size_t n = namori::charLength(p); p += n) {
    if (length + n >= static_cast<std::size_t>(item.cchTextMax)) break;
    length += n;
  }
  cell.copy(item.pszText, length);
  item.pszText[length] = '\0';
}

// Enter on the list is the list's own (NM_RETURN, a reading of the chosen
// row) rather than the dialog's default button.
LRESULT CALLBACK listKeys(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == WM_GETDLGCODE && lParam != 0) {
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
  }
  return DefSubclassProc(list, msg, wParam, lParam);
}

void initDialog(HWND dlg) {
  SetWindowLongPtrA(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(new NamingList));
  centreOnOwner(dlg);
  SetDlgItemTextA(dlg, IDC_NAMING_SURNAME, readingState.surname);
  fillChoices(dlg, IDC_NAMING_SEX, namori::kSexChoices, 3);
  fillChoices(dlg, IDC_NAMING_CHARACTERS, namori::kCharacterChoices, 4);
  fillChoices(dlg, IDC_NAMING_ORDER, namori::kOrderChoices, 3);
  SendDlgItemMessageW(dlg, IDC_NAMING_READING, EM_SETCUEBANNER, TRUE,
                      reinterpret_cast<LPARAM>(L"ゆ*  *と  *な*"));
  HWND list = GetDlgItem(dlg, IDC_NAMING_LIST);
  ListView_SetExtendedListViewStyle(list,
                                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  addColumns(list);
  SetWindowSubclass(list, listKeys, 0, 0);
  SetDlgItemTextA(dlg, IDC_NAMING_STATUS,
                  "姓と条件を入れて「候補を表示」を押すと、得点の高い名前から並びます。");
}

}  // namespace

INT_PTR CALLBACK NamingDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      initDialog(dlg);
      return TRUE;
    case WM_DESTROY:
      RemoveWindowSubclass(GetDlgItem(dlg, IDC_NAMING_LIST), listKeys, 0);
      delete listOf(dlg);
      SetWindowLongPtrA(dlg, DWLP_USER, 0);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
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
          updateButtons(dlg);
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
