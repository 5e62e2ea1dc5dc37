"""Assembles a WinHelp 4.0 file from the help source.

The file is a small file system: a 16-byte header, the internal files each
behind a 9-byte header, and a directory B+ tree that maps their names
(sorted by byte value) to their offsets.
"""

import struct

from btree import Entry, build_btree
from help_source import MAX_FACE_BYTES, context_hash
from topic_file import FONT_HALF_POINTS, build_topic_file

FILE_MAGIC = 0x00035F3F
SYSTEM_MAGIC = 0x036C
FORMAT_MINOR_40 = 33  # WinHelp 4.0; with flags 0 the topic blocks are 4 KiB, uncompressed
SHIFTJIS_CHARSET = 128
LCID_JAPANESE = 0x0411
FAMILY_MODERN = 0x01
BOLD = 0x01
FACE_NAME_SIZE = MAX_FACE_BYTES
DIALOG_FONT_POINTS = 9


def _cstr(text):
    return text.encode("cp932") + b"\0"


def _system_record(kind, data):
    return struct.pack("<HH", kind, len(data)) + data


def system_file(source, topic_offsets, generated):
    data = struct.pack("<HHHIH", SYSTEM_MAGIC, FORMAT_MINOR_40, 1, generated, 0)
    data += _system_record(1, _cstr(source.title))
    if source.copyright:
        data += _system_record(2, _cstr(source.copyright))
    data += _system_record(3, struct.pack("<I", topic_offsets[source.contents]))
    # Sort and compare flags (none), then the locale.
    data += _system_record(9, struct.pack("<HHHHH", 0, 0, 0, 0, LCID_JAPANESE))
    data += _system_record(11, struct.pack("<H", SHIFTJIS_CHARSET))
    # Face of the viewer's own dialogs (search, index).
    data += _system_record(12, bytes([DIALOG_FONT_POINTS, SHIFTJIS_CHARSET]) + _cstr(source.font))
    return data


def font_file(source):
    face = source.font.encode("cp932")
    if len(face) >= FACE_NAME_SIZE:
        raise ValueError("font face name is too long")
    descriptors = b""
    for number, half_points in enumerate(FONT_HALF_POINTS):
        attributes = 0 if number == 0 else BOLD
        # Attributes, size, family, face index, foreground and (unused) background RGB.
        descriptors += struct.pack("<BBBH3s3s", attributes, half_points, FAMILY_MODERN, 0,
                                   bytes(3), bytes(3))
    header = struct.pack("<HHHH", 1, len(FONT_HALF_POINTS), 8, 8 + FACE_NAME_SIZE)
    return header + face.ljust(FACE_NAME_SIZE, b"\0") + descriptors


def _signed(value):
    return value - (1 << 32) if value & 0x80000000 else value


def context_file(source, topic_offsets):
    topics = sorted(source.topics, key=lambda t: _signed(context_hash(t.context)))
    entries = [Entry(struct.pack("<I", context_hash(t.context)),
                     struct.pack("<II", context_hash(t.context), topic_offsets[t.context]))
               for t in topics]
    return build_btree(entries, 0x800, 0x0002, "L4").data


def map_file(source, topic_offsets):
    topics = sorted(source.topics, key=lambda t: t.number)
    return struct.pack("<H", len(topics)) + b"".join(
        struct.pack("<II", t.number, topic_offsets[t.context]) for t in topics)


def title_file(source, topic_offsets):
    topics = sorted(source.topics, key=lambda t: topic_offsets[t.context])
    entries = [Entry(struct.pack("<I", topic_offsets[t.context]),
                     struct.pack("<I", topic_offsets[t.context]) + _cstr(t.title))
               for t in topics]
    return build_btree(entries, 0x800, 0x0002, "Lz").data


_ASCII_UPPER = str.maketrans("abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ")


def _keyword_order(word):
    # Single-byte letters compare without case; everything else by code.
    return word.translate(_ASCII_UPPER).encode("cp932"), word.encode("cp932")


def keyword_files(source, topic_offsets):
    """|KWBTREE (keyword -> count and place in |KWDATA), |KWDATA (topic
    offsets) and |KWMAP (first keyword number of every leaf page)."""
    topics_of = {}
    for topic in source.topics:
        for word in topic.keywords:
            places = topics_of.setdefault(word, [])
            if topic_offsets[topic.context] not in places:
                places.append(topic_offsets[topic.context])
    data, entries = b"", []
    for word in sorted(topics_of, key=_keyword_order):
        places = topics_of[word]
        entries.append(Entry(_cstr(word), _cstr(word) + struct.pack("<HI", len(places), len(data))))
        data += b"".join(struct.pack("<I", place) for place in places)
    tree = build_btree(entries, 0x800, 0x0002, "F24")
    keyword_map = struct.pack("<H", len(tree.leaf_pages)) + b"".join(
        struct.pack("<IH", first, page) for first, page in tree.leaf_pages)
    return tree.data, data, keyword_map


def _internal_file(data):
    # Reserved size (header included), used size, flags.
    return struct.pack("<IIB", len(data) + 9, len(data), 0) + data


def build_help_file(source, generated=0):
    topics = build_topic_file(source)
    offsets = topics.topic_offsets
    files = {
        "|SYSTEM": system_file(source, offsets, generated),
        "|TOPIC": topics.data,
        "|FONT": font_file(source),
        "|CONTEXT": context_file(source, offsets),
        "|CTXOMAP": map_file(source, offsets),
        "|TTLBTREE": title_file(source, offsets),
    }
    if any(t.keywords for t in source.topics):
        files["|KWBTREE"], files["|KWDATA"], files["|KWMAP"] = keyword_files(source, offsets)

    body, places = b"", {}
    for name in sorted(files, key=lambda n: n.encode("ascii")):
        places[name] = 16 + len(body)
        body += _internal_file(files[name])
    entries = [Entry(name.encode("ascii") + b"\0",
                     name.encode("ascii") + b"\0" + struct.pack("<I", places[name]))
               for name in sorted(files, key=lambda n: n.encode("ascii"))]
    directory = _internal_file(build_btree(entries, 0x400, 0x0402, "z4").data)
    directory_start = 16 + len(body)
    total = directory_start + len(directory)
    return struct.pack("<IIiI", FILE_MAGIC, directory_start, -1, total) + body + directory
