#!/usr/bin/python3
"""Plays the page in headless chromium and saves a picture of every screen's
panel into DIR, in the states tools/screenshots shows the desktop's windows:

    tests/web/screenshots.py DIR [--site build-web] [--phone WxH]

With --phone the page is on a touch screen of that size (device pixel ratio
3), and each picture is the whole screen as the player sees it, the end
message and the ended page included.
"""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser_test  # noqa: E402  the server and browser set-up


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dir")
    parser.add_argument("--site", default=browser_test.SITE)
    parser.add_argument("--phone", help="WxH in CSS pixels, e.g. 390x844")
    args = parser.parse_args()
    browser_test.SITE = os.path.abspath(args.site)
    os.makedirs(args.dir, exist_ok=True)

    page = browser_test.Page("test_splash_then_introduction")
    browser_test.Page.setUpClass()
    try:
        if args.phone:
            width, height = (int(n) for n in args.phone.split("x"))
            page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": 3, "mobile": True})
            page.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                        {"enabled": True, "maxTouchPoints": 5})

        def save(form, name):
            if args.phone:  # the whole screen
                path = os.path.join(args.dir, f"{name}.png")
                page.driver.save_screenshot(path)
                print(path)
                return
            # The panel alone, in front of the others, as the desktop grabs a window.
            el = page.el(f"Form{form}")
            z = page.js("const z = arguments[0].style.zIndex;"
                        "arguments[0].style.zIndex = 999999; return z", el)
            path = os.path.join(args.dir, f"{name}.png")
            el.screenshot(path)
            page.js("arguments[0].style.zIndex = arguments[1]", el, z)
            print(path)

        def place(form, tiles):
            page.click(form, "Command2")
            for n in tiles:
                page.click(form, f"Image{n}")
            time.sleep(0.1)

        def finish(form):
            for days_left in range(7, 0, -1):
                page.next_day(form, days_left)
            page.until(lambda: page.message() is not None, what="the end message")
            if args.phone and form == 3:
                save(form, "end-message")
            page.el("MessageBox-Ok").click()
            page.until(lambda: page.message() is None, what="the box closed")

        page.load()
        time.sleep(0.3)  # the font
        save(1, "splash")
        page.until(lambda: page.shown("Form2"), what="the introduction")
        save(2, "intro")
        page.start_garden()
        place(3, [6, 7])
        page.click(3, "Command2")  # the pointer rests on the sugar tool: its hint shows
        save(3, "garden-1")
        page.click(3, "Command6")  # the "×" hides the garden
        page.click(4, "Command3")
        page.until(lambda: page.shown("Form5"), what="garden 2")
        place(5, [1, 2, 3, 5, 9])
        save(5, "garden-2")
        time.sleep(1.1)  # the score board adds up
        if args.phone:
            page.click(5, "Command6")  # garden 2 fills the screen: put away first
        save(4, "stage-select")
        for g, form in ((1, 3), (2, 5)):
            page.click(4, f"Command{7 + g}")  # resume: the garden comes to the front
            finish(form)
        for g, form in ((3, 6), (4, 7), (5, 8), (6, 9)):
            page.click(4, f"Command{1 + g}")
            page.until(lambda: page.shown(f"Form{form}"), what=f"garden {g}")
            place(form, [g + 3])
            save(form, f"garden-{g}")
            finish(form)
        page.until(lambda: page.shown("Form10-Command1"), timeout=15, what="the result")
        save(10, "result")
        page.click(10, "Command1")
        page.until(lambda: page.el("Form11-Text2").get_attribute("value") != "Text2",
                   what="the score code")
        save(11, "score-code")
        if args.phone:
            page.driver.find_element(browser_test.By.CSS_SELECTOR, "#Form11 .closebox").click()
            page.until(lambda: page.shown("notice"), what="the ended page")
            save(0, "ended")
    finally:
        browser_test.Page.tearDownClass()


if __name__ == "__main__":
    main()
