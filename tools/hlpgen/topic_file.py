"""The |TOPIC internal file: topic headers and paragraph records in 4 KiB blocks.

Records (TOPICLINKs) form one stream that is cut into blocks of 4084 bytes,
each behind a 12-byte block header; a record may run on into the next block.
A record's TOPICPOS is block * 0x4000 + 12 + its offset in the block. Its
TOPICOFFSET, by which the other internal files name topics, is
block * 0x8000 + the text bytes of the paragraph records that begin earlier
in the same block.
"""

import struct
from dataclasses import dataclass, field
from typing import List, Optional

from help_source import context_hash

BLOCK_SIZE = 4096
BLOCK_HEADER = 12
BLOCK_DATA = BLOCK_SIZE - BLOCK_HEADER
RECORD_HEADER = 21
TOPIC_HEADER = 0x02
TEXT = 0x20
NONE = 0xFFFFFFFF

# Font descriptors (see font_file): body, bold body, heading, topic title.
FONT_BODY, FONT_BOLD, FONT_HEADING, FONT_TITLE = range(4)
FONT_HALF_POINTS = (20, 20, 24, 28)
# Paragraph metrics are in half points. The tab and indent stops leave room
# to spare because some viewers (Wine's) draw them a quarter short.
HALF_WIDTH_HALF_POINTS = 10  # one single-byte character of the 10-point face
COLUMN_GAP = 2  # single-byte characters between table columns
STOP_SCALE = 4 / 3
BULLET = "・"
# Item text follows the bullet directly: a tab would make viewers that wrap
# only at spaces move the whole (space-free, Japanese) text to the next line.
ITEM_INDENT = round(len(BULLET.encode("cp932")) * HALF_WIDTH_HALF_POINTS * STOP_SCALE)


def compressed_unsigned_short(value):
    if value < 0x80:
        return bytes([value * 2])
    return struct.pack("<H", value * 2 + 1)


def compressed_signed_short(value):
    if -0x40 <= value < 0x40:
        return compressed_unsigned_short(value + 0x40)
    return compressed_unsigned_short(value + 0x4000)


def compressed_signed_long(value):
    if -0x4000 <= value < 0x4000:
        return struct.pack("<H", (value + 0x4000) * 2)
    return struct.pack("<I", (value + 0x4000000) * 2 + 1)


@dataclass
class ParagraphFormat:
    space_above: int = 0
    space_below: int = 0
    left_indent: int = 0
    first_line_indent: int = 0
    tab_stops: List[int] = field(default_factory=list)

    def encode(self):
        bits, values = 0, b""
        for bit, value in ((0x0002, self.space_above), (0x0004, self.space_below),
                           (0x0010, self.left_indent), (0x0040, self.first_line_indent)):
            if value:
                bits |= bit
                values += compressed_signed_short(value)
        if self.tab_stops:
            bits |= 0x0200
            values += compressed_signed_short(len(self.tab_stops))
            for stop in self.tab_stops:
                if not 0 < stop < 0x4000:
                    raise ValueError(f"tab stop {stop} out of range")
                values += compressed_unsigned_short(stop)
        # Two bytes of unknown meaning that compilers write as 0x00 0x80, and
        # a paragraph id of 0.
        return b"\x00\x80" + struct.pack("<HH", 0, bits) + values


class Paragraph:
    """One text record: strings in LinkData2, and in LinkData1 one command
    after each string."""

    def __init__(self, paragraph_format):
        self.format = paragraph_format
        self.commands = bytearray()
        self.text = bytearray()

    def add_text(self, data):
        self.text += data

    def command(self, data):
        self.text.append(0)
        self.commands += data

    def font(self, number):
        self.command(b"\x80" + struct.pack("<H", number))

    def tab(self):
        self.command(b"\x83")

    def link(self, kind, context, text):
        command = 0xE2 if kind == "popup" else 0xE3
        self.command(bytes([command]) + struct.pack("<I", context_hash(context)))
        self.add_text(text)
        self.command(b"\x89")

    def record(self):
        self.command(b"\x82")  # end of paragraph
        self.command(b"\xff")  # end of character formatting
        body = self.format.encode() + bytes(self.commands)
        data1 = compressed_signed_long(len(body)) + compressed_unsigned_short(len(self.text)) + body
        return Record(TEXT, data1, bytes(self.text))


@dataclass
class Record:
    kind: int
    data1: bytes
    data2: bytes
    topic: Optional[object] = None  # the topic a header record starts
    line: int = 0
    position: int = 0  # offset in the record stream
    topic_pos: int = 0
    topic_offset: int = 0

    @property
    def size(self):
        return RECORD_HEADER + len(self.data1) + len(self.data2)


def _encode(text):
    return text.encode("cp932")


def _add_spans(paragraph, spans, base_font):
    for span in spans:
        if span.link:
            paragraph.link(span.link[0], span.link[1], _encode(span.text))
        elif span.bold and base_font == FONT_BODY:
            paragraph.font(FONT_BOLD)
            paragraph.add_text(_encode(span.text))
            paragraph.font(FONT_BODY)
        else:
            paragraph.add_text(_encode(span.text))


def _plain_length(spans):
    return sum(len(_encode(span.text)) for span in spans)


def _table_stops(rows):
    """Left tab stops that clear the widest cell of every column but the last."""
    stops, position = [], 0
    columns = max(len(row.cells) for row in rows)
    for column in range(columns - 1):
        width = max((_plain_length(row.cells[column]) for row in rows if column < len(row.cells)),
                    default=0)
        position += round((width + COLUMN_GAP) * HALF_WIDTH_HALF_POINTS * STOP_SCALE)
        stops.append(position)
    return stops


def _paragraphs(topic):
    """The text records of one topic, its title first."""
    title = Paragraph(ParagraphFormat(space_below=12))
    title.font(FONT_TITLE)
    title.add_text(_encode(topic.title))
    records = [(title, topic.line)]
    blocks = topic.blocks
    at = 0
    while at < len(blocks):
        block = blocks[at]
        if block.kind == "row":
            rows = [block]
            while at + 1 < len(blocks) and blocks[at + 1].kind == "row":
                at += 1
                rows.append(blocks[at])
            stops = _table_stops(rows)
            for row in rows:
                paragraph = Paragraph(ParagraphFormat(space_below=2, tab_stops=stops))
                paragraph.font(FONT_BODY)
                for column, cell in enumerate(row.cells):
                    if column:
                        paragraph.tab()
                    _add_spans(paragraph, cell, FONT_BODY)
                records.append((paragraph, row.line))
        elif block.kind == "heading":
            paragraph = Paragraph(ParagraphFormat(space_above=20, space_below=6))
            paragraph.font(FONT_HEADING)
            _add_spans(paragraph, block.cells[0], FONT_HEADING)
            records.append((paragraph, block.line))
        elif block.kind == "item":
            paragraph = Paragraph(ParagraphFormat(space_below=4, left_indent=ITEM_INDENT,
                                                  first_line_indent=-ITEM_INDENT))
            paragraph.font(FONT_BODY)
            paragraph.add_text(_encode(BULLET))
            _add_spans(paragraph, block.cells[0], FONT_BODY)
            records.append((paragraph, block.line))
        else:
            paragraph = Paragraph(ParagraphFormat(space_below=12))
            paragraph.font(FONT_BODY)
            _add_spans(paragraph, block.cells[0], FONT_BODY)
            records.append((paragraph, block.line))
        at += 1
    result = []
    for paragraph, line in records:
        record = paragraph.record()
        record.line = line
        result.append(record)
    return result


@dataclass
class TopicFile:
    data: bytes
    topic_offsets: dict  # context name -> TOPICOFFSET of its topic header


class TopicTooLong(Exception):
    def __init__(self, line):
        super().__init__(f"paragraph is longer than a topic block ({BLOCK_DATA} bytes)")
        self.line = line


def _topic_header(records, first, number):
    """LinkData1 of a topic header: size, browse links, number, region starts, next topic."""
    end = first + 1
    while end < len(records) and records[end].kind != TOPIC_HEADER:
        end += 1
    texts = records[first + 1:end]
    size = sum(r.size for r in records[first:end])
    scroll = texts[0].topic_pos if texts else NONE
    following = records[end].topic_pos if end < len(records) else NONE
    # No browse sequence and no non-scrolling region.
    return struct.pack("<IIIIIII", size, NONE, NONE, number, NONE, scroll, following)


def build_topic_file(source):
    records = []
    for topic in source.topics:
        records.append(Record(TOPIC_HEADER, bytes(28), _encode(topic.title), topic, topic.line))
        records.extend(_paragraphs(topic))
    # Viewers expect one last topic header that holds no topic.
    records.append(Record(TOPIC_HEADER, bytes(28), b""))

    position, block, characters = 0, -1, 0
    for record in records:
        if record.size > BLOCK_DATA:
            raise TopicTooLong(record.line)
        record.position = position
        start_block, offset = divmod(position, BLOCK_DATA)
        if start_block != block:
            block, characters = start_block, 0
        record.topic_pos = block * 0x4000 + BLOCK_HEADER + offset
        record.topic_offset = block * 0x8000 + characters
        if record.kind == TEXT:
            characters += len(record.data2)
        position += record.size

    number = 0
    for index, record in enumerate(records):
        if record.kind == TOPIC_HEADER:
            record.data1 = _topic_header(records, index, number)
            number += 1

    stream = bytearray()
    for index, record in enumerate(records):
        previous = records[index - 1].topic_pos if index else NONE
        following = records[index + 1].topic_pos if index + 1 < len(records) else NONE
        stream += struct.pack("<IIIIIB", record.size, len(record.data2), previous, following,
                              RECORD_HEADER + len(record.data1), record.kind)
        stream += record.data1 + record.data2

    blocks = (len(stream) + BLOCK_DATA - 1) // BLOCK_DATA
    # The last block is filled up too: some viewers copy whole blocks.
    stream += bytes(blocks * BLOCK_DATA - len(stream))
    data = bytearray()
    for block in range(blocks):
        begin = block * BLOCK_DATA
        before = [r for r in records if r.position < begin]
        starting = [r for r in records if begin <= r.position < begin + BLOCK_DATA]
        headers = [r for r in before if r.kind == TOPIC_HEADER]
        data += struct.pack("<III", before[-1].topic_pos if before else NONE,
                            starting[0].topic_pos if starting else NONE,
                            headers[-1].topic_pos if headers else NONE)
        data += stream[begin:begin + BLOCK_DATA]

    offsets = {r.topic.context: r.topic_offset for r in records if r.topic is not None}
    return TopicFile(bytes(data), offsets)
