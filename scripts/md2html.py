#!/usr/bin/env python3
"""Renders the user's guide (docs/使用说明.md) as one HTML page.

    md2html.py <guide.md> <out.html>

Knows the Markdown the guide uses and nothing more: headings (# to ###),
paragraphs, lists ("- " and "1. "), tables, indented code blocks, and inline
`code`, **bold**, [links](#anchor) and ![pictures](images/x.png). Pictures
are embedded as data URIs, so the page stands alone. Heading anchors are
made as GitHub makes them, so the guide's own links work in both places.
"""
import base64
import html
import os
import re
import sys


def anchor(title):
    return re.sub(r"[^\w\- ]", "", title.strip().lower()).replace(" ", "-")


def inline(text, base):
    parts = re.split(r"(`[^`]*`)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) >= 2:
            out.append("<code>" + html.escape(part[1:-1]) + "</code>")
            continue
        part = html.escape(part, quote=False)
        part = re.sub(r"!\[([^\]]*)\]\(([^)]+)\)", lambda m: picture(m.group(1), m.group(2), base), part)
        part = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r'<a href="\2">\1</a>', part)
        part = re.sub(r"\*\*([^*]+)\*\*", r"<strong>\1</strong>", part)
        out.append(part)
    return "".join(out)


def picture(alt, src, base):
    with open(os.path.join(base, src), "rb") as f:
        data = base64.b64encode(f.read()).decode("ascii")
    return '<img alt="%s" src="data:image/png;base64,%s">' % (alt, data)


def cells(line):
    return [c.strip() for c in line.strip().strip("|").split("|")]


def render(lines, base):
    out = []
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
            continue
        m = re.match(r"(#{1,3}) (.*)", line)
        if m:
            level, title = len(m.group(1)), m.group(2)
            out.append('<h%d id="%s">%s</h%d>' % (level, anchor(title), inline(title, base), level))
            i += 1
        elif line.startswith("    "):
            block = []
            while i < len(lines) and (lines[i].startswith("    ") or not lines[i].strip()):
                block.append(lines[i][4:])
                i += 1
            out.append("<pre>" + html.escape("\n".join(block).rstrip("\n")) + "</pre>")
        elif line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(cells(lines[i]))
                i += 1
            head = "".join("<th>%s</th>" % inline(c, base) for c in rows[0])
            body = "".join(
                "<tr>" + "".join("<td>%s</td>" % inline(c, base) for c in row) + "</tr>" for row in rows[2:])
            out.append("<table><tr>%s</tr>%s</table>" % (head, body))
        elif re.match(r"(- |\d+\. )", line):
            tag = "ul" if line.startswith("- ") else "ol"
            items = []
            while i < len(lines) and re.match(r"(- |\d+\. )", lines[i]):
                items.append(re.sub(r"^(- |\d+\. )", "", lines[i]))
                i += 1
            out.append("<%s>%s</%s>" % (tag, "".join("<li>%s</li>" % inline(t, base) for t in items), tag))
        else:
            para = []
            while i < len(lines) and lines[i].strip() and not re.match(r"(#|\||- |\d+\. |    )", lines[i]):
                para.append(lines[i])
                i += 1
            out.append("<p>%s</p>" % inline(" ".join(para), base))
    return "\n".join(out)


STYLE = """body{font-family:"Microsoft YaHei","微软雅黑",sans-serif;max-width:60em;margin:2em auto;padding:0 1em;
line-height:1.6}code,pre{font-family:Consolas,monospace;background:#f3f3f3}pre{padding:.5em 1em}
table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:.2em .6em;vertical-align:top}
img{max-width:100%;border:1px solid #ccc}"""


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        lines = f.read().splitlines()
    title = lines[0].lstrip("# ").strip()
    body = render(lines, os.path.dirname(source))
    page = ('<!DOCTYPE html>\n<html lang="zh-CN">\n<head>\n<meta charset="utf-8">\n<title>%s</title>\n'
            "<style>%s</style>\n</head>\n<body>\n%s\n</body>\n</html>\n" % (html.escape(title), STYLE, body))
    with open(target, "w", encoding="utf-8", newline="\r\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()
