# Shared steps of the install tests: a private home, scratch game folders made from
# demo/, and snapshots that tell whether anything at all changed.
# Usage in a test: source lib.sh "$source_dir" [launcher] [hicolor icons folder]
set -euo pipefail
source_dir=$1
launcher=${2:-}
icons=${3:-}
work=$(mktemp -d /tmp/tavorin-install-test.XXXXXX)
export HOME=$work/home
unset XDG_DATA_HOME XDG_STATE_HOME
mkdir -p "$HOME" "$work/out"
data_home=$HOME/.local/share
# A test that made a folder immutable and failed leaves nothing that cannot be removed.
trap 'status=$?; chattr -R -i "$work" 2>/dev/null || true; [ $status = 0 ] && rm -rf "$work" || echo "kept $work"; exit $status' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

install_into() { "$source_dir/packaging/tavorin-install" --launcher "$launcher" --icons "$icons" --starter none "$1"; }
uninstall_from() { "$source_dir/packaging/tavorin-uninstall" "$1"; }

# stand_in <name> <script>: a stand-in for a program, found first by a command run with PATH=$stubs:$PATH.
stubs=$work/out/stubs
stand_in() { mkdir -p "$stubs" && printf '#!/bin/sh\n%s\n' "$2" >"$stubs/$1" && chmod 755 "$stubs/$1"; }

new_game() { mkdir -p "$(dirname "$1")" && cp -a "$source_dir/demo" "$1"; }

# Every path below the scratch folder with its kind, mode, link target and checksum.
snapshot() {
  (cd "$work" && find . -path ./out -prune -o -printf '%y %m %p -> %l\n' | LC_ALL=C sort &&
    find . -path ./out -prune -o -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum)
}

expect_same_snapshot() { # expect_same_snapshot <what> <earlier snapshot>
  diff <(printf '%s\n' "$2") <(snapshot) >&2 || fail "$1"
  pass "$1"
}

entries() { find "$data_home/applications" -name '*.desktop' 2>/dev/null | LC_ALL=C sort; }

expect_valid_entry() {
  local report
  report=$(desktop-file-validate "$1" 2>&1) || fail "$1 is not a valid desktop entry: $report"
  [ -z "$report" ] || fail "desktop-file-validate warns about $1: $report"
  # A dock matches the window to its entry by this; the window's class is Tavorin.
  grep -qx 'StartupWMClass=Tavorin' "$1" || fail "$1 has no StartupWMClass=Tavorin"
  pass "$(basename "$1") passes desktop-file-validate without a warning and names the window's class"
}

# Starts a menu entry as the desktop does (GLib reads Exec, TryExec and Path) and
# prints what the program it started records: "<its path>|<working folder>|<arguments>".
launch_entry() {
  local trace=$work/out/launched
  rm -f "$trace"
  TAVORIN_TRACE=$trace XDG_CACHE_HOME=$work/out/cache gio launch "$1" 2>/dev/null || fail "gio could not start $1"
  for _ in $(seq 100); do [ -s "$trace" ] && break; sleep 0.05; done
  cat "$trace" 2>/dev/null || fail "$1 started nothing"
}

# A stand-in launcher that records how it was started.
write_recorder() { # write_recorder <file> <name it prints>
  printf '#!/bin/sh\n# %s\nprintf "%%s|%%s|%%s\\n" "$0" "$(pwd)" "$*" >"$TAVORIN_TRACE"\n' "$2" >"$1"
  chmod 755 "$1"
}
