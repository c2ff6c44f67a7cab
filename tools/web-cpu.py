#!/usr/bin/env python3
"""Measures how much of a processor core a web page costs in headless Chromium: serves
the page's folder (web/serve.py), opens ADDRESS-QUERY in a fresh browser, lets it settle,
then sums the user and system time of the browser's processes from /proc over the
seconds given, by process type. Usage: web-cpu.py PAGE_DIR [QUERY] [SECONDS] [SETTLE]
(e.g. web-cpu.py build-web '?replay=game.kerborec&paced' 30; the recording must lie in
PAGE_DIR)."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
page = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'build-web')
query = sys.argv[2] if len(sys.argv) > 2 else ''
seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 30
settle = float(sys.argv[4]) if len(sys.argv) > 4 else 5
tick = os.sysconf('SC_CLK_TCK')


def processes(top):
    """The process and all its descendants: pid -> type (browser, renderer, gpu-process, ...)."""
    children = {}
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            with open(f'/proc/{pid}/stat') as f:
                parent = int(f.read().rsplit(')', 1)[1].split()[1])
            children.setdefault(parent, []).append(int(pid))
        except OSError:
            pass
    found, todo = {}, [top]
    while todo:
        pid = todo.pop()
        try:
            with open(f'/proc/{pid}/cmdline') as f:
                args = f.read()
        except OSError:
            continue
        # Chromium's helpers rewrite their command line as one line with blanks.
        kind = next((a[len('--type='):] for a in args.replace('\0', ' ').split() if a.startswith('--type=')),
                    'browser')
        found[pid] = kind
        todo += children.get(pid, [])
    return found


def cpu(pid):
    """User plus system seconds of one process (all its threads), or None once it is gone."""
    try:
        with open(f'/proc/{pid}/stat') as f:
            fields = f.read().rsplit(')', 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / tick
    except OSError:
        return None


server = subprocess.Popen([sys.executable, os.path.join(root, 'web', 'serve.py'), page, '0'],
                          stdout=subprocess.PIPE, text=True)
profile = tempfile.mkdtemp(prefix='kerbo-cpu-')
browser = None
try:
    address = server.stdout.readline().split()[4]
    browser = subprocess.Popen(['chromium', '--headless=new', '--no-sandbox', f'--user-data-dir={profile}',
                                '--autoplay-policy=no-user-gesture-required', '--no-first-run',
                                '--window-size=800,640', address + query],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(settle)
    kinds = processes(browser.pid)
    start = {pid: cpu(pid) for pid in kinds}
    began = time.monotonic()
    time.sleep(seconds)
    took = time.monotonic() - began
    per_kind = {}
    for pid, kind in kinds.items():
        end = cpu(pid)
        if start[pid] is not None and end is not None:
            per_kind[kind] = per_kind.get(kind, 0) + end - start[pid]
    total = sum(per_kind.values())
    print(f'{address}{query}: {took:.1f} s measured after {settle:.0f} s to settle')
    for kind, used in sorted(per_kind.items(), key=lambda item: -item[1]):
        print(f'  {kind:14} {100 * used / took:5.1f} % of a core')
    print(f'  {"all":14} {100 * total / took:5.1f} % of a core')
finally:
    if browser:
        browser.terminate()
        browser.wait()
    server.terminate()
    server.wait()
    shutil.rmtree(profile, ignore_errors=True)
