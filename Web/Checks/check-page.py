#!/usr/bin/python3
"""Opens the browser page (out/web/index.html) from disk in headless Chromium
and uses it as a person would: a route file through the picker, a jump to a
manoeuvre with the arrow key, a colour and a width changed, a bad size table
and a bad route file imported, the drive played. The map canvas is read back
and its pixels of a colour counted to see what changed.

Usage: check-page.py PAGE NATIVE_DRIVER [--screenshot PNG] [--figures]
NATIVE_DRIVER is the native web-drive-calls: the page must show the same
message for a bad route file as the native readers give. --figures also opens
the 629 km route and prints how long that took.
Prints one line per check and "N passed, M failed"; exit status 1 on a
failure. Uses Debian's chromium, chromium-driver and python3-selenium.
"""
import argparse
import pathlib
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

ROOT = pathlib.Path(__file__).resolve().parents[2]
# The browser start the generated pages' checks use too.
sys.path.insert(0, str(ROOT / "Tests/Browser"))
from headless_chromium import start_browser  # noqa: E402

ROUTE = ROOT / "data/routes/osrm-roundabout-washingtondc-dupont-polyline6.json"
GPX_ROUTE = ROOT / "data/routes/graphhopper-leipzig-uturn-route-and-track.gpx"
LONG_ROUTE = ROOT / "data/routes/osrm-long-629km-sanfrancisco-losangeles-polyline5.json"

# The map canvas's pixels of one colour (exactly: the insides of lines).
COUNT_PIXELS = """
const canvas = document.getElementById('map');
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
const [r, g, b] = arguments[0];
let n = 0;
for (let i = 0; i < data.length; i += 4)
  if (data[i] === r && data[i + 1] === g && data[i + 2] === b) ++n;
return n;
"""
CANVAS_TEXT = "return document.getElementById('map').toDataURL();"


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what, detail=""):
        print(("ok   " if ok else "FAIL ") + what + (f" ({detail})" if detail else ""))
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        return ok


def pick(driver, input_id, path):
    """Chooses `path` in a file input, as the file picker does."""
    field = driver.find_element(By.ID, input_id)
    driver.execute_script("arguments[0].style.display = 'block';", field)
    field.send_keys(str(path))
    driver.execute_script("arguments[0].style.display = '';", field)


def wait_for(driver, condition, seconds=20):
    WebDriverWait(driver, seconds, poll_frequency=0.05).until(lambda d: d.execute_script(condition))


def open_route(driver, path):
    driver.execute_script("document.getElementById('open-ms').dataset.ms = '';")
    pick(driver, "route-file", path)
    wait_for(driver, "return document.getElementById('open-ms').dataset.ms !== '' || "
                     "!document.getElementById('route-error').hidden;")


def pixels(driver, rgb):
    return driver.execute_script(COUNT_PIXELS, list(rgb))


def text_of(driver, element_id):
    return driver.find_element(By.ID, element_id).text


def press(driver, key):
    driver.find_element(By.TAG_NAME, "body").send_keys(key)


def set_input(driver, selector, value, event):
    driver.execute_script(
        "const e = document.querySelector(arguments[0]); e.value = arguments[1];"
        "e.dispatchEvent(new Event(arguments[2], {bubbles: true}));", selector, value, event)


def native_message(driver_program, bad):
    """What the native readers say about `bad` when given its bare name."""
    run = subprocess.run([driver_program, bad.name, "/dev/null"], cwd=bad.parent,
                         capture_output=True, text=True, check=False)
    return run.stderr.strip().removeprefix("web-drive-calls: ")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page", type=pathlib.Path)
    parser.add_argument("native_driver", type=lambda p: str(pathlib.Path(p).resolve()))
    parser.add_argument("--screenshot", type=pathlib.Path)
    parser.add_argument("--figures", action="store_true")
    args = parser.parse_args()
    checks = Checks()
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        driver = start_browser(str(work / "profile"), 1400, 1500)
        try:
            run(driver, args, checks, work)
        finally:
            driver.quit()
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


def run(driver, args, checks, work):
    driver.get(args.page.resolve().as_uri())
    wait_for(driver, "return document.body.dataset.ready === 'true';")
    checks.check(True, "the page opens from disk and its module starts")
    status = text_of(driver, "route-status")
    credit = text_of(driver, "credit")
    checks.check("sanfrancisco-urban-route.json" in status and
                 credit == "\u00a9 Mapbox \u00a9 OpenStreetMap contributors",
                 "the page opens with the sample route, its credit on the map",
                 f"{status!r}, credit {credit!r}")

    # The route through the picker: its overview.
    open_route(driver, ROUTE)
    status = text_of(driver, "route-status")
    checks.check(ROUTE.name in status, "the route opens through the file picker", status)
    route_fill = (43, 138, 224)
    checks.check(pixels(driver, route_fill) > 500, "the overview shows the route line",
                 f"{pixels(driver, route_fill)} route pixels")

    # A jump to the first manoeuvre (the roundabout) with the arrow key: the
    # drive's frame with the band (white fill) and a caption.
    press(driver, Keys.ARROW_RIGHT)
    chosen = driver.find_element(By.ID, "maneuver").get_attribute("value")
    band = pixels(driver, (255, 255, 255))
    checks.check(chosen == "0" and band > 100, "the right arrow jumps to manoeuvre 1, its band drawn",
                 f"manoeuvre {int(chosen) + 1}, {band} band pixels, "
                 f"caption {text_of(driver, 'caption-primary')!r}")
    checks.check(text_of(driver, "caption-distance").startswith("in "),
                 "the caption gives the distance to the junction", text_of(driver, "caption-distance"))

    # A colour: the band's fill in magenta.
    set_input(driver, "#colour-2", "#ff00ff", "input")
    magenta = pixels(driver, (255, 0, 255))
    checks.check(magenta > 100 and pixels(driver, (255, 255, 255)) < band / 10,
                 "a new band colour is drawn at once", f"{magenta} magenta pixels")

    # A width: the band's fill at the frame's level, twice as wide.
    level = text_of(driver, "level")
    selector = f"#sizes input[data-level='{level}'][data-field='edgeWidth']"
    width = int(driver.find_element(By.CSS_SELECTOR, selector).get_attribute("value"))
    set_input(driver, selector, str(width * 2), "change")
    wider = pixels(driver, (255, 0, 255))
    checks.check(wider > magenta * 1.3, "a wider band is drawn at once",
                 f"level {level}: edgeWidth {width} -> {width * 2}, {magenta} -> {wider} pixels")
    sheet = driver.execute_script("return document.querySelectorAll('#sheet canvas').length;")
    checks.check(sheet == 19, "the contact sheet shows every level", f"{sheet} pictures")

    # A bad size table: its error, the table in force kept, the page working.
    bad_sizes = work / "bad-sizes.json"
    bad_sizes.write_text('{ "levels": [ { "pathWidth": 12 ')
    pick(driver, "sizes-file", bad_sizes)
    wait_for(driver, "return !document.getElementById('settings-error').hidden;")
    message = text_of(driver, "settings-error")
    checks.check(message.startswith("bad-sizes.json:1:") and message.endswith("not valid JSON"),
                 "a bad size table shows the tools' error", message)
    kept = pixels(driver, (255, 0, 255))
    set_input(driver, "#colour-2", "#00ff00", "input")
    green = pixels(driver, (0, 255, 0))
    # The same band in another colour: the pixels of exactly that colour may
    # differ by a few at its antialiased edge, where a nearly covered pixel
    # rounds to the pure colour for one fill and not for the other.
    checks.check(kept == wider and abs(green - wider) <= max(2, wider // 100),
                 "the table in force stays and the page keeps working",
                 f"{kept} band pixels before, {green} green after")

    # A bad route file: the native readers' message, the route kept.
    bad_route = work / "broken-route.json"
    bad_route.write_text('{"routes": [{"legs": 3}]}')
    open_route(driver, bad_route)
    shown = text_of(driver, "route-error")
    expected = native_message(args.native_driver, bad_route)
    checks.check(shown == expected and shown != "", "a bad route file shows the tools' error",
                 shown)
    checks.check(ROUTE.name in text_of(driver, "route-status"), "the route shown stays")

    # A GPX file dropped on the page.
    driver.execute_script("document.getElementById('open-ms').dataset.ms = '';")
    driver.execute_script(
        "const transfer = new DataTransfer();"
        "transfer.items.add(new File([arguments[0]], arguments[1]));"
        "document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true}));",
        GPX_ROUTE.read_text(encoding="utf-8"), GPX_ROUTE.name)
    wait_for(driver, "return document.getElementById('open-ms').dataset.ms !== '';")
    checks.check(GPX_ROUTE.name in text_of(driver, "route-status") and
                 pixels(driver, route_fill) > 100, "a GPX file dropped on the page opens",
                 text_of(driver, "route-status"))

    # Playing: frames follow one another.
    driver.find_element(By.ID, "maneuver").send_keys(Keys.HOME)
    driver.find_element(By.ID, "play").click()
    seen = set()
    for _ in range(8):
        time.sleep(0.25)
        seen.add(driver.execute_script(CANVAS_TEXT))
    driver.find_element(By.ID, "play").click()
    checks.check(len(seen) >= 4, "playing draws new frames", f"{len(seen)} different of 8")
    frame_ms = text_of(driver, "frame-ms")
    checks.check(frame_ms not in ("", "–"), "the library's time per frame shows", frame_ms)

    if args.screenshot:
        # The page as the README shows it: the roundabout's band in the
        # drive, the default colours and widths, no message.
        set_input(driver, "#colour-2", "#ffffff", "input")
        set_input(driver, selector, str(width), "change")
        set_input(driver, "#maneuver", "0", "change")
        driver.execute_script("document.getElementById('route-error').hidden = true;"
                              "document.getElementById('settings-error').hidden = true;"
                              "window.scrollTo(0, 0);")
        driver.set_window_size(1400, 1180)
        args.screenshot.write_bytes(driver.get_screenshot_as_png())

    if args.figures:
        open_route(driver, LONG_ROUTE)
        ms = driver.execute_script("return document.getElementById('open-ms').dataset.ms;")
        print(f"figure: {LONG_ROUTE.name} opened in {ms} ms")
        driver.find_element(By.ID, "play").click()
        time.sleep(3)
        driver.find_element(By.ID, "play").click()
        print("figure: library per frame while playing it: mean of the last 60 " +
              text_of(driver, "mean-ms"))

    errors = [entry["message"] for entry in driver.get_log("browser")
              if entry["level"] == "SEVERE"]
    checks.check(not errors, "no console error", "; ".join(errors))


if __name__ == "__main__":
    sys.exit(main())
