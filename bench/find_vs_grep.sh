#!/usr/bin/env bash
# Times nelvix-cli find against grep and ripgrep on a generated Japanese tree.
#
#   bench/find_vs_grep.sh [NELVIX_CLI] [CORPUS_DIR]
#
# NELVIX_CLI defaults to build-release/src/cli/nelvix-cli, CORPUS_DIR to /tmp/nelvix-find-corpus
# (made by bench/make_corpus.py when missing; keep it out of the repository). RUNS (default 3)
# sets the runs per cell; a cell gives the median wall-clock and CPU (user + system) seconds and
# the lines written, so that a busy machine shows in the gap between the two. Every tool writes
# its lines to a file, not to /dev/null, because GNU grep stops at the first match when its
# output is /dev/null. ripgrep columns are left out when rg is not installed.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "${1:-$here/../build-release/src/cli/nelvix-cli}")
corpus=${2:-/tmp/nelvix-find-corpus}
runs=${RUNS:-3}
work=$(mktemp -d /tmp/nelvix-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

make_corpus() {
    [ -f "$corpus.complete" ] && return
    rm -rf "$corpus"
    python3 "$here/make_corpus.py" "$corpus"
    touch "$corpus.complete"
}

# The same tree with every file as nelvix-cli holds it (Shift-JIS, CR LF): grep searching it finds
# the lines nelvix-cli finds, so that column compares the same work without the decoding.
converted="$corpus-sjis"
make_converted() {
    [ -f "$converted.complete" ] && return
    rm -rf "$converted"
    (cd "$corpus" && find . -type d -exec mkdir -p "$converted/{}" \;)
    (cd "$corpus" && find . -type f -exec sh -c \
        'for f; do "$0" convert "$f" > "$1/$f"; done' "$cli" "$converted" {} +)
    touch "$converted.complete"
}

# "WALL CPU" seconds of one run of "$@" (CPU = user + system), its output going to $work/out.
time_once() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S' -o "$work/cpu" "$@" > "$work/out" 2> "$work/err" || [ $? -eq 1 ]
    end=$(date +%s%N)
    awk -v s="$start" -v e="$end" -v cpu="$(tail -1 "$work/cpu")" \
        'BEGIN { split(cpu, c, " "); printf "%.3f %.2f\n", (e - s) / 1e9, c[1] + c[2] }'
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One table cell, "wall s / CPU s (lines)": the medians of $runs runs of "$@" and the lines of
# the last.
measure() {
    local runs_out=()
    for _ in $(seq "$runs"); do
        runs_out+=("$(time_once "$@")")
    done
    local wall cpu
    wall=$(printf '%s\n' "${runs_out[@]}" | cut -d' ' -f1 | median)
    cpu=$(printf '%s\n' "${runs_out[@]}" | cut -d' ' -f2 | median)
    printf '%s / %s (%s)' "$wall" "$cpu" "$(wc -l < "$work/out")"
}

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

# One row: LABEL; the arguments before the DIR are in the arrays ours, grep_a and rg_a.
row() {
    local line="| $1 | $(measure "$cli" find "${ours[@]}" "$corpus")"
    line+=" | $(measure env LC_ALL=C grep -rn "${grep_a[@]}" "$corpus")"
    line+=" | $(measure env LC_ALL=C grep -rn "${grep_a[@]}" "$converted")"
    if command -v rg > /dev/null; then
        line+=" | $(measure rg -n -j2 -E shift_jis --no-ignore "${rg_a[@]}" "$corpus")"
        line+=" | $(measure rg -n -j1 -E shift_jis --no-ignore "${rg_a[@]}" "$corpus")"
    fi
    echo "$line |"
}

# A literal row: the same word for every tool, in Shift-JIS bytes for grep.
literal_row() {
    ours=("$2") grep_a=(-F "$(sjis "$2")") rg_a=(-F "$2")
    row "$1 $2"
}

make_corpus
make_converted
# Read everything once, so that every tool finds the tree in the page cache.
find "$corpus" "$converted" -type f -print0 | xargs -0 cat > /dev/null
echo "runs per cell: $runs; $(nproc) cores; $cli"
echo "$(find "$corpus" -type f | wc -l) files in $(find "$corpus" -type d | wc -l) folders," \
    "$(du -sm "$corpus" | cut -f1) MiB"
echo
header="| pattern | nelvix-cli find | LC_ALL=C grep -rnF | the same grep, tree converted first"
rule="|---|---|---|---"
if command -v rg > /dev/null; then
    header+=" | rg -E shift_jis -j2 | rg -E shift_jis -j1"
    rule+="|---|---"
fi
echo "$header |"
echo "$rule|"
literal_row frequent 検索
literal_row rare 整合性検査
literal_row absent 鰻丼特盛
ours=(-i TIMEOUT) grep_a=(-i -F TIMEOUT) rg_a=(-i -F TIMEOUT)
row "-i TIMEOUT"
# The peers cannot fold widths: their cells are the plain literal.
ours=(-w 検索) grep_a=(-F "$(sjis 検索)") rg_a=(-F 検索)
row "-w 検索"
regex='ERROR\] [a-z]+ [a-z]+:'
ours=(-r "$regex") grep_a=(-E "$regex") rg_a=("$regex")
row "-r \`$regex\`"
echo
/usr/bin/time -f %M -o "$work/rss" "$cli" find 検索 "$corpus" > "$work/out" 2> /dev/null || true
echo "nelvix-cli peak RSS (KiB), frequent pattern: $(cat "$work/rss")"
