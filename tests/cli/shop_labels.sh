#!/usr/bin/env bash
# --cutlist and --labels end to end: the labels are rendered and every QR code
# decoded, each to exactly one line of the cut list, in its order; then the
# offcuts' labels, then the taken offcuts named on the cut list.
# Usage: shop_labels.sh CLI EXAMPLES DATA WORK
set -u
cli=$1 examples=$2 data=$3 work=$4
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# decode PDF: every label's QR text, label by label (the sheet cut into its
# 3 x 8 labels, or a page a label), one line each; "-" for a label without one.
decode() {
  rm -rf tiles && mkdir tiles
  pdftoppm -r 200 -png "$1" tiles/page || return 1
  for page in tiles/page-*.png; do
    [ "$2" = single ] && cp "$page" "${page%.png}-00.png" || convert "$page" -crop 3x8@ +repage "${page%.png}-%02d.png"
    rm "$page"
  done
  for tile in tiles/page-*-*.png; do
    text=$(zbarimg -q --raw "$tile" 2>/dev/null)
    [ "$(printf '%s' "$text" | grep -c '')" -le 1 ] || fail "$tile holds more than one QR code"
    echo "${text:--}"
  done
}

"$cli" "$examples/reference.qzl" --offcut-min 500 --cutlist cut.csv --labels labels.pdf >/dev/null 2>err.txt ||
  fail "reference exited $?: $(cat err.txt)"
[ "$(head -c 3 cut.csv)" = $'\xef\xbb\xbf' ] || fail "the cut list has no byte-order mark"
[ "$(grep -c $'\r$' cut.csv)" = "$(grep -c '' cut.csv)" ] || fail "the cut list's lines do not end in CR LF"
tr -d '\r' <cut.csv | tail -n +2 >lines.csv
# What each piece's QR code must say, and each offcut's.
awk -F, '$9 != "" { print "yobina1|" $1 "|" $2 "|" $4 "|" $8 "|" $9 "|" $10 }' lines.csv >want.txt
awk -F, '$13 == "残材" { print "yobina1|残材||" $2 "|" $12 }' lines.csv >>want.txt
pieces=$(awk -F, '$9 != ""' lines.csv | grep -c '')
offcuts=$(grep -c ',残材$' lines.csv)
[ "$pieces" = 32 ] && [ "$offcuts" -ge 1 ] || fail "$pieces pieces and $offcuts offcuts on the cut list"

for sheet in a4 single; do
  "$cli" "$examples/reference.qzl" --offcut-min 500 --labels "labels-$sheet.pdf" --label-sheet $sheet \
    >/dev/null 2>err.txt || fail "--label-sheet $sheet exited $?: $(cat err.txt)"
  decode "labels-$sheet.pdf" $sheet | grep -v '^-$' >got-$sheet.txt || fail "$sheet labels not rendered"
  cmp -s got-$sheet.txt want.txt || fail "$sheet labels' QR codes are not the cut list's lines in order: $(diff want.txt got-$sheet.txt | head -5)"
done
[ "$(pdfinfo labels-single.pdf | awk '$1 == "Pages:" { print $2 }')" = $((pieces + offcuts)) ] ||
  fail "not a page a label"
pdfinfo labels-single.pdf | grep -q 'Page size: *198 x 105 pts' || fail "the single label's page is not 70 x 37 mm"

# The same input gives the same list.
"$cli" "$examples/reference.qzl" --offcut-min 500 --cutlist again.csv >/dev/null 2>&1
cmp -s cut.csv again.csv || fail "a second run gave another cut list"

# Offcuts taken from the inventory are named by their ids.
db=$work/offcuts.sqlite3
"$cli" "$data/offcuts-first.qzl" --exact --offcut-min 1000 --offcuts "$db" --keep-offcuts >/dev/null 2>&1
"$cli" "$data/offcuts-next.qzl" --exact --offcut-min 1000 --offcuts "$db" --take-offcuts --cutlist taken.csv \
  >/dev/null 2>err.txt || fail "taking offcuts exited $?: $(cat err.txt)"
[ "$(grep -c ',2495,残材#1,' taken.csv)" = 3 ] || fail "the taken offcuts are not named: $(cat taken.csv)"
grep -q ',6000,手持ち,' taken.csv || fail "the job's own bars are not on hand: $(cat taken.csv)"

# Without a plan nothing is written; nor when a label cannot be made.
"$cli" "$examples/no-plan.qzl" --cutlist none.csv --labels none.pdf >/dev/null 2>&1
[ $? = 1 ] && [ ! -e none.csv ] && [ ! -e none.pdf ] || fail "outputs written without a plan"
"$cli" "$examples/reference.qzl" --cutlist x.csv --labels no-such-folder/x.pdf >/dev/null 2>err.txt
[ $? = 2 ] && [ ! -e x.csv ] || fail "the cut list was written though the labels could not be"
grep -qF 'PDF ファイル「no-such-folder/x.pdf」を作成できません。' err.txt || fail "labels failure: $(cat err.txt)"

exit $((failures > 0))
