#!/bin/sh
# Installs the pinned Playwright (npm ci, from package-lock.json) when it is
# missing or stale, then runs web_test.js with Debian's Chromium.
#   run_browser_test.sh PAGE.html NAMORI_CLI [SCREENSHOT_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
node -e 'process.exit(Number(process.versions.node.split(".")[0]) >= 20 ? 0 : 1)' ||
  { echo "web tests: Node.js 20 or later is needed (node $(node --version))" >&2; exit 1; }
[ -x /usr/bin/chromium ] || { echo "web tests: /usr/bin/chromium is missing (apt-get install chromium)" >&2; exit 1; }
stamp=$here/node_modules/.namori-installed-lock
if ! cmp -s "$here/package-lock.json" "$stamp" 2>/dev/null; then
  (cd "$here" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$stamp"
fi
exec node "$here/web_test.js" "$@"
