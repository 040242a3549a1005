#!/usr/bin/env python3
"""Writes the deterministic corpus of bench/find_vs_grep.sh: a tree shaped like a real collection.

    make_corpus.py OUTDIR [--megabytes 200] [--seed 1]

By bytes about 40 % EUC-JP texts (mostly LF), 30 % ASCII C and C++ sources (LF) and 30 %
Shift-JIS texts (CR LF and LF). Most folders hold one or two files in a deep tree of several
thousand folders (OUTDIR/tree); a few folders hold hundreds of files each (OUTDIR/bulk). Every
file is built from fixed word lists with a fixed seed, so the same arguments always give the
same bytes.

Three words are planted for the benchmark's patterns:
  FREQUENT  in about one Japanese line of 14,
  RARE      in one line of about one Japanese file of 150,
  ABSENT    nowhere (the script checks that no line holds it).
"""

import argparse
import os
import random
import sys

FREQUENT = "検索"
RARE = "整合性検査"
ABSENT = "鰻丼特盛"

# Only JIS X 0208 characters, so that every line has the same text in all three encodings.
NOUNS = (
    "会議 資料 報告書 予算 計画 顧客 製品 在庫 出荷 請求書 契約 担当者 部長 課長 社員 営業 "
    "開発 品質 試験 設計 仕様 要件 障害 対応 手順 設定 環境 サーバー データベース ネットワーク "
    "ファイル フォルダ バックアップ ログ 文字列 文字コード 変換 処理 結果 一覧 日程 場所 "
    "東京 大阪 名古屋 札幌 福岡 本社 支店 工場 倉庫 店舗 研究所 図書館 病院 学校 駅 空港 "
    "天気 季節 春 夏 秋 冬 朝 昼 夜 週末 来週 先月 今年 昨年 記録 写真 地図 時刻表"
).split()
VERBS = (
    "確認しました 送付します 作成しました 変更しました 完了しました 開始します 中止しました "
    "検討しています 予定しています 共有します 報告します 調査中です 修正しました 追加しました "
    "削除しました 保存しました 読み込めません 見つかりません 待っています 準備しています"
).split()
PARTICLES = "は が を に で と の へ も から まで より".split()
ADVERBS = "まず 次に また さらに ただし なお 念のため 至急 明日 本日 後ほど 引き続き".split()
ASCII_WORDS = (
    "server client request response timeout error warning info debug user admin config "
    "backup restore index search query cache buffer thread process memory disk network "
    "file path line count total value status ok failed retry"
).split()
LEVELS = ["INFO", "WARN", "ERROR", "DEBUG"]
C_TYPES = ["int", "long", "char *", "size_t", "unsigned", "double"]


def sentence(rng):
    parts = []
    if rng.random() < 0.3:
        parts.append(rng.choice(ADVERBS) + "、")
    for _ in range(rng.randint(1, 3)):
        parts.append(rng.choice(NOUNS) + rng.choice(PARTICLES))
    if rng.random() < 1 / 12:
        parts.append(FREQUENT + "の")
    parts.append(rng.choice(NOUNS) + "を" + rng.choice(VERBS))
    return "".join(parts) + rng.choice(["。", "。", "。", "！", "？"])


def prose_line(rng):
    return "".join(sentence(rng) for _ in range(rng.randint(1, 3)))


def log_line(rng):
    stamp = "2026-%02d-%02d %02d:%02d:%02d" % (
        rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23),
        rng.randint(0, 59), rng.randint(0, 59))
    words = " ".join(rng.choice(ASCII_WORDS) for _ in range(rng.randint(1, 4)))
    text = rng.choice(NOUNS) + "の" + rng.choice(VERBS)
    return "%s [%s] %s: %s (%d ms)" % (stamp, rng.choice(LEVELS), words, text,
                                        rng.randint(1, 9999))


def code_line(rng):
    kind = rng.random()
    name = rng.choice(ASCII_WORDS) + "_" + rng.choice(ASCII_WORDS)
    if kind < 0.4:
        return "    %s %s = %d;  // %s" % (rng.choice(C_TYPES), name, rng.randint(0, 999),
                                         rng.choice(NOUNS) + "の" + rng.choice(NOUNS))
    if kind < 0.7:
        return "    if (%s > %d) {  /* %s */" % (name, rng.randint(0, 99), sentence(rng))
    return "    return %s(%s);" % (name, rng.choice(ASCII_WORDS))


def table_line(rng):
    cells = [rng.choice(NOUNS), str(rng.randint(1, 99999)), rng.choice(NOUNS),
             "%d.%02d" % (rng.randint(0, 999), rng.randint(0, 99))]
    return "\t".join(cells)


def make_pool(rng, size):
    makers = [prose_line] * 5 + [log_line] * 3 + [code_line] * 2 + [table_line]
    pool = []
    for _ in range(size):
        pool.append("" if rng.random() < 0.05 else rng.choice(makers)(rng))
    for line in pool:
        assert ABSENT not in line and RARE not in line
    return pool


# Each kind: (share of the bytes, Python codec, line ends to pick from, file extensions).
KINDS = {
    "euc": (0.40, "euc_jp", [b"\n"] * 9 + [b"\r\n"], [".txt", ".log", ".html"]),
    "src": (0.30, "ascii", [b"\n"], [".c", ".cpp", ".h"]),
    "sjis": (0.30, "cp932", [b"\r\n", b"\n"], [".txt", ".log", ".csv"]),
}
TREE_FOLDERS = (40, 12, 10)  # three levels below OUTDIR/tree: 4,800 leaves
BULK_FOLDERS = 5
BULK_FILES = 300  # files in each bulk folder


def ascii_code_line(rng):
    kind = rng.random()
    name = rng.choice(ASCII_WORDS) + "_" + rng.choice(ASCII_WORDS)
    if kind < 0.3:
        return "    %s %s = %d;  // %s %s" % (rng.choice(C_TYPES), name, rng.randint(0, 999),
                                            rng.choice(ASCII_WORDS), rng.choice(ASCII_WORDS))
    if kind < 0.5:
        return "    if (%s > %d) {" % (name, rng.randint(0, 99))
    if kind < 0.65:
        return "        log_%s(\"%s %s\", %s);" % (rng.choice(LEVELS).lower(), rng.choice(ASCII_WORDS),
                                                rng.choice(ASCII_WORDS), name)
    if kind < 0.8:
        return "    }"
    if kind < 0.9:
        return "static %s %s(%s arg)" % (rng.choice(C_TYPES), name, rng.choice(C_TYPES))
    return ""


def encoded_pool(rng, codec, line_ends, size):
    if codec == "ascii":
        lines = [ascii_code_line(rng) for _ in range(size)]
    else:
        lines = make_pool(rng, size)
    return [[line.encode(codec) + end for line in lines] for end in line_ends]


def file_sizes(rng, count, total_bytes):
    raw = [min(rng.lognormvariate(9.4, 1.2), 3_000_000) + 300 for _ in range(count)]
    scale = total_bytes / sum(raw)
    return [int(size * scale) for size in raw]


def folders(outdir):
    """Leaves of the deep tree (one or two files each), then the bulk folders."""
    a, b, c = TREE_FOLDERS
    for i in range(a):
        for j in range(b):
            for k in range(c):
                yield os.path.join(outdir, "tree", "p%02d" % i, "m%02d" % j, "d%02d" % k), None
    for i in range(BULK_FOLDERS):
        yield os.path.join(outdir, "bulk", "b%d" % i), BULK_FILES


def file_plan(rng, outdir):
    plan = []
    for folder, count in folders(outdir):
        for index in range(count if count else rng.choice([1, 1, 1, 2, 2])):
            plan.append((folder, index))
    return plan


def choose_kind(rng):
    pick = rng.random()
    for kind, (share, _, _, _) in KINDS.items():
        if pick < share:
            return kind
        pick -= share
    return kind


def write_file(path, lines, size, rng, plant_rare, codec, line_end):
    chunks = []
    written = 0
    while written < size:
        line = lines[rng.randrange(len(lines))]
        chunks.append(line)
        written += len(line)
    if plant_rare:
        text = "%sの結果を%s" % (RARE, rng.choice(VERBS))
        chunks.insert(rng.randrange(len(chunks) + 1), text.encode(codec) + line_end)
    with open(path, "wb") as out:
        out.write(b"".join(chunks))
    return written


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir")
    parser.add_argument("--megabytes", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    pools = {kind: encoded_pool(rng, codec, ends, 20_000)
             for kind, (_, codec, ends, _) in KINDS.items()}
    plan = file_plan(rng, args.outdir)
    sizes = file_sizes(rng, len(plan), args.megabytes * 1_000_000)
    total = 0
    made = set()
    for (folder, index), size in zip(plan, sizes):
        kind = choose_kind(rng)
        _, codec, ends, extensions = KINDS[kind]
        if folder not in made:
            os.makedirs(folder, exist_ok=True)
            made.add(folder)
        end_index = rng.randrange(len(ends))
        path = os.path.join(folder, "f%03d%s" % (index, rng.choice(extensions)))
        plant = kind != "src" and rng.random() < 1 / 150
        total += write_file(path, pools[kind][end_index], size, rng, plant, codec,
                            ends[end_index])
    print("corpus: %d files in %d folders, %.1f MB in %s" % (len(plan), len(made), total / 1e6,
                                                             args.outdir), file=sys.stderr)


if __name__ == "__main__":
    main()
