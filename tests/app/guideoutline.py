#!/usr/bin/python3
"""Prints what a browser makes of the guide's page, read with Python's own
HTML parser: each heading with its id, each link, each picture with the
element it stands in and the caption under it. Lines beginning with "! " are
faults: a picture outside a figure or captioned otherwise than its alt text,
a figure inside a paragraph, a link to an id the page does not have,
Markdown's ** or __ in the text, an element closed out of turn.
Usage: guideoutline.py PAGE"""
import sys
import urllib.parse
from html.parser import HTMLParser

VOID = {"img", "meta", "br", "hr", "input", "link"}


class Outline(HTMLParser):
    def __init__(self):
        super().__init__()
        self.stack = []  # open elements: [tag, attributes, text]
        self.lines = []
        self.ids = set()
        self.anchors = []
        self.alt = None  # the last picture's, for its caption

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "img":
            parent = self.stack[-1][0] if self.stack else "-"
            self.lines.append(f"picture {attrs.get('src')} alt={attrs.get('alt')!r}")
            self.alt = attrs.get("alt")
            if parent != "figure":
                self.lines.append(f"! the picture stands in {parent}, not in a figure")
        if tag == "figure" and any(t == "p" for t, _, _ in self.stack):
            self.lines.append("! a figure inside a paragraph")
        if tag not in VOID:
            self.stack.append([tag, attrs, ""])

    def handle_startendtag(self, tag, attrs):  # <img ... />
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.handle_endtag(tag)

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1][0] != tag:
            self.lines.append(f"! </{tag}> out of turn")
            return
        tag, attrs, text = self.stack.pop()
        if tag in ("h1", "h2", "h3", "h4"):
            self.lines.append(f"{tag} #{attrs.get('id')} {text}")
        elif tag == "figcaption":
            self.lines.append(f"caption {text!r}")
            if text != self.alt:
                self.lines.append("! the caption is not the picture's alt text")
        elif tag == "a":
            href = urllib.parse.unquote(attrs.get("href", ""))
            self.lines.append(f"link {href} {text}")
            if href.startswith("#"):
                self.anchors.append(href[1:])

    def handle_data(self, data):
        for element in self.stack:
            element[2] += data
        inside = {t for t, _, _ in self.stack}
        if not inside & {"code", "pre", "style"} and ("**" in data or "__" in data):
            self.lines.append(f"! markup shows: {data.strip()}")


outline = Outline()
with open(sys.argv[1], encoding="utf-8") as page:
    outline.feed(page.read())
outline.close()
for anchor in outline.anchors:
    if anchor not in outline.ids:
        outline.lines.append(f"! no element has the id {anchor}")
if outline.stack:
    outline.lines.append("! unclosed: " + " ".join(t for t, _, _ in outline.stack))
print("\n".join(outline.lines))
