#!/usr/bin/python3
"""Weight and speed of the page, measured in headless chromium:

    tests/web/measure.py [--runs N] [--site build-web]

- the bytes of everything the page fetches to play (the files its service
  worker keeps, the worker itself, the font included), and of the icons a
  browser fetches to install it;
- how long after the page's request the splash is on show (fresh loads,
  the browser's cache off);
- a day's evaluation of garden 1 with two lumps of sugar: from the click on
  "next day" to the points box showing 4 and the day counted down, seen on
  every turn of the page's event loop. The evening is a chain of 13 steps,
  each armed 1 ms after the one before, so 13 ms is the floor on any front
  end that keeps the timer rules.

Prints min, median and max of each figure over the runs.
"""
import argparse
import json
import os
import re
import statistics
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser_test  # noqa: E402  the server and browser set-up

DAY = """
const done = arguments[arguments.length - 1];
const started = performance.now();
// Looked at on every turn of the event loop, through posted messages: a
// chain of timeouts would be held to 4 ms a turn and measure itself.
const turns = new MessageChannel();
turns.port1.onmessage = () => {
  if (document.getElementById("Form3-Text37").value === "4" &&
      document.getElementById("Form3-Label10").textContent === "6") {
    done(performance.now() - started);
  } else {
    turns.port2.postMessage(null);
  }
};
document.getElementById("Form3-Command1").click();
turns.port2.postMessage(null);"""


def spread(name, values, unit):
    print(f"{name}: min {min(values):.1f} {unit}, median {statistics.median(values):.1f} {unit}, "
          f"max {max(values):.1f} {unit} ({len(values)} runs)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--site", default=browser_test.SITE)
    args = parser.parse_args()
    browser_test.SITE = os.path.abspath(args.site)

    with open(os.path.join(browser_test.SITE, "sw.js"), encoding="utf-8") as f:
        kept = json.loads(re.search(r"const FILES = (\[.*?\]);", f.read(), re.S).group(1))
    files = sorted({("index.html" if name == "./" else name) for name in kept} | {"sw.js"})
    play = sum(os.path.getsize(os.path.join(browser_test.SITE, name)) for name in files)
    icons = sum(os.path.getsize(os.path.join(browser_test.SITE, name))
                for name in ("icon-192.png", "icon-512.png", "icon-maskable-512.png"))
    print(f"fetched to play: {play} bytes ({play / 1024:.0f} KiB) in {len(files)} files; "
          f"the install icons: {icons} bytes more")

    page = browser_test.Page("test_splash_then_introduction")
    browser_test.Page.setUpClass()
    try:
        page.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        splash, day = [], []
        for _ in range(args.runs):
            page.load()
            page.until(lambda: page.js("return window.mironeka.splashShownAt"), what="the splash")
            splash.append(page.js("return window.mironeka.splashShownAt"))
            page.start_garden()
            page.click(3, "Command2")
            page.click(3, "Image6")
            page.click(3, "Image7")
            page.until(lambda: page.field(3, "SugarCount") == "2", what="two lumps of sugar")
            # As the desktop's benchmark does: no other tick due during the day.
            page.until(lambda: page.garden_settled(3, 7), what="a quiet moment")
            day.append(page.driver.execute_async_script(DAY))
        spread("splash on show after the request", splash, "ms")
        spread("a day's evaluation, click to the page showing it", day, "ms")
    finally:
        browser_test.Page.tearDownClass()


if __name__ == "__main__":
    main()
