#!/usr/bin/env bash
# The one place that knows how namori.exe is built for and run under Wine:
# the packages, the Japanese locale (ANSI code page 932), a private Wine
# prefix with Japanese font replacements, and the environment Wine needs.
#
# Used by scripts/run.sh, scripts/screenshots.sh and the end-to-end tests.
#
#   wine-env.sh install            install missing packages, generate ja_JP.UTF-8
#   wine-env.sh prefix DIR [--headless]
#                                  create the Wine prefix DIR (once); with
#                                  --headless, for an X server without a
#                                  window manager (Xvfb)
#   wine-env.sh exec DIR CMD...    run CMD with the Wine environment for DIR
#
# It can also be sourced; it then only defines the namori_* functions.

. "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

# Packages needed to cross-build namori.exe and to run, drive and photograph
# it under Wine on a headless machine, and to package it (scripts/package.sh).
NAMORI_WINE_PACKAGES=(g++-mingw-w64-x86-64 cmake make wine wine64 xvfb xauth x11-utils locales
                      fonts-ipafont imagemagick zip unzip)

namori_have_ja_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'
}

namori_install() {
  namori_ensure_packages "${NAMORI_WINE_PACKAGES[@]}" || return 1
  if ! namori_have_ja_locale; then
    if [ "$(id -u)" != 0 ]; then
      echo "wine-env: locale ja_JP.UTF-8 missing (run as root to generate it)" >&2
      return 1
    fi
    echo "wine-env: generating locale ja_JP.UTF-8" >&2
    if grep -q 'ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
      sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    else
      echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen >/dev/null || return 1
  fi
}

# Exports the environment for running Wine programs in prefix $1 under locale
# $2 (default ja_JP.UTF-8). Wine takes the system's ANSI code page from the
# locale: 932 for ja_JP.UTF-8, 1252 for C.UTF-8, where only namori.exe's
# manifest gives it 932. (A locale that was never generated falls back to
# ASCII, where Wine cannot make non-ASCII file names at all.)
namori_wine_env() {
  export WINEPREFIX="$1"
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG="${2:-ja_JP.UTF-8}"
  export LC_ALL="$LANG"
}

# The Windows path of a file under Wine, which sees the whole file system as Z:.
namori_winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }

# Starts a private Xvfb server of the given geometry (e.g. 1024x768x24) on a
# free display, exports DISPLAY and sets NAMORI_XVFB_PID. $1 is a scratch
# directory for the display number.
namori_start_xvfb() {
  local dir="$1" geometry="$2"
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$dir/.display" 2>/dev/null &
  NAMORI_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$dir/.display" ] && break
    sleep 0.1
  done
  [ -s "$dir/.display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$dir/.display")"
  rm -f "$dir/.display"
}

# Dialogs and menus ask for Windows' Japanese UI fonts, which Wine does not
# ship; map every one of them to the IPA fonts so no text shows as boxes.
namori_font_reg() {
  local gothic="IPAGothic" mincho="IPAMincho" f
  echo 'Windows Registry Editor Version 5.00'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
  for f in "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "MS UI Gothic" "MS Gothic" \
           "MS PGothic" "ＭＳ ゴシック" "ＭＳ Ｐゴシック" "Tahoma" "Segoe UI" "Arial" \
           "Microsoft Sans Serif" "System" "Meiryo" "メイリオ"; do
    printf '"%s"="%s"\n' "$f" "$gothic"
  done
  for f in "MS 明朝" "ＭＳ 明朝" "MS Mincho" "MS PMincho" "ＭＳ Ｐ明朝" "MS P明朝"; do
    printf '"%s"="%s"\n' "$f" "$mincho"
  done
}

# Creates the prefix $1 once (wineboot, font replacements). With a second
# argument "headless", Wine draws the window frames itself: on an X server
# without a window manager (Xvfb) windows would otherwise have no caption, and
# every hidden window would make Wine wait two seconds for a manager that never
# answers. Without it, the desktop's window manager frames the windows.
namori_setup_prefix() {
  local dir="$1" managed=Y
  [ "${2:-}" = headless ] && managed=N
  namori_have_ja_locale || { echo "wine-env: locale ja_JP.UTF-8 missing" >&2; return 1; }
  mkdir -p "$dir" || return 1
  dir=$(cd "$dir" && pwd)
  (
    namori_wine_env "$dir"
    unset DISPLAY
    if [ ! -f "$dir/.namori-ready" ]; then
      # The stamp is written last: a set-up that was cut short starts again
      # from nothing.
      rm -rf "$dir"/{drive_c,dosdevices,system.reg,user.reg,userdef.reg,.update-timestamp}
      wineboot -i >/dev/null 2>&1 || { echo "wine-env: wineboot failed" >&2; exit 1; }
      wineserver -w
      # regedit wants UTF-16 with a byte-order mark for a version 5 file.
      { printf '\xff\xfe'; namori_font_reg | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } \
        >"$dir/namori-fonts.reg"
      wine regedit /S "$dir/namori-fonts.reg" >/dev/null 2>&1 || exit 1
      wineserver -w
      touch "$dir/.namori-ready"
    fi
    # Caption buttons are drawn with Marlett, which this Wine does not find in
    # its own data directory; without it they show as "0 1 r".
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$dir/drive_c/windows/Fonts"
    if [ -f "$marlett" ] && [ ! -f "$fonts/marlett.ttf" ]; then
      mkdir -p "$fonts" && cp "$marlett" "$fonts/.marlett.tmp" &&
        mv "$fonts/.marlett.tmp" "$fonts/marlett.ttf"
    fi
    # Text files open in Notepad, as on Windows (ヘルプ→目次 opens the guide
    # so); this Wine registers notepad for txtfile but leaves .txt unlinked.
    if [ ! -f "$dir/.namori-txt" ]; then
      wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1 || exit 1
      wineserver -w
      touch "$dir/.namori-txt"
    fi
    if [ "$(cat "$dir/.namori-managed" 2>/dev/null)" != "$managed" ]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1 ||
        exit 1
      wineserver -w
      echo "$managed" >"$dir/.namori-managed"
    fi
  )
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -e
  case "${1:-}" in
    install) namori_install ;;
    prefix)
      case "$#:${3:-}" in
        2:) namori_setup_prefix "$2" ;;
        3:--headless) namori_setup_prefix "$2" headless ;;
        *) echo "usage: $0 prefix DIR [--headless]" >&2; exit 2 ;;
      esac
      ;;
    exec)
      [ $# -ge 3 ] || { echo "usage: $0 exec DIR CMD..." >&2; exit 2; }
      namori_wine_env "$(cd "$2" && pwd)"
      shift 2
      exec "$@"
      ;;
    *)
      echo "usage: $0 install | prefix DIR [--headless] | exec DIR CMD..." >&2
      exit 2
      ;;
  esac
fi
