#!/bin/sh
# SPDX-License-Identifier: MIT
# A keyed --lines run over LINES generated job lines, whole and cut into
# SHARDS files run at once (split and xargs -P), as docs/xeljob.md shows it:
# says whether the shards' records, joined on their keys, are the whole
# run's, and the peak memory of a whole run over a tenth of the lines and
# over all of them (GNU time, where there is one).
#   tests/xeljob/sharded_run.sh XELJOB [LINES [SHARDS]]
set -eu
xeljob=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
lines=${2:-100000}
shards=${3:-4}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Clean lines, stray words, conversions, an open quote now and then, CRLF,
# comments and blank lines.
awk -v n="$lines" 'BEGIN {
  for (i = 1; i <= n; i++) {
    if (i % 500 == 0) { print ""; continue }
    if (i % 700 == 0) { print "# a comment"; continue }
    words = "-j " i " -a 5:" (i % 90) " -cn c" (i % 13) " -o " (i % 40)
    if (i % 7 == 0) words = words " stray -frob"
    if (i % 11 == 0) words = "-j " i "x -restart 12"
    if (i % 1000 == 0) words = words " -cn '\''open"
    printf "k%d\t%s%s\n", i, words, (i % 3 == 0 ? " # note\r" : "")
  }
}' >jobs.tsv

peak() {  # peak memory in KiB of: xeljob ARGS >OUT
  out=$1
  shift
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M -o "$out.rss" "$xeljob" "$@" >"$out" 2>"$out.summary" ||
      [ $? -le 1 ]
    tail -n 1 "$out.rss"
  else
    "$xeljob" "$@" >"$out" 2>"$out.summary" || [ $? -le 1 ]
    echo "?"
  fi
}
records() {  # the records without where each line stood, in key order
  sed -E 's/^\{"line": [0-9]+, //; s/"(error|warning)": "[^"]*:[0-9]+: /"\1": "/' "$@" |
    LC_ALL=C sort
}

head -n $((lines / 10)) jobs.tsv >tenth.tsv
tenth=$(peak tenth.jsonl --keyed --lines tenth.tsv backup)
start=$(date +%s.%N)
whole=$(peak whole.jsonl --keyed --lines jobs.tsv backup)
middle=$(date +%s.%N)
split -n l/"$shards" -d jobs.tsv shard.
export xeljob
ls shard.?? | xargs -P "$shards" -I {} \
  sh -c '"$xeljob" --keyed --lines {} backup >{}.jsonl 2>{}.summary || [ $? -le 1 ]'
end=$(date +%s.%N)

records whole.jsonl >whole.records
records shard.??.jsonl >shards.records
same=no
cmp -s whole.records shards.records && same=yes
echo "lines: $lines, records: $(wc -l <whole.records), shards: $shards"
echo "shards joined on keys equal the whole run: $same"
awk -v a="$start" -v b="$middle" -v c="$end" -v n="$shards" \
  'BEGIN { printf "whole run: %.2f s; %d shards at once: %.2f s\n", b - a, n, c - b }'
echo "peak memory of a whole run: $tenth KiB over $((lines / 10)) lines, $whole KiB over $lines"
[ "$same" = yes ]
