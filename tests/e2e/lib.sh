# Shared steps of the end-to-end tests: a scratch game folder made from demo/,
# the real launcher started in it, and small checks that name what failed.
# Usage in a test: source lib.sh "$binary" "$source_dir"
set -euo pipefail
binary=$1
source_dir=$2
work=$(mktemp -d /tmp/tavorin-e2e.XXXXXX)
game="$work/game"
export XDG_CONFIG_HOME="$work/config"
export TAVORIN_DEMO_QUIET=1
settings="$XDG_CONFIG_HOME/Tavorin/Tavorin.ini"
cp -a "$source_dir/demo" "$game"
cp "$binary" "$game/Tavorin"
launcher_pid=""
trap 'status=$?; [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null; [ $status = 0 ] && rm -rf "$work" || echo "kept $work"; exit $status' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Starts the launcher from another folder, so it must find its own.
start_launcher() {
  (cd "$work" && exec "$game/Tavorin") &
  launcher_pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavorin 2005$' | head -n1)
  [ -n "$window" ] || fail "the launcher window did not appear"
  sleep 0.5
}

# Clicks at window-relative pixels.
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

wait_for() { # wait_for <seconds> <command...>
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}

launcher_gone() { ! kill -0 "$launcher_pid" 2>/dev/null; }

wait_for_exit() {
  wait_for 10 launcher_gone || fail "the launcher did not end"
  wait "$launcher_pid" 2>/dev/null || true
  launcher_pid=""
}

setting() { # setting <key>: the stored value as the ini file holds it
  sed -n "s/^$1=//p" "$settings"
}

expect_eq() { # expect_eq <what> <expected> <actual>
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
  pass "$1"
}

window_position() { xdotool getwindowgeometry "$window" | sed -n 's/ *Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'; }
