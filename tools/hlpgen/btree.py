"""B+ trees as WinHelp stores them: a 38-byte header, then fixed-size pages.

Leaf pages hold the entries in key order and are chained both ways; index
pages above them name the first key of each child page, so that a reader
walks down from the root page to the one leaf that can hold a key.
"""

import struct
from dataclasses import dataclass
from typing import List

MAGIC = 0x293B
LEAF_HEADER = 8  # unused bytes, entries, previous page, next page
INDEX_HEADER = 6  # unused bytes, entries, first child page


@dataclass
class Entry:
    index_key: bytes  # the key as index pages repeat it
    leaf: bytes  # the whole leaf entry (key and data)


@dataclass
class BTree:
    data: bytes
    leaf_pages: List[tuple]  # (number of entries before the page, page number)


def _pack_leaves(entries, page_size):
    pages, current, used = [], [], LEAF_HEADER
    for entry in entries:
        if LEAF_HEADER + len(entry.leaf) > page_size:
            raise ValueError("an entry does not fit into a B-tree page")
        if current and used + len(entry.leaf) > page_size:
            pages.append(current)
            current, used = [], LEAF_HEADER
        current.append(entry)
        used += len(entry.leaf)
    pages.append(current)
    return pages


def build_btree(entries, page_size, flags, structure):
    """Entries must already be in the order the tree's readers compare keys."""
    pages = []  # page images in page-number order
    leaves = _pack_leaves(entries, page_size)
    leaf_pages, before = [], 0
    for number, page_entries in enumerate(leaves):
        body = b"".join(e.leaf for e in page_entries)
        previous = number - 1 if number > 0 else 0xFFFF
        following = number + 1 if number + 1 < len(leaves) else 0xFFFF
        header = struct.pack("<HhHH", page_size - LEAF_HEADER - len(body), len(page_entries),
                             previous, following)
        pages.append(header + body)
        leaf_pages.append((before, number))
        before += len(page_entries)

    # Each level above names its children by their first key.
    level = [(number, page[0].index_key if page else b"") for number, page in enumerate(leaves)]
    levels = 1
    while len(level) > 1:
        levels += 1
        parents, at = [], 0
        while at < len(level):
            first_child, first_key = level[at]
            body, count, at = b"", 0, at + 1
            while at < len(level):
                child, key = level[at]
                item = key + struct.pack("<H", child)
                if INDEX_HEADER + len(body) + len(item) > page_size:
                    break
                body, count, at = body + item, count + 1, at + 1
            header = struct.pack("<HhH", page_size - INDEX_HEADER - len(body), count, first_child)
            parents.append((len(pages), first_key))
            pages.append(header + body)
        level = parents

    image = b"".join(page.ljust(page_size, b"\0") for page in pages)
    header = struct.pack("<HHH16shhhhhhi", MAGIC, flags, page_size, structure.encode("ascii"), 0,
                         len(pages) - levels, len(pages) - 1, -1, len(pages), levels, len(entries))
    return BTree(header + image, leaf_pages)
