# Shared steps of the end-to-end tests: a scratch game folder made from demo/,
# the real launcher started in it, and small checks that name what failed.
# Usage in a test: source lib.sh "$binary" "$source_dir"
# A test that sets reads_accessibility=1 first runs again on a private session bus with the
# accessibility bus up, and the launcher publishes its window there for a screen-reader client.
set -euo pipefail
if [ -n "${reads_accessibility:-}" ] && [ -z "${TAVORIN_ACCESSIBILITY_BUS:-}" ]; then
  export TAVORIN_ACCESSIBILITY_BUS=1
  exec dbus-run-session -- bash -c '/usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    bash "$0" "$@"; status=$?; kill "$bus"; wait "$bus"; exit $status' "$0" "$@"
fi
[ -z "${reads_accessibility:-}" ] || export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
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

# Starts the launcher from another folder, so it must find its own; start_launcher also waits
# for its window.
run_launcher() { # run_launcher [<command...>]: the Linux launcher unless a command is given
  (cd "$work" && exec "${@:-$game/Tavorin}") &
  launcher_pid=$!
}
find_window() { # find_window [<seconds>]
  window=$(timeout "${1:-20}" xdotool search --sync --onlyvisible --name '^Tavorin 2005$' | head -n1)
  [ -n "$window" ] || fail "the launcher window did not appear"
  sleep 0.5
}
start_launcher() { run_launcher && find_window; }

# Clicks at window-relative pixels.
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

wait_for() { # wait_for <seconds> <command...>
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}

launcher_gone() { ! kill -0 "$launcher_pid" 2>/dev/null; }

wait_for_exit() { # wait_for_exit [<expected exit code>]: a launcher under Wine takes longer to end
  wait_for 20 launcher_gone || fail "the launcher did not end"
  local status=0
  wait "$launcher_pid" 2>/dev/null || status=$?
  launcher_pid=""
  [ -z "${1:-}" ] || expect_eq "exit code" "$1" "$status"
}

# The launcher's file system calls from here to its end, to count its saves: each lands a whole
# new settings file, by a link of the new file or a rename over the old one.
trace_saves() {
  strace -f -o "$work/saves.log" -e trace=rename,linkat -p "$launcher_pid" 2>"$work/strace.err" &
  tracer_pid=$!
  wait_for 10 grep -q attached "$work/strace.err" || fail "strace cannot watch the launcher: $(cat "$work/strace.err")"
}
saves() { grep -cE 'Tavorin\.ini"(, AT_SYMLINK_FOLLOW)?\) = 0$' "$work/saves.log" || true; }

stored_keys() { grep -c '^[a-z0-9]*\.[a-z]*=' "$settings"; }

seed_settings() { # seed_settings <key=value>...: a settings file holding these entries
  mkdir -p "$(dirname "$settings")"
  printf '%s\n' '[Options]' "$@" >"$settings"
}

expect_eq() { # expect_eq <what> <expected> <actual>
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
  pass "$1"
}

window_position() { xdotool getwindowgeometry "$window" | sed -n 's/ *Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'; }

# The Windows stand-in (tests/wine/standin.cpp) as the game, the scene program and the import tool.
install_standins() { for program in fifa2005.exe TVR2005.exe impbig.exe; do cp "$1" "$game/$program"; done; }
recorded() { sed -n "s/^$2=//p" "$game/$1.record" | tr -d '\r'; } # recorded <program> <key>
words_of() { recorded "$1" arg | tail -n +2 | tr '\n' '|'; }      # argv from 1 on, each ended by |

