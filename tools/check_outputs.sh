#!/bin/bash
# check_outputs.sh BUILD_DIR OUT_DIR [REF_DIR]: renders a set of views with the render tool and
# runs prjcalc over every index into OUT_DIR; with REF_DIR, compares every PNG by its pixels
# (ImageMagick compare -metric AE) and every prjcalc output byte for byte. BUILD_DIR is a
# release build (build/release): its program and map folders supply the base unit and maps.
B=$1; OUT=$2; REF=$3
D=$B/MAP; P=$(mktemp -d); trap "rm -rf $P" EXIT
cp "$B"/app/Environment.txt "$D"/BASE.* "$D"/DEFAULT.* "$P"/
mkdir -p $OUT; rm -f $OUT/*
R=$B/tools/render
n=0
view() { n=$((n+1)); local name=$(printf "v%02d" $n); $R --out $OUT/$name.png --base $P "$@" >/dev/null 2>$OUT/$name.err || echo "render $name failed: $*"; }
W="$D/WORLD_T3.MLL"
for prj in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 19 20 21 23 24 25 26 30; do
  view --width 900 --height 600 --projection $prj --center 500000,130000 --scale 60000000 $W
done
for prj in 12 17 30 6 23; do
  view --width 1000 --height 500 --projection $prj --center 640000,0 --scale 100000000 $W   # date line, wraps
  view --width 800 --height 800 --projection $prj --center -600000,-250000 --scale 40000000 $W
done
view --width 1000 --height 700 --accessories $W
view --width 1000 --height 700 --center 500000,130000 --scale 5000000 $D/JAPAN_T8.MLL $D/CHINA_T7.MLL $D/KOREA_T7.MLL
view --width 1200 --height 900 --center 460000,120000 --scale 2000000 --dpi 192 --accessories $D/JAPAN_T8.MLL
view --width 700 --height 700 --projection 4 --center 0,300000 --scale 30000000 $W
view --width 1000 --height 700 --center 360000,180000 --scale 20000000 $D/RUSSIA_T7.MLL $D/MONGOLIA_T7.MLL $D/CHINA_T7.MLL
view --width 1000 --height 700 --projection 12 --center 648000,200000 --scale 10000000 $D/RUSSIA_T7.MLL
view --width 600 --height 400 --center 430000,90000 --scale 1000000 --dpi 300 $D/TAIWAN_T7.MLL $D/CHINA_T7.MLL
view --width 1000 --height 600 --projection 19 --scale 200000000 --accessories $D/WORLD_T1.MLL
view --width 1000 --height 600 --projection 13 --center 0,0 --scale 80000000 $D/WORLD_T6.MLL
# cones closed into a disc round a pole: no cut edge from the pole to the rim
view --width 800 --height 600 --projection 23 --center 0,324000 --scale 200000000 $W
view --width 800 --height 600 --projection 21 --center 300000,-324000 --scale 200000000 $W
# prjcalc: forward and inverse over every index, a few centres and lights
PC=$B/tools/prjcalc
: > $OUT/fwd.in; : > $OUT/inv.in
for i in $(seq 0 31); do for c in "0 0" "500000 130000" "-300000 -250000" "648000 324000" "100 -3000"; do for l in 1.5 2 50; do
  for pt in "0 0" "100000 50000" "-600000 300000" "648000 -324000" "400000 -100000" "-1 323999"; do
    echo "$i $c $l $pt" >> $OUT/fwd.in; done
  for xy in "0 0" "1000000 2000000" "-5000000 300000" "20000000 -9000000"; do echo "$i $c $l $xy" >> $OUT/inv.in; done
done; done; done
$PC < $OUT/fwd.in > $OUT/fwd.out; $PC -i < $OUT/inv.in > $OUT/inv.out; $PC -r 6378137 < $OUT/fwd.in > $OUT/fwdr.out
if [ -n "$REF" ]; then
  bad=0
  for f in $REF/*.png; do b=$(basename $f); ae=$(compare -metric AE $f $OUT/$b null: 2>&1); [ "$ae" = "0" ] || { echo "DIFF $b AE=$ae"; bad=1; }; done
  for f in fwd.out inv.out fwdr.out; do cmp -s $REF/$f $OUT/$f || { echo "DIFF $f"; bad=1; }; done
  echo "compared $(ls $REF/*.png | wc -l) images and 3 prjcalc outputs: $([ $bad = 0 ] && echo identical || echo DIFFERENT)"
fi
