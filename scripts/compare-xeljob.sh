#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Shows whether xeljob of the work tree and of an older revision print the
# same thing over random job lines: LINES lines (default 20000) per kind from
# SEED (default 2027), read with --lines in three modes (--trace --canonical,
# --json, --posix --trace --canonical). Per kind and mode it prints the lines
# compared, both exit statuses, the output lines that differ, what differs
# in them (JSON paths, "[]" for any element; a line counts once, under the
# set of paths it differs in) and the first line of the most common sets in
# detail.
# Usage: scripts/compare-xeljob.sh OLD-REV [LINES] [SEED]
# Both are built with the xeljob preset: OLD-REV in a temporary worktree,
# removed at exit, the work tree in build/xeljob. The lines and outputs stay
# in build/compare-xeljob/. COMPARE_SHOW=N details N sets (default 4).
# Exit status: 0 when every output and status is the same, 1 when not, 2
# when a build or a run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || [ $# -gt 3 ] || ! [[ ${2:-1}${3:-1} =~ ^[0-9]+$ ]]; then
  echo "usage: $0 OLD-REV [LINES] [SEED]" >&2
  exit 2
fi
if ! old_rev=$(git rev-parse --verify --quiet "$1^{commit}"); then
  echo "$0: no revision $1" >&2
  exit 2
fi
lines=${2:-20000}
seed=${3:-2027}
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
out=build/compare-xeljob
tmp=$(mktemp -d)
trap 'git worktree remove --force "$tmp/old" 2>/dev/null; rm -rf "$tmp"; git worktree prune' EXIT

build() { # DIR LABEL
  echo "building xeljob of $2" >&2
  if ! (cd "$1" && cmake --workflow --preset xeljob) >"$tmp/build.log" 2>&1; then
    cat "$tmp/build.log" >&2
    exit 2
  fi
  local help
  help=$("$1/build/xeljob/bin/xeljob" --help)
  for option in --lines --trace --canonical --json --posix; do
    if ! grep -q -- "$option" <<<"$help"; then
      echo "xeljob of $2 has no $option" >&2
      exit 2
    fi
  done
}
git worktree add --quiet --detach "$tmp/old" "$old_rev"
build "$tmp/old" "${old_rev:0:12}"
build . "the work tree"
declare -A tool=([old]="$tmp/old/build/xeljob/bin/xeljob" [new]=build/xeljob/bin/xeljob)

rm -rf "$out"
mkdir -p "$out"
python3 - "$lines" "$seed" "$out" <<'PY'
import random, shlex, sys

lines, seed, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
# "=" marks an option that takes a value.
OPTIONS = {
    "backup": "j= J= a= p= t= o= cn= vm= VM= jt= data logs differential phase="
    " restart= d= skipconversionrules integcheck rbs numstreams= alwayson dctm"
    " TLToSnap",
    "restore": "j= J= a= p= cn= vm= VM= jt= phase= maHostName= rbs= dctm",
    "scan": "j= J= a= p= t= o= cn= vm= VM= jt= d= phase= restart=",
}
UNKNOWN = ["-x", "--bogus", "-foo", "-c", "-v", "-ph", "-rest", "-data2", "-jt2", "-"]
TEXTS = ["client01", "ma 7", "full", "a:b", "x", "-", "-j", "Node-2.example", "a b  c"]
EDGES = ["0", "-0", "007", "+5", "0x1F", "1e3", " 42", "2147483647",
         "2147483648", "-2147483649", "4294967296", "9223372036854775808",
         "-9223372036854775809", "99999999999999999999999"]
r = random.Random(seed)

def number():
    k = r.random()
    if k < 0.4:
        return str(r.randint(0, 999))
    if k < 0.55:
        return str(r.randint(0, 2**40))
    if k < 0.7:
        return "-" + str(r.randint(1, 99999))
    return r.choice(EDGES)

def half():  # one side of QUORVEL:APPLICATION, converted or not
    k = r.random()
    if k < 0.6:
        return number()
    if k < 0.8:
        return number() + r.choice(["x", "abc", " z", ".5"])
    return r.choice(["", "x", " ", "q7"])

def value():
    k = r.random()
    if k < 0.3:
        return number()
    if k < 0.45:
        return number() + r.choice(["x", "abc", " z", "k", ".5"])
    if k < 0.7:
        return half() + ":" + half() + r.choice(["", "", "", ":9"])
    if k < 0.8:
        return ""
    return r.choice(TEXTS)

def quote(word):
    if word and r.random() < 0.2 and not any(c in word for c in "\"\\$`"):
        return '"' + word + '"'
    return shlex.quote(word)

for kind, spellings in OPTIONS.items():
    names = spellings.split()
    with open(f"{out}/{kind}.lines", "w") as f:
        for _ in range(lines):
            words = []
            for _ in range(r.randint(1, 10)):
                k = r.random()
                if k < 0.65:
                    name = r.choice(names)
                    dash = "--" if r.random() < 0.25 else "-"
                    takes = name.endswith("=")
                    name = name.rstrip("=")
                    if takes and r.random() < 0.15:
                        glue = "" if len(name) == 1 else "="
                        words.append(quote(dash + name + glue + value()))
                        continue
                    words.append(dash + name)
                    if takes and r.random() < 0.9 or r.random() < 0.05:
                        words.append(quote(value()))
                elif k < 0.77:
                    words.append(quote(r.choice([value(), number()])))
                elif k < 0.88:
                    words.append(r.choice(UNKNOWN))
                elif k < 0.93:
                    words.append("--")
                else:
                    words.append(quote(value()))
            f.write(" ".join(words) + "\n")
PY

echo "xeljob of $1 (${old_rev:0:12}) against the work tree: $lines lines per kind, seed $seed"
status=0
for kind in backup restore scan; do
  for mode in "--trace --canonical" "--json" "--posix --trace --canonical"; do
    name=$kind${mode//[ -]/_}
    read -ra options <<<"$mode"
    for side in old new; do
      rc=0
      "${tool[$side]}" --lines "$out/$kind.lines" "${options[@]}" "$kind" \
        >"$out/$name.$side" 2>/dev/null || rc=$?
      echo "$rc" >"$out/$name.$side.rc"
      if [ "$rc" -gt 1 ]; then
        echo "xeljob of the $side side failed on $kind $mode: status $rc" >&2
        exit 2
      fi
    done
    python3 - "$kind $mode" "$out/$kind.lines" "$out/$name" \
      "${COMPARE_SHOW:-4}" <<'PY' || status=1
import json, re, sys

label, lines_file, base, show = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
read = lambda path: open(path, encoding="utf-8", errors="replace").read().splitlines()
inputs, old, new = read(lines_file), read(base + ".old"), read(base + ".new")
rcs = [open(f"{base}.{s}.rc").read().strip() for s in ("old", "new")]

def diff(a, b, path, found):  # appends (concrete path, collapsed path, old, new)
    if isinstance(a, dict) and isinstance(b, dict):
        for key in list(a) + [k for k in b if k not in a]:
            p = f"{path}.{key}" if path else key
            if key not in b:
                found.append((p, p + " (old only)", a[key], None))
            elif key not in a:
                found.append((p, p + " (new only)", None, b[key]))
            else:
                diff(a[key], b[key], p, found)
    elif isinstance(a, list) and isinstance(b, list) and len(a) == len(b):
        for i, (x, y) in enumerate(zip(a, b)):
            diff(x, y, f"{path}[{i}]", found)
    elif a != b:
        found.append((path, path, a, b))

collapse = lambda path: re.sub(r"\[\d+\]", "[]", path)
differing, sets = 0, {}  # the set of paths a line differs in: its lines
for i in range(max(len(old), len(new))):
    a = old[i] if i < len(old) else None
    b = new[i] if i < len(new) else None
    if a == b:
        continue
    found = []
    try:
        diff(json.loads(a), json.loads(b), "", found)
    except (TypeError, ValueError):
        found.append(("(whole line)", "(whole line: missing or not JSON)", a, b))
    differing += 1
    key = ", ".join(sorted({collapse(f[1]) for f in found}))
    sets.setdefault(key, []).append((i, found))

same = not differing and rcs[0] == rcs[1]
print(f"{label:35} {len(inputs):6} lines, status {rcs[0]}/{rcs[1]}, "
      f"{differing} output lines differ")
ranked = sorted(sets.items(), key=lambda kv: -len(kv[1]))
for key, where in ranked[:8]:
    print(f"  {len(where):6}  {key} (first: line {where[0][0] + 1})")
if len(ranked) > 8:
    print(f"  {sum(len(w) for _, w in ranked[8:]):6}  in {len(ranked) - 8} other sets")
def short(v):
    text = "absent" if v is None else json.dumps(v)
    return text if len(text) < 70 else text[:66] + "..."
for key, where in ranked[:show]:  # the first line of each set, each path once
    i, found = where[0]
    print(f"  line {i + 1}: {inputs[i] if i < len(inputs) else ''}")
    shown = set()
    for path, collapsed, a, b in found:
        if collapse(collapsed) not in shown:
            shown.add(collapse(collapsed))
            print(f"    {path}: {short(a)} -> {short(b)}")
sys.exit(0 if same else 1)
PY
  done
done
exit "$status"
