#!/bin/bash
# render_wall.sh [-n RUNS] [-w W] [-h H] BUILD_DIR [BUILD_DIR...]: the whole-process wall time of the
# render tool drawing the level-3 world of each build's map folder, RUNS rounds with the builds taken
# in turn inside each round; prints the median, lowest and highest per build, and the load average
# before and after (others may be using the machine).
RUNS=15; W=1920; H=1080
while getopts "n:w:h:" o; do
  case $o in n) RUNS=$OPTARG ;; w) W=$OPTARG ;; h) H=$OPTARG ;; *) exit 2 ;; esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "usage: render_wall.sh [-n RUNS] [-w W] [-h H] BUILD_DIR..." >&2; exit 2; }
P=$(mktemp -d); O=$(mktemp -d); trap "rm -rf $P $O" EXIT
cp "$1"/app/Environment.txt "$1"/MAP/BASE.* "$1"/MAP/DEFAULT.* "$P"/
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((r = 0; r < RUNS; r++)); do
  for ((b = 1; b <= $#; b++)); do
    B=${!b}
    # $EPOCHREALTIME is read by the shell itself: no process of its own in the figure.
    s=$EPOCHREALTIME
    "$B"/tools/render --out $O/out.png --width $W --height $H --base $P "$B"/MAP/WORLD_T3.MLL >/dev/null 2>&1 \
      || { echo "render failed in $B" >&2; exit 1; }
    e=$EPOCHREALTIME
    echo "$b $s $e" >> $O/times
  done
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
for ((b = 1; b <= $#; b++)); do
  awk -v b=$b '$1 == b { print ($3 - $2) * 1000 }' $O/times | sort -n |
    awk -v name="${!b}" '{ v[NR] = $1 } END {
      m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%s: median %.1f ms, lowest %.1f, highest %.1f (%d runs)\n", name, m, v[1], v[NR], NR }'
done
