#!/usr/bin/env bash
# yobina-cli --project on a folder of NC files: the same purchase list and
# summary as its parts list, every piece of the accepted files planned, the
# parts named in project.json, bad files named once with nothing written.
# Usage: nc_project_cli.sh CLI FIXTURES WORK   (FIXTURES holds nc-building/ and nc-building.csv)
set -u
cli=$1 fixtures=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run() {
  local status=$1
  shift
  "$cli" "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" = "$status" ] || fail "$* exited $got, expected $status: $(cat err.txt)"
}

# The quantities of the folder's files that are neither plates nor without a
# length, read from their ST blocks (the 6th, 8th and 9th data lines).
quantities() {
  local sum=0 file
  for file in "$1"/*; do
    case "${file,,}" in *.nc1 | *.nc) ;; *) continue ;; esac
    [ -f "$file" ] || continue
    sum=$((sum + $(tr -d '\r' <"$file" | awk '
      /^\*\*/ { next }
      /^[A-Z][A-Z]/ { if (st) exit; st = ($0 ~ /^ST/); next }
      st { n++; if (n == 6) q = $1; if (n == 8) code = $1; if (n == 9) { split($1, l, ","); length_ = l[1] + 0 } }
      END { print (code == "B" || length_ == 0) ? 0 : q }')))
  done
  echo "$sum"
}

pieces() { awk -F, 'NR > 1 { sum += $2 } END { print sum + 0 }' "$1"; }

run 0 --project "$fixtures/nc-building" --out folder
grep -q "^板材は対象外: 6 ファイル$" err.txt || fail "plates not noted: $(cat err.txt)"
grep -q "^長さのない部材は対象外: 1 ファイル$" err.txt || fail "the part without a length not noted"
run 0 --project "$fixtures/nc-building.csv" --out list
for file in purchase.csv summary.csv; do
  cmp -s "folder/$file" "list/$file" || fail "$file differs from the parts list's: $(diff folder/$file list/$file)"
done
expected=$(quantities "$fixtures/nc-building")
[ "$(pieces folder/summary.csv)" = "$expected" ] || fail "planned $(pieces folder/summary.csv) pieces, the files hold $expected"
grep -q '"project": "nc-building"' folder/project.json || fail "the folder does not name the project"
grep -q '"file": "P0006.nc1"' folder/project.json && grep -q '"phase": "2節"' folder/project.json &&
  grep -q '"斜め切断"' folder/project.json || fail "project.json does not carry the parts"

# --nc-length length cuts the length, not the saw length: other cut rows, the same pieces.
run 0 --project "$fixtures/nc-building" --out lengths --nc-length length
cmp -s folder/project.json lengths/project.json && fail "--nc-length length changed nothing"
[ "$(pieces lengths/summary.csv)" = "$expected" ] || fail "--nc-length length lost pieces"
run 2 --project "$fixtures/nc-building" --out x --nc-length sawn

# Bad files: each named once with its reason, and nothing written.
cp -r "$fixtures/nc-building" bad
tr -d '\r' <bad/P0006.nc1 | awk '{ n += /^  /; print (n == 6 && /^  /) ? "  0" : $0 }' >bad/P1565.nc1
printf '部材名,長さ,本数\nH-1,2000,1\n' >bad/list.nc
run 2 --project bad --out bad-out
[ "$(grep -c "^P1565.nc1: 数量「0」" err.txt)" = 1 ] || fail "the count of 0 not named once: $(cat err.txt)"
[ "$(grep -c "^list.nc: DSTV の NC ファイルではありません" err.txt)" = 1 ] || fail "the file that is not DSTV not named once"
[ ! -e bad-out ] || fail "a folder with bad files was written"
run 0 --project bad --out bad-out --skip-bad-lines
[ "$(pieces bad-out/summary.csv)" = "$expected" ] || fail "--skip-bad-lines did not plan the good files alone"

[ "$failures" = 0 ] && echo "all passed"
exit $((failures > 0))
