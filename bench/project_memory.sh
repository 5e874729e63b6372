#!/usr/bin/env bash
# Memory and time of yobina-cli --project over a building of one-part
# sections (10,000 unless given): what a section costs beyond its own plan.
# Usage: bench/project_memory.sh CLI [SECTIONS] [WORK]
set -eu
cli=$1 sections=${2:-10000} work=${3:-/tmp/yobina-project-memory}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (package time)" >&2; exit 2; }
rm -rf "$work" && mkdir -p "$work"
awk -v n="$sections" 'BEGIN {
  print "符号,部材名,長さ,本数,単位重量"
  for (s = 0; s < n; ++s)
    printf "M%d-0,H-%d×100×5.5×8 SS400,%d,%d,%.1f\n", s, 200 + s, 1000 + (s * 7919) % 4000, 1 + s % 8, 10 + (s % 50) / 10
}' >"$work/parts.csv"
/usr/bin/time -f "%e s wall, %U s user, %S s system, %M KB at most" \
  "$cli" --project "$work/parts.csv" --out "$work/out" >/dev/null 2>"$work/err.txt" || true
tail -1 "$work/err.txt"
echo "$(ls "$work/out" | wc -l) files, project.pdf $(du -h "$work/out/project.pdf" 2>/dev/null | cut -f1)"
