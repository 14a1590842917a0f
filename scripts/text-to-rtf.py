#!/usr/bin/env python3
"""Writes a Greek plain-text file as rtf in the Greek code page (1253).

"# " starts a title, "## " a heading; paragraphs are separated by blank lines.
Usage: text-to-rtf.py SOURCE.txt OUTPUT.rtf
"""
import sys


def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            try:
                out.extend("\\'%02x" % b for b in ch.encode("cp1253"))
            except UnicodeEncodeError:
                out.append("\\u%d?" % (ord(ch) if ord(ch) < 32768 else ord(ch) - 65536))
    return "".join(out)


def main(source, output):
    with open(source, encoding="utf-8") as f:
        blocks = [b.strip() for b in f.read().split("\n\n") if b.strip()]
    lines = [r"{\rtf1\ansi\ansicpg1253\deff0",
             r"{\fonttbl{\f0\fswiss\fcharset161 Arial;}}",
             r"\viewkind4\uc1\pard\sa160\f0\fs22"]
    for block in blocks:
        text = " ".join(block.split("\n"))
        if text.startswith("# "):
            lines.append(r"\pard\sa240\qc\b\fs32 " + escape(text[2:]) + r"\b0\fs22\par")
        elif text.startswith("## "):
            lines.append(r"\pard\sb120\sa120\b\fs26 " + escape(text[3:]) + r"\b0\fs22\par")
        else:
            lines.append(r"\pard\sa160\qj " + escape(text) + r"\par")
    lines.append("}")
    with open(output, "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
