#!/usr/bin/env bash
# yobina-cli and the offcut inventory, as a user goes through two jobs of one
# section: plan the first and keep its offcuts, take them into the next job,
# which cuts them first, keep again, and list what is left.
# Usage: offcuts.sh CLI DATA WORK
set -u
cli=$1 data=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
db=$work/offcuts.sqlite3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
section='Ｌ－７５×７５×６'

"$cli" "$data/offcuts-first.qzl" --exact --offcut-min 1000 --offcuts "$db" --keep-offcuts >first.txt 2>first.err ||
  fail "first job exited $?: $(cat first.err)"
grep -qF ' 残材: 1000mm以上 3本 計   7.485(m)   端材=   0.000(m)' first.txt || fail "first job's offcut line"
"$cli" --list-offcuts --offcuts "$db" >list1.csv || fail "list exited $?"
printf '部材名,長さ,本数,出所,登録日\r\n%s,2495,3,港北物流センター新築工事,%s\r\n' "$section" "$(date +%F)" >want1.csv
cmp -s list1.csv want1.csv || fail "list after the first job: $(cat list1.csv)"
# Keeping the same plan again, in a later run, is refused with the day of the first keep.
"$cli" "$data/offcuts-first.qzl" --exact --offcut-min 1000 --offcuts "$db" --keep-offcuts >/dev/null 2>again.err
[ $? = 2 ] && grep -qF "この計画の残材は $(date +%F) に在庫へ記録済みです。" again.err ||
  fail "the same plan kept twice: $(cat again.err)"
"$cli" --list-offcuts --offcuts "$db" | cmp -s - want1.csv || fail "a refused keep changed the inventory"

# Offcuts taken into a saved job are known to a later run of it: its keep takes out the bars it
# cuts, and taking again into it is refused.
later=$work/later.sqlite3
"$cli" "$data/offcuts-first.qzl" --exact --offcut-min 1000 --offcuts "$later" --keep-offcuts >/dev/null 2>&1
"$cli" "$data/offcuts-next.qzl" --exact --offcut-min 1000 --offcuts "$later" --take-offcuts --save taken.qzl \
  >/dev/null 2>taken.err || fail "take and save exited $?: $(cat taken.err)"
"$cli" taken.qzl --exact --offcut-min 1000 --offcuts "$later" --take-offcuts >/dev/null 2>retake.err
[ $? = 2 ] && grep -qF '在庫の残材を取り込み済みです。' retake.err || fail "taken twice: $(cat retake.err)"
"$cli" taken.qzl --exact --offcut-min 1000 --offcuts "$later" --keep-offcuts >/dev/null 2>later.err ||
  fail "the later keep exited $?: $(cat later.err)"
grep -qF '在庫から使用 2 本' later.err || fail "the later keep did not take out the taken bars: $(cat later.err)"

# The next job takes the three 2495 mm offcuts into its stock; under 5000 mm, they are cut first.
"$cli" "$data/offcuts-next.qzl" --exact --offcut-min 1000 --offcuts "$db" --take-offcuts --keep-offcuts \
  >next.txt 2>next.err || fail "next job exited $?: $(cat next.err)"
grep -qF '在庫から 1 行を素材に加えました。' next.err || fail "take said: $(cat next.err)"
grep -qF '        2495×   3本' next.txt || fail "the next job does not cut the offcuts"
grep -qF '在庫から使用 2 本' next.err || fail "keep said: $(cat next.err)"
# Its offcuts are in, the two taken bars it cut out; the third, listed by the short-first rule but
# not cut, stays as it was.
[ "$(sqlite3 "$db" 'SELECT length, SUM(count) FROM offcut GROUP BY length ORDER BY length')" = $'2495|1\n2990|1' ] ||
  fail "inventory after the next job: $(sqlite3 "$db" 'SELECT * FROM offcut')"
[ "$(sqlite3 "$db" 'PRAGMA integrity_check')" = ok ] || fail "integrity check"

# A building takes each section's offcuts as bars on hand, cut before anything is bought.
rack=$work/rack.sqlite3
"$cli" "$data/offcuts-first.qzl" --exact --offcut-min 1000 --offcuts "$rack" --keep-offcuts >/dev/null 2>&1
printf '部材名,長さ,本数\r\n%s,2400,3\r\n' "$section" >parts.csv
"$cli" --project parts.csv --take-offcuts --offcuts "$rack" --out building >/dev/null 2>building.err ||
  fail "--project --take-offcuts exited $?: $(cat building.err)"
grep -qF '在庫の残材 3 本を手持ちに加えました。' building.err || fail "take said: $(cat building.err)"
grep -q "^$section,3,7.485," building/summary.csv || fail "the offcuts were not cut: $(cat building/summary.csv)"

# Heat numbers: a stock trace puts the row's on its bars' cut list lines; the offcuts kept inherit it
# (listed with the steel's columns), and the next job's cut list shows it on the taken offcuts.
heat=$work/heat.sqlite3
printf '行,長さ,鋼種,溶鋼番号,ミルシート番号\r\n1,6000,SS400,H-7781,MS-42\r\n' >trace.csv
"$cli" "$data/offcuts-first.qzl" --exact --offcut-min 1000 --stock-trace trace.csv --cutlist heat1.csv \
  --offcuts "$heat" --keep-offcuts >/dev/null 2>heat1.err || fail "--stock-trace exited $?: $(cat heat1.err)"
[ "$(grep -c ',SS400,[0-9]*,6000,手持ち,H-7781,' heat1.csv)" = 3 ] || fail "trace not on the cut list: $(cat heat1.csv)"
printf '部材名,長さ,本数,出所,登録日,鋼種,溶鋼番号,ミルシート番号\r\n%s,2495,3,港北物流センター新築工事,%s,SS400,H-7781,MS-42\r\n' \
  "$section" "$(date +%F)" >want-heat.csv
"$cli" --list-offcuts --offcuts "$heat" | cmp -s - want-heat.csv || fail "kept offcuts without the heat: $("$cli" --list-offcuts --offcuts "$heat")"
"$cli" "$data/offcuts-next.qzl" --exact --offcut-min 1000 --offcuts "$heat" --take-offcuts --cutlist heat2.csv \
  >/dev/null 2>heat2.err || fail "taking traced offcuts exited $?: $(cat heat2.err)"
[ "$(grep -c ',SS400,[0-9]*,2495,残材#1,H-7781,' heat2.csv)" = 3 ] || fail "taken heat not on the cut list: $(cat heat2.csv)"
printf '行,長さ,溶鋼番号\r\n1,5000,H-1\r\n' >wrong.csv
"$cli" "$data/offcuts-first.qzl" --stock-trace wrong.csv --cutlist none.csv >/dev/null 2>wrong.err
[ $? = 2 ] && [ ! -e none.csv ] && grep -qF 'wrong.csv: 2行目: 長さ 5000 が素材リストの 1 行目の長さ 6000 と違います。' wrong.err ||
  fail "a trace of another length: $(cat wrong.err)"

# Two runs keeping at once, ten times each, lose and double nothing.
# Each run keeps a plan of its own (a plan is kept once): another minimum offcut length each.
keep_ten() {
  for i in 0 1 2 3 4 5 6 7 8 9; do
    "$cli" "$data/offcuts-first.qzl" --trials 1 --offcut-min "$3$i" --offcuts "$2" --keep-offcuts >/dev/null \
      2>>"$1" || echo "exit $?" >>"$1"
  done
}
together=$work/together.sqlite3
keep_ten a.err "$together" 100 & keep_ten b.err "$together" 101 & wait
grep -q '^exit' a.err b.err && fail "a keep failed: $(cat a.err b.err)"
[ "$(sqlite3 "$together" 'SELECT SUM(count) FROM offcut')" = 60 ] ||
  fail "two runs kept $(sqlite3 "$together" 'SELECT SUM(count) FROM offcut') bars, not 60"

# A Run cut short keeps nothing, and says it was stopped.
before=$(sqlite3 "$db" 'SELECT * FROM offcut')
"$cli" "$data/offcuts-first.qzl" --trials 100000000 --time-limit 0.3 --offcut-min 1000 --offcuts "$db" \
  --keep-offcuts >/dev/null 2>stopped.err
[ $? = 3 ] || fail "a stopped keep exited otherwise: $(cat stopped.err)"
[ "$(sqlite3 "$db" 'SELECT * FROM offcut')" = "$before" ] || fail "a stopped Run changed the inventory"

# Off, the report is the one without the feature, byte for byte.
"$cli" "$data/offcuts-next.qzl" >plain.txt 2>/dev/null
"$cli" "$data/offcuts-next.qzl" --offcut-min 0 >zero.txt 2>/dev/null
cmp -s plain.txt zero.txt || fail "--offcut-min 0 changed the report"

"$cli" "$data/offcuts-next.qzl" --offcut-min -5 >/dev/null 2>bad.err
[ $? = 2 ] && grep -qF -- '--offcut-min' bad.err || fail "a negative --offcut-min was not refused"
"$cli" --list-offcuts --offcuts "$work/no-such-folder/x.sqlite3" >/dev/null 2>missing.err
[ $? = 2 ] && grep -qF '残材在庫' missing.err || fail "a missing inventory folder: $(cat missing.err)"

[ "$failures" = 0 ] && echo "all offcut checks passed"
exit "$failures"
