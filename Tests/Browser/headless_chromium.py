"""Debian's Chromium started headless for the page checks: no network
services of its own (the pages are opened as files), a fresh profile, and the
browser's console kept so that a check can read it."""
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"


def start_browser(profile, width, height):
    """A WebDriver of a headless Chromium whose window is `width` x `height`,
    with its profile in the folder `profile`."""
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync",
                 f"--window-size={width},{height}", "--user-data-dir=" + profile):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
