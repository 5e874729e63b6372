#!/usr/bin/env bash
# yobina-cli --project end to end: the folder and its sums, a progress line a
# section, and the exit statuses: a section without a plan (1), bad input (2,
# nothing written) and Ctrl+C (3, nothing written). The folder is one run's:
# never its own input, an earlier run's files gone, one run at a time, and
# a stop while it is written leaves it as it was.
# Usage: project_cli.sh CLI WORK [pdf]
set -u
cli=$1 work=$2 pdf=${3:-}
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run STATUS ARGS...: runs the program, its stderr into err.txt.
run() {
  local status=$1
  shift
  "$cli" "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" = "$status" ] || fail "$* exited $got, expected $status: $(cat err.txt)"
}

printf '\xef\xbb\xbf部材名,長さ,本数,単位重量\r\nH-200×100,2500,6,21.3\r\nH-200×100,3100,4,21.3\r\nL-65×6,1800,9,5.91\r\n' >parts.csv
run 0 --project parts.csv --out building --max-lengths 1
for file in purchase.csv summary.csv project.json 001_H-200×100.qzl 002_L-65×6.qzl; do
  [ -e "building/$file" ] || fail "$file was not written"
done
[ -z "$pdf" ] || [ "$(head -c 4 building/project.pdf)" = %PDF ] || fail "project.pdf is no PDF"
[ "$(grep -c '^\[[12]/2\] ' err.txt)" = 2 ] || fail "not a progress line a section: $(cat err.txt)"
# The totals line is the sum of the lines, bars and tonnes.
awk -F, '$1 == "合計" { bars = $3; t = $4; next } NR > 1 { sumBars += $3; sumT += $4 }
  END { exit !(bars == sumBars && (t - sumT) ^ 2 < 1e-9) }' building/purchase.csv ||
  fail "the purchase list's totals are not its lines' sums: $(cat building/purchase.csv)"

# Bad lines are named, and nothing is written.
printf '部材名,長さ,本数\nH-1,abc,2\nH-1,2000,-5\nH-1,13000,1\n' >bad.csv
run 2 --project bad.csv --out bad
grep -q "2行目" err.txt && grep -q "3行目" err.txt && grep -q "4行目" err.txt || fail "bad lines not named: $(cat err.txt)"
[ ! -e bad ] || fail "a folder was written for bad input"
run 2 --project bad.csv
grep -q -- "--out" err.txt || fail "no output folder was not refused"
run 2 --kerf 3 parts.csv
run 2 --project parts.csv --out x --exact

# A section of more lengths than a job holds has no plan: named, and the others written.
{
  echo "部材名,長さ,本数"
  for i in $(seq 101); do echo "BIG,$((1000 + i * 10)),1"; done
  echo "H-1,2000,3"
} >big.csv
run 1 --project big.csv --out big
grep -q "計画のない部材: BIG" err.txt || fail "the section without a plan was not named: $(cat err.txt)"
grep -q "^H-1,6000," big/purchase.csv || fail "the other section was not written: $(cat big/purchase.csv)"
grep "^BIG," big/summary.csv | grep -q "対象外" || fail "the summary does not say why BIG has no plan"

# A name over two lines is a bad line, not a section of its own.
printf '部材名,長さ,本数\nH-1,2000,3\n"H-1\n",2000,3\n' >split.csv
run 2 --project split.csv --out split
grep -q "3行目: 引用符" err.txt || fail "a line break in a name: $(cat err.txt)"

# A building over its own parts list is refused, the list unchanged.
mkdir own && cp parts.csv own/purchase.csv
run 2 --project own/purchase.csv --out own
grep -q "own/purchase.csv" err.txt || fail "the input over an output was not named: $(cat err.txt)"
cmp -s parts.csv own/purchase.csv || fail "the parts list was overwritten"

# A second run into the folder leaves its own files and the user's, not the first's.
printf '部材名,長さ,本数\nA,2000,3\nB,2000,3\nC,2000,3\nD,2000,3\n' >four.csv
printf '部材名,長さ,本数\nA,2000,3\nB,2000,3\n' >two.csv
run 0 --project four.csv --out twice
echo mine >twice/mine.txt
run 0 --project two.csv --out twice
expected=".yobina-manifest 001_A.qzl 002_B.qzl cutlist.csv ${pdf:+labels.pdf }mine.txt project.json ${pdf:+project.pdf }purchase.csv summary.csv "
[ "$(LC_ALL=C ls -A twice | tr '\n' ' ')" = "$expected" ] || fail "two runs left: $(ls -A twice)"

# Ctrl+C stops: exit 3, and no purchase list of only some sections.
{
  echo "部材名,長さ,本数"
  for s in $(seq 60); do
    for i in $(seq 40); do echo "S$s,$((700 + (s * 7919 + i * 104729) % 5300)),$((1 + i % 4))"; done
  done
} >slow.csv
set -m
"$cli" --project slow.csv --out slow >out.txt 2>err.txt &
for _ in $(seq 200); do [ -e slow/.yobina-lock ] && break; sleep 0.05; done
# Meanwhile a second run into the folder is refused.
"$cli" --project parts.csv --out slow >/dev/null 2>second.txt
status=$?
[ "$status" = 2 ] && grep -q "出力フォルダは別の計画が書いています" second.txt ||
  fail "a second run at once: exit $status, '$(cat second.txt)'"
kill -INT $!
wait $!
status=$?
set +m
[ "$status" = 3 ] && grep -q "中断しました" err.txt || fail "Ctrl+C: exit $status, '$(tail -1 err.txt)'"
[ ! -e slow ] || fail "a stopped building was written"

# The cut list: a line a piece, each length's marks as many as the parts list
# has of them; the labels follow on from section to section, 24 a sheet.
printf '部材名,長さ,本数,符号\nC-100,2400,3,G10\nC-100,2400,4,G2\nC-100,1500,3,B1\nC-150,3000,5,C1\nC-150,3000,4,C2\nL-50,900,8,P1\n' >marked.csv
run 0 --project marked.csv --out marked --max-lengths 1
if [ -e marked/cutlist.csv ]; then
  expected=$(awk -F, 'NR > 1 { n[$1 "," $2 "," $4] += $3 } END { for (k in n) print k "," n[k] }' marked.csv | sort)
  got=$(awk -F, 'NR > 1 { n[$2 "," $10 "," $9] += 1 } END { for (k in n) print k "," n[k] }' marked/cutlist.csv | sort)
  [ "$got" = "$expected" ] || fail "the cut list's marks are not the parts list's: $got"
  [ "$(($(wc -l <marked/cutlist.csv) - 1))" = 27 ] || fail "not a line a piece: $(cat marked/cutlist.csv)"
else
  fail "cutlist.csv was not written"
fi
if [ -n "$pdf" ]; then
  [ "$(pdfinfo marked/labels.pdf | awk '$1 == "Pages:" { print $2 }')" = 2 ] || fail "27 labels are not on 2 sheets"
fi

# Ctrl+C while the folder is written (after the last section's line): exit
# 3, and the folder as the earlier run left it. The PDF takes the time.
if [ -n "$pdf" ]; then
  seq 800 | awk 'BEGIN { print "部材名,長さ,本数" } { print "S" $1 "," 1000 + $1 ",1" }' >many.csv
  before=$(cd twice && ls -A && cksum -- * .yobina-manifest)
  set -m
  "$cli" --project many.csv --out twice >out.txt 2>err.txt &
  for _ in $(seq 600); do grep -q '^\[800/800\]' err.txt && break; sleep 0.05; done
  kill -INT $!
  wait $!
  status=$?
  set +m
  [ "$status" = 3 ] && grep -q "中断しました" err.txt || fail "Ctrl+C while writing: exit $status, '$(tail -1 err.txt)'"
  [ "$(cd twice && ls -A && cksum -- * .yobina-manifest)" = "$before" ] || fail "a stop while writing changed the folder: $(ls -A twice)"
fi

[ "$failures" = 0 ] && echo "all passed"
exit $((failures > 0))
