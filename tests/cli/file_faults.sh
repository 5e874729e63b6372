#!/usr/bin/env bash
# yobina-cli against hostile file systems (full disk, killed saves, odd names,
# links, read-only files, FIFOs) and interrupts. Usage: file_faults.sh CLI EXAMPLES WORK [pdf]
set -u
cli=$1 examples=$2 work=$3 pdf=${4:-}
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

[ "$failures" = 0 ] && echo "all faults handled"
exit "$failures"
