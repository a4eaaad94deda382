#!/usr/bin/env python3
"""Renders the program's artwork into resources/art as PNG pictures at 1x and 2x, plus the scalable icon, and
writes resources/resources.qrc. The pictures are described here as SVG and rasterised with rsvg-convert
(Debian package librsvg2-bin). Run from anywhere: python3 tools/render_artwork.py"""

import pathlib
import subprocess
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
ART = ROOT / "resources" / "art"

# One calm palette for everything: slate blue accents on light lavender-grey faces.
ACCENT = "#3f5b9a"
ACCENT_HOVER = "#2f6fd0"
ACCENT_PRESSED = "#274a86"
AMBER = "#e8a83a"

# The three looks of an image button: face gradient (top, bottom), border, glyph colour, glyph shift.
STATES = [
    {"top": "#fdfdfe", "bottom": "#e9e8ef", "border": "#a4a2b3", "glyph": ACCENT, "shift": 0, "shine": 0.9},
    {"top": "#ffffff", "bottom": "#dfe7f7", "border": "#6f8bc8", "glyph": ACCENT_HOVER, "shift": 0, "shine": 1.0},
    {"top": "#cfd6e8", "bottom": "#e4e7f0", "border": "#4e67a6", "glyph": ACCENT_PRESSED, "shift": 1, "shine": 0.0},
]

# Glyphs in a 20 x 20 box: stroked paths (round caps and joins); "fill:" entries are filled in the glyph
# colour, "amber:" entries in the highlight colour.
GLYPHS = {
    "add": ["M10 4.5v11", "M4.5 10h11"],
    "import": ["M10 3v9", "M6.5 8.5 10 12l3.5-3.5", "M4 12.5v3.5h12v-3.5"],
    "delete": ["M5 6h10", "M8 6V4.5h4V6", "M6.3 6l.8 10h5.8l.8-10", "M8.8 8.5v5", "M11.2 8.5v5"],
    "clean": ["fill:M9 3l1.5 4.5L15 9l-4.5 1.5L9 15l-1.5-4.5L3 9l4.5-1.5z", "fill:M15 13l.7 1.8 1.8.7-1.8.7L15 18l-.7-1.8-1.8-.7 1.8-.7z"],
    "modify": ["M4.5 15.5l.8-3.3 8.2-8.2 2.5 2.5-8.2 8.2z", "M12 5.5l2.5 2.5", "M4.5 15.5h11"],
    "multiply": ["M4 7.5h8v8H4z", "M8 7.5V4.5h8v8h-4"],
    "highlight": ["amber:M3.5 8.2h13v3.6h-13z", "M4 5h12", "M4 10h12", "M4 15h8"],
    "export": ["M10 12V3", "M6.5 6.5 10 3l3.5 3.5", "M4 12.5v3.5h12v-3.5"],
    "config": ["M10 6.8a3.2 3.2 0 1 0 0 6.4a3.2 3.2 0 1 0 0-6.4z",
               "M10 3v2", "M10 15v2", "M3 10h2", "M15 10h2",
               "M5.05 5.05l1.4 1.4", "M13.55 13.55l1.4 1.4", "M5.05 14.95l1.4-1.4", "M13.55 6.45l1.4-1.4"],
    "about": ["M10 3.5a6.5 6.5 0 1 0 0 13a6.5 6.5 0 1 0 0-13z", "M10 9v4.5", "fill:M10 5.6a1 1 0 1 0 0 2a1 1 0 1 0 0-2z"],
    "tray": ["M6.5 4l3.5 3.5 3.5-3.5", "M6.5 8.5l3.5 3.5 3.5-3.5", "M4 15.5h12"],
    "close": ["M10 3.5v6", "M6.2 6.2a5.5 5.5 0 1 0 7.6 0"],
    "edit": ["M7.5 5 4.5 8l3 3", "M5 8h6.5a4 4 0 0 1 0 8H9"],
    "lists": ["M3 5h6", "M3 10h9", "M3 15h4", "fill:M14 12h2.5v4.5H14z", "fill:M14 3.5h2.5v6H14z"],
    "list": ["M3 4.5h1", "M6 4.5h6", "M3 8h1", "M6 8h6", "M3 11.5h1", "M6 11.5h4"],
}

# The main window's buttons, in the order of their resources BtnImg01..BtnImg39.
LARGE = ["add", "import", "delete", "clean", "modify", "multiply", "highlight", "export"]
SMALL = ["config", "about", "tray", "close", "edit"]
# Large buttons added later, from BtnImg40 on.
LATER = ["lists"]


def svg(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}"><defs>{defs}</defs>{body}</svg>')


def glyph(name, colour, x, y, scale=1.0, stroke=1.6):
    parts = []
    for path in GLYPHS[name]:
        if path.startswith("fill:"):
            parts.append(f'<path d="{path[5:]}" fill="{colour}"/>')
        elif path.startswith("amber:"):
            parts.append(f'<path d="{path[6:]}" fill="{AMBER}" opacity="0.85"/>')
        else:
            parts.append(f'<path d="{path}" fill="none" stroke="{colour}" stroke-width="{stroke}" '
                         f'stroke-linecap="round" stroke-linejoin="round"/>')
    return f'<g transform="translate({x} {y}) scale({scale})">{"".join(parts)}</g>'


def button(width, height, state, glyph_name=None):
    s = STATES[state]
    defs = (f'<linearGradient id="face" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{s["top"]}"/><stop offset="1" stop-color="{s["bottom"]}"/>'
            f'</linearGradient>')
    body = (f'<rect x="0.5" y="0.5" width="{width - 1}" height="{height - 1}" rx="4" fill="url(#face)" '
            f'stroke="{s["border"]}"/>')
    if s["shine"]:
        body += (f'<path d="M4.5 1.5H{width - 4.5}" stroke="#ffffff" stroke-opacity="{s["shine"]}" '
                 f'stroke-linecap="round"/>')
    else:
        body += f'<path d="M4.5 1.5H{width - 4.5}" stroke="#000000" stroke-opacity="0.12" stroke-linecap="round"/>'
    if glyph_name:
        top = (height - 20) / 2 + s["shift"]
        body += f'<path d="M27.5 6V{height - 6}" stroke="{s["border"]}" stroke-opacity="0.35"/>'
        body += glyph(glyph_name, s["glyph"], 4 + s["shift"], top)
    return svg(width, height, body, defs)


def tab(state):
    # 0 normal, 1 under the mouse, 2 pressed: the current list's tab, open towards the white list frame.
    fills = ["#ecebf0", "#f7f8fc", "#ffffff"]
    border = "#919b9d"
    body = f'<path d="M0.5 22V4.5a4 4 0 0 1 4-4h93a4 4 0 0 1 4 4V22" fill="{fills[state]}" stroke="{border}"/>'
    if state == 1:
        body += f'<path d="M4.5 1.5h93" stroke="{ACCENT_HOVER}" stroke-opacity="0.7"/>'
    if state == 2:
        body += f'<path d="M2 1.5h98" stroke="{AMBER}" stroke-width="2" stroke-linecap="round"/>'
    else:
        body += f'<path d="M0 21.5h102" stroke="{border}"/>'
    colour = [ACCENT, ACCENT_HOVER, ACCENT_PRESSED][state]
    body += glyph("list", colour, 4, 4, 1.0, 1.5)
    return svg(102, 22, body)


def banner():
    defs = ('<linearGradient id="sky" x1="0" y1="0" x2="1" y2="1">'
            '<stop offset="0" stop-color="#2c3f6e"/><stop offset="0.6" stop-color="#3f5b9a"/>'
            '<stop offset="1" stop-color="#4f7bb0"/></linearGradient>')
    body = '<rect width="792" height="100" fill="url(#sky)"/>'
    # Soft keyword "chips" drifting right: the lists the program builds.
    chips = [(430, 58, 92), (532, 58, 64), (606, 58, 120), (470, 76, 70), (550, 76, 104), (664, 76, 84),
             (380, 76, 80), (736, 58, 70)]
    for x, y, w in chips:
        body += f'<rect x="{x}" y="{y}" width="{w}" height="12" rx="6" fill="#ffffff" fill-opacity="0.10"/>'
    body += f'<rect x="606" y="58" width="120" height="12" rx="6" fill="{AMBER}" fill-opacity="0.55"/>'
    body += '<path d="M0 99.5H792" stroke="#1f2d50"/>'
    body += glyph("list", "#ffffff", 24, 30, 2.0, 1.4)
    body += ('<text x="72" y="56" font-family="Liberation Sans" font-weight="bold" font-size="30" '
             'fill="#ffffff">Pellox Termwright</text>')
    body += ('<text x="74" y="78" font-family="Liberation Sans" font-size="13" fill="#dbe4f5">'
             'Keyword lists for search advertising and SEO</text>')
    return svg(792, 100, body, defs)


def logo():
    body = ('<g fill="none" stroke="#ffffff" stroke-width="2" stroke-linejoin="round">'
            '<path d="M3 21V4h8a5 5 0 0 1 0 10H3"/></g>'
            f'<circle cx="19" cy="18" r="3" fill="{AMBER}"/>'
            '<text x="28" y="19" font-family="Liberation Sans" font-weight="bold" font-size="17" '
            'letter-spacing="3" fill="#ffffff">PELLOX</text>'
            '<text x="121" y="19" font-family="Liberation Sans" font-size="11" fill="#dbe4f5">software</text>')
    return svg(173, 25, body)


def icon(size=64):
    # Drawn on a 64 grid and scaled; the 16 px version drops the highlight's outline for clarity.
    defs = ('<linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#4f6fb3"/><stop offset="1" stop-color="#2c3f6e"/></linearGradient>')
    body = (f'<g transform="scale({size / 64})">'
            '<rect x="2" y="2" width="60" height="60" rx="13" fill="url(#tile)"/>'
            f'<rect x="12" y="27" width="40" height="11" rx="3" fill="{AMBER}"/>'
            '<g stroke="#ffffff" stroke-width="6" stroke-linecap="round">'
            '<path d="M16 18h32"/><path d="M16 32.5h26"/><path d="M16 47h20"/></g></g>')
    return svg(size, size, body, defs)


def drop_arrow():
    return svg(9, 5, '<path d="M0 0h9L4.5 5z" fill="#000000"/>')


def pictures():
    images = {}
    for i, name in enumerate(LARGE):
        for state in range(3):
            images[f"BtnImg{i * 3 + state + 1:02d}"] = button(152, 28, state, name)
    for i, name in enumerate(SMALL):
        for state in range(3):
            images[f"BtnImg{25 + i * 3 + state:02d}"] = button(102, 28, state, name)
    for i, name in enumerate(LATER):
        for state in range(3):
            images[f"BtnImg{40 + i * 3 + state:02d}"] = button(152, 28, state, name)
    for state in range(3):
        images[f"DlgBtn{state}"] = button(102, 28, state)
        images[f"TabImg{state}"] = tab(state)
    images["Banner"] = banner()
    images["Logo"] = logo()
    images["DropArrow"] = drop_arrow()
    return images


def rasterise(source, target, zoom):
    subprocess.run(["rsvg-convert", "--zoom", str(zoom), "--output", str(target), str(source)], check=True)


def main():
    ART.mkdir(parents=True, exist_ok=True)
    files = []
    with tempfile.TemporaryDirectory() as scratch:
        for name, text in pictures().items():
            source = pathlib.Path(scratch) / f"{name}.svg"
            source.write_text(text)
            rasterise(source, ART / f"{name}.png", 1)
            rasterise(source, ART / f"{name}@2x.png", 2)
            files += [f"{name}.png", f"{name}@2x.png"]
        for size in (16, 32, 48, 64, 128):
            source = pathlib.Path(scratch) / f"Icon{size}.svg"
            source.write_text(icon(size))
            rasterise(source, ART / f"Icon{size}.png", 1)
            files.append(f"Icon{size}.png")
    (ART / "Icon.svg").write_text(icon() + "\n")
    entries = "".join(f"    <file>art/{f}</file>\n" for f in files)
    (ROOT / "resources" / "resources.qrc").write_text(
        f'<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/">\n{entries}  </qresource>\n</RCC>\n')


if __name__ == "__main__":
    main()
