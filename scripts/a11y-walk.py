#!/usr/bin/python3
# One whole game by keyboard alone, as a screen reader user plays it: keys go in through
# the window manager (xdotool), and everything is read back through AT-SPI. Prints what a
# screen reader is told at each step and fails on the first promise broken. Run by
# scripts/a11y-check.sh, which starts the game, the window manager and the bus.
import os, subprocess, sys, time

import pyatspi
from gi.repository import GLib

failures = []
events = []


def check(ok, what):
    print(('  ok   ' if ok else '  FAIL ') + what)
    if not ok:
        failures.append(what)


def role(node):
    # AT-SPI 2.56 (Debian 13) names the push-button role "button".
    r = node.getRoleName()
    return 'push button' if r == 'button' else r


def on_event(e):
    try:
        events.append((e.type, role(e.source), e.source.name, e.detail1))
    except Exception:
        pass


def pump(seconds):
    end = time.time() + seconds
    ctx = GLib.MainContext.default()
    while time.time() < end:
        while ctx.iteration(False):
            pass
        time.sleep(0.02)


MODIFIERS = {'ctrl': 'Control_L', 'alt': 'Alt_L', 'shift': 'Shift_L'}


def key(*keys):
    for k in keys:
        mod, _, rest = k.partition('+')
        if rest and mod in MODIFIERS and rest != 'Tab':  # Alt+Tab is the window manager's
            # Held around the key, so that a screen reader sees the chord when the key goes up
            # (Orca reads a word for Ctrl+Right, a character for Right) and does not take a
            # lone Alt for itself.
            for args in (['keydown', MODIFIERS[mod]], ['key', rest], ['keyup', MODIFIERS[mod]]):
                subprocess.run(['xdotool'] + args, check=True)
                pump(0.1)
        else:
            subprocess.run(['xdotool', 'key', '--clearmodifiers', k], check=True)
        pump(0.35)


def tab_to(name):
    # Tab until `name` has the focus; a focus that never comes fails instead of looping.
    for _ in range(60):
        if focused() == name:
            return True
        key('Tab')
    check(False, 'Tab reaches %s' % name)
    raise SystemExit(1)


def typed(text):
    subprocess.run(['xdotool', 'type', '--delay', '60', text], check=True)
    pump(0.4)


def menu(keys, item, title):
    # Orca, when it runs, sometimes swallows the first Alt chord of xdotool: try again.
    for attempt in range(3):
        key(keys)
        pump(1)
        key(item)
        pump(0.5)
        try:
            if (active_window() or '').endswith(title):
                return
        except SystemExit:  # the game has ended
            return


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == 'vintalem':
            return a
    raise SystemExit('the game is not on the accessibility bus')


def nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def find(node, pred):
    try:
        if pred(node):
            return node
        for i in range(node.childCount):
            r = find(node.getChildAtIndex(i), pred)
            if r:
                return r
    except Exception:
        return None


def named(name, role_name=None):
    return find(app(), lambda n: n.name == name and (role_name is None or role(n) == role_name))


def focused():
    for e in reversed(events):
        if e[0] == 'object:state-changed:focused' and e[3] == 1:
            return '%s | %s' % (e[1], e[2])
    return None


def active_window():
    for w in app():
        if w.getState().contains(pyatspi.STATE_ACTIVE):
            return '%s | %s' % (role(w), w.name)
    return None


def text_of(obj):
    t = obj.queryText()
    return t.getText(0, -1)


def cpu_ms(seconds):
    # The game's CPU time (user and system) over the next `seconds`, events pumped meanwhile.
    def ticks():
        with open('/proc/%d/stat' % app().get_process_id()) as f:
            fields = f.read().rsplit(')', 1)[1].split()
        return int(fields[11]) + int(fields[12])
    before = ticks()
    pump(seconds)
    return (ticks() - before) * 1000 / os.sysconf('SC_CLK_TCK')


def quiet_after(what, rest_ms):
    # Nothing but the caret's blink may run once the keys stop: the same focus at rest is the
    # measure, with one 10 ms clock tick of slack either way (a loop would spend 5000 ms).
    after = cpu_ms(5)
    check(after <= rest_ms + 20, 'for 5 s after %s the game spends %.0f ms of CPU (at rest: %.0f ms)'
          % (what, after, rest_ms))


ORCA_LOG = os.environ.get('ORCA_LOG')


def spoken():
    # What Orca has said so far: the "SPEECH OUTPUT" lines of its debug log.
    if not ORCA_LOG:
        return []
    with open(ORCA_LOG, errors='replace') as f:
        return [l.split('SPEECH OUTPUT:', 1)[1].split('{')[0].strip().strip("'")
                for l in f if 'SPEECH OUTPUT:' in l]


expected = []


def heard(since, *words):
    # Orca writes its log in blocks, so what it said is judged at the end, once it has quit.
    expected.append((since, words))


def judge_speech():
    if not ORCA_LOG:
        return
    subprocess.run(['pkill', '-TERM', '-f', '/usr/bin/orca'])
    for _ in range(50):
        if subprocess.run(['pgrep', '-f', '/usr/bin/orca'], capture_output=True).returncode:
            break
        time.sleep(0.1)
    said = spoken()
    for since, words in expected:
        for w in words:
            check(w in ' '.join(said[since:]), 'Orca says %r' % w)


def codon_texts():
    return [text_of(named('Codone di DNA %d' % i)) for i in range(1, 21)]


# Template prefixes whose third base never changes the amino acid (fourfold degenerate codons).
FOURFOLD = ('cg', 'gg', 'tg', 'ca', 'cc', 'ga', 'ag', 'gc')

pyatspi.Registry.registerEventListener(on_event, 'object:state-changed:focused', 'object:state-changed:showing',
                                       'window:activate', 'object:announcement')
pump(1)

print('start')
check(active_window() == 'frame | Vintalem', 'the main window is active, as a frame: %s' % active_window())
box = named('Codone di DNA 1', 'text')
check(box.getState().contains(pyatspi.STATE_FOCUSED), 'the first codon box has the focus')
for w in app():
    check(role(w) in ('frame', 'dialog'), 'window %r reads as %s' % (w.name, role(w)))

print('every question of the text interface about a codon box, answered at once')
t = box.queryText()
start = time.time()
answers = {}
for bname, b in (('char', pyatspi.TEXT_BOUNDARY_CHAR), ('word', pyatspi.TEXT_BOUNDARY_WORD_START),
                 ('sentence', pyatspi.TEXT_BOUNDARY_SENTENCE_START), ('line', pyatspi.TEXT_BOUNDARY_LINE_START)):
    for off in range(t.characterCount + 1):
        for f in (t.getTextBeforeOffset, t.getTextAtOffset, t.getTextAfterOffset):
            answers[(bname, off, f.__name__)] = f(off, b)
took = time.time() - start
check(took < 5, '%d questions in %.2f s' % (len(answers), took))
check(answers[('word', 3, 'getTextAtOffset')][0] == 'tac', 'the word at the end of "tac" is %r'
      % answers[('word', 3, 'getTextAtOffset')][0])
check(answers[('line', 2, 'getTextAtOffset')][0] == 'tac', 'the line of "tac" is %r' % answers[('line', 2, 'getTextAtOffset')][0])
check(t.getAttributeRun(2, False)[1:] == [0, 3], 'one attribute run over the codon: %s' % (t.getAttributeRun(2, False)[1:],))
rest = cpu_ms(5)
said = len(spoken())
key('End', 'ctrl+Left', 'ctrl+Right', 'ctrl+Right')
check(text_of(box) == 'tac' and app().name == 'vintalem', 'Ctrl+Left and Ctrl+Right leave the game responsive')
check(t.caretOffset == 3, 'Ctrl+Right ends at the end of the codon: %d' % t.caretOffset)
heard(said, 'tac')
quiet_after('Ctrl+Right in a codon box', rest)



def run_coding():
    tab_to('push button | Codifica proteina')
    events.clear()
    key('space')
    pump(1)
    for e in events:
        if e[0] in ('object:state-changed:showing', 'object:announcement') and e[3] == 1:
            print('  shown: %s | %s' % (e[1], e[2][:70]))


print('a mutation that replaces no amino acid')
codons = codon_texts()
silent = next(i for i in range(1, 19) if codons[i][:2] in FOURFOLD)
changed = next(i for i in range(1, 19) if i != silent and codons[i][:2] not in FOURFOLD)
for i in range(silent):
    key('Tab')
typed(codons[silent][:2] + next(b for b in 'acgt' if b != codons[silent][2]))
print('  slot %d: %s -> %s' % (silent + 1, codons[silent], text_of(named('Codone di DNA %d' % (silent + 1)))))
said = len(spoken())
run_coding()
heard(said, 'Codifica proteina', 'Le mutazioni che hai fatto non cambiano gli aminoacidi codificati')
check(active_window() == 'frame | Vintalem', 'the keyboard stays in the main window: %s' % active_window())
check(focused() in (None, 'push button | Codifica proteina'), 'the focus stays on the button: %s' % focused())
check(any(e[1] == 'notification' and e[3] == 1 for e in events), 'the silent-mutation note is shown as a notification')
explanation = named('Spiegazione delle mutazioni')
check(explanation is not None and explanation.getState().contains(pyatspi.STATE_SHOWING),
      'the explanation window is open, its text box named "Spiegazione delle mutazioni"')

print('and one that does')
key('Tab')  # from the button to the first codon box, unless a glyph comes first
tab_to('text | Codone di DNA 1')
for i in range(changed):
    key('Tab')
typed('aaa' if codons[changed] != 'aaa' else 'gaa')
print('  slot %d: %s -> %s' % (changed + 1, codons[changed], text_of(named('Codone di DNA %d' % (changed + 1)))))
run_coding()

print('Tab through the protein and the replaced amino acids')
order = []
key('Tab')
while focused() and focused().startswith('push button | Aminoacido'):
    order.append(focused().split(' | ')[1])
    key('Tab')
for name in order:
    print('  ' + name)
check(any(n.startswith('Aminoacido sostituito') for n in order), 'the replaced amino acids follow the protein')
check(focused() == 'text | Codone di DNA 1', 'Tab comes back to the first codon box: %s' % focused())

print('Return on a glyph looks it up in the codon table')
said = len(spoken())
key('shift+Tab')
glyph = focused().split(' | ')[1]
heard(said, glyph)
code = glyph.split()[-1]
key('Return')
pump(0.5)
check(active_window() == 'frame | Tabella degli Aminoacidi', 'the codon table comes up: %s' % active_window())
check(focused() == 'text | Colori delle basi', 'the keyboard lands on the first control: %s' % focused())
table = [w for w in app() if w.name == 'Tabella degli Aminoacidi'][0]
cells = [n for n in nodes(table) if role(n) == 'label' and len(n.name.split(': ')[0]) == 3]
marked = [c.name for c in cells if c.getState().contains(pyatspi.STATE_SELECTED)]
check(marked and all(m.endswith(': ' + code) for m in marked), 'cells read as selected for %s: %s' % (glyph, marked))

print('the codon table by keyboard')
events.clear()
key('Tab')
check(focused().startswith('list'), 'Tab: %s' % focused())
key('Down', 'Down')
lst = named('Aminoacido', 'list')
codons_label = find(table, lambda n: n.name.startswith('Codoni di RNA'))
check(codons_label.name == 'Codoni di RNA: ', 'arrows look nothing up: %r' % codons_label.name)
key('Return')
codons_label = find(table, lambda n: n.name.startswith('Codoni di RNA'))
check(codons_label.name.count(' ') > 3, 'Return looks up: %r' % codons_label.name)
key('Tab')
check(focused() == 'label | ' + codons_label.name, 'the codon list is the next Tab stop: %s' % focused())
key('Tab')
check(focused().startswith('label | aaa'), 'then the grid: %s' % focused())
key('Down', 'Right')
check(focused().startswith('label | cac'), 'Down, then Right, moves in the grid: %s' % focused())
key('space')
cell = find(table, lambda n: n.name.startswith('cac: '))
check(cell.getState().contains(pyatspi.STATE_FOCUSED) and cell.getState().contains(pyatspi.STATE_SELECTED),
      'Space on a cell looks it up, the cell keeps the focus and reads as selected: %s' % cell.name)
codons_label = find(table, lambda n: n.name.startswith('Codoni di RNA'))
check(codons_label.name == 'Codoni di RNA:  cac cau', 'and lists its codons: %r' % codons_label.name)
key('Escape')
pump(0.5)
check(not [w for w in app() if w.name == 'Tabella degli Aminoacidi'], 'Escape closes the codon table')
check(active_window() == 'frame | Vintalem', 'the keyboard returns to the main window: %s' % active_window())

print('the other windows and Escape')
menu('alt+question', 'c', 'Come funziona il programma?')
check(active_window() == 'frame | Come funziona il programma?', 'menu "&?", "&Come si gioca?": %s' % active_window())
key('Escape')
check(active_window() == 'frame | Vintalem', 'Escape closes it: %s' % active_window())
menu('alt+question', 'i', 'Informazioni sul programma')
check(active_window() == 'dialog | Informazioni sul programma', 'menu "&Info su Vintalem": %s' % active_window())
key('Escape')
check(active_window() == 'frame | Vintalem', 'Escape closes it as Ok does: %s' % active_window())
check(named('Vintalem', 'frame').getState().contains(pyatspi.STATE_ENABLED), 'the main window is enabled again')
key('Escape')
check(active_window() == 'frame | Vintalem', 'Escape never closes the main window')
key('alt+Tab')
pump(0.5)
check(active_window() == 'frame | mutazioni', 'Alt+Tab reaches the explanation window: %s' % active_window())
check(focused() == 'text | Spiegazione delle mutazioni', 'its text has the focus: %s' % focused())
explanation = named('Spiegazione delle mutazioni').queryText()
words = text_of(named('Spiegazione delle mutazioni')).split()[:4]
key('ctrl+Home')
rest = cpu_ms(5)
said = len(spoken())
offsets = []
for _ in words:
    key('ctrl+Right')
    offsets.append(explanation.caretOffset)
check(offsets == sorted(set(offsets)) and offsets[0] > 0, 'Ctrl+Right walks the explanation word by word: %s' % offsets)
heard(said, *words[1:3])
quiet_after('Ctrl+Right in the explanation', rest)
key('Escape')
check(not [w for w in app() if w.name == 'mutazioni'], 'Escape closes it')
check(active_window() == 'frame | Vintalem', 'the keyboard returns to the main window: %s' % active_window())
menu('alt+f', 'e', 'the end')
pump(1)
check(all(a is None or a.name != 'vintalem' for a in pyatspi.Registry.getDesktop(0)), '"&Esci" ends the game')

heard(0, 'Codone di DNA 1', 'Cambia sequenza')
judge_speech()
print('%d failures' % len(failures))
sys.exit(1 if failures else 0)
