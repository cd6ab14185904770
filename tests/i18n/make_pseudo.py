#!/usr/bin/env python3
"""Writes the pseudo-language catalogue source: every text of a catalogue
source (.ts) wrapped in brackets, its letters accented and lengthened by
40 %, so a test sees at once a text that is not translated (it reads as
English) or that a longer translation would cut.

make_pseudo.py <any catalogue source .ts> <pseudo .ts>
"""
import math
import re
import sys
import xml.etree.ElementTree as ET

ACCENTED = dict(zip(
    "AaBCcDdEeGgHhIiJjKkLlNnOoRrSsTtUuWwYyZz",
    "ÅàḂĈçĎđÉéĜĝĤĥÎîĴĵĶķĹĺÑñÖöŔŕŠšŢţÛûŴŵÝýŽž"))
# Kept as they are: argument markers, and the letter after '&' stays a
# mnemonic (accented, it is still one letter).
KEEP = re.compile(r"%\d")


def pseudo(text):
    parts = []
    position = 0
    for match in KEEP.finditer(text):
        parts.append("".join(ACCENTED.get(c, c) for c in text[position:match.start()]))
        parts.append(match.group())
        position = match.end()
    parts.append("".join(ACCENTED.get(c, c) for c in text[position:]))
    body = "".join(parts)
    target = math.ceil(len(text) * 1.4)
    padding = max(0, target - len(body) - 2)
    return "[" + body + "~" * padding + "]"


def main(source, output):
    tree = ET.parse(source)
    root = tree.getroot()
    root.set("language", "pseudo")
    for message in root.iter("message"):
        text = message.findtext("source")
        translation = message.find("translation")
        translation.attrib.clear()
        translation.text = pseudo(text)
    tree.write(output, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
