#!/usr/bin/env bash
# Times the front-door targets from a clean clone of HEAD, as a new machine builds them: the compiler cache
# off, `make gallery`, then `make test` on top of it. Prints wall and processor time (user + system of every
# child) per step and the ten slowest translation units from the build log.
#
#   scripts/build-times.sh [REV] [STEPS]     REV defaults to HEAD; STEPS to "gallery test"
#
# The clone is removed afterwards. Run it on an otherwise idle machine: both cores are used.
set -euo pipefail
rev=${1:-HEAD}
steps=${2:-gallery test}
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/jox-build-times.XXXXXX)
trap 'rm -rf "$work"' EXIT

git -C "$src" worktree list >/dev/null 2>&1 || { echo "build-times: $src is not a git checkout" >&2; exit 2; }
git clone -q "$src" "$work/src"
git -C "$work/src" checkout -q "$rev"
export CCACHE_DISABLE=1

# cpu SECONDS of user + system time of finished children, from /proc/self/stat of this shell's children.
cpu_now() { awk '{ printf "%.2f", ($16 + $17) / '"$(getconf CLK_TCK)"' }' /proc/$$/stat; }

printf '%-10s %10s %10s %8s\n' step wall_s cpu_s load
for step in $steps; do
  start=$(date +%s.%N)
  cpu0=$(cpu_now)
  if ! make -C "$work/src" "$step" >"$work/$step.log" 2>&1; then
    echo "build-times: make $step failed; the end of its log:" >&2
    tail -30 "$work/$step.log" >&2
    exit 1
  fi
  cpu1=$(cpu_now)
  end=$(date +%s.%N)
  printf '%-10s %10.1f %10.1f %8s\n' "$step" "$(echo "$end - $start" | bc)" "$(echo "$cpu1 - $cpu0" | bc)" \
    "$(cut -d' ' -f1 /proc/loadavg)"
done

log="$work/src/build/.ninja_log"
if [ -f "$log" ]; then
  echo
  echo "slowest translation units (seconds, wall time of each compile):"
  awk -F'\t' 'NR > 1 && $4 ~ /\.o$/ { printf "%8.1f  %s\n", ($2 - $1) / 1000, $4 }' "$log" \
    | sort -rn | sed -n 1,10p | sed 's#CMakeFiles/[^/]*\.dir/##'
  echo
  awk -F'\t' 'NR > 1 && $4 ~ /\.o$/ { n++; s += ($2 - $1) / 1000 } END { printf "%d compiles, %.0f s in all\n", n, s }' "$log"
  awk -F'\t' 'NR > 1 && $4 !~ /\.o$/ && $4 !~ /\.a$/ && $4 !~ /^\// { n++; s += ($2 - $1) / 1000 } END { printf "%d links and other steps, %.0f s in all\n", n, s }' "$log"
fi
