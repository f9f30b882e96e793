#!/usr/bin/env python3
"""Screenshots of the built site in headless Chromium, as a player sees it.

Usage: web-screenshot.py SITE_DIR DESKTOP.png [PHONE.png]

The desktop one is 1100 x 700 at a pixel ratio of 1 after the first solve,
with the side panel open on a hint; the phone one 390 x 844 at 3, with a
cell tapped.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from cdp import Browser  # noqa: E402

PUZZLE = "083020090000800100029300008000098700070000060006740000300006980002005000010030540"


def open_site(browser, site, width, height, scale, touch):
    page = browser.new_page()
    if touch:
        page.call("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    page.call("Emulation.setDeviceMetricsOverride",
              {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": touch})
    page.navigate(f"file://{os.path.abspath(site)}/index.html#{PUZZLE}")
    page.wait_for("window.vantric && window.vantric.ready", 15)
    page.wait_for("document.getElementById('status').textContent.startsWith('Solution found!')", 15)
    return page


def centre(page, selector):
    point = page.evaluate(f"""(() => {{ const r = document.querySelector({selector!r})
        .getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; }})()""")
    return point


def main():
    site, desktop = sys.argv[1], sys.argv[2]
    phone = sys.argv[3] if len(sys.argv) > 3 else None
    with Browser() as browser:
        page = open_site(browser, site, 1100, 700, 1, False)
        cell = page.evaluate("window.vantric.cellCentre(30)")
        page.move(cell["x"], cell["y"])
        page.click(*centre(page, "#panel-toggle"))
        page.wait_for("!document.getElementById('hint').disabled", 15)
        page.click(*centre(page, "#hint"))
        page.wait_for("document.body.dataset.panel === 'done'", 30)
        page.move(cell["x"], cell["y"])
        page.screenshot(desktop)
        print(f"saved {desktop}")
        if phone:
            page = open_site(browser, site, 390, 844, 3, True)
            cell = page.evaluate("window.vantric.cellCentre(10)")
            page.tap(cell["x"], cell["y"])
            page.wait_for("window.vantric.waiting().suspendedFor === 'message'", 5)
            page.screenshot(phone)
            print(f"saved {phone}")


if __name__ == "__main__":
    main()
