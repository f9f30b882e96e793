"""A small client of Chromium's DevTools protocol over --remote-debugging-pipe.

Chromium reads commands from its file descriptor 3 and writes answers and
events to 4, one JSON message each, ended by a zero byte. This client starts
Debian's chromium headless with a profile of its own, opens one page and
drives it with real input events.
"""
import base64
import fcntl
import json
import os
import queue
import shutil
import subprocess
import tempfile
import threading
import time


class ProtocolError(Exception):
    pass


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    raise ProtocolError("no chromium on the PATH (Debian's package chromium)")


class Browser:
    """One headless Chromium, with a profile that is removed when it ends."""

    def __init__(self, extra_args=()):
        self.profile = tempfile.mkdtemp(prefix="vantric-chromium-")
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()
        # Above 4, so that the shell's redirections below never close one
        # of them while putting the other in place.
        to_browser_read = self._above_four(to_browser_read)
        from_browser_write = self._above_four(from_browser_write)
        args = [
            find_chromium(), "--headless=new", "--remote-debugging-pipe",
            "--disable-gpu", "--no-first-run", "--no-default-browser-check",
            "--disable-background-networking", "--disable-component-update",
            "--disable-sync", "--disable-extensions", "--mute-audio",
            "--autoplay-policy=no-user-gesture-required",
            f"--user-data-dir={self.profile}", *extra_args,
        ]
        if os.geteuid() == 0:
            args.append("--no-sandbox")
        # The shell puts the two pipe ends where Chromium looks for them.
        script = (f'exec "$@" 3<&{to_browser_read} 4>&{from_browser_write} '
                  f'{to_browser_read}<&- {from_browser_write}>&-')
        self._log = open(os.path.join(self.profile, "chromium.log"), "wb")
        self.process = subprocess.Popen(
            ["bash", "-c", script, "bash", *args], pass_fds=(to_browser_read, from_browser_write),
            stdin=subprocess.DEVNULL, stdout=self._log, stderr=subprocess.STDOUT)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._next_id = 1
        self._answers = {}
        self._answered = threading.Condition()
        self.events = queue.Queue()
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    @staticmethod
    def _above_four(fd):
        high = fcntl.fcntl(fd, fcntl.F_DUPFD, 10)
        os.close(fd)
        return high

    def _read(self):
        pending = b""
        while True:
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                break
            pending += chunk
            while b"\0" in pending:
                raw, pending = pending.split(b"\0", 1)
                message = json.loads(raw)
                if "id" in message:
                    with self._answered:
                        self._answers[message["id"]] = message
                        self._answered.notify_all()
                else:
                    self.events.put(message)
        with self._answered:
            self._answers[None] = {"error": {"message": "the browser ended"}}
            self._answered.notify_all()

    def send(self, method, params=None, session=None, timeout=30):
        message_id = self._next_id
        self._next_id += 1
        message = {"id": message_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self._answered:
            while message_id not in self._answers:
                if None in self._answers:
                    raise ProtocolError(f"{method}: the browser ended")
                left = deadline - time.monotonic()
                if left <= 0:
                    raise ProtocolError(f"{method}: no answer in {timeout} s")
                self._answered.wait(left)
            answer = self._answers.pop(message_id)
        if "error" in answer:
            raise ProtocolError(f"{method}: {answer['error'].get('message')}")
        return answer.get("result", {})

    def new_page(self, url="about:blank"):
        target = self.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        page = Page(self, session)
        page.call("Page.enable")
        page.call("Runtime.enable")
        if url != "about:blank":
            page.navigate(url)
        return page

    def close(self):
        try:
            self.send("Browser.close", timeout=5)
        except ProtocolError:
            pass
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        self._log.close()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Page:
    """One page of the browser, in its own protocol session."""

    def __init__(self, browser, session):
        self.browser = browser
        self.session = session

    def call(self, method, params=None, timeout=30):
        return self.browser.send(method, params, self.session, timeout)

    def navigate(self, url):
        self.call("Page.navigate", {"url": url})

    def evaluate(self, expression, timeout=30):
        """The expression's value; a promise is waited for."""
        result = self.call("Runtime.evaluate", {
            "expression": expression, "returnByValue": True, "awaitPromise": True,
        }, timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            raise ProtocolError(f"{expression[:60]}...: {text}")
        return result["result"].get("value")

    def wait_for(self, expression, timeout=20, what=None):
        """Polls until the expression is true; its last value."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise ProtocolError(f"waited {timeout} s for {what or expression}")
            time.sleep(0.02)

    # Real input, as the browser gets it from the system.

    def mouse(self, kind, x, y, button="none", buttons=0, count=0):
        self.call("Input.dispatchMouseEvent", {
            "type": kind, "x": x, "y": y, "button": button, "buttons": buttons,
            "clickCount": count, "pointerType": "mouse",
        })

    def move(self, x, y):
        self.mouse("mouseMoved", x, y)

    def click(self, x, y, button="left"):
        flag = {"left": 1, "right": 2}[button]
        self.move(x, y)
        self.mouse("mousePressed", x, y, button, flag, 1)
        self.mouse("mouseReleased", x, y, button, 0, 1)

    def key(self, key, code=None, key_code=0, text=None, modifiers=0):
        """A key press and release, with its character when it types one."""
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key,
                "code": code or key, "windowsVirtualKeyCode": key_code,
                "nativeVirtualKeyCode": key_code, "modifiers": modifiers}
        if text:
            down["text"] = text
            down["unmodifiedText"] = text
        self.call("Input.dispatchKeyEvent", down)
        self.call("Input.dispatchKeyEvent", {"type": "keyUp", "key": key, "code": code or key,
                                            "windowsVirtualKeyCode": key_code,
                                            "nativeVirtualKeyCode": key_code,
                                            "modifiers": modifiers})

    def type_character(self, character):
        code = ord(character.upper()) if character.isalnum() else ord(character)
        name = f"Digit{character}" if character.isdigit() else (
            "Space" if character == " " else f"Key{character.upper()}")
        self.key(character, name, code, character)

    def insert_text(self, text):
        self.call("Input.insertText", {"text": text})

    def touch(self, kind, points):
        self.call("Input.dispatchTouchEvent", {
            "type": kind, "touchPoints": [{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)],
        })

    def tap(self, x, y):
        self.touch("touchStart", [(x, y)])
        self.touch("touchEnd", [])

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", {"format": "png", "captureBeyondViewport": True})["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))
