#!/usr/bin/python3
"""Makes docs/browser.png: varkelon.html opened from file:// in Debian's
headless Chromium, with no server and no network, after 300 cycles of
"Sin + Random" teaching on the Graph page.

    docs/make-browser-screenshot.py build-wasm/bin/varkelon.html [OUTPUT]

Every seeding reads one second (?clock=1), so a second run makes the same
picture.
"""
import os
import sys
import tempfile

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from headless_chromium import chromium  # noqa: E402

page = os.path.abspath(sys.argv[1])
output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.path.dirname(__file__), "browser.png")
with tempfile.TemporaryDirectory() as profile:
    browser = chromium(profile, "--window-size=1100,800")
    try:
        browser.get("file://" + page + "?clock=1&regime=sin%2Brandom")
        WebDriverWait(browser, 60).until(lambda b: b.execute_script("return document.body.dataset.ready"))
        step = browser.find_element(By.ID, "stepButton")
        for _ in range(300):
            step.click()
        browser.save_screenshot(output)
    finally:
        browser.quit()
print(output)
