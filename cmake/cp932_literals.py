#!/usr/bin/env python3
"""Compiler launcher for clang trees: clang has no -fexec-charset, so a source
whose narrow string or character literals hold non-ASCII text is compiled
from a copy in which those characters are octal escapes of their code page
932 bytes. The program then holds the bytes g++ -fexec-charset=CP932 gives.
Comments, u8/u/U/L literals and ASCII are left as they are; a #line directive
keeps names and lines of the original in diagnostics and debug information.

A unity source (a batch of sources CMake compiles as one) is compiled from a
copy that includes converted copies of its sources where they need them.

Usage (CMAKE_CXX_COMPILER_LAUNCHER): cp932_literals.py COPY_DIR COMPILER ARGS...
"""
import hashlib
import os
import re
import sys

SOURCE_SUFFIXES = (".c", ".cc", ".cpp", ".cxx")
UNITY_INCLUDE = re.compile(r'^#include "(/[^"]+)"\s*$')
PREFIXES = {"u8", "u", "U", "L", "R", "u8R", "uR", "UR", "LR"}


def escaped(text):
    return "".join("\\%03o" % byte for byte in text.encode("cp932"))


def convert(source):
    """The source with every non-ASCII character of a narrow literal escaped."""
    out = []
    i = 0
    n = len(source)
    while i < n:
        c = source[i]
        if source.startswith("//", i):
            end = source.find("\n", i)
            end = n if end < 0 else end
            out.append(source[i:end])
            i = end
        elif source.startswith("/*", i):
            end = source.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(source[i:end])
            i = end
        elif c == "'" and out and out[-1][:1].isdigit():
            out.append(c)  # a digit separator (1'000)
            i += 1
        elif c in "\"'":
            # The prefix decides: u8, u, U and L literals keep their own
            # encoding; R makes a raw string.
            prefix = out[-1] if out and out[-1] in PREFIXES else ""
            narrow = not any(letter in prefix for letter in "uUL")
            if "R" in prefix and c == '"':
                open_paren = source.index("(", i)
                delimiter = ")" + source[i + 1:open_paren] + '"'
                end = source.index(delimiter, open_paren) + len(delimiter)
                body = source[i:end]
                if narrow and any(ord(ch) > 127 for ch in body):
                    raise ValueError("non-ASCII text in a raw string literal")
                out.append(body)
                i = end
                continue
            k = i + 1
            literal = [c]
            while k < n and source[k] != c:
                if source[k] == "\\":
                    literal.append(source[k:k + 2])
                    k += 2
                    continue
                ch = source[k]
                literal.append(escaped(ch) if narrow and ord(ch) > 127 else ch)
                k += 1
            literal.append(c)
            out.append("".join(literal))
            i = k + 1
        else:
            # Identifiers and numbers go whole, so a prefix is looked at only
            # when it stands right before the quote.
            k = i
            while k < n and (source[k].isalnum() or source[k] == "_"):
                k += 1
            if k == i:
                k = i + 1
            out.append(source[i:k])
            i = k
    return "".join(out)


def converted_copy(path, copy_dir):
    """A converted copy of the source at path, or None when it is all ASCII."""
    with open(path, "rb") as f:
        raw = f.read()
    if all(byte < 128 for byte in raw):
        return None
    text = convert(raw.decode("utf-8"))
    name = hashlib.sha1(path.encode()).hexdigest()[:12] + "-" + os.path.basename(path)
    os.makedirs(copy_dir, exist_ok=True)
    copy = os.path.join(copy_dir, name)
    with open(copy, "w", encoding="utf-8", newline="") as f:
        f.write('#line 1 "%s"\n' % path)
        f.write(text)
    return copy


def converted_unity(path, copy_dir, folders):
    """A unity source (CMake's batch of #include "/abs/source.cpp" lines) whose
    sources with such literals are included from converted copies, or None."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    changed = False
    for index, line in enumerate(lines):
        match = UNITY_INCLUDE.match(line)
        if not match:
            continue
        copy = converted_copy(match.group(1), copy_dir)
        if copy is not None:
            lines[index] = '#include "%s"' % copy
            folders.append(os.path.dirname(match.group(1)))
            changed = True
    if not changed:
        return None
    name = hashlib.sha1(path.encode()).hexdigest()[:12] + "-" + os.path.basename(path)
    copy = os.path.join(copy_dir, name)
    with open(copy, "w", encoding="utf-8", newline="") as f:
        f.write("\n".join(lines))
    return copy


def main():
    copy_dir, command = sys.argv[1], sys.argv[2:]
    for index in range(len(command) - 1):
        if command[index] != "-c" or not command[index + 1].endswith(SOURCE_SUFFIXES):
            continue
        path = os.path.abspath(command[index + 1])
        folders = [os.path.dirname(path)]
        if os.path.basename(path).startswith("unity_"):
            copy = converted_unity(path, copy_dir, folders)
        else:
            copy = converted_copy(path, copy_dir)
        if copy is None:
            break
        # Quoted includes are looked for beside the originals.
        quoted = [arg for folder in folders for arg in ("-iquote", folder)]
        command = command[:index] + quoted + ["-c", copy] + command[index + 2:]
        break
    os.execvp(command[0], command)


if __name__ == "__main__":
    main()
