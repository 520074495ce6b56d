#!/usr/bin/env bash
# Puts one small fault into a source line, rebuilds only the tests of that unit or framework area,
# runs them and says whether they noticed: "killed" (a test failed or hung) or "survived". The file is
# restored afterwards whatever happens, and the tests are rebuilt from it again.
#
#   scripts/mutate.sh FILE LINE [KIND] [N]
#
# KIND (default: the first that fits the line, in this order):
#   flip   a comparison becomes its opposite (< and >=, > and <=, == and !=)
#   bound  a bound moves by one: < and <=, > and >=, or else the first integer literal n becomes n + 1
#   drop   the statement on the line is left out (the line must hold one whole statement)
# N picks the N-th comparison or literal of the line (default 1).
#
# Environment: BUILD (default build, a Ninja build configured as the README says), MUTATE_TESTS (test
# executables to run instead of the ones found for the file), MUTATE_TIMEOUT (seconds per test program,
# default 300; a hang counts as killed), MUTATE_KEEP_BUILD=1 skips the rebuild after restoring (for a
# series of runs; the next build compiles the restored file anyway, as its time stamp is new).
# Output: one line "FILE:LINE KIND killed|survived|invalid [by TEST]"; "invalid" when the mutant does not
# compile. The mutated line goes to stderr. Exit status 0 for killed and survived, 2 for invalid, 1 for
# errors.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${BUILD:-build}
timeout_s=${MUTATE_TIMEOUT:-300}

usage() { sed -n '2,/^# N picks/p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 1; }
[ $# -ge 2 ] || usage
file=${1#./}
line=$2
kind=${3:-auto}
nth=${4:-1}
[ -f "$file" ] || { echo "mutate: no file $file" >&2; exit 1; }
[[ $line =~ ^[0-9]+$ ]] || usage
[ -f "$build/build.ninja" ] || { echo "mutate: $build is not a configured Ninja build" >&2; exit 1; }

# [the tests of a file] -------------------------------------------------------------------------------------
# Test sources first, by the unit's folder or the framework file's area; then the executables that
# compile them (read from build.ninja, so grouped test programs are found too).
test_sources() {
  local dir base stem
  dir=$(dirname "$file")
  base=$(basename "$file")
  stem=${base%.*}
  stem=${stem%%_*}
  case "$dir" in
    replist) ls tests/test_replist*.cpp tests/test_rldata*.cpp tests/test_reportlistview*.cpp tests/test_rowedit*.cpp ;;
    package/core)
      case $stem in stringarray) echo tests/test_stringarray.cpp ;; *) ls tests/test_core_*.cpp ;; esac ;;
    package/numerics) echo tests/test_numerics.cpp ;;
    package)
      case $stem in numtext) echo tests/test_numtext.cpp ;; *) ls tests/test_package.cpp tests/test_paint_helpers.cpp ;; esac ;;
    package/framework/*)
      case $stem in
        object | props | component | strings | streams | formtext) echo tests/test_classes.cpp ;;
        drawedge) echo tests/test_graphics.cpp ;;
        graphics) ls tests/test_graphics.cpp tests/test_raster.cpp ;;
        scrolling) ls tests/test_scrolling.cpp tests/test_grids.cpp tests/test_treeview.cpp ;;
        application) ls tests/test_dispatch.cpp tests/test_modal.cpp ;;
        popups) ls tests/test_combobox.cpp tests/test_menus.cpp ;;
        styles) echo tests/test_controls.cpp ;;
        controls) ls tests/test_controls*.cpp tests/test_input.cpp ;;
        stdctrls) ls tests/test_stdctrls.cpp tests/test_buttons.cpp ;;
        *) ls tests/test_"$stem"*.cpp 2>/dev/null || true ;;
      esac ;;
    *) ls tests/test_"$dir"*.cpp 2>/dev/null || true ;;
  esac
}

test_targets() {
  local src target
  for src in $(test_sources); do
    target=$(grep -o "CMakeFiles/[^ /]*\.dir/$src\.o" "$build/build.ninja" | head -1 | sed 's|CMakeFiles/\(.*\)\.dir/.*|\1|')
    [ -n "$target" ] && echo "$target"
  done | sort -u
}

if [ -n "${MUTATE_TESTS:-}" ]; then
  targets=$MUTATE_TESTS
else
  targets=$(test_targets | tr '\n' ' ')
fi
[ -n "${targets// /}" ] || { echo "mutate: no tests found for $file; name them in MUTATE_TESTS" >&2; exit 1; }

# [mutation] -------------------------------------------------------------------------------------------------
# Prints the kind applied and writes the mutated file; fails when the kind does not fit the line.
mutate() {
  python3 - "$file" "$line" "$kind" "$nth" <<'EOF'
import re, sys
path, line, kind, nth = sys.argv[1], int(sys.argv[2]), sys.argv[3], int(sys.argv[4])
lines = open(path, encoding="utf-8").read().split("\n")
if not 1 <= line <= len(lines):
    sys.exit("mutate: line %d is not in %s" % (line, path))
text = lines[line - 1]
code, sep, comment = text.partition("//")
# Binary comparisons are written with a blank on each side, which keeps out <<, ->, templates and includes.
cmp = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
flips = {"<": ">=", ">=": "<", ">": "<=", "<=": ">", "==": "!=", "!=": "=="}
bounds = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
literal = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")

def nth_match(pattern, pred=lambda m: True):
    found = [m for m in pattern.finditer(code) if pred(m)]
    return found[nth - 1] if len(found) >= nth else None

def apply(k):
    if k == "flip":
        m = nth_match(cmp)
        return m and code[:m.start()] + flips[m.group(1)] + code[m.end():]
    if k == "bound":
        m = nth_match(cmp, lambda m: m.group(1) in bounds)
        if m:
            return code[:m.start()] + bounds[m.group(1)] + code[m.end():]
        m = nth_match(literal)
        return m and code[:m.start()] + str(int(m.group(1)) + 1) + code[m.end():]
    if k == "drop":
        s = code.strip()
        # One statement, a one-line if or loop included; a return or a case label is no statement to drop.
        whole = s.endswith(";") and not s.startswith(("return", "case", "default", "}", "else"))
        whole = whole and s.count("(") == s.count(")") and s.count("{") == s.count("}")
        return whole and code[: len(code) - len(code.lstrip())] + ";  // dropped"
    sys.exit("mutate: unknown kind " + k)

kinds = ["flip", "bound", "drop"] if kind == "auto" else [kind]
for k in kinds:
    new = apply(k)
    if new:
        lines[line - 1] = new + ("" if k == "drop" else sep + comment)
        open(path, "w", encoding="utf-8").write("\n".join(lines))
        print(k)
        print("  - " + text.strip() + "\n  + " + lines[line - 1].strip(), file=sys.stderr)
        sys.exit(0)
sys.exit("mutate: no %s mutation fits %s:%d: %s" % (kind, path, line, text.strip()))
EOF
}

# [run] ------------------------------------------------------------------------------------------------------
backup=$(mktemp "$build/.mutate-XXXXXX")
cp "$file" "$backup"
restore() {
  # A fresh time stamp, so the next build compiles the restored file again.
  cat "$backup" > "$file"
  rm -f "$backup"
  if [ "${MUTATE_KEEP_BUILD:-0}" != 1 ]; then
    nice -n 10 cmake --build "$build" -j1 --target $targets </dev/null >/dev/null 2>&1 || true
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM

applied=$(mutate) || exit 1
if ! nice -n 10 cmake --build "$build" -j1 --target $targets </dev/null >"$build/.mutate-build.log" 2>&1; then
  echo "$file:$line $applied invalid"
  exit 2
fi

# The tests write their files in a folder of the build's own, emptied for each mutant.
tmp="$root/$build/mutate-tmp"
result=survived
for t in $targets; do
  rm -rf "$tmp" && mkdir -p "$tmp"
  # In a subshell of its own with its error output gone: the shell's note of a crash stays quiet too.
  rc=0
  (cd "$build" && TMPDIR="$tmp" timeout "$timeout_s" "./$t" --gtest_brief=1; exit $?) </dev/null >/dev/null 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    case $rc in
      124) result="killed by $t (hang)" ;;
      1) result="killed by $t" ;;
      *) result="killed by $t (crash, status $rc)" ;;
    esac
    break
  fi
done
rm -rf "$tmp"
echo "$file:$line $applied $result"
