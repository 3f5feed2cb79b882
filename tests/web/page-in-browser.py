#!/usr/bin/python3
"""varkelon.html in Debian's headless Chromium, opened from file:// with no
server, driven through chromium-driver by python3-selenium: lessons by
clicks and by keys whose readouts equal varkelon-teach's rows and whose
canvases equal the face's pictures drawn natively; the language; the
address's parameters; the names that assistive technology reads.

    page-in-browser.py PAGE_PICTURES VARKELON_TEACH VARKELON_HTML
"""
import struct
import subprocess
import sys
import tempfile
import time
import base64
import urllib.parse

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from headless_chromium import chromium

PICTURES, TEACH, PAGE = sys.argv[1:4]


class Page:
    """The page open in the browser, with what the test did to it: each
    command as varkelon-page-pictures names it."""

    def __init__(self, browser, address):
        self.browser = browser
        browser.get("file://" + PAGE + address)
        WebDriverWait(browser, 60).until(lambda b: b.execute_script("return document.body.dataset.ready"))
        self.commands = []

    def element(self, name):
        return self.browser.find_element(By.ID, name)

    def iteration(self):
        shown = [o.text for o in self.browser.find_elements(By.CSS_SELECTOR, "output[id$='0']") if o.text]
        return int(shown[0])

    def focused(self):
        return self.browser.switch_to.active_element.get_attribute("id")

    def keys(self, *keys):
        self.browser.switch_to.active_element.send_keys(*keys)

    def tab_to(self, name):
        for _ in range(40):
            if self.focused() == name:
                return
            self.keys(Keys.TAB)
        raise AssertionError("Tab never reaches " + name)

    def run_timer(self, start, stop):
        """Starts the timer with `start`, lets it tick, stops it with `stop`;
        the ticks it ran become commands."""
        before = self.iteration()
        start()
        time.sleep(0.6)
        stop()
        cycles = self.iteration() - before
        assert cycles > 0, "the timer never ticked"
        return cycles

    def canvases(self):
        data = self.browser.execute_script("""
            var out = '';
            for (var p = 0; p < 2; ++p) {
              var bytes = document.getElementById('box' + p).getContext('2d').getImageData(0, 0, 374, 246).data;
              for (var i = 0; i < bytes.length; i += 8192)
                out += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
            }
            return btoa(out);""")
        return base64.b64decode(data)


def by_clicks(page):
    page.element("stepButton").click()
    page.element("stepButton").click()
    page.commands += ["step", "step", "quick"]
    cycles = page.run_timer(page.element("quickButton").click, page.element("stopButton").click)
    page.commands += ["tick"] * (cycles // 10) + ["stop"]
    return {"regime": "static"}


def estimation_running(page):
    page.element("tab1").click()
    page.element("running").click()
    for _ in range(5):
        page.element("stepButton").click()
    page.commands += ["page:1", "plot:0"] + ["step"] * 5
    return {"regime": "static"}


def from_address(page):
    for _ in range(3):
        page.element("stepButton").click()
    page.commands += ["regime:2", "count:3"] + ["step"] * 3
    return {"regime": "sin+random", "neurons": 3}


def by_keys(page):
    """Tab, Enter, Space and the arrows only."""
    page.tab_to("regime0")
    page.keys(Keys.ARROW_DOWN)  # Sin
    page.tab_to("neuronBox")
    page.keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN)
    page.commands += ["regime:1", "count:6", "count:5", "quick"]
    cycles = page.run_timer(lambda: page.keys(Keys.ENTER),
                            lambda: (page.tab_to("stopButton"), page.keys(Keys.SPACE)))
    page.commands += ["tick"] * (cycles // 10) + ["stop"]
    assert page.element("neuronBox").get_attribute("value") == "5"
    return {"regime": "sin", "neurons": 5}


# name, address, the lesson, its clock
LESSONS = [
    ("Step, Quickly and Stop by clicks", "?clock=1700000000", by_clicks, 1700000000),
    ("the estimation page, Running", "?clock=4294967295", estimation_running, 4294967295),
    ("regime and count from the address", "?clock=0&regime=sin%2Brandom&neurons=3", from_address, 0),
    ("a lesson by keyboard alone", "?clock=1", by_keys, 1),
]


def teach_row(clock, cycles, regime, neurons=None):
    command = [TEACH, "--clock", str(clock), "--cycles", str(cycles), "--regime", regime]
    if neurons:
        command += ["--neurons", "1:%d" % neurons]
    rows = subprocess.run(command, capture_output=True, text=True, check=True).stdout.splitlines()
    return rows[-1].split(",")


def shown(text):
    """A CSV number as the readouts write it: the float, to 6 digits."""
    value = struct.unpack("f", struct.pack("f", float(text)))[0]
    return "%.6g" % value


def check_lesson(browser, case):
    name, address, lesson, clock = case
    page = Page(browser, address)
    options = lesson(page)
    iteration = page.iteration()
    row = teach_row(clock, iteration - 1, options["regime"], options.get("neurons"))
    readouts = [o.text for o in browser.find_elements(By.TAG_NAME, "output") if o.text]
    assert readouts == [str(int(row[0]) + 1), shown(row[3]), shown(row[5])], (readouts, row)
    reference = subprocess.run([PICTURES, str(clock)] + page.commands, capture_output=True,
                               check=True).stdout
    canvases = page.canvases()
    assert canvases == reference, "%d of %d bytes differ" % (
        sum(a != b for a, b in zip(canvases, reference)), len(reference))
    link = page.element("lessonLink").get_attribute("href")
    assert link.endswith("?clock=%d&language=en&regime=%s&neurons=%s" % (
        clock, urllib.parse.quote(options["regime"], safe=""),
        page.element("neuronBox").get_attribute("value"))), link


# address, the language to choose after (or None), lang, Stop's and the first tab's captions
LANGUAGES = [
    ("?clock=5&language=ru", None, "ru", "Стоп", "График"),
    ("?clock=5&language=ru", "en", "en", "Stop", "Graph"),
    ("?clock=5&language=en", "ru", "ru", "Стоп", "График"),
]


def check_language(browser, case):
    address, choose, lang, stop, tab = case
    page = Page(browser, address)
    if choose:
        page.element("tab2").click()
        Select(page.element("languageBox")).select_by_value(choose)
        page.element("tab0").click()
    assert browser.find_element(By.TAG_NAME, "html").get_attribute("lang") == lang
    assert (page.element("stopButton").text, page.element("tab0").text) == (stop, tab)


# address, words the page's message must hold
BAD_ADDRESSES = [
    ("?clock=12x", ["clock", "12x"]),
    ("?clock=4294967296", ["clock", "4294967296"]),
    ("?language=de", ["language", "de"]),
    ("?regime=cos", ["regime", "cos"]),
    ("?neurons=11", ["neurons", "11"]),
    ("?colour=red", ["colour"]),
]


def check_bad_address(browser, case):
    address, words = case
    message = Page(browser, address).element("problems").text
    assert all(word in message for word in words), message


def check_names(browser, _):
    """Every control has a name and the role it looks like; nothing came from
    the network; the canvases are whole device pixels per picture pixel."""
    page = Page(browser, "?clock=3")
    controls = browser.find_elements(
        By.CSS_SELECTOR, "button, input, select, canvas, output, a, table, [role=tab], [role=status]")
    unnamed = [c.get_attribute("id") or c.tag_name for c in controls
               if not c.accessible_name and c.is_displayed()]
    assert not unnamed, unnamed
    names = ("tab0", "box0", "speedBar", "neuronBox", "regime1", "lamp", "stepButton")
    roles = {name: page.element(name).aria_role for name in names}
    page.element("tab2").click()
    roles["languageBox"] = page.element("languageBox").aria_role
    assert roles == {"tab0": "tab", "box0": "image", "speedBar": "slider", "neuronBox": "spinbutton",
                     "regime1": "radio", "languageBox": "combobox", "lamp": "status",
                     "stepButton": "button"}, roles
    assert browser.execute_script("return performance.getEntriesByType('resource').length") == 0
    ratio = browser.execute_script(
        "return document.getElementById('box0').getBoundingClientRect().width * devicePixelRatio / 374")
    assert ratio == int(ratio), ratio


GROUPS = [(check_lesson, LESSONS), (check_language, LANGUAGES),
          (check_bad_address, BAD_ADDRESSES), (check_names, [None])]


def main():
    passed = failed = 0
    with tempfile.TemporaryDirectory() as profile:
        browser = chromium(profile, "--window-size=1024,768")
        try:
            for check, cases in GROUPS:
                for case in cases:
                    label = "%s %s" % (check.__name__, case[0] if case else "")
                    try:
                        check(browser, case)
                        passed += 1
                    except Exception as error:  # every case reports, whatever failed
                        failed += 1
                        print("FAILED %s: %r" % (label, error))
        finally:
            browser.quit()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
