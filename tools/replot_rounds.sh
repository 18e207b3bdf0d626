#!/bin/bash
# replot_rounds.sh [-n ROUNDS] [-f FILTER] BENCH [BENCH...]: runs every replot_bench case that FILTER
# (a regular expression, default the level-6 world) picks, each in a process of its own (so that its
# memory counters are its own), ROUNDS rounds with the binaries taken in turn inside each round; prints
# per binary and case the medians of wall ms, process CPU ms, added MiB and peak MiB, and the load
# average before and after (others may be using the machine).
ROUNDS=5; FILTER='WorldT6/'
while getopts "n:f:" o; do
  case $o in n) ROUNDS=$OPTARG ;; f) FILTER=$OPTARG ;; *) exit 2 ;; esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "usage: replot_rounds.sh [-n ROUNDS] [-f FILTER] BENCH..." >&2; exit 2; }
O=$(mktemp); trap "rm -f $O" EXIT
cases=$("$1" --benchmark_list_tests 2>/dev/null | grep -E -- "$FILTER")
[ -n "$cases" ] || { echo "no case matches $FILTER" >&2; exit 1; }
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((r = 0; r < ROUNDS; r++)); do
  for c in $cases; do
    for ((b = 1; b <= $#; b++)); do
      # The case's own name, anchored, so that 12/1 does not also pick 12/10.
      "${!b}" --benchmark_filter="^${c}\$" --benchmark_min_time=0.5 2>/dev/null | grep -F "$c" |
        awk -v b=$b -v c="$c" '{
          for (i = 1; i <= NF; i++) {
            if ($i ~ /^added_MiB=/) { split($i, a, "="); add = a[2] }
            if ($i ~ /^peak_MiB=/) { split($i, p, "="); peak = p[2] }
          }
          print b, c, $2, $4, add, peak }' >> $O
    done
  done
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-4s %-50s %9s %9s %9s %9s\n" bin case wall_ms cpu_ms added peak
for ((b = 1; b <= $#; b++)); do
  for c in $cases; do
    awk -v b=$b -v c="$c" '$1 == b && $2 == c' $O | awk -v b=$b -v c="$c" '
      function med(col,   n, i, j, t, v) {
        n = 0
        for (i = 1; i <= NR; i++) v[++n] = row[i, col]
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
      }
      { for (k = 3; k <= 6; k++) row[NR, k] = $k }
      END { if (NR) printf "%-4s %-50s %9.1f %9.1f %9.1f %9.1f\n", b, c, med(3), med(4), med(5), med(6) }'
  done
done
