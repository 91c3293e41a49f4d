"""Debian's Chromium, headless, driven over the DevTools protocol through a pipe (no WebSocket
library, no browser download), and a small static web server for the page."""

import base64
import fcntl
import functools
import http.server
import io
import json
import os
import select
import shutil
import subprocess
import tempfile
import threading
import time
import zlib


class ProtocolError(Exception):
    pass


# Reports every violation of the page's content policy to the test, from before the page's first
# script, in every document the page loads (a binding, which the page cannot answer for itself).
POLICY_WATCH = """document.addEventListener('securitypolicyviolation', (event) => {
  vantorPolicyViolation(JSON.stringify({directive: event.effectiveDirective, blocked: event.blockedURI,
                                        source: event.sourceFile + ':' + event.lineNumber,
                                        sample: event.sample}));
}, true);"""


class Browser:
    """One headless Chromium with a fresh profile, and one page in it."""

    def __init__(self, executable='/usr/bin/chromium', width=700, height=600, extra_flags=()):
        self.profile = tempfile.mkdtemp(prefix='vantor-chromium-')
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()
        # Chromium reads commands on fd 3 and writes answers on fd 4. The pipes may already sit
        # on 3 or 4: each is moved out of the way first, and marked to survive the exec.
        def hand_over():
            read_end = fcntl.fcntl(to_browser_read, fcntl.F_DUPFD, 10)
            write_end = fcntl.fcntl(from_browser_write, fcntl.F_DUPFD, 10)
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)
            os.set_inheritable(3, True)
            os.set_inheritable(4, True)
        flags = ['--headless=new', '--remote-debugging-pipe', '--no-sandbox', '--no-first-run',
                 '--user-data-dir=' + self.profile,
                 # The machine's closed network: nothing but the page's own server is asked.
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 '--disable-quic', '--disable-default-apps', '--disable-extensions',
                 # WebGL on the CPU, so that SDL draws as it would on a real graphics card.
                 '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                 '--window-size=%d,%d' % (width, height)] + list(extra_flags) + ['about:blank']
        # Our ends of the pipes are not inherited (os.pipe makes them so), fds 3 and 4 are.
        self.process = subprocess.Popen([executable] + flags, preexec_fn=hand_over, close_fds=False,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._buffer = b''
        self._next_id = 0
        self.events = []
        target = self.call('Target.createTarget', url='about:blank')['targetId']
        self.session = self.call('Target.attachToTarget', targetId=target, flatten=True)['sessionId']
        for domain in ('Page', 'Runtime', 'Log'):
            self.page(domain + '.enable')
        self._violations_taken = 0
        self.page('Runtime.addBinding', name='vantorPolicyViolation')
        self.page('Page.addScriptToEvaluateOnNewDocument', source=POLICY_WATCH)
        self.page('Emulation.setDeviceMetricsOverride', width=width, height=height,
                  deviceScaleFactor=1, mobile=False)

    def close(self):
        try:
            self.call('Browser.close')
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        # Every test fails on a violation of the page's policy that it did not take as expected.
        try:
            self.pump(0.2)
        except ProtocolError:
            pass
        broken = self.violations()
        self.close()
        if exception[0] is None and broken:
            raise AssertionError('the page broke its content policy:\n  ' + '\n  '.join(broken))

    # --- The protocol ---------------------------------------------------------------------------

    def _send(self, message):
        data = json.dumps(message).encode() + b'\0'
        while data:
            data = data[os.write(self._to_browser, data):]

    def _receive(self, deadline):
        while b'\0' not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self._from_browser], [], [], left)[0]:
                raise ProtocolError('the browser did not answer in time')
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                raise ProtocolError('the browser has gone')
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b'\0', 1)
        return json.loads(message)

    def call(self, method, session=None, timeout=30, **params):
        self._next_id += 1
        message = {'id': self._next_id, 'method': method, 'params': params}
        if session:
            message['sessionId'] = session
        self._send(message)
        deadline = time.monotonic() + timeout
        while True:
            answer = self._receive(deadline)
            if answer.get('id') == self._next_id:
                if 'error' in answer:
                    raise ProtocolError('%s: %s' % (method, answer['error'].get('message')))
                return answer.get('result', {})
            if 'method' in answer:
                self.events.append(answer)

    def page(self, method, **params):
        return self.call(method, session=self.session, **params)

    def pump(self, seconds):
        """Collects the events that arrive within the time."""
        deadline = time.monotonic() + seconds
        try:
            while True:
                message = self._receive(deadline)
                if 'method' in message:
                    self.events.append(message)
        except ProtocolError as problem:
            if 'in time' not in str(problem):
                raise

    # --- What a test uses -----------------------------------------------------------------------

    def open(self, url):
        """Goes to the address and waits until the page (not the game) has loaded."""
        seen = len(self.events)
        self.page('Page.navigate', url=url)
        self._wait_after(seen, 'Page.loadEventFired')

    def reload(self):
        seen = len(self.events)
        self.page('Page.reload')
        self._wait_after(seen, 'Page.loadEventFired')

    def _wait_after(self, seen, method, timeout=60):
        deadline = time.monotonic() + timeout
        while not any(event['method'] == method for event in self.events[seen:]):
            if time.monotonic() > deadline:
                raise AssertionError('gave up waiting for ' + method)
            self.pump(0.1)

    def evaluate(self, expression):
        result = self.page('Runtime.evaluate', expression=expression, returnByValue=True,
                           awaitPromise=True)
        if 'exceptionDetails' in result:
            raise ProtocolError('%s: %s' % (expression, result['exceptionDetails'].get('text')))
        return result['result'].get('value')

    def wait_for(self, expression, timeout=30, what=None):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            if value:
                return value
            self.pump(0.1)
        raise AssertionError('gave up waiting for ' + (what or expression))

    def console(self, kinds=('log',)):
        """The text of the console lines written so far, of the given kinds."""
        lines = []
        for event in self.events:
            if event['method'] == 'Runtime.consoleAPICalled' and event['params']['type'] in kinds:
                lines.append(' '.join(str(arg.get('value', arg.get('description', '')))
                                      for arg in event['params']['args']))
        return lines

    def errors(self):
        """Everything the page logged as an error: console errors, uncaught exceptions, failed
        loads."""
        found = []
        for event in self.events:
            method, params = event['method'], event['params']
            if method == 'Runtime.consoleAPICalled' and params['type'] in ('error', 'assert'):
                found.append('console: ' + ' '.join(str(a.get('value', a.get('description')))
                                                    for a in params['args']))
            elif method == 'Runtime.exceptionThrown':
                details = params['exceptionDetails']
                found.append('exception: ' + details.get('exception', {}).get('description',
                                                                               details.get('text', '')))
            elif method == 'Log.entryAdded' and params['entry']['level'] == 'error':
                found.append('log: %s %s' % (params['entry']['text'], params['entry'].get('url', '')))
        return found

    def violations(self, take=False):
        """The violations of the page's content policy reported since the last taken, as the
        browser's event describes them and as its console says them;
        take: they were expected, and are not reported again."""
        found = []
        for event in self.events:
            method, params = event['method'], event['params']
            if method == 'Runtime.bindingCalled' and params['name'] == 'vantorPolicyViolation':
                found.append('event: ' + params['payload'])
            elif method == 'Log.entryAdded' and 'Content Security Policy' in params['entry']['text']:
                found.append('console: ' + params['entry']['text'])
        new = found[self._violations_taken:]
        if take:
            self._violations_taken = len(found)
        return new

    def key(self, key, code, key_code, down):
        self.page('Input.dispatchKeyEvent', type='keyDown' if down else 'keyUp', key=key, code=code,
                  windowsVirtualKeyCode=key_code, nativeVirtualKeyCode=key_code)

    def screenshot(self, x, y, width, height):
        """The pixels of a part of the page as rows of (r, g, b)."""
        data = self.page('Page.captureScreenshot', format='png',
                         clip={'x': x, 'y': y, 'width': width, 'height': height, 'scale': 1})['data']
        return decode_png(base64.b64decode(data))


def decode_png(data):
    """Rows of (r, g, b) of an 8-bit RGB or RGBA PNG without interlacing (what Chromium writes)."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    at, idat = 8, b''
    while at < len(data):
        length = int.from_bytes(data[at:at + 4], 'big')
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            width, height = int.from_bytes(body[0:4], 'big'), int.from_bytes(body[4:8], 'big')
            depth, colour, interlace = body[8], body[9], body[12]
            assert depth == 8 and colour in (2, 6) and interlace == 0, 'an unexpected PNG'
        elif kind == b'IDAT':
            idat += body
        at += 12 + length
    channels = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous = [], bytearray(stride)
    for row in range(height):
        kind = raw[row * (stride + 1)]
        line = bytearray(raw[row * (stride + 1) + 1:(row + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, corner = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                guess = left + up - corner
                near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                           (abs(guess - corner), 2, corner))[2]
                line[i] = (line[i] + near) & 255
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, channels)])
        previous = line
    return rows


def read_bmp(path):
    """Rows of (r, g, b) of a 24-bit BMP (what the host's --screenshot writes)."""
    with open(path, 'rb') as file:
        data = file.read()
    offset = int.from_bytes(data[10:14], 'little')
    width = int.from_bytes(data[18:22], 'little')
    height = int.from_bytes(data[22:26], 'little', signed=True)
    stride = (width * 3 + 3) & ~3
    rows = []
    for row in range(abs(height)):
        start = offset + (row if height < 0 else abs(height) - 1 - row) * stride
        rows.append([(data[start + 3 * i + 2], data[start + 3 * i + 1], data[start + 3 * i])
                     for i in range(width)])
    return rows


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    missing = ()
    zeroed = ()
    extra = {}
    redirects = {}

    def log_message(self, *args):
        pass

    def send_head(self):
        name = self.path.split('?')[0].lstrip('/')
        self.server.asked.append(name)
        if name in self.missing:
            self.send_error(404)
            return None
        if name in self.redirects:
            self.send_response(302)
            self.send_header('Location', self.redirects[name])
            self.end_headers()
            return None
        if name in self.extra:
            self.send_response(200)
            self.send_header('Content-Type', 'application/octet-stream')
            self.send_header('Content-Length', str(len(self.extra[name])))
            self.end_headers()
            return io.BytesIO(self.extra[name])
        if name in self.zeroed:
            size = os.path.getsize(os.path.join(self.directory, name))
            self.send_response(200)
            self.send_header('Content-Type', 'application/octet-stream')
            self.send_header('Content-Length', str(size))
            self.end_headers()
            return io.BytesIO(bytes(size))
        return super().send_head()


class SiteServer:
    """The page's folder served on 127.0.0.1 on a free port; missing names files to answer 404,
    zeroed files to send as zero bytes of their size (damaged in transit or on the server), extra
    more files (name: bytes), redirects names to answer with a redirect (name: address)."""

    def __init__(self, directory, missing=(), zeroed=(), extra=None, redirects=None):
        handler = type('Handler', (_QuietHandler,), {'missing': tuple(missing), 'zeroed': tuple(zeroed),
                                                     'extra': dict(extra or {}),
                                                     'redirects': dict(redirects or {})})
        handler.extensions_map = dict(handler.extensions_map, **{'.wasm': 'application/wasm'})
        self.server = http.server.ThreadingHTTPServer(
            ('127.0.0.1', 0), functools.partial(handler, directory=directory))
        self.server.asked = []   # every name asked for, in order
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()
        self.url = 'http://127.0.0.1:%d/' % self.server.server_address[1]

    def close(self):
        self.server.shutdown()
        self.server.server_close()

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()
