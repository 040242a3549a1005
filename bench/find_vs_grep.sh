#!/usr/bin/env bash
# Times nelvix-cli find against grep, ripgrep and ugrep on a generated Japanese corpus.
#
#   bench/find_vs_grep.sh [NELVIX_CLI] [CORPUS_DIR]
#
# NELVIX_CLI defaults to build-release/src/cli/nelvix-cli, CORPUS_DIR to /tmp/nelvix-find-corpus
# (made by bench/make_corpus.py when missing; keep it out of the repository). RUNS (default 5)
# sets the runs per tool and pattern; the table gives the median wall-clock and CPU (user +
# system) seconds of each, so that a busy machine shows in the gap between the two. Every tool
# writes its lines to a file, not to /dev/null, because GNU grep stops at the first match when
# its output is /dev/null.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "${1:-$here/../build-release/src/cli/nelvix-cli}")
corpus=${2:-/tmp/nelvix-find-corpus}
runs=${RUNS:-5}
work=$(mktemp -d /tmp/nelvix-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

install_peers() {
    local missing=()
    command -v rg > /dev/null || missing+=(ripgrep)
    command -v ugrep > /dev/null || missing+=(ugrep)
    [ -x /usr/bin/time ] || missing+=(time)
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

make_corpus() {
    [ -f "$corpus.complete" ] && return
    rm -rf "$corpus"
    python3 "$here/make_corpus.py" "$corpus"
    touch "$corpus.complete"
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

# Prints "WALL CPU LINES": the medians of $runs runs of "$@" and the lines of the last.
measure() {
    local runs_out=()
    for _ in $(seq "$runs"); do
        runs_out+=("$(time_once "$@")")
    done
    local wall cpu
    wall=$(printf '%s\n' "${runs_out[@]}" | cut -d' ' -f1 | median)
    cpu=$(printf '%s\n' "${runs_out[@]}" | cut -d' ' -f2 | median)
    printf '%s %s %s\n' "$wall" "$cpu" "$(wc -l < "$work/out")"
}

# Peak resident size in KiB of one nelvix-cli run.
peak_rss() {
    /usr/bin/time -f %M -o "$work/rss" "$@" > "$work/out" 2> /dev/null || true
    cat "$work/rss"
}

bench_part() {
    local label=$1 dir=$2
    echo
    echo "## $label ($(find "$dir" -type f | wc -l) files, $(du -sm "$dir" | cut -f1) MiB)"
    echo
    echo "| pattern | tool | wall s | CPU s | lines | nelvix / tool (wall) |"
    echo "|---|---|---|---|---|---|"
    for kind in frequent rare absent; do
        local utf8=${patterns[$kind]}
        local sjis
        sjis=$(printf '%s' "$utf8" | iconv -f UTF-8 -t CP932)
        local -A result=()
        result[nelvix-cli find]=$(measure "$cli" find "$utf8" "$dir")
        result[LC_ALL=C grep -rn]=$(measure env LC_ALL=C grep -rn -F "$sjis" "$dir")
        result[rg -E shift_jis]=$(measure rg -n -E shift_jis --no-ignore -F "$utf8" "$dir")
        result[rg -E shift_jis -j1]=$(measure rg -n -j1 -E shift_jis --no-ignore -F "$utf8" "$dir")
        result[ugrep -rn -U]=$(measure env LC_ALL=C ugrep -rn -a -U -F "$sjis" "$dir")
        result[ugrep -rn -U -J1]=$(measure env LC_ALL=C ugrep -rn -a -U -J1 -F "$sjis" "$dir")
        local ours=${result[nelvix-cli find]%% *}
        for tool in "nelvix-cli find" "LC_ALL=C grep -rn" "rg -E shift_jis" "rg -E shift_jis -j1" \
            "ugrep -rn -U" "ugrep -rn -U -J1"; do
            local wall cpu lines ratio
            read -r wall cpu lines <<< "${result[$tool]}"
            ratio=$(awk -v a="$ours" -v b="$wall" 'BEGIN { printf "%.2f", a / b }')
            echo "| $kind $utf8 | \`$tool\` | $wall | $cpu | $lines | $ratio |"
        done
    done
    echo
    echo "nelvix-cli peak RSS (KiB), frequent pattern: $(peak_rss "$cli" find "${patterns[frequent]}" "$dir")"
}

declare -A patterns=([frequent]=検索 [rare]=整合性検査 [absent]=鰻丼特盛)
install_peers
make_corpus
# Read everything once, so that every tool finds the corpus in the page cache.
find "$corpus" -type f -print0 | xargs -0 cat > /dev/null
echo "runs per cell: $runs; $(nproc) cores; $("$cli" --help > /dev/null && echo "$cli")"
bench_part "Shift-JIS part" "$corpus/sjis"
bench_part "whole corpus (the peers do not decode its EUC-JP and JIS files)" "$corpus"
