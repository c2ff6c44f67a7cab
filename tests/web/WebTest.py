#!/usr/bin/env python3
"""The game as a web page, played in headless Chromium over its DevTools
protocol: the page is built (tools/web-build.sh) and served on 127.0.0.1
(web/serve.py); the start menu must show the game's own background, a click
on Play, X, a name and the arrows must reach the game (the story, the name,
level 1 with Oska walking), P the pause screen; a score made in the page must
outlive a reload; the committed whole-game recording must replay in the page
to the summary `kerbo --replay` prints; the game left from the pause screen,
downloaded with the page's button, must replay exactly on the desktop and in
the page to one summary; the editor must save the own pack and test-play it;
the Full screen button, a standard gamepad, a browser without WebAssembly and
refused storage must each do what a player expects. Screenshots go to the
output folder.

Usage: WebTest.py SOURCE_DIR DATA_DIR OUT_DIR RECORDING SUMMARY KERBO
Exit status 77 (skipped) without emscripten or chromium."""
import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request
import zlib

SOURCE, DATA, OUT, RECORDING, SUMMARY, KERBO = (os.path.abspath(a) for a in sys.argv[1:7])
# KERBO_WEB_PAGE names a page built already (make web's build-web), else one is built here.
PAGE = os.environ.get('KERBO_WEB_PAGE') or os.path.join(OUT, 'page')


def fail(message):
    print('FAILED: ' + message, flush=True)
    sys.exit(1)


# ------------------------------------------------------------ pictures

def read_png(data):
    """Width, height and rows of (r, g, b) bytes of an 8-bit RGB(A) PNG."""
    pos, chunks = 8, b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
        elif kind == b'IDAT':
            chunks += body
        pos += 12 + length
    assert depth == 8 and colour in (2, 6), 'unexpected PNG layout'
    step = 3 if colour == 2 else 4
    raw, stride, rows, prev = zlib.decompress(chunks), width * step, [], bytearray(width * step)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = prev[i], prev[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line) if step == 3 else bytes(v for k, v in enumerate(line) if k % 4 != 3))
        prev = line
    return width, height, rows


def read_bmp(path):
    """Width, height and top-down rows of (r, g, b) bytes of a 24/32-bit BMP."""
    with open(path, 'rb') as f:
        data = f.read()
    offset, = struct.unpack('<I', data[10:14])
    width, height, _, bits = struct.unpack('<iiHH', data[18:30])
    step, rows = bits // 8, []
    stride = (width * step + 3) & ~3
    for y in range(abs(height)):
        start = offset + y * stride
        line = data[start:start + width * step]
        rows.append(bytes(v for k in range(0, len(line), step) for v in (line[k + 2], line[k + 1], line[k])))
    if height > 0:
        rows.reverse()
    return width, abs(height), rows


def likeness(a, b):
    """The share of pixels two same-sized pictures have alike (each channel within 24)."""
    (w, h, ra), (_, _, rb) = a, b
    alike = 0
    for y in range(0, h, 2):
        la, lb = ra[y], rb[y]
        for x in range(0, w * 3, 6):
            if abs(la[x] - lb[x]) <= 24 and abs(la[x + 1] - lb[x + 1]) <= 24 and abs(la[x + 2] - lb[x + 2]) <= 24:
                alike += 1
    return alike / ((h + 1) // 2 * ((w + 1) // 2))


def write_png(path, picture):
    width, height, rows = picture
    raw = b''.join(b'\0' + r for r in rows)
    chunk = lambda kind, body: struct.pack('>I', len(body)) + kind + body + struct.pack(
        '>I', zlib.crc32(kind + body))
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
                chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


# ------------------------------------------------------------ DevTools

class DevTools:
    """One page's DevTools connection: a websocket of JSON commands and events."""

    def __init__(self, url):
        host, rest = url[len('ws://'):].split('/', 1)
        address, port = host.split(':')
        self.sock = socket.create_connection((address, int(port)), timeout=60)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f'GET /{rest} HTTP/1.1\r\nHost: {host}\r\nUpgrade: websocket\r\n'
                           f'Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n'
                           'Sec-WebSocket-Version: 13\r\n\r\n').encode())
        reply = b''
        while b'\r\n\r\n' not in reply:
            reply += self.sock.recv(4096)
        assert b' 101 ' in reply.split(b'\r\n')[0], reply
        self.buffer = reply.split(b'\r\n\r\n', 1)[1]
        self.next_id = 0
        self.console = []

    def _read(self, n):
        while len(self.buffer) < n:
            more = self.sock.recv(1 << 20)
            if not more:
                raise ConnectionError('DevTools closed the connection')
            self.buffer += more
        data, self.buffer = self.buffer[:n], self.buffer[n:]
        return data

    def _frame(self):
        message = b''
        while True:
            head = self._read(2)
            length = head[1] & 127
            if length == 126:
                length, = struct.unpack('>H', self._read(2))
            elif length == 127:
                length, = struct.unpack('>Q', self._read(8))
            message += self._read(length)
            if head[0] & 0x80:
                return message

    def call(self, method, **params):
        self.next_id += 1
        body = json.dumps({'id': self.next_id, 'method': method, 'params': params}).encode()
        mask = os.urandom(4)
        length = len(body)
        head = bytes([0x81]) + (bytes([0x80 | length]) if length < 126 else
                                bytes([0x80 | 126]) + struct.pack('>H', length) if length < 65536 else
                                bytes([0x80 | 127]) + struct.pack('>Q', length))
        self.sock.sendall(head + mask + bytes(b ^ mask[k % 4] for k, b in enumerate(body)))
        while True:
            message = json.loads(self._frame())
            if message.get('method') == 'Runtime.consoleAPICalled':
                self.console.append(' '.join(str(a.get('value', '')) for a in message['params']['args']))
            if message.get('id') == self.next_id:
                if 'error' in message:
                    raise RuntimeError(f'{method}: {message["error"]}')
                return message.get('result', {})

    def evaluate(self, expression):
        result = self.call('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        return result.get('result', {}).get('value')


# ------------------------------------------------------------ the session

KEYS = {'x': ('x', 'KeyX', 88), 'p': ('p', 'KeyP', 80), 'a': ('a', 'KeyA', 65), 'b': ('b', 'KeyB', 66),
        'c': ('c', 'KeyC', 67), 'Right': ('ArrowRight', 'ArrowRight', 39), 'Left': ('ArrowLeft', 'ArrowLeft', 37),
        'i': ('i', 'KeyI', 73), 'Enter': ('Enter', 'Enter', 13), 'Escape': ('Escape', 'Escape', 27)}


class Page:
    def __init__(self, tools, address):
        self.tools, self.address = tools, address

    def key(self, name, down=True, up=True):
        key, code, vk = KEYS[name]
        text = key if len(key) == 1 else ''
        if down:
            self.tools.call('Input.dispatchKeyEvent', type='keyDown', key=key, code=code,
                            windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk, text=text)
        if down and up:
            time.sleep(0.08)  # held as a finger holds it: the game looks at held keys once a frame
        if up:
            self.tools.call('Input.dispatchKeyEvent', type='keyUp', key=key, code=code,
                            windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk)

    def canvas(self):
        return self.tools.evaluate('(() => { const r = document.getElementById("canvas").getBoundingClientRect();'
                                   ' return [r.left, r.top, r.width, r.height]; })()')

    def click(self, x, y):
        left, top, width, _ = self.canvas()
        scale = width / 800
        for kind in ('mouseMoved', 'mousePressed', 'mouseReleased'):
            self.tools.call('Input.dispatchMouseEvent', type=kind, x=left + x * scale, y=top + y * scale,
                            button='left', clickCount=1)
            time.sleep(0.05)

    def shot(self, name):
        left, top, width, height = self.canvas()
        png = self.tools.call('Page.captureScreenshot', format='png',
                              clip={'x': left, 'y': top, 'width': width, 'height': height, 'scale': 800 / width})
        data = base64.b64decode(png['data'])
        with open(os.path.join(OUT, name + '.png'), 'wb') as f:
            f.write(data)
        return read_png(data)

    def wait_for(self, name, picture, share, timeout=20):
        """Screenshots until one is at least `share` like the picture; the time it took."""
        start, best = time.monotonic(), 0
        while time.monotonic() - start < timeout:
            shot = self.shot(name)
            if shot[0] == picture[0] and shot[1] == picture[1]:
                best = max(best, likeness(shot, picture))
                if best >= share:
                    return time.monotonic() - start
            time.sleep(0.1)
        fail(f'{name}: the screen never looked like it should (best likeness {best:.2f} < {share}); '
             f'see {OUT}/{name}.png; the page printed:\n' + '\n'.join(self.output()))

    def wait_until(self, name, seen, what, timeout=20):
        """Screenshots until `seen` holds for one; that one."""
        start = time.monotonic()
        while time.monotonic() - start < timeout:
            shot = self.shot(name)
            if seen(shot):
                return shot
            time.sleep(0.1)
        fail(f'{what} (see {OUT}/{name}.png); the page printed:\n' + '\n'.join(self.output()))

    def first_click(self, x, y, name):
        """The first click on a start menu just loaded, until the picture answers it.

        Now and then (about one run in ten, on a freshly loaded page) the game
        does not answer clicks for a while after its start menu is up. The
        click is given again, and then once more on the page loaded anew; each
        retry is said, with the pointer's events the page saw."""
        for attempt in range(3):
            before = self.shot(name)
            self.click(x, y)
            start = time.monotonic()
            while time.monotonic() - start < 5:
                time.sleep(0.2)
                if likeness(self.shot(name), before) < 0.98:
                    return
            seen = self.tools.evaluate('JSON.stringify((window.kerboPointer || []).slice(-12))')
            print(f'{name}: the page did not answer a click at {x}, {y} within 5 s; the pointer events it saw: {seen}',
                  flush=True)
            if attempt == 1:
                self.open()
                self.wait_for(name, image('background.bmp'), 0.6)
        fail(f'{name}: the page never answered a click at {x}, {y} (see {OUT}/{name}.png); the page printed:\n' +
             '\n'.join(self.output()))

    def output(self):
        return self.tools.evaluate('window.kerboLog || []') or []

    def open(self, query=''):
        self.tools.call('Page.navigate', url=self.address + query)
        start = time.monotonic()
        while not self.tools.evaluate('document.readyState == "complete" && !!window.kerboOutput'):
            if time.monotonic() - start > 20:
                fail('the page did not load')
            time.sleep(0.05)
        return start


def image(name):
    return read_bmp(os.path.join(DATA, 'Images', name))


POINTER_LOG = """window.kerboPointer = [];
['mousedown', 'mouseup', 'mousemove', 'mouseenter', 'mouseleave'].forEach(type => window.addEventListener(type,
  e => window.kerboPointer.push([type, e.clientX, e.clientY, e.buttons, e.target.id || e.target.nodeName,
                                 Math.round(e.timeStamp)]), true));"""


def main():
    for tool in ('emcc', 'chromium'):
        if not shutil.which(tool):
            print(f'skipped: {tool} is not installed')
            sys.exit(77)
    os.makedirs(OUT, exist_ok=True)
    env = dict(os.environ, KERBO_WEB_DATA=DATA,
               KERBO_WEB_CACHE=os.environ.get('KERBO_WEB_CACHE') or os.path.join(SOURCE, 'build-web', 'cache'))
    started = time.monotonic()
    if not os.environ.get('KERBO_WEB_PAGE') and subprocess.run([os.path.join(SOURCE, 'tools', 'web-build.sh'), PAGE], env=env).returncode != 0:
        fail('the page did not build')
    print(f'page built in {time.monotonic() - started:.1f} s', flush=True)

    server = subprocess.Popen([sys.executable, os.path.join(SOURCE, 'web', 'serve.py'), PAGE, '0'],
                              stdout=subprocess.PIPE, text=True)
    profile = tempfile.mkdtemp(prefix='kerbo-web-')
    browser = None
    try:
        address = server.stdout.readline().split()[4]
        browser = subprocess.Popen(['chromium', '--headless=new', '--no-sandbox', '--remote-debugging-port=0',
                                    f'--user-data-dir={profile}', '--autoplay-policy=no-user-gesture-required',
                                    '--no-first-run', '--window-size=800,640', 'about:blank'],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(profile, 'DevToolsActivePort')
        for _ in range(300):
            if os.path.exists(port_file) and open(port_file).read().strip():
                break
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        targets = json.load(urllib.request.urlopen(f'http://127.0.0.1:{port}/json/list'))
        tools = DevTools(next(t for t in targets if t['type'] == 'page')['webSocketDebuggerUrl'])
        tools.call('Runtime.enable')
        tools.call('Page.enable')  # for the scripts run before the page's own
        tools.call('Emulation.setDeviceMetricsOverride', width=800, height=640, deviceScaleFactor=1, mobile=False)
        # The pointer's events as the page sees them, for a click it does not answer.
        tools.call('Page.addScriptToEvaluateOnNewDocument', source=POINTER_LOG)
        page = Page(tools, address)
        level = play(page)
        kept_game_on_the_desktop(page)
        keep_a_score(page)
        edit_and_test_play(page, level)
        replay(page)
        full_screen(page)
        gamepad(page)
        refusals(page)
    finally:
        if browser:
            browser.terminate()
            browser.wait()
        server.terminate()
        server.wait()
        shutil.rmtree(profile, ignore_errors=True)
    print('PASSED')


def play_as_abc(page, story_tag, story_picture, name_tag):
    """Play from the start menu, past the story, the name abc, into level 1 after its card."""
    page.click(185, 97)  # Play
    page.wait_for(story_tag, image(story_picture), 0.6)
    page.key('x')
    page.wait_for(name_tag, image('asknamebackground.bmp'), 0.6)
    for k in 'abc':
        page.key(k)
        time.sleep(0.1)
    page.key('x')
    time.sleep(3)  # the level card stays 2 seconds


def play(page):
    # The start menu: the background with the menu's buttons over part of it.
    started = page.open()
    menu_after = page.wait_for('startmenu', image('background.bmp'), 0.6)
    print(f'start menu shown {time.monotonic() - started:.2f} s after navigating '
          f'({menu_after:.2f} s of it waiting for the picture)', flush=True)

    page.tools.evaluate('document.getElementById("lastgame").click()')
    said = page.tools.evaluate('document.getElementById("packnote").textContent')
    if not said.startswith('No game is kept yet'):
        fail(f'"Download the last game" before any game said "{said}"')

    play_as_abc(page, 'story', 'storybackground.bmp', 'name')
    before = page.shot('level1')
    page.key('Right', up=False)
    time.sleep(0.8)
    page.key('Right', down=False)
    after = page.shot('walked')
    changed = 1 - likeness(before, after)
    if not 0.0005 < changed < 0.2:
        fail(f'walking right changed {changed:.4f} of the picture: Oska did not walk (level1.png, walked.png)')
    print(f'Oska walked: {changed:.4f} of the picture changed', flush=True)
    page.key('p')
    page.wait_for('pause', image('pausebackground.bmp'), 0.6)
    print('the pause screen shows', flush=True)
    page.click(185, 177)  # Quit to the start menu: the game is kept
    page.wait_for('startmenu-left', image('background.bmp'), 0.6)
    return before


def run_in_page(page, name):
    """The summary the page prints replaying its file `name` (in PAGE), and its exit status."""
    started = page.open('?replay=' + name)
    while page.tools.evaluate('window.kerboExit') is None:
        if time.monotonic() - started > 600:
            fail(f'the replay of {name} did not end within 600 s; the page printed:\n' + '\n'.join(page.output()))
        time.sleep(0.5)
    return '\n'.join(page.tools.evaluate('window.kerboOutput')) + '\n', page.tools.evaluate('window.kerboExit')


def kept_game_on_the_desktop(page):
    # The page's button hands over the game just left; the desktop program
    # replays it frame by frame against the hashes it carries, and so does the page.
    downloads = os.path.join(OUT, 'downloads')
    shutil.rmtree(downloads, ignore_errors=True)
    os.makedirs(downloads)
    page.tools.call('Page.setDownloadBehavior', behavior='allow', downloadPath=downloads)
    page.tools.evaluate('document.getElementById("lastgame").click()')
    for _ in range(100):
        got = [n for n in os.listdir(downloads) if n.endswith('.kerborec')]
        if got:
            break
        time.sleep(0.1)
    said = page.tools.evaluate('document.getElementById("packnote").textContent')
    if not got:
        fail(f'"Download the last game" gave no file; the page said "{said}"')
    kept = os.path.join(downloads, got[0])
    time.sleep(0.3)
    with open(kept, 'rb') as f:
        recording = f.read()
    if b'setting start game' not in recording:
        fail(f'the downloaded {got[0]} is no kept game')
    work = os.path.join(OUT, 'desktop')
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, 'home'))
    for entry in os.listdir(DATA):
        os.symlink(os.path.join(DATA, entry), os.path.join(work, entry))
    env = dict(os.environ, SDL_VIDEODRIVER='dummy', SDL_AUDIODRIVER='dummy',
               XDG_CONFIG_HOME=os.path.join(work, 'home'), XDG_DATA_HOME=os.path.join(work, 'home'))
    run = subprocess.run([KERBO, '--replay', kept], cwd=work, env=env, capture_output=True, text=True, timeout=300)
    if run.returncode != 0 or 'differs' in run.stderr:
        fail(f'the desktop replay of the game kept in the page ended with status {run.returncode}:\n'
             f'{run.stderr}{run.stdout}')
    shutil.copy(kept, os.path.join(PAGE, 'kept.kerborec'))
    summary, status = run_in_page(page, 'kept.kerborec')
    if summary != run.stdout or status != 0:
        fail(f'the page replayed the kept game to\n{summary}(status {status}) and the desktop to\n{run.stdout}')
    print(f'the game kept in the page ({got[0]}) replays exactly on the desktop and in the page', flush=True)


def band(picture):
    """The picture's top 100 rows: the game's score band, the editor's palette and buttons."""
    return picture[0], 100, picture[2][:100]


def edit_and_test_play(page, level):
    # From the start menu into the editor (the own pack, new), an item right
    # of Oska's start, saved to the own pack, test-played (the game's band
    # over the level), walked to and so cleared, back in the editor.
    page.open()
    page.wait_for('startmenu-edit', image('background.bmp'), 0.6)
    page.first_click(715, 22, 'editor-open')  # Editor
    # Each step waits for what it should show, so a slow machine only waits
    # longer and a failure names the step that did not happen.
    opened = page.wait_until('editor-open', lambda shot: likeness(shot, image('background.bmp')) < 0.3,
                             'the editor did not open from the start menu')
    page.key('Right')
    page.key('i')
    page.wait_until('editor-item', lambda shot: likeness(shot, opened) < 0.998, 'the item was not placed')
    page.click(650, 25)  # Save
    saved = ''
    for _ in range(40):
        time.sleep(0.25)
        saved = page.tools.evaluate('(() => { const f = "/libsdl/kerbo/my-levels/level1.txt";'
                                    ' return Module.FS.analyzePath(f).exists ? Module.FS.readFile(f, {encoding: "utf8"}) : ""; })()')
        if saved:
            break
    edited = page.shot('editor')
    if saved.count('i') != 1 or len(saved.split('\n')) != 11:
        fail(f'the editor saved the own pack\'s level1.txt as {saved!r}, not ten rows with one item (editor.png); '
             'the page printed:\n' + '\n'.join(page.output()))
    page.tools.evaluate('document.getElementById("packdownload").click()')
    time.sleep(0.5)
    with open(os.path.join(OUT, 'downloads', 'level1.txt')) as f:
        if f.read() != saved:
            fail('"Download your own pack" gave another level1.txt than the editor saved')
    page.click(710, 25)  # Play
    time.sleep(3)  # the level card
    playing = page.shot('testplay')
    if likeness(band(playing), band(level)) < 0.9:
        fail('test play did not show the game\'s band over the level (testplay.png, level1.png)')
    page.key('Right', up=False)
    time.sleep(2)
    page.key('Right', down=False)
    page.wait_for('editor-again', edited, 0.95)  # the level cleared: back in the editor
    print('the editor saved the own pack, and its test play was played and cleared', flush=True)


def keep_a_score(page):
    # A pack of one level with three items right of Oska's start, loaded
    # through the page's file input, played from the Packs list and won.
    pack = os.path.join(OUT, 'pack')
    os.makedirs(pack, exist_ok=True)
    with open(os.path.join(pack, 'level1.txt'), 'w') as f:
        f.write('\n'.join(['c' * 16] * 2 + ['w' + 'p' * 14 + 'w'] * 6 + ['w' + 'p' * 10 + 'iiip' + 'w', 'w' * 16]) + '\n')
    page.open()
    page.wait_for('startmenu-2', image('background.bmp'), 0.6)
    tools = page.tools
    node = tools.call('DOM.querySelector', nodeId=tools.call('DOM.getDocument')['root']['nodeId'],
                      selector='#packfiles')['nodeId']
    tools.call('DOM.setFileInputFiles', nodeId=node, files=[os.path.join(pack, 'level1.txt')])
    for _ in range(50):
        said = tools.evaluate('document.getElementById("packnote").textContent')
        if said:
            break
        time.sleep(0.1)
    if not said.startswith('Loaded as packs/pack'):
        fail(f'loading the pack: the page said "{said}"')
    page.first_click(560, 22, 'packs')  # Packs
    time.sleep(1)
    page.shot('packs')
    page.click(300, 60 + 22 + 11)  # the second row: the pack just loaded
    time.sleep(1)
    page.wait_for('startmenu-pack', image('background.bmp'), 0.5)
    play_as_abc(page, 'story-pack', 'storypackbackground.bmp', 'name-2')
    page.key('Right', up=False)
    time.sleep(4)
    page.key('Right', down=False)
    page.wait_for('win', image('youwinpackbackground.bmp'), 0.5)
    time.sleep(1)  # the table's write to the browser's storage

    page.open()
    page.wait_for('startmenu-3', image('background.bmp'), 0.6)
    tables = tools.evaluate('(() => { const FS = Module.FS, d = "/libsdl/kerbo/";'
                            ' return FS.readdir(d).filter(n => /^Highscores-pack-/.test(n))'
                            '.map(n => FS.readFile(d + n, {encoding: "utf8"})); })()')
    if not tables or '600 ABC' not in tables[0]:
        fail(f"after a reload the pack's table is {tables!r}, without the 600 points of ABC")
    print("a reload keeps the pack and the score made in the page", flush=True)


def replay(page):
    # The recording as the page's own file, named in its address.
    shutil.copy(RECORDING, os.path.join(PAGE, 'recording.kerborec'))
    started = time.monotonic()
    summary, status = run_in_page(page, 'recording.kerborec')
    took = time.monotonic() - started
    with open(SUMMARY) as f:
        expected = f.read()
    if summary != expected:
        fail(f'the replay in the page printed\n{summary}instead of\n{expected}the page printed:\n' +
             '\n'.join(page.output()))
    if status != 0:
        fail(f'the replay ended with status {status}')
    print(f'the recording replayed in the page in {took:.1f} s to the same summary', flush=True)


def full_screen(page):
    # The page's button, clicked as a player clicks it (the first click on
    # the page, which also hides the line about sound): the stage fills the
    # screen and the picture keeps its shape and its pixels.
    page.open()
    page.wait_for('startmenu-fs', image('background.bmp'), 0.6)
    tools = page.tools
    x, y = tools.evaluate('(() => { const r = document.getElementById("fullscreen").getBoundingClientRect();'
                          ' return [r.left + r.width / 2, r.top + r.height / 2]; })()')
    for kind in ('mouseMoved', 'mousePressed', 'mouseReleased'):
        tools.call('Input.dispatchMouseEvent', type=kind, x=x, y=y, button='left', clickCount=1)
        time.sleep(0.05)
    time.sleep(0.5)
    full, wide, high = tools.evaluate('[!!document.fullscreenElement, innerWidth, innerHeight]')
    _, _, width, height = page.canvas()
    if not full:
        fail('the Full screen button did not bring the page to full screen; the page said "' +
             tools.evaluate('document.getElementById("note").textContent') + '"')
    if abs(width / height - 1.6) > 0.01 or (abs(width - wide) > 1 and abs(height - high) > 1):
        fail(f'in full screen the picture is {width} x {height} on a screen of {wide} x {high}')
    page.wait_for('fullscreen', image('background.bmp'), 0.6)
    tools.evaluate('document.exitFullscreen()')
    print(f'full screen: the picture fills {width:.0f} x {height:.0f} of {wide} x {high}', flush=True)


# A standard-mapping gamepad as the browser offers one: seen only once it
# has "connected", its buttons read through navigator.getGamepads().
FAKE_PAD = """(() => {
  const pad = {id: 'Test pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard', timestamp: 1,
               axes: [0, 0, 0, 0], buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}))};
  let pads = [];
  navigator.getGamepads = () => pads;
  window.kerboPadConnect = () => {
    pads = [pad];
    const event = new Event('gamepadconnected');
    event.gamepad = pad;
    window.dispatchEvent(event);
  };
  window.kerboPad = (button, down) => {
    pad.buttons[button] = {pressed: down, touched: down, value: down ? 1 : 0};
    pad.timestamp = performance.now();
  };
})();"""
PAD_A, PAD_START, PAD_DOWN, PAD_RIGHT = 0, 9, 13, 15


def gamepad(page):
    # The desktop's pad in the page: the d-pad moves the pointer to Play and
    # A clicks it, A goes on from the story and the name, the d-pad walks
    # Oska and Start pauses.
    tools = page.tools
    script = tools.call('Page.addScriptToEvaluateOnNewDocument', source=FAKE_PAD)['identifier']
    page.open()
    page.wait_for('startmenu-pad', image('background.bmp'), 0.6)
    tools.evaluate('kerboPadConnect()')
    time.sleep(0.3)

    def press(button, hold=0.1):
        tools.evaluate(f'kerboPad({button}, true)')
        time.sleep(hold)
        tools.evaluate(f'kerboPad({button}, false)')
        time.sleep(0.1)

    press(PAD_DOWN)
    press(PAD_A)
    page.wait_for('story-pad', image('storybackground.bmp'), 0.6)
    press(PAD_A)
    page.wait_for('name-pad', image('asknamebackground.bmp'), 0.6)
    page.key('a')
    press(PAD_A)
    time.sleep(3)  # the level card
    before = page.shot('level1-pad')
    press(PAD_RIGHT, 0.8)
    changed = 1 - likeness(before, page.shot('walked-pad'))
    if not 0.0005 < changed < 0.2:
        fail(f'the d-pad changed {changed:.4f} of the picture: Oska did not walk (level1-pad.png, walked-pad.png)')
    press(PAD_START)
    page.wait_for('pause-pad', image('pausebackground.bmp'), 0.6)
    tools.call('Page.removeScriptToEvaluateOnNewDocument', identifier=script)
    print('the gamepad chose Play, went on, walked Oska and paused', flush=True)


def refusals(page):
    # A browser without WebAssembly is told so; storage refused by a throw
    # (blocked storage) or by an error event (private windows) gives one
    # note, and the game plays all the same.
    tools = page.tools
    before = tools.call('Page.addScriptToEvaluateOnNewDocument', source='delete window.WebAssembly;')['identifier']
    tools.call('Page.navigate', url=page.address)
    time.sleep(1)
    said = tools.evaluate('document.getElementById("status").textContent')
    tools.call('Page.removeScriptToEvaluateOnNewDocument', identifier=before)
    if "can't run WebAssembly" not in said:
        fail(f'without WebAssembly the page said "{said}"')
    refusals = {'thrown': 'indexedDB.open = () => { throw new DOMException("Storage is blocked.", "SecurityError"); };',
                'error event': 'indexedDB.open = () => { const r = {error: new DOMException("No storage here.",'
                               ' "InvalidStateError")}; setTimeout(() => r.onerror({target: r, preventDefault() {}}));'
                               ' return r; };'}
    for kind, script in refusals.items():
        before = tools.call('Page.addScriptToEvaluateOnNewDocument', source=script)['identifier']
        page.open()
        page.wait_for('startmenu-no-storage', image('background.bmp'), 0.6)
        page.click(185, 97)  # Play
        page.wait_for('story-no-storage', image('storybackground.bmp'), 0.6)
        said = tools.evaluate('document.getElementById("note").textContent')
        tools.call('Page.removeScriptToEvaluateOnNewDocument', identifier=before)
        if not said.startswith("The browser's storage refused the game's files") or 'properties' in said:
            fail(f'with storage refused ({kind}) the page said "{said}"')
    print('without WebAssembly or storage the page says so, and plays without storage', flush=True)


if __name__ == '__main__':
    main()
