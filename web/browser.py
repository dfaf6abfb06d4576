"""Headless Chromium driven over its DevTools pipe, with the page served
from a local folder: enough to open the demo, click, press keys, read the
page and take screenshots. Needs only Python's standard library."""

import base64
import contextlib
import fcntl
import functools
import http.server
import json
import os
import shutil
import socketserver
import subprocess
import tempfile
import threading
import time
import zlib


@contextlib.contextmanager
def serve(folder):
    """Serves `folder` on 127.0.0.1 at a free port; yields the base URL."""
    handler = functools.partial(Quiet, directory=folder)
    with socketserver.ThreadingTCPServer(('127.0.0.1', 0), handler) as server:
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            yield 'http://127.0.0.1:%d/' % server.server_address[1]
        finally:
            server.shutdown()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def chromium_path():
    for name in ('chromium', 'chromium-browser', 'google-chrome'):
        path = shutil.which(name)
        if path:
            return path
    return None


class Browser:
    """One headless Chromium with one page, `width` by `height` CSS pixels."""

    def __init__(self, width, height):
        self.profile = tempfile.mkdtemp(prefix='ostre3-chromium-')
        to_chrome_r, self.to_chrome = os.pipe()
        self.from_chrome, from_chrome_w = os.pipe()
        args = [chromium_path(), '--headless', '--remote-debugging-pipe',
                '--user-data-dir=' + self.profile, '--window-size=%d,%d' % (width, height),
                # WebGL in software: no GPU on a test machine
                '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                '--autoplay-policy=no-user-gesture-required',
                '--no-first-run', '--mute-audio', 'about:blank']
        if os.geteuid() == 0:
            args.insert(1, '--no-sandbox')  # Chromium refuses to run as root otherwise

        def pipes_as_3_and_4():
            # Moved out of the way first: either end may itself be 3 or 4.
            reading = fcntl.fcntl(to_chrome_r, fcntl.F_DUPFD, 10)
            writing = fcntl.fcntl(from_chrome_w, fcntl.F_DUPFD, 10)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(args, preexec_fn=pipes_as_3_and_4, pass_fds=(3, 4),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_chrome_r)
        os.close(from_chrome_w)
        self.pending = b''
        self.next_id = 0
        targets = self.send('Target.getTargets')['targetInfos']
        page = next(t for t in targets if t['type'] == 'page')
        self.session = self.send('Target.attachToTarget',
                                 {'targetId': page['targetId'], 'flatten': True})['sessionId']
        self.send('Page.enable', session=self.session)
        # The window's size includes room for browser chrome; fix the page's.
        self.send('Emulation.setDeviceMetricsOverride',
                  {'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False},
                  self.session)

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.to_chrome)
        os.close(self.from_chrome)
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def send(self, method, params=None, session=None):
        self.next_id += 1
        message = {'id': self.next_id, 'method': method, 'params': params or {}}
        if session:
            message['sessionId'] = session
        os.write(self.to_chrome, json.dumps(message).encode() + b'\0')
        while True:
            reply = self.receive()
            if reply.get('id') == self.next_id:
                if 'error' in reply:
                    raise RuntimeError('%s: %s' % (method, reply['error']))
                return reply['result']

    def receive(self):
        while b'\0' not in self.pending:
            chunk = os.read(self.from_chrome, 1 << 20)
            if not chunk:
                raise RuntimeError('Chromium closed its DevTools pipe')
            self.pending += chunk
        message, self.pending = self.pending.split(b'\0', 1)
        return json.loads(message)

    def page(self, method, params=None):
        return self.send(method, params, self.session)

    def open(self, url):
        self.page('Page.navigate', {'url': url})

    def evaluate(self, expression):
        result = self.page('Runtime.evaluate', {'expression': expression, 'returnByValue': True})
        return result['result'].get('value')

    def wait_for(self, expression, timeout=30):
        """Polls `expression` until it is true; returns whether it became so."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.evaluate(expression):
                return True
            time.sleep(0.05)
        return False

    def scene_time(self):
        """The scene time the page drew last, from its title; None before."""
        title = self.evaluate('document.title') or ''
        parts = title.split()
        return int(parts[1]) if len(parts) == 2 and parts[1].lstrip('-').isdigit() else None

    def click(self, x, y):
        for kind in ('mousePressed', 'mouseReleased'):
            self.page('Input.dispatchMouseEvent',
                      {'type': kind, 'x': x, 'y': y, 'button': 'left', 'clickCount': 1})

    def press(self, key, code):
        for kind in ('keyDown', 'keyUp'):
            self.page('Input.dispatchKeyEvent', {'type': kind, 'key': key, 'code': code,
                                                 'text': key if len(key) == 1 else ''})

    def screenshot(self, path=None, scale=1):
        """The page as PNG bytes, also written to `path` if given."""
        params = {'format': 'png'}
        if scale != 1:
            size = self.evaluate('[innerWidth, innerHeight]')
            params['clip'] = {'x': 0, 'y': 0, 'width': size[0], 'height': size[1], 'scale': scale}
        png = base64.b64decode(self.page('Page.captureScreenshot', params)['data'])
        if path:
            with open(path, 'wb') as f:
                f.write(png)
        return png


class Picture:
    """An 8-bit RGB or RGBA PNG as Chromium writes them, decoded."""

    def __init__(self, png):
        chunks, at = {}, 8
        while at < len(png):
            length = int.from_bytes(png[at:at + 4], 'big')
            kind = png[at + 4:at + 8]
            chunks[kind] = chunks.get(kind, b'') + png[at + 8:at + 8 + length]
            at += 12 + length
        header = chunks[b'IHDR']
        self.width = int.from_bytes(header[0:4], 'big')
        self.height = int.from_bytes(header[4:8], 'big')
        depth, colour, interlace = header[8], header[9], header[12]
        if depth != 8 or colour not in (2, 6) or interlace:
            raise ValueError('not an 8-bit RGB(A) PNG')
        self.channels = 3 if colour == 2 else 4
        self.rows = self.unfilter(zlib.decompress(chunks[b'IDAT']))

    def unfilter(self, raw):
        n, stride = self.channels, self.width * self.channels
        rows, previous = [], bytearray(stride)
        for y in range(self.height):
            start = y * (stride + 1)
            kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
            for i in range(stride):
                left = row[i - n] if i >= n else 0
                up, corner = previous[i], previous[i - n] if i >= n else 0
                if kind == 1:
                    row[i] = (row[i] + left) & 255
                elif kind == 2:
                    row[i] = (row[i] + up) & 255
                elif kind == 3:
                    row[i] = (row[i] + (left + up) // 2) & 255
                elif kind == 4:
                    p = left + up - corner
                    pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                    row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
            rows.append(bytes(row))
            previous = row
        return rows

    def pixel(self, x, y):
        at = x * self.channels
        return tuple(self.rows[y][at:at + 3])
