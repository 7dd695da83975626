#!/bin/bash
# window.sh BUILD_DIR START_DIR RUNS: under a private Xvfb, times (1) exec to the first
# visible top-level window, for the minimal Qt window and for quillet, paired run by
# run, and (2) the click on 入力完了 to the end of quillet's process. Prints medians.
set -u
build=$1 start=$2 runs=${3:-25}
{ command -v xdotool && command -v Xvfb; } >/dev/null || { echo "window.sh: needs xdotool and Xvfb" >&2; exit 2; }
d=:$(( 70 + RANDOM % 20 ))
Xvfb $d -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xv=$!
trap 'kill $xv 2>/dev/null' EXIT
export DISPLAY=$d QT_QPA_PLATFORM=xcb
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
now() { date +%s%N; }
visible() {  # waits until process $1 shows a window; prints its id
  for _ in $(seq 4000); do
    w=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.002
  done
  return 1
}
work=$(mktemp -d); trap 'kill $xv 2>/dev/null; rm -rf "$work"' EXIT
a=(); b=(); c=()
for i in $(seq "$runs"); do
  t0=$(now); "$build/bench/minimal_qt" >/dev/null 2>&1 & pid=$!
  visible $pid >/dev/null; t1=$(now); kill $pid; wait $pid 2>/dev/null
  a+=($(( (t1 - t0) / 1000 )))

  rm -rf "$work/s"; cp -r "$start" "$work/s"
  (cd "$work/s" && exec "$build/quillet") >/dev/null 2>&1 & pid=$!
  t0=$(now); w=$(visible $pid); t1=$(now)
  b+=($(( (t1 - t0) / 1000 )))
  sleep 0.3   # let the first show settle, as a user would look before clicking
  # 入力完了 sits at (572, 4, 155, 32) in the designed window.
  eval "$(xdotool getwindowgeometry --shell "$w")"
  t2=$(now); xdotool mousemove --sync $((X + 650)) $((Y + 20)) click 1
  while kill -0 $pid 2>/dev/null; do sleep 0.0005; done; t3=$(now)
  wait $pid 2>/dev/null
  c+=($(( (t3 - t2) / 1000 )))
done
med() { printf '%s\n' "$@" | sort -n | sed -n "$(( $# / 2 + 1 ))p"; }
ma=$(med "${a[@]}"); mb=$(med "${b[@]}"); mc=$(med "${c[@]}")
awk -v a="$ma" -v b="$mb" -v c="$mc" -v n="$runs" 'BEGIN {
  printf "window visible:    minimal Qt %.1f ms, quillet %.1f ms, ratio %.2f (target <= 1.15), %d paired runs\n", a/1000, b/1000, b/a, n
  printf "入力完了 to exit:  %.1f ms median (target: <= 10 ms beyond writing the files)\n", c/1000 }'
