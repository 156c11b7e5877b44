#!/usr/bin/python3
"""Opens generated HTML pages in headless Chromium and checks them as a reader
sees them.

Every page: each image has loaded with the size of its file (a WebP drive
with more than one frame), the page logs no console error, and a screenshot
of it is not blank. A page with manoeuvres
(figure.maneuver) also answers the keyboard: the right and left arrow keys
show one manoeuvre at a time, the next and the previous, and Escape brings the
list back.

Usage: check-pages.py SCREENSHOT_DIR PAGE.html...
Exit status 0 when every page passes; 1 with one line per fault otherwise.
Uses Debian's chromium, chromium-driver, python3-selenium and python3-pil
(scripts/install-deps browser). Pages are opened as files: no network.
"""
import io
import pathlib
import sys
import tempfile
import urllib.parse

from PIL import Image
from selenium.webdriver.common.keys import Keys

from headless_chromium import start_browser

# Colours a screenshot must at least show to count as a drawn page.
MIN_COLOURS = 16


def image_faults(driver, page):
    faults = []
    images = driver.execute_script(
        "return Array.from(document.images).map(function (i) {"
        "  return [i.getAttribute('src'), i.complete, i.naturalWidth, i.naturalHeight]; });")
    if not images:
        faults.append("no images")
    for src, complete, width, height in images:
        path = page.parent / urllib.parse.unquote(src)
        if not complete or width == 0:
            faults.append(f"image {src} did not load")
            continue
        try:
            with Image.open(path) as picture:
                real = picture.size
                frames = getattr(picture, "n_frames", 1)
        except OSError as error:
            faults.append(f"image {src}: {error}")
            continue
        if (width, height) != real:
            faults.append(f"image {src} shows at {width}x{height}, the file is {real[0]}x{real[1]}")
        # A drive is an animation: one frame means the replay wrote a still.
        if path.suffix == ".webp" and frames < 2:
            faults.append(f"animation {src} has only {frames} frame")
    return faults


def console_faults(driver):
    return [f"console: {entry['message']}" for entry in driver.get_log("browser")
            if entry["level"] == "SEVERE"]


def screenshot_faults(driver, page, screenshots):
    png = driver.get_screenshot_as_png()
    (screenshots / (page.parent.name + ".png")).write_bytes(png)
    with Image.open(io.BytesIO(png)) as shot:
        colours = shot.convert("RGB").getcolors(maxcolors=MIN_COLOURS)
    if colours is not None:
        return [f"the screenshot is blank ({len(colours)} colours)"]
    return []


def shown_maneuvers(driver):
    """Ids of the manoeuvre figures on screen, and whether the page is in its
    one-at-a-time view."""
    return driver.execute_script(
        "return [Array.from(document.querySelectorAll('figure.maneuver'))"
        "  .filter(function (f) { return f.offsetParent !== null; })"
        "  .map(function (f) { return f.id; }),"
        "  document.body.classList.contains('single')];")


def keyboard_faults(driver):
    ids = driver.execute_script(
        "return Array.from(document.querySelectorAll('figure.maneuver')).map(function (f) {"
        "  return f.id; });")
    if not ids:
        return []
    body = driver.find_element("tag name", "body")
    second = ids[1] if len(ids) > 1 else ids[0]
    # Key, then the figures expected on screen and whether one at a time.
    steps = [(Keys.ARROW_RIGHT, [ids[0]], True), (Keys.ARROW_RIGHT, [second], True),
             (Keys.ARROW_LEFT, [ids[0]], True), (Keys.ARROW_LEFT, [ids[0]], True),
             (Keys.ESCAPE, ids, False), (Keys.ARROW_LEFT, [ids[-1]], True),
             (Keys.ESCAPE, ids, False)]
    names = {Keys.ARROW_RIGHT: "right", Keys.ARROW_LEFT: "left", Keys.ESCAPE: "Escape"}
    pressed = []
    for key, expected, one_at_a_time in steps:
        body.send_keys(key)
        pressed.append(names[key])
        shown, single = shown_maneuvers(driver)
        if shown != expected or single != one_at_a_time:
            return [f"after the keys {', '.join(pressed)}: shown {shown}, expected {expected}"]
    return []


def check(driver, page, screenshots):
    driver.get(page.as_uri())
    driver.execute_async_script(
        "var done = arguments[arguments.length - 1];"
        "Promise.all(Array.from(document.images).map(function (i) {"
        "  return i.decode().catch(function () {}); })).then(function () { done(); });")
    faults = image_faults(driver, page)
    faults += console_faults(driver)
    faults += screenshot_faults(driver, page, screenshots)
    faults += keyboard_faults(driver)
    faults += console_faults(driver)
    return faults


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    screenshots = pathlib.Path(argv[1])
    screenshots.mkdir(parents=True, exist_ok=True)
    pages = [pathlib.Path(p).resolve() for p in argv[2:]]
    failed = 0
    with tempfile.TemporaryDirectory(prefix="check-pages-") as profile:
        driver = start_browser(profile, 1280, 1024)
        try:
            for page in pages:
                faults = check(driver, page, screenshots) if page.is_file() else ["no such page"]
                for fault in faults:
                    print(f"FAIL {page}: {fault}")
                if not faults:
                    print(f"ok   {page}")
                failed += 1 if faults else 0
        finally:
            driver.quit()
    print(f"{len(pages) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
