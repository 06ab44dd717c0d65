#!/usr/bin/env bash
# Builds the benchmarks in Release mode and prints every performance figure beside its
# floor and its aim, reusing the benchmark programs and scripts under bench/. The Windows
# first frame needs the Windows build (scripts/build-windows.sh), and so Qt for Windows, which
# it builds first when its cache lacks it (about half an hour).
# Usage: bench/report.sh [build folder, default build-release]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-release}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVORIN_BENCH=ON -DTAVORIN_TESTS=OFF >/dev/null
cmake --build "$build" --target first_frame catalogue_bench launch_bench PictureButtonHover_bench -j "$(nproc)" >/dev/null

# The file system matters to staging: ext4 without a journal frees blocks, and discards them when
# mounted with discard, inside the call that drops the last name of a file.
fileSystemOf() {
  local source type options journal=""
  read -r source type options < <(findmnt -no SOURCE,FSTYPE,OPTIONS -T "$1")
  if [ "$type" = ext4 ]; then
    if compgen -G "/proc/fs/jbd2/$(basename "$source")-*" >/dev/null; then journal=", journal"; else journal=", no journal"; fi
  fi
  echo "$type ($options$journal) on $source"
}
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
echo "== machine: ${cpu:-unknown CPU}, $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), Linux $(uname -r)"
echo "== file system of $build, where staging is measured: $(fileSystemOf "$build")"
echo "== load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"

rows=()
# row NAME OURS FLOOR RATIO AIM VERDICT
row() { rows+=("$(printf '%-30s %-22s %-26s %-8s %-14s %s' "$@")"); }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "met" : "MISSED") }'; }
jsonValue() { awk -F': ' -v key="\"$2\"" '$1 ~ key"$" { gsub(/[ ,]/, "", $2); print $2; exit }' "$1"; }

echo "== first frame and peak memory (bench/ui/first_frame.sh)"
"$root/bench/ui/first_frame.sh" "$build/bench" | tee "$work/frame"
threeOf() { sed -n "s/^$1[^:]*: launcher \([0-9.]*\) $2, picture window \([0-9.]*\) $2, picture-and-label window \([0-9.]*\) $2$/\1 \2 \3/p" "$work/frame"; }
read -r launcherMs pictureMs labelMs < <(threeOf "first frame, median" ms)
read -r launcherMiB pictureMiB labelMiB < <(threeOf "peak memory" MiB)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row "first frame" "$launcherMs ms" "picture window $pictureMs ms" "$(ratio "$launcherMs" "$pictureMs")" "(reported)" "-"
frameRatio=$(ratio "$launcherMs" "$labelMs")
row "first frame" "$launcherMs ms" "picture+label $labelMs ms" "$frameRatio" "<= 1.2" "$(verdict "$frameRatio" 1.2)"
row "peak memory" "$launcherMiB MiB" "picture window $pictureMiB MiB" "$(ratio "$launcherMiB" "$pictureMiB")" "(reported)" "-"
memoryRatio=$(ratio "$launcherMiB" "$labelMiB")
row "peak memory" "$launcherMiB MiB" "picture+label $labelMiB MiB" "$memoryRatio" "<= 1.2" "$(verdict "$memoryRatio" 1.2)"

echo "== Windows first frame under Wine (bench/ui/first_frame_wine.sh)"
"$root/bench/ui/first_frame_wine.sh" | tee "$work/wine-frame"
read -r wineLauncherMs winePictureMs wineLabelMs < <(sed -n 's/^Windows first frame[^:]*: launcher \([0-9.]*\) ms, picture window \([0-9.]*\) ms, picture-and-label window \([0-9.]*\) ms$/\1 \2 \3/p' "$work/wine-frame")
row "first frame, Windows (Wine)" "$wineLauncherMs ms" "picture window $winePictureMs ms" "$(ratio "$wineLauncherMs" "$winePictureMs")" "(reported)" "-"
wineFrameRatio=$(ratio "$wineLauncherMs" "$wineLabelMs")
row "first frame, Windows (Wine)" "$wineLauncherMs ms" "picture+label $wineLabelMs ms" "$wineFrameRatio" "<= 1.2" "$(verdict "$wineFrameRatio" 1.2)"

echo "== catalogue reader against wc -l on the same 100,000-record file"
"$build/bench/catalogue_bench" --write "$work"
"$build/bench/catalogue_bench" --benchmark_filter='BM_ReadCatalogue/ascii_only:0' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=json --benchmark_out="$work/reader.json" \
    --benchmark_out_format=json >/dev/null
# Google Benchmark computes the rate from CPU time; wc is timed the same way, reading the file
# 300 times in one process so that its start-up does not count.
readerMBs=$(awk '/"name": ".*_median"/ { median = 1 } median && /"bytes_per_second"/ { gsub(/[ ,]/, "", $2); printf "%.0f", $2 / 1e6; exit }' FS=': ' "$work/reader.json")
fileBytes=$(stat -c %s "$work/teams.ini")
copies=(); for _ in $(seq 300); do copies+=("$work/teams.ini"); done
wcSeconds=$(for _ in 1 2 3 4 5; do
    TIMEFORMAT='%U %S'; { time wc -l "${copies[@]}" >/dev/null; } 2>&1 | awk '{ print $1 + $2 }'
done | sort -n | sed -n 3p)
wcMBs=$(awk -v b="$fileBytes" -v s="$wcSeconds" 'BEGIN { printf "%.0f", (s > 0 ? 300 * b / s / 1e6 : 0) }')
echo "reader $readerMBs MB/s (median of 5, CPU time), wc -l $wcMBs MB/s (median of 5, CPU time), file $fileBytes bytes"
readerRatio=$(awk -v r="$readerMBs" -v w="$wcMBs" 'BEGIN { printf "%.2f", (w > 0 ? r / w : 0) }')
row "catalogue reader" "$readerMBs MB/s" "wc -l $wcMBs MB/s" "$readerRatio" ">= 300 MB/s" \
    "$(awk -v r="$readerMBs" 'BEGIN { print (r >= 300 ? "met" : "MISSED") }')"

echo "== four filled lists from process start (bench/setup/startup.sh)"
"$root/bench/setup/startup.sh" "$build" 10 | tee "$work/startup"
startupMs=$(sed -n 's/^median: \([0-9]*\) ms/\1/p' "$work/startup")
items=$(sed -n 's/^items: //p' "$work/startup")
row "four lists filled" "$startupMs ms" "$items items" "-" "< 500 ms" "$(verdict "$startupMs" 499)"

echo "== staging and RunAndWait (launch_bench, run in $build)"
(cd "$build" && "$build/bench/launch_bench" --benchmark_format=json) >"$work/launch.json"
awk '/"name": "BM_StagingAgainstCp/ { s = 1 } /"name": "BM_RunAndWait/ { s = 2 } s == 1 { print > "'"$work"'/staging" } s == 2 { print > "'"$work"'/run" }' "$work/launch.json"
stageOurs=$(jsonValue "$work/staging" ours_ms); stageCp=$(jsonValue "$work/staging" cp_sync_ms)
stageRatio=$(jsonValue "$work/staging" ratio)
stageQuietRatio=$(jsonValue "$work/staging" ratio_less_run_delay)
runOurs=$(jsonValue "$work/run" ours_ms); runFork=$(jsonValue "$work/run" fork_exec_ms)
runRatio=$(jsonValue "$work/run" ratio)
printf 'staging 256 MiB + 1 MiB: ours %.1f ms, cp + sync %.1f ms, ratio %.2f (%.2f less run delay), on %s\n' \
    "$stageOurs" "$stageCp" "$stageRatio" "${stageQuietRatio:-0}" "$(fileSystemOf "$build")"
printf 'RunAndWait /bin/true: ours %.3f ms, fork/exec/wait %.3f ms, ratio %.2f\n' "$runOurs" "$runFork" "$runRatio"
row "staging 256 MiB + side file" "$(printf '%.0f ms' "$stageOurs")" "$(printf 'cp + sync %.0f ms' "$stageCp")" \
    "$(printf '%.2f' "$stageRatio")" "<= 1.1" "$(verdict "$stageRatio" 1.1)"
row "RunAndWait" "$(printf '%.3f ms' "$runOurs")" "$(printf 'fork/exec %.3f ms' "$runFork")" \
    "$(printf '%.2f' "$runRatio")" "<= 1.5" "$(verdict "$runRatio" 1.5)"

echo "== hover CPU (bench/controls/hover-cpu.sh)"
"$root/bench/controls/hover-cpu.sh" "$build" 2>&1 | tee "$work/hover"
cpuOf() { sed -n "s/^$1 *\([0-9.]*\) .*/\1/p" "$work/hover"; }
emptyCpu=$(cpuOf "empty 1 ms PreciseTimer"); hoverCpu=$(cpuOf "pointer resting on the button")
idleCpu=$(cpuOf "pointer elsewhere")
hoverRatio=$(awk -v h="$hoverCpu" -v e="$emptyCpu" 'BEGIN { printf "%.2f", (e > 0 ? h / e : 0) }')
row "hover CPU" "$hoverCpu %" "empty timer $emptyCpu %" "$hoverRatio" "<= 1.5" "$(verdict "$hoverRatio" 1.5)"
row "idle CPU" "$idleCpu %" "-" "-" "0 %" "$(verdict "$idleCpu" 0.05)"

echo
printf '%-30s %-22s %-26s %-8s %-14s %s\n' "figure" "ours" "against" "ratio" "aim" "verdict"
printf '%s\n' "${rows[@]}"
