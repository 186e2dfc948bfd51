# Sourced by the regenerate*.sh scripts, run as SCRIPT PYTHON SOURCE_DIR
# WORK_DIR: reruns a generator into WORK_DIR and compares with the committed
# files. Exit 77 (skipped) where the Debian data it reads is not installed.
set -eu
python=$1 src=$2 work=$3
# need WHAT FILE...: skips unless every FILE is installed.
need() {
  what=$1
  shift
  for file; do [ -f "$file" ] || { echo "$what not installed: skipped"; exit 77; }; done
}
# same DIR FILE GENERATOR: fails unless the generator's FILE is DIR/FILE as committed.
same() {
  cmp "$work/$2" "$src/$1/$2" ||
    { echo "$1/$2 differs from the generator's output; rerun tools/$3"; exit 1; }
}
rm -rf "$work" && mkdir -p "$work"
