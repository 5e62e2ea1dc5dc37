#!/usr/bin/env python3
"""Writes a help source large enough that every tree needs index pages and
topic records run across block boundaries. Topic i's texts carry i, so a
reader can tell whether each page came back whole.

Usage: make_large_source.py OUTPUT
"""

import sys

TOPICS = 400


def topic(i):
    lines = [f"@topic {20000 + i} topic_{i}", f"@title 項目{i}の説明",
             f"@keywords 語{i % 300:03d}, 共通, Word{i % 7}", "",
             f"## 第{i}節"]
    sentences = (f"これは項目{i}の本文、{n}番目の文です。"
                 for n in range(1 + i % 9))
    lines.append("".join(sentences))
    lines.append("")
    lines.append(f"- 箇条書き{i}、[次の項目へ](jump:topic_{(i + 1) % TOPICS})")
    lines.append(f"| キー{i} | 働き{i} |")
    lines.append(f"| Ctrl＋{i % 10} | [ポップアップ](popup:topic_{(i * 7) % TOPICS}) |")
    lines.append(f"終わり{i}。")
    return "\n".join(lines) + "\n\n"


def main(path):
    with open(path, "w", encoding="utf-8") as stream:
        stream.write("@title 大きなヘルプ\n@font ＭＳ Ｐゴシック\n")
        stream.write("@contents topic_1\n\n")
        for i in range(TOPICS):
            stream.write(topic(i))


if __name__ == "__main__":
    main(sys.argv[1])
