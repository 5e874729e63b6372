#!/usr/bin/env bash
# yobina-cli and what a job's lists may hold: a cell that is no number, a
# saved comma that split a row, and lists read from CSV files.
# Usage: job_lists.sh CLI EXAMPLES DATA WORK
set -u
cli=$1 examples=$2 data=$3 work=$4
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# "1,25" saved into a cell split its row: opening says which row, and changes nothing.
cp "$data/comma-cell-saved.qzl" comma.qzl
"$cli" comma.qzl --save comma.qzl >/dev/null 2>comma.err
[ $? = 2 ] && grep -qF 'comma.qzl: 切断リスト 4行目「  4,1,25,    5」は長さと本数のほかにも値があるため、読み込めません。' comma.err ||
  fail "the split row: $(cat comma.err)"
cmp -s comma.qzl "$data/comma-cell-saved.qzl" || fail "the file with the split row was changed"

# A cell that does not read as one number is refused by name, not planned as its first digits.
iconv -f cp932 -t utf-8 "$examples/reference.qzl" | sed 's/^Grid2       =  3,  1300,    5/Grid2       =  3,1 300,    5/' |
  iconv -f utf-8 -t cp932 >unclear.qzl
"$cli" unclear.qzl >/dev/null 2>unclear.err
[ $? = 2 ] && [ "$(cat unclear.err)" = '切断リスト 3行目: 長さ「1 300」が数字ではありません' ] ||
  fail "an unclear cell: $(cat unclear.err)"

# The reference job's lists typed into CSV files give the reference job, byte for byte.
printf '部材名,長さ,本数\r\nＬ－７５×７５×６,2300,7\r\n,1700,9\r\nＬ－７５×７５×６,1300,5\r\nＬ－７５×７５×６,"900",11\r\n' >cut.csv
printf 'length,count\n6000,30\n7000,10\n' | iconv -f utf-8 -t cp932 >stock.csv
"$cli" "$examples/reference.qzl" --save plain.qzl >plain.txt 2>/dev/null
iconv -f cp932 -t utf-8 "$examples/reference.qzl" | grep -v '^Grid' | iconv -f utf-8 -t cp932 >empty.qzl
"$cli" empty.qzl --import-cut cut.csv --import-stock stock.csv --save imported.qzl >imported.txt 2>imported.err ||
  fail "import exited $?: $(cat imported.err)"
cmp -s imported.txt plain.txt || fail "the imported job plans otherwise"
cmp -s imported.qzl plain.qzl || fail "the imported job saves otherwise"
# A job without a member name takes the file's one section.
iconv -f cp932 -t utf-8 empty.qzl | grep -v '^edBname' | iconv -f utf-8 -t cp932 >nameless.qzl
"$cli" nameless.qzl --import-cut cut.csv --import-stock stock.csv --save named.qzl >/dev/null 2>&1
cmp -s named.qzl plain.qzl || fail "the section did not become the member name"

# More rows than the list holds, two sections, a bad line: refused by name, nothing written.
{ printf '長さ,本数\n'; for i in $(seq 1 36); do printf '%d,1\n' $((1000 + i)); done; } >rows36.csv
printf '部材名,長さ,本数\nH-200,2000,1\nL-50,1500,2\nH-200,900,1\n' >two.csv
printf '長さ,本数\n2000,1\n1,25,3\n' >bad.csv
for c in "rows36.csv|在庫表: 行が 36 行あります。素材リストに読み込めるのは 35 行までです。|--import-stock" \
  "two.csv|部品表: 部材名が 2 つあります（「H-200」「L-50」）。一つの部材の行だけにしてください。|--import-cut" \
  "bad.csv|部品表 3行目: 見出しのない列に値があります。|--import-cut"; do
  IFS='|' read -r csv said option <<<"$c"
  "$cli" "$examples/reference.qzl" "$option" "$csv" --save refused.qzl >/dev/null 2>refused.err
  [ $? = 2 ] && grep -qF "$csv: $said" refused.err || fail "$csv: $(cat refused.err)"
  [ -e refused.qzl ] && fail "$csv: the job was written"
done
"$cli" "$examples/reference.qzl" --import-cut cut.csv --csv cut.csv >/dev/null 2>same.err
[ $? = 2 ] && grep -qF '読み込む CSV ファイルと同じファイルです' same.err || fail "an export over the CSV: $(cat same.err)"

[ "$failures" = 0 ] && echo "all job list checks passed"
exit "$failures"
