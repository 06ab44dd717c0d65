# shellcheck shell=bash
# Records of what tavorin-install wrote, one per game folder, read by
# tavorin-install, tavorin-uninstall and start-in (sourced, not run).
#
# A record is $XDG_DATA_HOME/tavorin/installs/<id>.list, where <id> is the first
# 16 hex digits of the SHA-256 of the game folder's canonical path. Each line holds
# three fields separated by tabs:
#   folder  -       <game folder>
#   dir     -       <a folder an install created>
#   file    <sha256> <a file an install wrote>
# Paths never hold control characters: the install refuses them, so tabs and line
# ends are safe separators. A path listed by several records (the icons and the
# folders above them) is shared and goes with the last record that lists it.

tavorin_version=1.0

if [[ ${XDG_DATA_HOME:-} == /* ]]; then
  data_home=$XDG_DATA_HOME
else
  data_home=${HOME:?HOME is not set}/.local/share
fi
records_dir=$data_home/tavorin/installs

say() { printf '%s: %s\n' "${0##*/}" "$*" >&2; }
die() {
  say "$@"
  exit 1
}

has_control_characters() { [[ $1 == *[[:cntrl:]]* ]]; }

# sha256sum escapes file names holding a backslash; reading stdin avoids that.
checksum() {
  local line
  line=$(sha256sum <"$1") || return 1
  printf '%s\n' "${line%% *}"
}

record_of() {
  local line
  line=$(printf '%s' "$1" | sha256sum)
  printf '%s/%s.list\n' "$records_dir" "${line:0:16}"
}

# Reads every record once: owners[<path>] then holds one line "<record><TAB><checksum>"
# for each record that lists the path ("-" for a folder).
declare -A owners=()
read_records() {
  owners=()
  local records=("$records_dir"/*.list) record sum path
  [ -e "${records[0]}" ] || return 0
  while IFS=$'\t' read -r record sum path; do
    owners[$path]+=$record$'\t'$sum$'\n'
  done < <(awk -F'\t' '$1 != "folder" { print FILENAME "\t" $2 "\t" $3 }' "${records[@]}")
}

listed_elsewhere() { # listed_elsewhere <path> <own record>
  local record sum
  while IFS=$'\t' read -r record sum; do
    [ -n "$record" ] && [ "$record" != "$2" ] && return 0
  done <<<"${owners[$1]-}"
  return 1
}

recorded_sum() { # recorded_sum <record> <path>
  P=$2 awk -F'\t' '$1 == "file" && $3 == ENVIRON["P"] { print $2 }' "$1"
}

# Copies a file through a temporary name beside the destination, so nobody ever
# sees half of it and a failed copy leaves the old file whole.
copy_atomically() { # copy_atomically <source> <destination> <mode>
  local temporary
  temporary=$(mktemp "$(dirname "$2")/.tavorin.XXXXXX") || return 1
  if cp -- "$1" "$temporary" && chmod "$3" "$temporary" && sync -- "$temporary" &&
    mv -fT -- "$temporary" "$2"; then
    return 0
  fi
  rm -f -- "$temporary"
  return 1
}

# Rewrites the checksum a record holds for a path, atomically.
set_recorded_sum() { # set_recorded_sum <record> <path> <checksum>
  local temporary
  temporary=$(mktemp "$1.XXXXXX") || return 1
  if P=$2 S=$3 awk -F'\t' -v OFS='\t' '$1 == "file" && $3 == ENVIRON["P"] { $2 = ENVIRON["S"] } { print }' \
    "$1" >"$temporary" && chmod 644 "$temporary" && mv -fT -- "$temporary" "$1"; then
    return 0
  fi
  rm -f -- "$temporary"
  return 1
}
