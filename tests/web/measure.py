#!/usr/bin/python3
"""Weight and speed of the page, measured in headless chromium:

    tests/web/measure.py [--runs N] [--site build-web]

- the bytes of the built page other than the font;
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
import os
import statistics
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser_test  # noqa: E402  the server and browser set-up

DAY = """
const done = arguments[arguments.length - 1];
const started = performance.now();
document.getElementById("Form3-Command1").click();
(function look() {
  if (document.getElementById("Form3-Text37").value === "4" &&
      document.getElementById("Form3-Label10").textContent === "6") {
    done(performance.now() - started);
  } else {
    setTimeout(look, 0);
  }
})();"""


def spread(name, values, unit):
    print(f"{name}: min {min(values):.1f} {unit}, median {statistics.median(values):.1f} {unit}, "
          f"max {max(values):.1f} {unit} ({len(values)} runs)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--site", default=browser_test.SITE)
    args = parser.parse_args()
    browser_test.SITE = os.path.abspath(args.site)

    total = 0
    for folder, dirs, files in os.walk(browser_test.SITE):
        dirs[:] = [d for d in dirs if d != "fonts"]
        total += sum(os.path.getsize(os.path.join(folder, f)) for f in files)
    print(f"build-web without fonts: {total} bytes ({total / 1024:.0f} KiB)")

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
            day.append(page.driver.execute_async_script(DAY))
        spread("splash on show after the request", splash, "ms")
        spread("a day's evaluation, click to the page showing it", day, "ms")
    finally:
        browser_test.Page.tearDownClass()


if __name__ == "__main__":
    main()
