#!/usr/bin/env bash
# Installs Debian packages that are missing (apt-get, as root). Sourced by the
# build scripts:  . scripts/packages.sh; namori_ensure_packages PKG...

namori_ensure_packages() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" != 0 ]; then
    command -v sudo >/dev/null || { echo "missing packages: ${missing[*]} (run as root)" >&2; return 1; }
    sudo=sudo
  fi
  echo "installing: ${missing[*]}" >&2
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null || return 1
}

# What the native build and its tests need. kanjidic and unicode-data are the
# stroke sources the table generator is checked against; enamdict (with
# kanjidic) is the source of the given-name candidates; kanjidic-xml
# (KANJIDIC2) of the registrable characters.
NAMORI_NATIVE_PACKAGES=(g++ cmake make python3 libgtest-dev libbenchmark-dev libcli11-dev
                        nlohmann-json3-dev kanjidic unicode-data enamdict
                        kanjidic-xml)

# What the web page's build (emscripten) and its browser tests (Node 20 or
# later with npm, Chromium driven by Playwright) need. npm is a package of its
# own only where nodejs does not bring it (namori_ensure_npm).
NAMORI_WEB_PACKAGES=(emscripten cmake make python3 nodejs chromium)

namori_ensure_npm() {
  command -v npm >/dev/null || namori_ensure_packages npm
}
