#!/usr/bin/env bash
# yobina-cli against hostile file systems (full disk, killed saves, odd names,
# links, read-only files, FIFOs), outputs that clash, interrupts and little memory.
# Usage: file_faults.sh CLI EXAMPLES DATA WORK RAISE_AT_LOAD [pdf]
# (RAISE_AT_LOAD: a library that raises SIGTERM as it is loaded.)
set -u
cli=$1 examples=$2 data=$3 work=$4 raise_at_load=$5 pdf=${6:-}
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
job=$examples/reference.qzl
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect STATUS TEXT COMMAND...: the exit status, and TEXT somewhere in stderr.
expect() {
  local status=$1 text=$2
  shift 2
  "$@" >/dev/null 2>err.txt
  local got=$?
  [ "$got" = "$status" ] || fail "$* exited $got, expected $status"
  grep -qF -- "$text" err.txt || fail "$* said '$(cat err.txt)', expected '$text'"
}

no_temporaries() {
  local left
  left=$(find . -name '.*.tmp')
  [ -z "$left" ] || fail "temporary files left: $left"
}

# A file size limit stands in for a full disk: the old PDF stays whole.
if [ -n "$pdf" ]; then
  echo old >out.pdf
  expect 2 "ファイルが大きすぎます。" bash -c "ulimit -f 8; exec '$cli' '$job' --pdf out.pdf"
  echo old | cmp -s - out.pdf || fail "the old PDF was changed"
  expect 2 "ファイルが見つかりません" "$cli" "$job" --pdf no-such-folder/out.pdf
  no_temporaries
fi
echo old >big.qzl
expect 2 "ファイルが大きすぎます。" bash -c "ulimit -f 1; exec '$cli' '$job' --save big.qzl"
[ "$(cat big.qzl)" = old ] || fail "the old job was changed"

# Saves killed at any moment; the next save of the same job cleans up.
for i in $(seq 20); do
  "$cli" "$job" --trials 1 --save killed.qzl >/dev/null 2>&1 &
  sleep "0.00$((RANDOM % 10))"
  kill -9 $! 2>/dev/null
  wait $! 2>/dev/null
done
"$cli" "$job" --trials 1 --save killed.qzl >/dev/null || fail "save after the kills"
no_temporaries

# Names are bytes, whatever the locale: Shift-JIS, and the longest a folder allows.
sjis=$'\x83\x65\x83\x58\x83\x67.qzl'
cp "$job" "$sjis"
for locale in C C.UTF-8; do
  LC_ALL=$locale "$cli" "$sjis" --trials 1 --save "$sjis.saved" >/dev/null || fail "Shift-JIS name in $locale"
  [ -f "$sjis.saved" ] || fail "--save wrote another name in $locale"
  rm -f "$sjis.saved"
done
long=$(printf 'n%.0s' $(seq 251)).qzl
"$cli" "$job" --trials 1 --save "$long" >/dev/null || fail "a 255-byte name"
expect 2 "$(printf '\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88')" "$cli" "missing-$sjis"  # the name, readable

# What a save must not replace, and what a load must not wait for.
mkdir folder
expect 2 "ファイルではなくフォルダーです。" "$cli" "$job" --save folder/
expect 2 "ファイルではなくフォルダーです。" "$cli" "$job" --save .
echo old >locked.qzl && chmod 444 locked.qzl
expect 2 "アクセスが拒否されました。" "$cli" "$job" --save locked.qzl
[ "$(cat locked.qzl)" = old ] || fail "the read-only job was replaced"
ln -s loop-b.qzl loop-a.qzl && ln -s loop-a.qzl loop-b.qzl
expect 2 "シンボリック リンクが循環しています。" "$cli" "$job" --save loop-a.qzl
ln -s folder/linked.qzl dangling.qzl
"$cli" "$job" --trials 1 --save dangling.qzl >/dev/null || fail "save through a dangling link"
[ -L dangling.qzl ] && [ -f folder/linked.qzl ] || fail "the dangling link was not written through"
mkfifo fifo.qzl
expect 2 "通常のファイルではありません。" timeout 5 "$cli" fifo.qzl
no_temporaries

# Ctrl+C or SIGTERM during a long Run stops it like Esc: the best plan so far,
# its report, exit 3, and nothing left behind.
for signal in INT TERM; do
  start=$(date +%s%N)
  "$cli" "$job" --trials 100000000 --save interrupted.qzl >report.txt 2>err.txt &
  sleep 0.3
  kill -s "$signal" $!
  wait $!
  status=$?
  elapsed_ms=$((($(date +%s%N) - start) / 1000000))
  [ "$status" = 3 ] || fail "SIG$signal: exit $status, expected 3"
  grep -qx "中断しました" err.txt || fail "SIG$signal said '$(cat err.txt)'"
  grep -q "素材延長=" report.txt || fail "SIG$signal: no report of the best plan"
  [ "$elapsed_ms" -lt 2000 ] || fail "SIG$signal: stopped after $elapsed_ms ms"
done
no_temporaries

# Outputs are checked before planning (the trials here would take hours): an
# export over the job, through a link or a hard link, or two outputs in one
# file are refused, as is a folder that is missing, and nothing is written.
cp "$job" victim.qzl && ln -s victim.qzl victim-link.qzl && ln victim.qzl victim-hard.qzl
exports="--csv"
[ -n "$pdf" ] && exports="--csv --pdf --diagrams"
endless="--trials 100000000"
for option in $exports; do
  for target in victim.qzl victim-link.qzl victim-hard.qzl; do
    expect 2 "読み込むヨビナデータと同じファイルです。" timeout 10 "$cli" victim.qzl $endless "$option" "$target"
  done
  expect 2 "は同じファイルです。" timeout 10 "$cli" "$job" $endless --save same.out "$option" ./same.out
done
cmp -s "$job" victim.qzl || fail "the job was overwritten"
"$cli" victim.qzl --trials 1 --save victim-link.qzl >/dev/null || fail "--save over the job"
set -- --save all.qzl
[ -n "$pdf" ] && set -- "$@" --pdf all.pdf --diagrams all-diagrams.pdf
expect 2 "no-such-folder/x.csv: ファイルが見つかりません" timeout 10 "$cli" "$job" $endless "$@" --csv no-such-folder/x.csv
ls all* >/dev/null 2>&1 && fail "a failed command wrote $(ls all*)"
# A write that fails after planning (a PDF past the file size limit): the
# files staged before it go, the old ones stay.
if [ -n "$pdf" ]; then
  echo old >all.qzl
  expect 2 "ファイルが大きすぎます。" bash -c "ulimit -f 4; exec '$cli' '$job' --trials 1 $* --csv all.csv"
  [ "$(cat all.qzl)" = old ] && [ ! -e all.csv ] || fail "a partial set of outputs was written"
fi
no_temporaries

# Waits until process $1 is the program and blocks Ctrl+C, as it does before its
# libraries start: from then on a SIGINT waits for it. (Before its exec the
# background shell would drop one, or, while it blocks signals for a moment of
# its own, be killed by one a moment later.)
wait_for_blocked_sigint() {
  local key mask name deadline=$((${EPOCHREALTIME/./} + 10000000))
  while ((${EPOCHREALTIME/./} < deadline)); do
    read -r name <"/proc/$1/comm" && [ "$name" = "$(basename "$cli" | cut -c1-15)" ] || continue
    while read -r key mask; do
      [ "$key" = SigBlk: ] && (((16#$mask & 2) != 0)) && return 0
    done <"/proc/$1/status"
  done
  fail "process $1 never blocked SIGINT"
}

# Ctrl+C at any moment of the optimal planner stops it: exit 3, and a plan is
# called proven only if it is proven without the interrupt. Job control is on
# for these runs: without it a script's background command starts with SIGINT
# ignored, and a library that sets and restores a SIGINT handler during start-up
# then discards one already pending, which a terminal's Ctrl+C never meets.
set -m
proven_when_stopped=0
for i in $(seq 20); do
  delay_ms=$((RANDOM % 2000))
  "$cli" "$data/exact-sigint.qzl" --exact >report.txt 2>err.txt &
  wait_for_blocked_sigint $!
  start=$(date +%s%N)
  sleep "$((delay_ms / 1000)).$(printf %03d $((delay_ms % 1000)))"
  kill -INT $!
  wait $!
  status=$?
  late_ms=$((($(date +%s%N) - start) / 1000000 - delay_ms))
  grep -q "証明済み" report.txt && proven_when_stopped=1
  if [ "$status" != 3 ] || ! grep -qx "中断しました" err.txt || [ "$late_ms" -gt 2000 ]; then
    fail "SIGINT after $delay_ms ms: exit $status, '$(cat err.txt)', $late_ms ms late"
    break  # the others would wait out the time limit too
  fi
done
set +m
if [ "$proven_when_stopped" = 1 ]; then
  "$cli" "$data/exact-sigint.qzl" --exact | grep -q "証明済み" || fail "an interrupted plan was called proven"
fi

# A SIGTERM before main, while the libraries start, stops like any other.
status=0
LD_PRELOAD=$raise_at_load ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 \
  "$cli" "$job" --exact >/dev/null 2>err.txt || status=$?
[ "$status" = 3 ] && grep -qx "中断しました" err.txt || fail "SIGTERM at start: exit $status, '$(cat err.txt)'"

# Jobs whose pricing table would outgrow the memory: a refusal or a plan, never
# an abort. (AddressSanitizer's shadow memory does not start under ulimit -v.)
memory_jobs="exact-pricing-memory exact-pricing-memory-2e9 exact-pricing-memory-no-fit"
ldd "$cli" | grep -q libasan && memory_jobs=""
for memory_job in $memory_jobs; do
  status=0
  (ulimit -v 1000000 && exec "$cli" "$data/$memory_job.qzl" --exact) >/dev/null 2>err.txt || status=$?
  [ "$status" -le 2 ] && [ "$status" = 0 -o -s err.txt ] || fail "$memory_job in 1 GB: exit $status, '$(cat err.txt)'"
done

# A job's names reach a terminal without their escape sequences; pipes keep the bytes.
if command -v script >/dev/null; then
  script -qec "'$cli' '$data/report-escape-name.qzl' --trials 1" /dev/null >terminal.txt
  grep -q $'\e' terminal.txt && fail "an escape sequence reached the terminal"
  grep -qF "?[31mRED?[0m?]0;pwned?" terminal.txt || fail "the names are not shown with '?'"
fi
"$cli" "$data/report-escape-name.qzl" --trials 1 | grep -q $'\e\[31mRED' || fail "a pipe lost the name's bytes"
expect 2 "標準出力: ディスクに十分な空き領域がありません。" bash -c "exec '$cli' '$job' --trials 1 >/dev/full"

[ "$failures" = 0 ] && echo "all faults handled"
exit "$failures"
