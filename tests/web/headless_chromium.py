"""Debian's Chromium, headless, driven by chromium-driver through
python3-selenium: the one start-up the page's tests, its screenshot and the
speed benchmark share. The flags keep it off this machine's closed network."""
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def chromium(profile, *flags):
    """A browser with its own profile folder and any further flags."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--user-data-dir=" + profile) + flags:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
