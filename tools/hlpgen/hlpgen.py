#!/usr/bin/env python3
"""Writes a WinHelp (.hlp) file from a help source in UTF-8 markup.

Usage: hlpgen.py SOURCE -o OUTPUT

Texts are stored in code page 932. On any fault the program prints one line
("hlpgen: file:line: message") and exits with status 1; the output file is
then neither created nor changed.
"""

import argparse
import os
import sys

from help_file import build_help_file
from help_source import HelpSourceError, read_help_source
from topic_file import TopicTooLong


def generation_time(source_path):
    # Reproducible builds pin the date; otherwise the source's own date.
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch and epoch.isdigit():
        return int(epoch) & 0xFFFFFFFF
    return int(os.stat(source_path).st_mtime) & 0xFFFFFFFF


def write_replacing(path, data):
    """Writes beside the target and replaces it only once every byte is on disk."""
    temporary = f"{path}.{os.getpid()}.tmp"
    try:
        with open(temporary, "xb") as stream:
            stream.write(data)
            stream.flush()
            os.fsync(stream.fileno())
        os.replace(temporary, path)
    except BaseException:
        if os.path.exists(temporary):
            os.unlink(temporary)
        raise


def main(argv):
    parser = argparse.ArgumentParser(description="Write a WinHelp file from a help source.")
    parser.add_argument("source")
    parser.add_argument("-o", "--output", required=True)
    args = parser.parse_args(argv)
    try:
        source = read_help_source(args.source)
        try:
            data = build_help_file(source, generation_time(args.source))
        except TopicTooLong as error:
            raise HelpSourceError(args.source, error.line, str(error)) from None
        except ValueError as error:
            raise HelpSourceError(args.source, None, str(error)) from None
        write_replacing(args.output, data)
    except HelpSourceError as error:
        print(f"hlpgen: {error}", file=sys.stderr)
        return 1
    except OSError as error:
        print(f"hlpgen: {args.output}: {error.strerror}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
