"""Reads the help source: UTF-8 text in a small line-oriented markup.

Header (before the first topic):
    @title <text>          help file title
    @font <face>           face name used for all text
    @copyright <text>      optional
    @contents <context>    topic of HELP_CONTENTS / HELP_FINDER (default: the first)
Topic:
    @topic <number> <context>
    @title <text>
    @keywords <word>, <word>, ...     (may repeat)
Body (blank lines end a block):
    ## heading
    - list item
    | cell | cell |        table row; consecutive rows share column stops
    other text             paragraph; a plain line continues the paragraph or item above
Inline: **bold**, [text](jump:context), [text](popup:context).
Lines starting with ';' are comments.

Every fault is reported as HelpSourceError with the line it was found on.
"""

import re
from dataclasses import dataclass, field
from typing import List, Optional, Tuple

CONTEXT_NAME = re.compile(r"[A-Za-z0-9_.]+\Z")
INLINE = re.compile(r"\*\*(?P<bold>.+?)\*\*"
                    r"|\[(?P<text>[^\]]+)\]\((?P<kind>jump|popup):(?P<target>[^)]*)\)")
# WinHelp keeps keywords and titles in 255-byte buffers.
MAX_TEXT_BYTES = 255
MAX_FACE_BYTES = 32  # with its NUL, as |FONT stores face names


class HelpSourceError(Exception):
    """A fault in the source; line is None when it concerns the whole file."""

    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: {message}" if line else f"{path}: {message}")


@dataclass
class Span:
    text: str
    bold: bool = False
    link: Optional[Tuple[str, str]] = None  # ("jump" | "popup", context name)


@dataclass
class Block:
    kind: str  # "heading", "paragraph", "item", "row"
    raw: List[str]  # source text of each cell (one cell unless a table row)
    line: int
    cells: List[List[Span]] = field(default_factory=list)


@dataclass
class Topic:
    number: int
    context: str
    line: int
    title: str = ""
    keywords: List[str] = field(default_factory=list)
    blocks: List[Block] = field(default_factory=list)


@dataclass
class HelpSource:
    title: str = ""
    font: str = ""
    copyright: str = ""
    contents: str = ""
    topics: List[Topic] = field(default_factory=list)


def context_hash(name):
    """The 32-bit hash WinHelp files use to find topics by context name (letters fold case)."""
    value = 0
    for ch in name:
        if ch.isdigit():
            code = 10 if ch == "0" else ord(ch) - ord("0")
        elif ch == ".":
            code = 12
        elif ch == "_":
            code = 13
        else:
            code = 17 + ord(ch.upper()) - ord("A")
        value = (value * 43 + code) & 0xFFFFFFFF
    return value


_HERE = object()


class _Parser:
    def __init__(self, path):
        self.path = path
        self.source = HelpSource()
        self.topic = None
        self.block = None  # the block that continuation lines extend
        self.line = 0
        self.contents_line = None
        self.links = []  # (line, context) checked once every topic is known

    def fail(self, message, line=_HERE):
        raise HelpSourceError(self.path, self.line if line is _HERE else line, message)

    def encodable(self, text, what):
        try:
            data = text.encode("cp932")
        except UnicodeEncodeError as error:
            ch = text[error.start]
            self.fail(f"{what}: '{ch}' (U+{ord(ch):04X}) has no code page 932 form")
        if b"\0" in data:
            self.fail(f"{what}: NUL character")
        return data

    def short_text(self, text, what):
        if not text:
            self.fail(f"{what} is empty")
        if len(self.encodable(text, what)) > MAX_TEXT_BYTES:
            self.fail(f"{what} is longer than {MAX_TEXT_BYTES} bytes")
        return text

    def inline(self, text):
        spans = []
        at = 0
        for match in INLINE.finditer(text):
            spans.append(Span(text[at:match.start()]))
            if match.group("bold") is not None:
                spans.append(Span(match.group("bold"), bold=True))
            else:
                target = match.group("target")
                if not CONTEXT_NAME.match(target):
                    self.fail(f"link target '{target}' is not a context name")
                self.links.append((self.line, target))
                spans.append(Span(match.group("text"), link=(match.group("kind"), target)))
            at = match.end()
        spans.append(Span(text[at:]))
        spans = [span for span in spans if span.text]
        for span in spans:
            if "**" in span.text or "](" in span.text:
                self.fail("unbalanced '**' or malformed link")
            self.encodable(span.text, "text")
        return spans

    def directive(self, name, value):
        if name == "topic":
            parts = value.split()
            if len(parts) != 2 or not (parts[0].isascii() and parts[0].isdigit()):
                self.fail("expected '@topic <number> <context>'")
            number, context = int(parts[0]), parts[1]
            if not 0 < number <= 0x7FFFFFFF:
                self.fail(f"topic number {parts[0]} is out of range")
            if not CONTEXT_NAME.match(context):
                self.fail(f"context name '{context}' may hold only letters, digits, '_' and '.'")
            self.topic = Topic(number, context, self.line)
            self.source.topics.append(self.topic)
        elif name == "title":
            target = self.topic if self.topic else self.source
            if target.title:
                self.fail("second @title")
            target.title = self.short_text(value, "title")
        elif name == "keywords" and self.topic:
            for word in value.split(","):
                self.topic.keywords.append(self.short_text(word.strip(), "keyword"))
        elif name in ("font", "copyright", "contents") and not self.topic:
            if getattr(self.source, name):
                self.fail(f"second @{name}")
            setattr(self.source, name, self.short_text(value, name))
            if name == "contents":
                self.contents_line = self.line
            if name == "font" and len(value.encode("cp932")) >= MAX_FACE_BYTES:
                self.fail(f"font face name is longer than {MAX_FACE_BYTES - 1} bytes")
        else:
            self.fail(f"'@{name}' is not known here")

    def body(self, text):
        if self.topic is None:
            self.fail("text before the first @topic")
        if text.startswith("## "):
            self.add_block("heading", [text[3:].strip()])
        elif text.startswith("- "):
            self.add_block("item", [text[2:].strip()])
        elif text.startswith("|"):
            if len(text) < 2 or not text.endswith("|"):
                self.fail("a table row starts and ends with '|'")
            self.add_block("row", [cell.strip() for cell in text[1:-1].split("|")])
        elif self.block is not None:
            self.block.raw[0] = join_lines(self.block.raw[0], text.strip())
        else:
            self.add_block("paragraph", [text.strip()])

    def add_block(self, kind, raw):
        block = Block(kind, raw, self.line)
        self.topic.blocks.append(block)
        # Only paragraphs and list items take continuation lines.
        self.block = block if kind in ("paragraph", "item") else None

    def parse(self, lines):
        for self.line, raw in enumerate(lines, start=1):
            text = raw.rstrip()
            if text.startswith(";"):
                continue
            if not text:
                self.block = None
                continue
            if text.startswith("@"):
                self.block = None
                name, _, value = text[1:].partition(" ")
                self.directive(name, value.strip())
            else:
                self.body(text)
        self.finish()
        return self.source

    def finish(self):
        source = self.source
        if not source.title:
            self.fail("missing @title for the help file", None)
        if not source.font:
            self.fail("missing @font", None)
        if not source.topics:
            self.fail("no @topic", None)
        numbers, hashes = {}, {}
        for topic in source.topics:
            if not topic.title:
                self.fail(f"topic '{topic.context}' has no @title", topic.line)
            if topic.number in numbers:
                self.fail(f"topic number {topic.number} is used twice (first on line "
                          f"{numbers[topic.number]})", topic.line)
            numbers[topic.number] = topic.line
            value = context_hash(topic.context)
            if value in hashes:
                self.fail(f"context '{topic.context}' is indistinguishable from "
                          f"'{hashes[value].context}'", topic.line)
            hashes[value] = topic
            for block in topic.blocks:
                self.line = block.line
                block.cells = [self.inline(cell) for cell in block.raw]
        for line, target in self.links:
            if context_hash(target) not in hashes or hashes[context_hash(target)].context != target:
                self.fail(f"link to unknown context '{target}'", line)
        if source.contents and not any(t.context == source.contents for t in source.topics):
            self.fail(f"@contents names unknown context '{source.contents}'", self.contents_line)
        source.contents = source.contents or source.topics[0].context


def join_lines(left, right):
    """Joins two source lines; only two ASCII words get a space between them."""
    if left and right and left[-1].isascii() and right[0].isascii():
        return left + " " + right
    return left + right


def read_help_source(path):
    try:
        with open(path, "rb") as stream:
            data = stream.read()
    except OSError as error:
        raise HelpSourceError(path, None, error.strerror) from None
    try:
        text = data.decode("utf-8-sig")
    except UnicodeDecodeError as error:
        line = data.count(b"\n", 0, error.start) + 1
        raise HelpSourceError(path, line, "not UTF-8 text") from None
    return _Parser(path).parse(text.splitlines())
