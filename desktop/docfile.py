#!/usr/bin/env python3
"""Writes a documentation file of the installed program, compressed the way
Debian ships documentation (gzip at its best compression, no name and no time
stamp in the header, so that the same input always gives the same bytes).

  docfile.py plain IN OUT.gz
      the file as it is (the changelog)
  docfile.py manpage IN OUT.gz VERSION DATE
      a manual page: @KIREL_VERSION@ and @KIREL_RELEASE_DATE@ filled in, and
      a break point (groff's \\:) after every full-width character of the text,
      since groff breaks lines only at spaces and Japanese text has none
"""

import gzip
import re
import sys

# Kana, CJK ideographs and punctuation, full-width forms; a line does not
# break before closing punctuation or the long vowel mark.
WIDE = re.compile(
    r"([\u3000-\u30ff\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff\uff00-\uffef])"
    r"(?=[^\u3001\u3002\u30fc\uff09\uff0c\uff0e\u300d\u300f\u3011\uff5d\u2026])"
)


def manpage(text, version, date):
    text = text.replace("@KIREL_VERSION@", version).replace("@KIREL_RELEASE_DATE@", date)
    lines = []
    for line in text.split("\n"):
        # Comments and the title line (its quoted arguments) stay as they are.
        if not line.startswith('.\\"') and not line.startswith(".TH"):
            line = WIDE.sub(r"\1\\:", line)
        lines.append(line)
    return "\n".join(lines)


def main(argv):
    if len(argv) == 4 and argv[1] == "plain":
        with open(argv[2], encoding="utf-8") as f:
            text = f.read()
    elif len(argv) == 6 and argv[1] == "manpage":
        with open(argv[2], encoding="utf-8") as f:
            text = manpage(f.read(), argv[4], argv[5])
        if "@KIREL_" in text:
            sys.exit(f"{argv[2]}: a placeholder is left")
    else:
        sys.exit(__doc__)
    with open(argv[3], "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw, mtime=0) as out:
            out.write(text.encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv)
