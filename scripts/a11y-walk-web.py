#!/usr/bin/python3
# One game in the page by keyboard alone, as a pupil with a screen reader plays it in Chromium:
# keys go in through the window manager (xdotool), Orca reads Chromium's page over AT-SPI, and
# the walk fails where Orca does not say what the desktop walk hears, or says the note other
# than once. The page's read-only hook only tells the walk which codons to change. Run by
# scripts/a11y-check.sh --browser, which starts the bus, the window manager and Orca.
import functools, http.server, json, os, subprocess, sys, threading, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

failures = []
ORCA_LOG = os.environ.get('ORCA_LOG')
STOP_TEMPLATES = ('att', 'atc', 'act')  # template strands of UAA, UAG, UGA
FOURFOLD = ('cg', 'gg', 'tg', 'ca', 'cc', 'ga', 'ag', 'gc')


def check(ok, what):
    print(('  ok   ' if ok else '  FAIL ') + what)
    if not ok:
        failures.append(what)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def spoken():
    if not ORCA_LOG or not os.path.exists(ORCA_LOG):
        return []
    with open(ORCA_LOG, errors='replace') as f:
        return [l.split('SPEECH OUTPUT:', 1)[1].split('{')[0].strip().strip("'") for l in f if 'SPEECH OUTPUT:' in l]


def key(*keys, pause=0.4):
    for k in keys:
        subprocess.run(['xdotool', 'key', '--clearmodifiers', k], check=True)
        time.sleep(pause)


def typed(text):
    subprocess.run(['xdotool', 'type', '--delay', '80', text], check=True)
    time.sleep(0.5)


folder = sys.argv[1]
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=folder))
threading.Thread(target=server.serve_forever, daemon=True).start()
options = webdriver.ChromeOptions()
options.binary_location = '/usr/bin/chromium'
for arg in ('--no-sandbox', '--force-renderer-accessibility', '--window-size=1366,768', '--window-position=0,0',
            '--lang=it', '--no-first-run', '--password-store=basic', '--disable-features=Translate'):
    options.add_argument(arg)
driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
expected = []


def state():
    raw = driver.execute_script('const m = window.vintalemModule; return m && m.vintalemState ? m.vintalemState() : null;')
    return json.loads(raw) if raw else None


def wait(what, condition, timeout=30):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        s = state()
        if s and condition(s):
            return s
        time.sleep(0.1)
    check(False, 'waiting for ' + what)
    raise SystemExit(1)


def heard(since, *words):
    expected.append((since, words))


def tab_to(name):
    for _ in range(60):
        if state()['focusName'] == name:
            return
        key('Tab', pause=0.25)
    check(False, 'Tab reaches ' + name)
    raise SystemExit(1)


def window(s, title):
    return any(w['title'] == title for w in s['windows'])


try:
    driver.get('http://127.0.0.1:%d/index.html' % server.server_address[1])
    s = wait('the game', lambda s: len(s['windows']) >= 2)
    # The keyboard goes to Chromium's window, as a pupil's would.
    subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', '--class', 'chromium', 'windowactivate', '--sync'],
                   check=False, capture_output=True)
    time.sleep(3)
    codons = [s['widgets']['zuvo/nt(%d)' % i]['text'] for i in range(20)]
    check(s['focusName'] == 'Codone di DNA 1', 'the keyboard starts in the first codon box: ' + s['focusName'])
    said = len(spoken())
    key('shift+Tab', 'Tab')
    heard(said, s['focusName'], codons[int(s['focus'][3:-1])])

    print('a silent mutation, then a run: the note')
    slot = next(i for i in range(1, 19) if codons[i][:2] in FOURFOLD)
    tab_to('Codone di DNA %d' % (slot + 1))
    key('End', 'BackSpace')
    typed(next(b for b in 'acgt' if b != codons[slot][2]))
    tab_to('Codifica proteina')
    said = len(spoken())
    key('space')
    s = wait('the note', lambda s: 'zuvo/Label15' in s['widgets'] or any(w['modal'] for w in s['windows']))
    note = s['widgets'].get('zuvo/Label15', {}).get('text', '')
    if any(w['modal'] for w in s['windows']):  # no stop codon yet: the warning first
        key('Return')
        s = wait('the note', lambda s: 'zuvo/Label15' in s['widgets'])
        note = s['widgets']['zuvo/Label15']['text']
    heard(said, 'Codifica proteina')
    time.sleep(3)
    said_note = [l for l in spoken() if note and note in l]

    print('no stop codon left, a run: the stop warning, then the protein')
    stops = [i for i, c in enumerate(codons) if c in STOP_TEMPLATES]
    for i in stops:
        tab_to('Codone di DNA %d' % (i + 1))
        key('End', 'BackSpace', 'BackSpace', 'BackSpace')
        typed('ggg')
    tab_to('Codifica proteina')
    said = len(spoken())
    key('space')
    s = wait('the stop warning', lambda s: any(w['modal'] for w in s['windows']))
    heard(said, 'codone di stop')
    time.sleep(2)  # Orca reads the alert before the key that closes it
    key('Return')
    s = wait('the protein', lambda s: not any(w['modal'] for w in s['windows']) and s['widgets']['zuvo/naame(0)']['text'])
    key('Tab')
    said = len(spoken())
    time.sleep(1)
    glyph = state()['focusName']
    heard(said, glyph.split(': ', 1)[-1] if glyph.startswith('Aminoacido') else 'Aminoacido 1')
    print('Return on a glyph: the look-up')
    said = len(spoken())
    key('Return')
    s = wait('the codon table', lambda s: s['widgets'].get('Atab/AaList', {}).get('text'))
    heard(said, 'Tabella degli Aminoacidi')
    key('Escape')
    wait('the table closed', lambda s: not window(s, 'Tabella degli Aminoacidi'))

    print('the "?" menu: how to play, then the about window')
    said = len(spoken())
    key('alt+question')
    wait('the ? menu', lambda s: any(w['name'] == 'forminfo' for w in s['windows']), timeout=10)
    time.sleep(1)
    heard(said, 'Info su Vintalem')
    key('Down')
    time.sleep(1)
    heard(said, 'Come si gioca?')
    said = len(spoken())
    key('Return')
    wait('the how-to-play window', lambda s: window(s, 'Come funziona il programma?'), timeout=10)
    time.sleep(1)
    heard(said, 'Come funziona il programma?')
    key('Escape')
    wait('the how-to-play window gone', lambda s: not window(s, 'Come funziona il programma?'))
    said = len(spoken())
    key('alt+question')
    wait('the ? menu', lambda s: any(w['name'] == 'forminfo' for w in s['windows']), timeout=10)
    time.sleep(1)
    key('i')
    s = wait('the about window', lambda s: window(s, 'Informazioni sul programma'), timeout=10)
    time.sleep(1)
    heard(said, 'Informazioni sul programma', 'dialog')
    key('Escape')
    wait('the about window gone', lambda s: not window(s, 'Informazioni sul programma'))

    print('a new strand')
    said = len(spoken())
    tab_to('Cambia sequenza')
    strand = lambda s: [s['widgets']['zuvo/nt(%d)' % i]['text'] for i in range(20)]
    before = strand(state())
    key('space')
    s = wait('a new strand', lambda s: strand(s) != before)
    time.sleep(1)
    heard(said, 'Cambia sequenza')
finally:
    driver.quit()
    server.shutdown()

if ORCA_LOG:
    subprocess.run(['pkill', '-TERM', '-f', '/usr/bin/orca'])
    time.sleep(2)
    said = spoken()
    for since, words in expected:
        for w in words:
            check(w in ' '.join(said[since:]), 'Orca says %r' % w)
    check(len(said_note) == 1, 'Orca says the note once: %d times' % len(said_note))
    check(not any('clickable' in l for l in said), 'Orca calls no text "clickable"')
print('%d failed' % len(failures))
sys.exit(1 if failures else 0)
