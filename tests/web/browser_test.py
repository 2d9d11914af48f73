#!/usr/bin/python3
"""The game in a real browser: headless chromium driven by selenium plays the
page built into build-web/ and checks what it shows.

    tests/web/browser_test.py [--site DIR] [--runner PATH] [unittest options]

The page is served on 127.0.0.1 by this script alone, on a free port, for as
long as the tests run. --runner names the scenario runner (default
build/mironeka-scenario): the same moves are played through it and through
the page, and the fields must agree. MIRONEKA_BROWSER_WINDOW=1 opens a real
window instead of a headless one (under xvfb-run, for example).
"""
import argparse
import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SITE = os.path.join(ROOT, "build-web")
RUNNER = os.path.join(ROOT, "build", "mironeka-scenario")
# axe-core, installed by tools/setup into the cache (pinned there).
AXE = os.environ.get("MIRONEKA_AXE", os.path.join(
    os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")),
    "mironeka", "axe", "node_modules", "axe-core", "axe.min.js"))
GARDEN1 = 3
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--window-size=1024,768",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class Browser(unittest.TestCase):
    """The page served on 127.0.0.1 and one chromium for a class's tests."""

    # The browser's languages: Japanese, the game's own, unless a class
    # says otherwise (headless chromium would say en-US).
    languages = "ja-JP,ja"

    @classmethod
    def setUpClass(cls):
        handler = functools.partial(QuietHandler, directory=SITE)
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        cls.url = f"http://127.0.0.1:{cls.server.server_address[1]}/"
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.profile = tempfile.mkdtemp(prefix="mironeka-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        flags = CHROMIUM_FLAGS
        if os.environ.get("MIRONEKA_BROWSER_WINDOW"):  # a real window, under Xvfb say
            flags = [f for f in flags if f != "--headless"]
        for flag in flags + [f"--user-data-dir={cls.profile}"]:
            options.add_argument(flag)
        if cls.languages:
            options.add_argument(f"--lang={cls.languages.split(',')[0]}")
            options.add_experimental_option("prefs", {"intl.accept_languages": cls.languages})
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.shutdown()
        cls.server.server_close()
        shutil.rmtree(cls.profile, ignore_errors=True)

    # --- helpers ------------------------------------------------------------

    def load(self, query=""):
        self.driver.get(self.url + query)
        self.until(lambda: self.js("return window.mironeka && window.mironeka.ready"))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def until(self, condition, timeout=10, what="condition"):
        try:
            return WebDriverWait(self.driver, timeout, poll_frequency=0.02).until(
                lambda _: condition())
        except TimeoutException:
            self.fail(f"timed out waiting for {what}")

    def el(self, element_id):
        return self.driver.find_element(By.ID, element_id)

    def shown(self, element_id):
        found = self.driver.find_elements(By.ID, element_id)
        return bool(found) and found[0].is_displayed()

    def fields(self, form):
        """The screen's fields through the page's game, as the runner prints them."""
        values = self.js("return window.mironeka.fields(arguments[0])", form) or {}
        return {f"Form{form} {name}": " ".join(v) for name, v in values.items()}

    def field(self, form, name):
        return self.fields(form)[f"Form{form} {name}"]

    def click(self, form, widget):
        self.el(f"Form{form}-{widget}").click()

    def garden_settled(self, form, days_left):
        return self.field(form, "DaysLeft") == str(days_left) and \
            self.js("return window.mironeka.game.nextDeadline() < 0 || "
                    "window.mironeka.game.nextDeadline() - window.mironeka.now() > 200")

    def start_garden(self, form=GARDEN1, button="Command2"):
        self.until(lambda: self.shown("Form2"), what="the introduction")
        self.click(2, "Command1")
        self.until(lambda: self.shown("Form4-" + button), what="the stage-select screen")
        self.click(4, button)
        self.until(lambda: self.shown(f"Form{form}"), what="the garden")

    def next_day(self, form, days_left):
        self.click(form, "Command1")
        self.until(lambda: self.garden_settled(form, days_left - 1) or self.message(),
                   what="the day's evaluation")

    def message(self):
        return self.js("const b = document.querySelector('[role=alertdialog]');"
                       "return b ? b.querySelector('.message').textContent : null")

    def tile_pictures(self, form):
        return [self.el(f"Form{form}-Image{n}").get_attribute("data-picture")
                for n in range(1, 17)]

    def axe_violations(self):
        """What axe-core finds against the WCAG 2.0 and 2.1 A and AA rules in
        the page as it is now: rule id and the elements, for each."""
        if not self.js("return typeof axe !== 'undefined'"):
            with open(AXE, encoding="utf-8") as f:
                self.js(f.read())
        result = self.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            axe.run(document, {runOnly: {type: "tag",
                                         values: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"]}})
              .then((r) => done(r.violations.map((v) =>
                `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`)),
                    (e) => done([`axe failed: ${e}`]));""")
        return result

    def assert_no_axe_violations(self, where):
        self.assertTrue(os.path.exists(AXE), f"no axe-core at {AXE}: run tools/setup")
        self.assertEqual(self.axe_violations(), [], where)

    def play_whole_game(self, press, look=lambda where: None):
        """Plays a whole game to the score code, each click through
        press(element), and checks every field against the runner playing
        the same moves. look(where) is called on the result and the score
        code screens. Returns the shown score code."""
        script = ["wait 1500"]
        layouts = {}

        def tracks(form, widget):
            if form not in layouts:
                layouts[form] = self.js("return window.mironeka.module.layout(arguments[0])"
                                        ".widgets.filter(w => w.tracksPointer).map(w => w.name)",
                                        form)
            return widget in layouts[form]

        def click(form, widget, settle=1):
            # The pointer comes to the widget before it clicks: a move the
            # runner hears too.
            if tracks(form, widget):
                script.append(f"move Form{form} {widget}")
            script.append(f"click Form{form} {widget}")
            script.append(f"wait {settle}")
            press(self.el(f"Form{form}-{widget}"))

        def ok():
            self.until(lambda: self.message() is not None, what="the message box")
            script.append("ok")
            script.append("wait 1")
            press(self.el("MessageBox-Ok"))
            self.until(lambda: self.message() is None, what="the box closed")

        def play(form, opener, placements):
            self.until(lambda: self.shown(f"Form4-{opener}"), what=f"{opener} on the board")
            click(4, opener)
            self.until(lambda: self.shown(f"Form{form}"), what=f"Form{form}")
            for tool, tiles in placements:
                click(form, tool)
                for tile in tiles:
                    click(form, tile)
                self.until(lambda: self.js("return window.mironeka.game.nextDeadline() < 0 ||"
                                           " window.mironeka.game.nextDeadline() -"
                                           " window.mironeka.now() > 200"), what="placements")
            for days_left in range(7, 0, -1):
                click(form, "Command1", 30)
                self.until(lambda: self.garden_settled(form, days_left - 1) or self.message(),
                           what="the day's evaluation")
            ok()

        self.until(lambda: self.shown("Form2"), what="the introduction")
        click(2, "Command1")
        play(3, "Command2", [("Command2", ["Image1"]), ("Command4", ["Image2", "Image5", "Image6"])])
        play(5, "Command3", [("Command2", ["Image6", "Image7", "Image10"])])
        play(6, "Command4", [("Command2", ["Image1"]), ("Command4", ["Image2", "Image5", "Image6"])])
        play(7, "Command5", [])
        play(8, "Command6", [])
        play(9, "Command7", [])
        self.until(lambda: self.shown("Form10-Command1"), timeout=15, what="the result's buttons")
        look("the result")
        script.append("wait 10000")
        click(10, "Command1", 1000)
        self.until(lambda: self.el("Form11-Text2").get_attribute("value") != "Text2",
                   what="the score code")
        shown_code = self.el("Form11-Text2").get_attribute("value")
        look("the score code")
        script.append("print")

        page_fields = {}
        for form in range(1, 12):
            page_fields.update(self.fields(form))
        with tempfile.NamedTemporaryFile("w", suffix=".scn", delete=False) as f:
            f.write("\n".join(script) + "\n")
        try:
            out = subprocess.run([RUNNER, f.name], capture_output=True, text=True, check=True)
        finally:
            os.unlink(f.name)
        runner_fields = {}
        for line in out.stdout.splitlines()[:-1]:
            form, name, *rest = line.split(" ", 2)
            runner_fields[f"{form} {name}"] = rest[0] if rest else ""
        self.assertGreater(len(runner_fields), 70)
        self.assertEqual(page_fields, runner_fields)
        self.assertEqual(shown_code, runner_fields["Form11 ScoreCodeText"])
        self.assertEqual(shown_code, "47.45")  # 13 points: 13 × 7.3 ÷ 2
        # What the page shows is what the game holds.
        for form in (3, 5, 6, 7, 8, 9):
            self.assertEqual(" ".join(self.tile_pictures(form)),
                             runner_fields[f"Form{form} TilePictures"])
        return shown_code


class Page(Browser):
    """The page on a desktop browser, played by mouse and keys."""

    def test_splash_then_introduction(self):
        self.load()
        # performance.now() counts from the navigation's start, before the request.
        self.until(lambda: self.js("return window.mironeka.splashShownAt"), what="the splash")
        self.assertTrue(self.shown("Form1"))
        self.assertFalse(self.shown("Form2"))
        time.sleep(max(0, 1.5 - self.js("return window.mironeka.now()") / 1000) + 0.1)
        self.assertTrue(self.shown("Form2"), "the introduction 1.5 s after the start")
        self.assertFalse(self.shown("Form1"), "the splash is gone")
        # The introduction's OK button has the keys.
        self.assertEqual(self.js("return document.activeElement.id"), "Form2-Command1")
        # The Japanese text is drawn in the font served with the page.
        served = self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            "document.fonts.ready.then(() => done([...document.fonts]"
            ".filter(f => f.family.includes('Mironeka Gothic')).map(f => f.status)))")
        self.assertEqual(served, ["loaded"])

    def test_garden1_two_sugar_tiles_bring_black_ants(self):
        self.load()
        self.start_garden()
        self.click(GARDEN1, "Command2")  # sugar
        self.click(GARDEN1, "Image6")
        self.click(GARDEN1, "Image7")
        self.until(lambda: self.field(GARDEN1, "SugarCount") == "2", what="two lumps of sugar")
        self.click(GARDEN1, "Command1")
        self.until(lambda: self.el(f"Form{GARDEN1}-Text37").get_attribute("value") == "4",
                   what="4 points in the points box")
        self.until(lambda: self.garden_settled(GARDEN1, 6), what="the evening's end")
        pictures = self.tile_pictures(GARDEN1)
        for n in (2, 3, 10, 11):
            self.assertEqual(pictures[n - 1], "BlackAnt", f"tile {n}")
        for n in (6, 7):
            self.assertEqual(pictures[n - 1], "Sugar", f"tile {n}")
        self.assertEqual(pictures.count("Ground"), 10)
        self.assertEqual(self.el(f"Form{GARDEN1}-Image2").get_attribute("aria-label"),
                         self.js("return window.mironeka.game.widgets(3).Image2.name"))
        # A screen reader hears the day's outcome once, in a polite live
        # region; the panel is named for its garden.
        announcer = self.el("announcer")
        self.assertEqual(announcer.get_attribute("aria-live"), "polite")
        self.assertEqual(announcer.get_attribute("textContent"),
                         "1日目：黒アリが4か所に来ました。ポイントは4です。")
        self.assertEqual(self.el(f"Form{GARDEN1}").get_attribute("aria-label"),
                         "VELMORAKI　ミロネカ　庭①")
        # The tiles are a grid of 4 rows of 4 cells, tile 6 in row 2, column 2.
        shape = self.js("""const grid = document.querySelector('#Form3 [role=grid]');
            return grid ? [...grid.querySelectorAll('[role=row]')].map((row) =>
              [...row.querySelectorAll('[role=gridcell]')].map((cell) => cell.firstChild.id)) : null""")
        self.assertEqual(len(shape), 4)
        self.assertEqual([len(row) for row in shape], [4, 4, 4, 4])
        self.assertEqual(shape[1][1], "Form3-Image6")
        # The chosen tool is pressed, and it alone.
        self.assertEqual([self.el(f"Form{GARDEN1}-Command{n}").get_attribute("aria-pressed")
                          for n in (2, 3, 4, 5)], ["true", "false", "false", "false"])

    def test_each_step_of_the_evening_is_a_turn_of_its_own(self):
        # The page is busy for 50 ms just after the click, so every step of
        # the evening is due at once. Still a probe that runs on every turn of
        # the page's event loop sees the ants arrive row by row: the steps are
        # not run back to back, and the player's input can fall between them.
        self.load()
        self.start_garden()
        self.click(GARDEN1, "Command2")
        self.click(GARDEN1, "Image6")
        self.click(GARDEN1, "Image7")
        self.until(lambda: self.field(GARDEN1, "SugarCount") == "2", what="two lumps of sugar")
        seen = self.driver.execute_async_script('''
            const done = arguments[arguments.length - 1];
            const tiles = [2, 10].map((n) => document.getElementById("Form3-Image" + n));
            const seen = new Set();
            const probe = new MessageChannel();
            const started = performance.now();
            probe.port1.onmessage = () => {
              seen.add(tiles.map((t) => t.dataset.picture).join(" "));
              if (performance.now() - started < 300) probe.port2.postMessage(null);
              else done([...seen]);
            };
            document.getElementById("Form3-Command1").click();
            while (performance.now() - started < 50) {}
            probe.port2.postMessage(null);''')
        self.assertIn("Ground Ground", seen)
        self.assertIn("BlackAnt Ground", seen, "the first row of ants drawn alone")
        self.assertIn("BlackAnt BlackAnt", seen)

    def test_keyboard_plays_a_day(self):
        self.load()
        self.until(lambda: self.shown("Form2"), what="the introduction")
        active = lambda: self.js("return document.activeElement.id")
        body = self.driver.switch_to.active_element
        body.send_keys(Keys.SPACE)
        self.until(lambda: active() == "Form4-Command2", what="garden 1's button focused")
        self.driver.switch_to.active_element.send_keys(Keys.ENTER)
        self.until(lambda: active() == "Form3-Image1", what="tile 1 focused")
        keys = lambda *k: self.driver.switch_to.active_element.send_keys(*k)
        keys(Keys.TAB)
        self.assertEqual(active(), "Form3-Command5")
        keys(Keys.TAB)
        self.assertEqual(active(), "Form3-Command2")
        self.until(lambda: self.field(GARDEN1, "HintText") != "", what="the tool's hint")
        keys(Keys.SPACE)
        keys(Keys.SHIFT, Keys.TAB)
        keys(Keys.SHIFT, Keys.TAB)
        self.assertEqual(active(), "Form3-Image1")
        keys(Keys.LEFT)
        keys(Keys.UP)
        self.assertEqual(active(), "Form3-Image1", "no wrapping at the grid's edges")
        for _ in range(4):
            keys(Keys.RIGHT)
        self.assertEqual(active(), "Form3-Image4", "the row's end stops the arrow")
        for _ in range(3):
            keys(Keys.LEFT)
        keys(Keys.RIGHT)
        keys(Keys.DOWN)
        self.assertEqual(active(), "Form3-Image6")
        keys(Keys.SPACE)
        keys(Keys.RIGHT)
        keys(Keys.ENTER)
        self.until(lambda: self.field(GARDEN1, "SugarCount") == "2", what="two lumps of sugar")
        for _ in range(5):
            keys(Keys.TAB)
        self.assertEqual(active(), "Form3-Command1")
        keys(Keys.ENTER)
        self.until(lambda: self.field(GARDEN1, "Points") == "4", what="4 points")
        # A held Enter repeats; only its first press clicks.
        days = self.field(GARDEN1, "DaysLeft")
        self.js("""const b = document.getElementById('Form3-Command1');
                   for (let i = 0; i < 10; ++i)
                     b.dispatchEvent(new KeyboardEvent('keydown',
                       {key: 'Enter', repeat: true, bubbles: true}));""")
        time.sleep(0.2)
        self.assertEqual(self.field(GARDEN1, "DaysLeft"), days, "auto-repeat clicked")
        # Put away with its "×": the stage select takes the keys, and Tab
        # goes round what can be clicked now (garden 1's open button is gone,
        # its resume button is there), never resting on a hidden button.
        self.click(GARDEN1, "Command6")
        self.until(lambda: active().startswith("Form4-"), what="the stage select focused")
        seen = []
        for _ in range(14):
            seen.append(active())
            self.assertTrue(self.js("return document.activeElement.offsetParent !== null"),
                            seen[-1])
            keys(Keys.TAB)
        self.assertNotIn("Form4-Command2", seen)
        self.assertIn("Form4-Command8", seen)

    def test_end_message_after_seven_days_is_modal_while_time_runs(self):
        self.load()
        self.start_garden()
        for days_left in range(7, 0, -1):
            self.next_day(GARDEN1, days_left)
        self.until(lambda: self.message() is not None, what="the end message")
        box = self.driver.find_element(By.CSS_SELECTOR, "[role=alertdialog]")
        self.assertEqual([b.text for b in box.find_elements(By.TAG_NAME, "button")], ["OK"])
        self.assertEqual(self.js("return document.activeElement.id"), "MessageBox-Ok")
        # The page under the box takes no clicks and no keys, and the clock
        # runs on.
        clock = self.js("return window.mironeka.game.now()")
        covered = self.js("const r = document.getElementById('Form4-Command3')"
                          ".getBoundingClientRect();"
                          "return document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2)"
                          ".closest('#MessageBox') !== null")
        self.assertTrue(covered, "the box covers garden 2's button")
        webdriver.ActionChains(self.driver).move_to_element_with_offset(
            self.el("Form4-Command3"), 0, 0).click().perform()
        self.driver.switch_to.active_element.send_keys(Keys.TAB)
        self.assertEqual(self.js("return document.activeElement.id"), "MessageBox-Ok")
        time.sleep(0.3)
        self.assertIsNone(self.js("return document.getElementById('Form5')"))
        # The stage-select screen's timer ticks every second behind the box.
        self.until(lambda: self.js("return window.mironeka.game.now()") > clock + 900,
                   what="the clock running")
        self.assertEqual(self.field(4, "GardensFinished"), "0")
        self.el("MessageBox-Ok").click()
        self.until(lambda: self.field(4, "GardensFinished") == "1", what="garden 1 finished")
        self.assertIsNone(self.message())

    def test_whole_game_to_the_score_code_agrees_with_the_runner(self):
        if not os.access(RUNNER, os.X_OK):
            self.skipTest(f"no scenario runner at {RUNNER}")
        self.load()
        self.play_whole_game(lambda el: el.click(), self.assert_no_axe_violations)
        # Enter in the mail box makes the score mail; a double-click in the
        # page box opens the ranking.
        self.el("Form11-Text3").send_keys(Keys.ENTER)
        # Held down, the key's repeats open nothing more.
        self.js("const box = document.getElementById('Form11-Text3');"
                "for (let i = 0; i < 3; ++i) box.dispatchEvent(new KeyboardEvent('keydown',"
                " {key: 'Enter', repeat: true, bubbles: true}));")
        ActionChains(self.driver).double_click(self.el("Form11-Text4")).perform()
        followed = self.js("return window.mironeka.followed")
        self.assertEqual(len(followed), 2)
        self.assertTrue(followed[0].startswith("mailto:" + self.field(11, "MailAddressText") +
                                               "?subject=%E3%82%B9%E3%82%B3%E3%82%A2&body="))
        self.assertIn(self.field(11, "ScoreCodeText") + "%0D%0A", followed[0])
        self.assertEqual(followed[1], self.field(11, "WebAddressText"))
        self.driver.switch_to.window(self.driver.window_handles[0])
        # 64 MB written into a box by a script, twice: the game keeps what a
        # box holds, and the box shows just that, also when the game's text
        # didn't change.
        kept = self.js("""const box = document.getElementById('Form11-Text3');
            for (let i = 0; i < 2; ++i) {
              box.value = 'x'.repeat(64 << 20);
              box.dispatchEvent(new Event('input', {bubbles: true}));
            }
            return [box.value.length, window.mironeka.fields(11).MailAddressText[0].length];""")
        self.assertEqual(kept, [1024, 1024])


    def test_an_action_runs_on_the_real_clock(self):
        self.load()
        self.start_garden()
        # A moment when the game's clock has fallen behind (no tick for a
        # while): the click must bring it up to now before it acts.
        self.until(lambda: self.js("return window.mironeka.now() - window.mironeka.game.now()") > 100,
                   what="a quiet moment")
        behind = self.js("const t = Math.floor(window.mironeka.now());"
                         "document.getElementById('Form3-Command2').click();"
                         "return t - window.mironeka.game.now()")
        self.assertLessEqual(behind, 0)

    def test_no_screen_breaks_the_wcag_a_and_aa_rules(self):
        self.assertTrue(os.path.exists(AXE), f"no axe-core at {AXE}: run tools/setup")
        seen = {}
        self.load()
        self.until(lambda: self.shown("Form1"), what="the splash")
        seen["splash"] = self.axe_violations()
        self.until(lambda: self.shown("Form2"), what="the introduction")
        seen["introduction"] = self.axe_violations()
        self.start_garden()
        self.click(GARDEN1, "Command2")
        seen["garden"] = self.axe_violations()
        for days_left in range(7, 0, -1):
            self.next_day(GARDEN1, days_left)
        self.until(lambda: self.message() is not None, what="the end message")
        seen["end message"] = self.axe_violations()
        self.el("MessageBox-Ok").click()
        self.until(lambda: self.message() is None, what="the box closed")
        seen["stage select"] = self.axe_violations()
        self.driver.refresh()
        self.until(lambda: self.js("return window.mironeka && window.mironeka.ready"))
        self.until(lambda: self.shown("Form2"), what="the introduction")
        self.driver.find_element(By.CSS_SELECTOR, "#Form2 .closebox").click()
        self.until(lambda: self.shown("notice"), what="the ended page")
        seen["ended"] = self.axe_violations()
        self.assertEqual({k: v for k, v in seen.items() if v}, {})

    def test_the_ended_game_says_so_and_starts_again(self):
        self.load()
        self.until(lambda: self.shown("Form2"), what="the introduction")
        self.driver.find_element(By.CSS_SELECTOR, "#Form2 .closebox").click()
        self.until(lambda: self.shown("notice"), what="the ended panel")
        self.assertIn("ゲームは終了しました。", self.el("notice").text)
        self.assertTrue(self.js("const r = document.getElementById('notice')"
                                ".getBoundingClientRect();"
                                "return r.top >= 0 && r.bottom <= innerHeight"), "off the screen")
        self.driver.find_element(By.CSS_SELECTOR, "#notice button").click()
        self.until(lambda: self.js("return window.mironeka && window.mironeka.ready"),
                   what="a new game")
        self.until(lambda: self.shown("Form2"), what="the new game's introduction")
        self.assertFalse(self.shown("notice"))

    def test_opened_from_a_file_it_says_why_nothing_runs(self):
        self.driver.get("file://" + os.path.join(SITE, "index.html"))
        self.until(lambda: self.shown("notice"), what="the notice")
        self.assertIn("ファイルから直接開いても動きません", self.el("notice").text)

    def test_the_font_holds_every_character_the_game_shows(self):
        from fontTools.ttLib import TTFont
        font = TTFont(os.path.join(SITE, "fonts", "mironeka.woff2"))
        held = {chr(c) for c in font.getBestCmap()}
        self.load()
        shown = set()
        for form in range(1, 12):
            layout = self.js("return window.mironeka.module.layout(arguments[0])", form)
            shown.update(layout["caption"])
            for w in layout["widgets"]:
                shown.update(w["text"] + w["tooltip"])
        # What a garden writes as it plays: its title, days, hints, the end message.
        self.start_garden()
        for days_left in range(7, 0, -1):
            for tool in ("Command2", "Command3", "Command4", "Command5"):
                ActionChains(self.driver).move_to_element(self.el(f"Form3-{tool}")).perform()
                shown.update(self.el("Form3").text)
            self.next_day(GARDEN1, days_left)
        shown.update(self.message())
        # Every translation the page can fetch.
        for name in os.listdir(os.path.join(SITE, "i18n")):
            with open(os.path.join(SITE, "i18n", name), encoding="utf-8") as f:
                for entries in json.load(f).values():
                    for text in entries.values():
                        shown.update(text)
        # The page's own texts.
        for name in ("index.html", "mironeka-page.js"):
            with open(os.path.join(SITE, name), encoding="utf-8") as f:
                for literal in re.findall(r'"([^"\n]*)"', f.read()):
                    shown.update(literal)
        missing = sorted(c for c in shown if not c.isspace() and c not in held)
        self.assertEqual(missing, [])


class English(Browser):
    """The page in a browser whose language is English."""

    languages = "en-US,en"

    def text(self, element_id):
        return self.js("return document.getElementById(arguments[0]).textContent", element_id)

    def test_the_game_reads_in_english(self):
        self.load()
        self.assertEqual(self.js("return document.documentElement.lang"), "en")
        self.assertEqual(self.driver.title, "VELMORAKI Mironeka")
        self.until(lambda: self.shown("Form2"), what="the introduction")
        self.assertTrue(self.text("Form2-Label1").startswith("Make the empty gardens"))
        self.start_garden()
        self.assertEqual(self.text("Form4-Label4"), "Total points")
        self.assertEqual(self.text("Form3-Command1"), "Next day")
        self.assertEqual(self.el("Form3-Image6").get_attribute("aria-label"), "Tile 6: Sand")
        self.click(3, "Command2")
        self.click(3, "Image6")
        self.click(3, "Image7")
        self.next_day(GARDEN1, 7)
        self.until(lambda: self.el("announcer").get_attribute("textContent"), what="the outcome")
        self.assertEqual(self.el("announcer").get_attribute("textContent"),
                         "Day 1: black ants on 4 tile(s). Points: 4.")
        # Nothing on screen or for screen readers is left in Japanese.
        said = self.js(
            "return document.body.innerText + ' ' + [...document.querySelectorAll("
            "'[aria-label], [title], [aria-description]')].map(e => [e.getAttribute('aria-label'),"
            " e.title, e.getAttribute('aria-description')].join(' ')).join(' ')")
        self.assertEqual(re.findall(r"[\u3040-\u30ff\u4e00-\u9fff]+", said), [])
        # The score-code screen's panel is built from this.
        labels = [w["text"] for w in self.js("return window.mironeka.module.layout(11)")["widgets"]
                  if w["kind"] == "Label"]
        self.assertIn("Score code:", labels)

    def test_japanese_when_asked_and_the_help_by_f1_and_by_its_button(self):
        self.load("?lang=ja")
        self.assertEqual(self.js("return document.documentElement.lang"), "ja")
        self.until(lambda: self.shown("Form2"), what="the introduction")
        self.assertTrue(self.text("Form2-Label1").startswith("このゲームは"))
        self.start_garden()
        before = self.fields(GARDEN1)
        ActionChains(self.driver).send_keys(Keys.F1).perform()
        self.until(lambda: self.shown("help"), what="the help")
        self.assertEqual(self.text("help-title"), "遊び方")
        self.assertIn("次の日へスキップ", self.el("help").text)
        ActionChains(self.driver).send_keys(Keys.ESCAPE).perform()
        self.until(lambda: not self.shown("help"), what="the help to close")
        self.assertEqual(self.fields(GARDEN1), before)
        # In English, by the "？" outside the game's windows.
        self.load("?lang=en")
        self.el("help-button").click()
        self.until(lambda: self.shown("help"), what="the help")
        self.assertEqual(self.text("help-title"), "How to play")
        self.assert_no_axe_violations("the help in English")


class Phone(Browser):
    """The page on a phone-sized screen (390 × 844, device pixel ratio 3)
    with touch, as an installed app."""

    def setUp(self):
        self.screen(390, 844)

    def tearDown(self):
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})

    def screen(self, width, height):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 3, "mobile": True})
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                    {"enabled": True, "maxTouchPoints": 5})

    def tap(self, el):
        x, y = self.js("const r = arguments[0].getBoundingClientRect();"
                       "return [r.left + r.width / 2, r.top + r.height / 2]", el)
        point = {"x": x, "y": y}
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                    {"type": "touchStart", "touchPoints": [point]})
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                    {"type": "touchEnd", "touchPoints": []})

    def rect(self, element_id):
        return self.js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                       "return {left: r.left, top: r.top, right: r.right, bottom: r.bottom,"
                       " width: r.width, height: r.height}", element_id)

    def open_garden(self):
        self.until(lambda: self.shown("Form2"), what="the introduction")
        self.tap(self.el("Form2-Command1"))
        self.until(lambda: self.shown("Form4-Command2"), what="the stage-select screen")
        self.tap(self.el("Form4-Command2"))
        self.until(lambda: self.shown("Form3"), what="garden 1")

    def test_the_window_in_front_fits_the_screen(self):
        self.load()
        self.open_garden()
        width = self.js("return innerWidth")
        self.assertGreaterEqual(self.rect("Form3")["width"], 0.9 * width)
        self.assertGreaterEqual(self.rect("Form3-Image1")["width"], 60)
        self.assertLessEqual(self.js("return document.documentElement.scrollWidth"), width)
        # The small "×" takes a tap a little left of its drawn box, where
        # nothing else is.
        close = self.rect("Form3-Command6")
        self.assertEqual(self.js("return document.elementFromPoint(arguments[0], arguments[1]).id",
                                 close["left"] - 3, close["top"] + close["height"] / 2),
                         "Form3-Command6")
        self.screen(844, 390)  # turned to landscape
        self.until(lambda: self.rect("Form3")["bottom"] <= 390, what="the garden refitted")
        garden = self.rect("Form3")
        self.assertGreaterEqual(garden["top"], 0)
        self.assertLessEqual(garden["right"], 844)

    def test_whole_game_by_touch_agrees_with_the_runner(self):
        if not os.access(RUNNER, os.X_OK):
            self.skipTest(f"no scenario runner at {RUNNER}")
        self.load()
        self.play_whole_game(self.tap)

    def test_installs_and_plays_offline_after_one_visit(self):
        self.load()
        self.assertEqual(self.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
                         ["installabilityErrors"], [])
        icons = self.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            fetch("manifest.webmanifest").then((r) => r.json()).then((m) =>
              Promise.all(m.icons.map((icon) => new Promise((ok) => {
                const img = new Image();
                img.onload = () => ok(`${img.naturalWidth}x${img.naturalHeight}` === icon.sizes);
                img.onerror = () => ok(false);
                img.src = icon.src;
              })))).then(done, () => done(null));""")
        self.assertTrue(icons and all(icons), icons)
        self.until(lambda: self.js("return !!navigator.serviceWorker.controller"), timeout=20,
                   what="the service worker in control")
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": True, "latency": 0, "downloadThroughput": 0, "uploadThroughput": 0})
        self.driver.refresh()
        self.until(lambda: self.js("return window.mironeka && window.mironeka.ready"),
                   what="the game without a network")
        self.open_garden()
        self.tap(self.el("Form3-Command1"))
        self.until(lambda: self.garden_settled(GARDEN1, 6), what="a day played offline")


def main():
    global SITE, RUNNER
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--site", default=SITE)
    parser.add_argument("--runner", default=RUNNER)
    args, rest = parser.parse_known_args()
    SITE, RUNNER = os.path.abspath(args.site), os.path.abspath(args.runner)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
