#!/usr/bin/python3
"""Build steps of the page that need more than a copy:

    site.py font FONT OUT SOURCE...   the Japanese font cut down to the
                                      characters the game can show (every
                                      non-ASCII character of SOURCE files,
                                      and printable ASCII), as WOFF2
    site.py icons ICON OUTDIR         the app's icons as PNG from the game's
                                      SVG icon: 192 and 512 px, a maskable
                                      512 px one and a 180 px touch icon
    site.py offline SITE              the service worker: every file of the
                                      site in a cache named by their hash
    site.py catalogue TS OUT          a Qt Linguist catalogue as the page
                                      reads it: JSON, {context: {source:
                                      translation}}, finished entries only

Debian's python3-fonttools and python3-brotli make the font; rsvg-convert
(librsvg2-bin) draws the icons.
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def font(source_font, out, sources):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for path in sources:
        with open(path, encoding="utf-8") as f:
            chars.update(ch for ch in f.read() if ord(ch) > 0x7F)
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as t:
        t.write("".join(sorted(chars)))
    try:
        subprocess.run([sys.executable, "-m", "fontTools.subset", source_font,
                        f"--text-file={t.name}", "--flavor=woff2", f"--output-file={out}",
                        "--layout-features=*", "--no-hinting", "--desubroutinize"],
                       check=True, stderr=subprocess.DEVNULL)
    finally:
        os.unlink(t.name)


def icons(icon, outdir):
    os.makedirs(outdir, exist_ok=True)
    with open(icon, encoding="utf-8") as f:
        svg = f.read()
    # The maskable icon: the picture at 70 % on its own sand colour, so a
    # round or squircle mask never cuts into it.
    body = re.sub(r"<\?xml[^>]*>", "", svg)
    view = re.search(r'viewBox="([^"]*)"', body).group(1)
    inner = re.sub(r"<svg\b[^>]*>", '<svg x="4.8" y="4.8" width="22.4" height="22.4" '
                   f'viewBox="{view}">', body, count=1)
    maskable = ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" '
                'viewBox="0 0 32 32"><rect width="32" height="32" fill="#e0e080"/>'
                f"{inner}</svg>")
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".svg", delete=False) as t:
        t.write(maskable)
    try:
        for name, source, size in (("icon-192.png", icon, 192), ("icon-512.png", icon, 512),
                                   ("icon-maskable-512.png", t.name, 512),
                                   ("apple-touch-icon.png", t.name, 180)):
            subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o",
                            os.path.join(outdir, name), source], check=True)
    finally:
        os.unlink(t.name)


SERVICE_WORKER = """\
// Keeps every file of the game for play without a network. Made at build
// time: the cache's name changes with any file, and a new build's worker
// takes over on the next visit and drops the old cache.
"use strict";
const CACHE = "mironeka-%(version)s";
const FILES = %(files)s;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The cache first, then the network: a build's files never change.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((hit) => hit || fetch(event.request)));
});
"""


def offline(site):
    files = []
    digest = hashlib.sha256()
    for base, dirs, names in os.walk(site):
        dirs.sort()
        for name in sorted(names):
            path = os.path.join(base, name)
            rel = os.path.relpath(path, site).replace(os.sep, "/")
            if rel == "sw.js":
                continue
            with open(path, "rb") as f:
                digest.update(rel.encode() + b"\0" + f.read())
            files.append(rel)
    # The page itself is asked for as the folder too; the licence and the
    # installer's icons are not needed to play.
    urls = ["./"] + [f for f in files
                     if not f.endswith(".txt") and not re.match(r"(icon-|apple-touch)", f)]
    with open(os.path.join(site, "sw.js"), "w", encoding="utf-8") as f:
        f.write(SERVICE_WORKER % {"version": digest.hexdigest()[:16],
                                  "files": json.dumps(urls, indent=2)})


def catalogue(ts, out):
    entries = {}
    for context in ElementTree.parse(ts).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "vanished",
                                                                   "obsolete"):
                continue
            if translation.text:
                entries.setdefault(name, {})[message.findtext("source")] = translation.text
    with open(out, "w", encoding="utf-8") as f:
        json.dump(entries, f, ensure_ascii=False, separators=(",", ":"), sort_keys=True)


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "font":
        font(sys.argv[2], sys.argv[3], sys.argv[4:])
    elif len(sys.argv) == 4 and sys.argv[1] == "icons":
        icons(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 4 and sys.argv[1] == "catalogue":
        catalogue(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] == "offline":
        offline(sys.argv[2])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
