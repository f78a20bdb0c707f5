#!/usr/bin/python3
"""Plays one game in the page in headless Chromium with real mouse and keyboard events and
compares each state's pictures with the desktop build's (tools/web_reference.cpp).

web_test.py FOLDER REFERENCE_TOOL OUTPUT_FOLDER [--width W --height H]
The page's own read-only hook (vintalemState) says where the windows are and what they hold;
the pictures back every check."""
import argparse, functools, http.server, json, os, re, shutil, statistics, subprocess, sys, threading, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

TITLE = "Controllo dell'esattezza dati"
STOP_TEMPLATES = ("act", "atc", "att")
results = []


def check(name, ok, detail=""):
    results.append(bool(ok))
    print(f"{'PASS' if ok else 'FAIL'} {name}{': ' + detail if detail else ''}", flush=True)
    return ok


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                     ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


def serve(folder, port=0):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def browser(width, height, webgl=True, switches=()):
    options = webdriver.ChromeOptions()
    for arg in switches:
        options.add_argument(arg)
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless=new", "--no-sandbox", f"--window-size={width},{height}", "--force-device-scale-factor=1",
                "--lang=it"):
        options.add_argument(arg)
    # A browser that trusts no GPU: no WebGL at all.
    for arg in (("--use-gl=angle", "--use-angle=swiftshader", "--enable-unsafe-swiftshader") if webgl
                else ("--disable-webgl", "--disable-3d-apis")):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(30)
    driver.set_script_timeout(30)
    watch_policy(driver)
    return driver


# Every breach of the page's policy, from the start of each document.
POLICY = """
window.vintalemViolations = [];
document.addEventListener('securitypolicyviolation', (e) =>
  vintalemViolations.push(e.violatedDirective + ' ' + e.blockedURI + ' ' + e.sourceFile + ':' + e.lineNumber));"""


def watch_policy(driver):
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": POLICY})


def no_violations(driver, what):
    seen = driver.execute_script("return window.vintalemViolations || []")
    policy = driver.execute_script(
        "const m = document.querySelector('meta[http-equiv=Content-Security-Policy]'); return m ? m.content : ''")
    check(f"{what}: the page's policy holds, with no violation reported",
          "script-src 'self' 'wasm-unsafe-eval'" in policy and not seen, "; ".join(seen)[:600])


def measure_frame(driver, url, what):
    """The first frame of both windows with an empty cache, then on later visits (medians of 3)."""
    cold, warm = [], []
    for _ in range(3):
        empty_cache(driver, url)
        driver.get(url)
        cold.append(driver.execute_async_script(FIRST_FRAME))
    for _ in range(3):
        driver.get("about:blank")
        driver.get(url)
        warm.append(driver.execute_async_script(FIRST_FRAME))
    c, w = statistics.median(cold), statistics.median(warm)
    check(f"{what}: first frame {c:.0f} ms with an empty cache, {w:.0f} ms on a later visit", c < 2000 and w < 2000,
          f"{[round(t) for t in cold]} {[round(t) for t in warm]}")


# The windows' frames as the page draws them: title, face, which title-bar buttons show.
TITLE_BARS = """
const host = document.querySelector('#qt-shadow-container');
if (!host || !host.shadowRoot) return [];
return [...host.shadowRoot.querySelectorAll('.qt-window')].filter(w => getComputedStyle(w).display !== 'none').map(w => {
  const bar = w.querySelector('.title-bar'), name = bar.querySelector('.window-name'), r = bar.getBoundingClientRect();
  const shown = [...bar.querySelectorAll('.image-button')].map(b => getComputedStyle(b).display !== 'none');
  return {title: name.textContent, face: getComputedStyle(name).fontFamily, rect: [r.x, r.y, r.width, r.height],
          icon: shown[0], restore: shown[1], maximize: shown[2], close: shown[3]};
});"""

# The element of the page with the keyboard focus, inside Qt's shadow tree.
FOCUSED = """
let a = document.activeElement;
while (a && a.shadowRoot && a.shadowRoot.activeElement) a = a.shadowRoot.activeElement;
return a ? {tag: a.tagName, editable: a.tagName === 'INPUT' || a.tagName === 'TEXTAREA' || a.isContentEditable} : null;"""


def ax(d):
    """What Chromium tells a screen reader: every node it exposes, with its states."""
    d.execute_cdp_cmd("Accessibility.enable", {})
    raw = d.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    by_id = {n["nodeId"]: n for n in raw}

    def text(n):  # what a live region holds
        own = n["name"]["value"] if n.get("role", {}).get("value") == "StaticText" else ""
        return own + "".join(text(by_id[c]) for c in n.get("childIds", []) if c in by_id)
    nodes = []
    for n in raw:
        if n.get("ignored"):
            continue
        node = {k: n.get(k, {}).get("value") for k in ("role", "name", "value", "description")}
        node.update({q["name"]: q["value"].get("value") for q in n.get("properties", [])})
        if node["role"] == "status":
            node["text"] = text(n)
        nodes.append(node)
    return nodes


def ax_check(p, s, what):
    """The page's tree against the game: each window not blocked as a region or dialog named by
    its caption, nothing of a blocked one, the focus on the game's focused object, no English."""
    roles = ("region", "dialog", "alertdialog")
    modal = [w for w in s["windows"] if w["modal"]]
    shown = sorted(w["title"] for w in modal or s["windows"] if w["enabled"] and w["name"] not in ("mnuFile", "forminfo"))
    # A dialog that comes holds the focus a moment before its control takes it.
    for _ in range(20):
        nodes = ax(p.d)
        focused = [n["name"] for n in nodes if n.get("focused") and n["role"] != "RootWebArea"]
        if focused == [s["focusName"]]:
            break
        time.sleep(0.1)
    named = sorted(n["name"] for n in nodes if n["role"] in roles)
    check(f"{what}: the page's tree has the windows, the game's focus and no English button",
          named == shown and focused == [s["focusName"]] and not any(n["name"] == "Enable Screen Reader" for n in nodes),
          f"windows {named} for {shown}, focus {focused} for {s['focusName']!r}")
    return nodes


def ax_find(nodes, role, name=None):
    return [n for n in nodes if n["role"] == role and (name is None or (n["name"] or "").startswith(name))]


class Page:
    def __init__(self, driver, tool, out):
        self.d, self.tool, self.out, self.n, self.ref = driver, tool, out, 0, None
        self.size = driver.execute_script("return [innerWidth, innerHeight]")

    def room(self):
        """The page's room for the game (the page less its bar), and the game's scale in it."""
        return self.d.execute_script("const v = document.getElementById('vista'); "
                                     "return [v.offsetWidth, v.offsetHeight, window.vintalemModule.vintalemScale()]")

    def css(self, rect):
        """A rectangle of the game's logical pixels in the page's pixels."""
        k = self.room()[2]
        return [round(v * k) for v in rect]

    def start_reference(self):
        """The desktop game on a screen of the page's size, which the message box's width depends on."""
        config = os.path.join(self.out, "screen.json")
        # As large as the page's room, drawn at the page's scale (the pictures are of density 1).
        width, height, scale = self.room()
        with open(config, "w") as f:
            json.dump({"screens": [{"name": "page", "x": 0, "y": 0, "width": width, "height": height,
                                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": scale}]}, f)
        self.ref = subprocess.Popen([self.tool, "-platform", "offscreen:configfile=" + config],
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)

    def state(self):
        raw = self.d.execute_script(
            "const m = window.vintalemModule; return m && m.vintalemState ? m.vintalemState() : null;")
        return json.loads(raw) if raw else None

    def wait(self, what, condition, timeout=20):
        """Waits for a condition on the hook's report; the timeout only stops a hang."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            s = self.state()
            if s and condition(s):
                return s
            time.sleep(0.05)
        self.d.save_screenshot(os.path.join(self.out, "timed-out.png"))
        check(f"waiting for {what}", False, f"timed out; last report {json.dumps(s)[:2000]}")
        raise SystemExit(finish())

    @staticmethod
    def window(s, name):
        return next((w for w in s["windows"] if w["name"] == name or (name == "box" and w["title"] == TITLE)), None)

    def rect(self, s, key):
        return self.css(s["widgets"][key]["rect"])

    def click(self, rect):
        x, y, w, h = rect
        actions = ActionBuilder(self.d)
        # Then away to an empty corner, so that no button is drawn under the pointer.
        actions.pointer_action.move_to_location(x + w // 2, y + h // 2).click()
        actions.pointer_action.move_to_location(self.size[0] - 2, self.size[1] - 2)
        actions.perform()

    def keys(self, *keys):
        ActionChains(self.d).send_keys(*keys).perform()

    def chord(self, key, code, vk, modifiers):
        """One key with modifiers held (1 Alt, 2 Ctrl, 8 Shift), as a keyboard sends it."""
        for kind in ("rawKeyDown", "keyUp"):
            self.d.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code, "modifiers": modifiers,
                                                              "windowsVirtualKeyCode": vk})

    def tell(self, command):
        self.ref.stdin.write(command + "\n")
        self.ref.stdin.flush()
        answer = self.ref.stdout.readline().strip()
        if not answer.startswith("ok"):
            check(f"desktop reference: {command}", False, answer)
        return answer

    def compare(self, what, s, *windows):
        """One picture of the page against the desktop's picture of each window in it."""
        self.n += 1
        shot = os.path.join(self.out, f"{self.n:02d}-{what}.png")
        # The focus the picture shows: the page may still be moving it when the state was read.
        for _ in range(10):
            self.d.save_screenshot(shot)
            focus, s = s["focus"], self.state()
            if s["focus"] == focus:
                break
        for name in windows:
            w = self.window(s, name)
            if not check(f"{what}: {name} shown", w is not None):
                continue
            x, y = w["client"][:2]
            cx, cy, cw, ch = w["client"]
            # The message box is above every window; the others do not overlap (placement keeps them apart).
            covering = [] if name == "box" else [
                o["frame"] for o in s["windows"] if o is not w and o["frame"][0] < cx + cw and cx < o["frame"][0] + o["frame"][2]
                and o["frame"][1] < cy + ch and cy < o["frame"][1] + o["frame"][3]]
            # The page may not count a message box's title bar in its frame: a margin covers it.
            rects = " ".join(" ".join(map(str, (x - 30, y - 30, w + 60, h + 60))) for x, y, w, h in covering)
            answer = self.tell(f"compare {name} {shot} {x} {y} {s['focus'] or '-'} {rects}")
            check(f"{what}: {name} looks as on the desktop", answer.startswith("ok"), answer)


def at_designed_size(p):
    """The game zoomed to the designed size: at a fractional scale the two Qts round lines each
    their own way, and a picture could no longer tell one letter from another (a changed letter
    differed by 43 levels, the rounding by 36). The fit itself is the screens pass's."""
    p.d.execute_script("const m = window.vintalemModule; m.vintalemZoomTo(m.vintalemZoom() / m.vintalemScale())")
    return p.wait("the designed size", lambda s: abs(p.room()[2] - 1) < 1e-6 and p.window(s, "zuvo") and p.window(s, "Atab"))


def play(page, width, height):
    p = page
    p.wait("both windows", lambda s: p.window(s, "zuvo") and p.window(s, "Atab"))
    s = at_designed_size(p)
    codons = [s["widgets"][f"zuvo/nt({i})"]["text"] for i in range(20)]
    p.start_reference()
    p.tell("strand " + "".join(codons))
    main, table = p.window(s, "zuvo"), p.window(s, "Atab")
    check("titles", main["title"] == "Vintalem" and table["title"] == "Tabella degli Aminoacidi")
    check("the keyboard starts in the first codon box", s["focusName"] == "Codone di DNA 1", s["focusName"])
    fx, fy, fw, fh = main["frame"]
    tx, ty, tw, th = table["frame"]
    vw, vh, scale = p.room()  # the browser's own bars take some of the window's height
    inside = all(x >= 0 and y >= 0 and x + w <= vw and y + h <= vh for x, y, w, h in map(p.css, (main["frame"], table["frame"])))
    # Zoomed from the fit to the designed size, the page's 4-pixel borders, drawn in page pixels,
    # may meet over each other.
    apart = fx + fw <= tx + 4 or tx + tw <= fx + 4 or fy + fh <= ty + 4 or ty + th <= fy + 4
    check(f"both windows wholly visible side by side in a {width}x{height} window ({vw}x{vh} page)", inside and apart,
          f"{main['frame']} {table['frame']}")
    check("page title names the game", "Vintalem" in p.d.title)
    bars = p.d.execute_script(TITLE_BARS)
    check("title bars read the captions", sorted(b["title"] for b in bars) == ["Tabella degli Aminoacidi", "Vintalem"],
          str([b["title"] for b in bars]))
    check("title bars in the game's face", all(b["face"].startswith('"Vintalem Sans"') for b in bars)
          and p.d.execute_script("return document.fonts.check('bold 13px \"Vintalem Sans\"')"), bars[0]["face"] if bars else "")
    check("fixed windows offer no maximize", all(b["close"] and not b["maximize"] and not b["restore"] for b in bars), str(bars))
    # Dragged by its title bar, a window moves; a double click on it does not grow it.
    bar = next(b["rect"] for b in bars if b["title"] == "Vintalem")
    grip = (int(bar[0] + bar[2] / 2), int(bar[1] + bar[3] / 2))
    actions = ActionBuilder(p.d)
    actions.pointer_action.move_to_location(*grip).pointer_down().move_to_location(grip[0] + 40, grip[1] + 30).pointer_up()
    actions.perform()
    moved = p.wait("the window dragged", lambda s: max(abs(a - b) for a, b in zip(p.window(s, "zuvo")["frame"][:2],
                   [fx + 40 / scale, fy + 30 / scale])) <= 2, timeout=5)
    actions = ActionBuilder(p.d)
    actions.pointer_action.move_to_location(grip[0] + 40, grip[1] + 30).double_click()
    actions.pointer_action.move_to_location(grip[0] + 40, grip[1] + 30).pointer_down().move_to_location(*grip).pointer_up()
    actions.perform()
    # At a fractional scale a move lands within a pixel or two of the pointer's.
    s = p.wait("the window back", lambda s: max(abs(a - b) for a, b in zip(p.window(s, "zuvo")["frame"], main["frame"])) <= 2,
               timeout=5)
    check("a window moves by its title bar and a double click does not maximize it", bool(moved and s))
    p.compare("start", s, "zuvo", "Atab")
    t = ax_check(p, s, "start")
    dna = [n for i in range(20) for n in ax_find(t, "textbox", f"Codone di DNA {i + 1}") if n["name"] == f"Codone di DNA {i + 1}"]
    rna = [n for n in ax_find(t, "textbox", "Codone di RNA ") if n.get("readonly")]
    check("the page reads the 20 codon boxes with their codons, the 20 RNA boxes read-only, the buttons, the list and the grid",
          [n["value"] for n in dna] == codons and not any(n.get("readonly") for n in dna) and len(rna) == 20
          and ax_find(t, "button", "Codifica proteina") and ax_find(t, "button", "Cambia sequenza")
          and len(ax_find(t, "option")) >= 20 and ax_find(t, "listbox", "Aminoacido")
          and len([n for n in ax_find(t, "button") if re.fullmatch(r"[acgu]{3}: \w+", n["name"] or "")]) == 64,
          f"{len(dna)} codon boxes, {len(rna)} RNA boxes, {len(ax_find(t, 'option'))} options")

    # An incomplete codon: the first message box, which blocks the game until its button.
    p.click(p.rect(s, "zuvo/nt(5)"))
    p.keys(Keys.END, Keys.BACKSPACE)
    p.tell(f"set 5 {codons[5][:2]}")
    p.click(p.rect(s, "zuvo/CodProt"))
    p.tell("code")
    s = p.wait("the incomplete-codon message", lambda s: p.window(s, "box"))
    check("incomplete-codon text", "tre nucleotidi" in s["widgets"].get("/qt_msgbox_label", {}).get("text", ""))
    p.compare("incomplete-codon", s, "box", "zuvo")
    t = ax_check(p, s, "incomplete-codon message")
    check("the message box is a modal alert with its text", any(n.get("modal") and "tre nucleotidi" in (n["description"] or "")
                                                                 for n in ax_find(t, "alertdialog")))
    p.click(p.rect(s, "zuvo/ChnSeq"))  # blocked: the strand stays
    s = p.wait("the message still up", lambda s: p.window(s, "box"))
    check("the message blocks the main window", s["widgets"]["zuvo/nt(0)"]["text"] == codons[0]
          and s["widgets"]["zuvo/nt(5)"]["text"] == codons[5][:2])
    p.click(p.css(next(w["rect"] for k, w in s["widgets"].items() if k.startswith("/button:"))))
    p.tell("close")
    s = p.wait("the message closed", lambda s: not p.window(s, "box"))

    # A mutation typed from the keyboard, and the stop template replaced: no stop codon left.
    mutation = "ggg" if codons[3] != "ggg" else "ccc"
    p.click(p.rect(s, "zuvo/nt(5)"))
    p.keys(Keys.END, codons[5][2])
    p.click(p.rect(s, "zuvo/nt(3)"))
    p.keys(Keys.END, Keys.BACKSPACE * 3, mutation)
    for _ in range(16):
        p.keys(Keys.TAB)
    p.keys("ggg")  # Tab selects a box's text, so typing replaces it
    for slot, text in ((5, codons[5]), (3, mutation), (19, "ggg")):
        p.tell(f"set {slot} {text}")
    s = p.wait("the edits", lambda s: [s["widgets"][f"zuvo/nt({i})"]["text"] for i in (3, 5, 19)] == [mutation, codons[5], "ggg"])
    p.compare("mutated", s, "zuvo")

    # "Codifica proteina" by keyboard; the stop warning comes in the middle of the run.
    p.keys(Keys.TAB, Keys.TAB, " ")
    p.tell("code")
    s = p.wait("the missing-stop message", lambda s: p.window(s, "box"))
    check("missing-stop text", "codone di stop" in s["widgets"].get("/qt_msgbox_label", {}).get("text", ""))
    check("the run waits for the message: RNA written, no protein yet",
          s["widgets"]["zuvo/RNA(0)"]["text"] == "aug" and s["widgets"]["zuvo/naame(0)"]["text"] == "")
    p.compare("missing-stop", s, "box", "zuvo")
    p.click(p.css(next(w["rect"] for k, w in s["widgets"].items() if k.startswith("/button:"))))
    p.tell("close")
    s = p.wait("the run finished", lambda s: not p.window(s, "box") and p.window(s, "mutazioni"))
    check("the run went on: the protein is drawn", s["widgets"]["zuvo/naame(0)"]["text"] == "Met")
    p.compare("coded", s, "zuvo", "mutazioni")
    t = ax_check(p, s, "coded")
    glyphs = {n["name"] for n in ax_find(t, "button", "Aminoacido ")}
    codes = [s["widgets"][f"zuvo/naame({i})"]["text"] for i in range(20)]
    check("each glyph reads its slot, Italian name and code; the changed codons, what they coded; the new codons read",
          all(any(g.startswith(f"Aminoacido {i + 1}: ") and g.endswith(c) for g in glyphs) for i, c in enumerate(codes) if c)
          and all(any(g.startswith(f"Aminoacido sostituito {i + 1}: ") and g.endswith(o) for g in glyphs)
                  for i, o in ((i, s["widgets"].get(f"zuvo/OldAaName({i})", {}).get("text", "")) for i in range(20)) if o)
          and any(s["widgets"].get(f"zuvo/OldAaName({i})", {}).get("text", "") for i in range(20))
          and [n["value"] for n in ax_find(t, "textbox", "Codone di DNA 4")][:1] == [mutation],
          str(sorted(glyphs))[:600])

    # A glyph brings the codon table up on its amino acid.
    p.click(p.rect(s, "zuvo/AA(3)"))
    p.tell("lookup 3")
    code = s["widgets"]["zuvo/naame(3)"]["text"]
    s = p.wait("the look-up", lambda s: s["widgets"].get("Atab/AaList", {}).get("text"))
    p.compare("look-up-" + code, s, "Atab")
    t = ax_find(ax(p.d), "button")
    check("the look-up reads: the amino acid selected in the list, its codons highlighted in the grid",
          [n["name"] for n in ax(p.d) if n["role"] == "option" and n.get("selected")] == [s["widgets"]["Atab/AaList"]["text"]]
          and all(n["name"].endswith(": " + code) == (n["description"] == "evidenziato")
                  for n in t if re.fullmatch(r"[acgu]{3}: \w+", n["name"] or "")))

    # The about window, from the menu, blocks the other windows until "Ok".
    p.click(p.rect(s, "zuvo/menu:&?"))
    p.wait("the menu", lambda s: p.window(s, "forminfo"))
    p.keys(Keys.DOWN, Keys.RETURN)
    p.tell("about")
    s = p.wait("the about window", lambda s: p.window(s, "Information"))
    check("the about window disables the others", not p.window(s, "zuvo")["enabled"] and not p.window(s, "Atab")["enabled"])
    p.compare("about", s, "Information")
    t = ax_check(p, s, "about")
    # Its text is its description, which a screen reader says with its caption as the focus enters it.
    words = " ".join(s["widgets"]["Information/Informazioni"]["text"].split())
    check("the about window is a modal dialog described by its text",
          any(n.get("modal") and " ".join((n["description"] or "").split()) == words for n in ax_find(t, "dialog")))
    p.click(p.rect(s, "zuvo/ChnSeq"))
    s = p.wait("the about window still up", lambda s: p.window(s, "Information"))
    check("clicks on the main window do nothing", s["widgets"]["zuvo/nt(3)"]["text"] == mutation)
    p.click(p.rect(s, "Information/ok"))
    p.tell("ok")
    s = p.wait("the about window gone", lambda s: not p.window(s, "Information") and p.window(s, "zuvo")["enabled"])

    # The explanation's element keeps the game's caret, so Ctrl+Right reads word by word; Escape
    # closes a window other than the main one.
    p.click(p.rect(s, "mutazioni/explanation"))
    caret = []
    p.chord("Home", "Home", 36, 2)
    for _ in range(3):
        p.chord("ArrowRight", "ArrowRight", 39, 2)
        time.sleep(0.2)
        caret.append(p.d.execute_script(FOCUSED.replace("return a ?", "return a && a.selectionStart !== undefined ? a.selectionStart : a ?")))
    text = p.d.execute_script(FOCUSED.replace("return a ?", "return a && a.value !== undefined ? a.value : a ?"))
    words = [m.end() for m in re.finditer(r"\s+", text if isinstance(text, str) else "")]
    check("Ctrl+Right walks the explanation's page element word by word, as the screen reader reads it",
          caret == words[:3], f"{caret} for {words[:3]}")
    p.keys(Keys.ESCAPE)
    s = p.wait("Escape to close the explanation", lambda s: not p.window(s, "mutazioni"))

    # Alt+? as a keyboard sends it (Shift makes the "?") opens its menu, the page's focus on the
    # highlighted item; its second item, the how-to-play window, reads its text.
    p.chord("?", "Slash", 191, 9)
    s = p.wait("Alt+? to open its menu", lambda s: p.window(s, "forminfo"))
    focused = [n["name"] for n in ax(p.d) if n.get("focused") and n["role"] != "RootWebArea"]
    check("an open menu's highlighted item has the page's focus", focused == ["Info su Vintalem"], str(focused))
    p.keys(Keys.DOWN, Keys.RETURN)
    s = p.wait("the how-to-play window", lambda s: p.window(s, "InformazsuVintalem"))
    t = ax_check(p, s, "how to play")
    check("the how-to-play window reads its text", any("Buon divertimento." in (n["name"] or "") for n in ax_find(t, "StaticText")))
    p.keys(Keys.ESCAPE)
    s = p.wait("Escape to close the how-to-play window", lambda s: not p.window(s, "InformazsuVintalem"))

    # "Esci" ends the game; the page says so and starts it again.
    p.click(p.rect(s, "zuvo/menu:&File"))
    p.wait("the menu", lambda s: p.window(s, "mnuFile"))
    p.keys(Keys.UP, Keys.RETURN)
    end = time.monotonic() + 10
    while time.monotonic() < end and not p.d.find_element(By.ID, "fine").is_displayed():
        time.sleep(0.05)
    ended = p.d.find_element(By.ID, "fine")
    check("the page says the game is over", ended.is_displayed() and "finito" in ended.text)
    p.d.save_screenshot(os.path.join(p.out, "99-over.png"))
    ended.find_element(By.TAG_NAME, "button").click()
    s = p.wait("the game again", lambda s: p.window(s, "zuvo") and p.window(s, "Atab"))
    check("started again", True)

    # A silent mutation (a third base where any base codes the same amino acid): the note
    # comes for 2 seconds while the page stays live.
    codons = [s["widgets"][f"zuvo/nt({i})"]["text"] for i in range(20)]
    slot = next(i for i in range(1, 19) if codons[i][:2] in ("cg", "cc", "gg", "tg", "ca", "ag", "ga", "gc"))
    t = ax_check(p, s, "a new strand")
    check("a new strand reads", [n["value"] for i in range(20) for n in ax_find(t, "textbox", f"Codone di DNA {i + 1}")
                                 if n["name"] == f"Codone di DNA {i + 1}"] == codons)
    p.d.execute_script(ANNOUNCED)
    p.click(p.rect(s, f"zuvo/nt({slot})"))
    p.keys(Keys.END, Keys.BACKSPACE, "c" if codons[slot][2] == "a" else "a")
    p.click(p.rect(s, "zuvo/CodProt"))
    s = p.wait("the silent-mutation note", lambda s: "zuvo/Label15" in s["widgets"])
    kept = p.state()
    check("the explanation shown by the run leaves the keyboard on the button", kept["focus"] == "CodProt"
          and p.window(kept, "zuvo")["active"], kept["focus"])
    live = [n for n in ax(p.d) if n["role"] == "status" and n["text"]]
    check("the note is in a live region", [n["text"] for n in live] == [s["widgets"]["zuvo/Label15"]["text"]], str(live))
    note, shots = p.rect(s, "zuvo/Label15"), [os.path.join(p.out, f) for f in ("98-note.png", "98-note-gone.png")]
    p.d.save_screenshot(shots[0])
    p.click(p.rect(s, "zuvo/nt(1)"))
    live = p.wait("a click during the note", lambda s: s["focus"] == "nt(1)")
    check("the page answers during the note", "zuvo/Label15" in live["widgets"])
    p.wait("the note gone", lambda s: "zuvo/Label15" not in s["widgets"], timeout=10)
    p.d.save_screenshot(shots[1])
    ink = [float(subprocess.check_output(["convert", f, "-crop", "{2}x{3}+{0}+{1}".format(*note), "-format",
                                          "%[fx:standard_deviation]", "info:"])) for f in shots]
    check("the note is drawn, then cleared", ink[0] > 2 * ink[1], f"contrast {ink[0]:.3f}, then {ink[1]:.3f}")
    said = p.d.execute_script("return vintalemAnnounced")
    check("the note is announced once", len(said) == 1, str(said))
    no_violations(p.d, "a whole game")


# What the page's live regions announce: each text they take.
ANNOUNCED = """
window.vintalemAnnounced = [];
const root = document.querySelector('#qt-shadow-container').shadowRoot;
new MutationObserver(() => {
  for (const r of root.querySelectorAll('[aria-live]')) if (r.textContent && r.textContent !== r.vintalemSaid) vintalemAnnounced.push(r.vintalemSaid = r.textContent);
  for (const r of root.querySelectorAll('[aria-live]')) if (!r.textContent) r.vintalemSaid = '';
}).observe(root, {subtree: true, childList: true, characterData: true});"""


FIRST_FRAME = """
const done = arguments[arguments.length - 1];
(function poll() {
  const m = window.vintalemModule;
  const s = m && m.vintalemState ? JSON.parse(m.vintalemState()) : null;
  if (s && ["zuvo", "Atab"].every(n => s.windows.some(w => w.name === n)))
    requestAnimationFrame(() => requestAnimationFrame(() => done(performance.now())));
  else
    requestAnimationFrame(poll);
})();"""


# Every value the loading bar takes, seen from outside the page.
WATCH_BAR = """
window.vintalemBarValues = [];
new MutationObserver(records => { for (const r of records) if (r.target.id === 'avanzamento') vintalemBarValues.push(Number(r.target.value)); })
  .observe(document, {attributes: true, attributeFilter: ['value'], subtree: true});"""


def empty_cache(driver, url):
    driver.get("about:blank")
    driver.execute_cdp_cmd("Network.clearBrowserCache", {})
    origin = url.split("/index.html")[0]
    driver.execute_cdp_cmd("Storage.clearDataForOrigin", {"origin": origin, "storageTypes": "all"})


# Where one load's time went: the code's download, its compilation, Qt's start, the first frame.
PROFILE = """
const at = (name) => { const m = performance.getEntriesByName(name)[0]; return m ? Math.round(m.startTime) : null; };
const code = performance.getEntriesByType('resource').find(e => e.name.includes('vintalem.wasm'));
return {request: code ? Math.round(code.requestStart || code.startTime) : null, downloaded: at('vintalem-downloaded'),
        compiled: at('vintalem-compiled'), started: at('vintalem-started'), main: at('vintalem-main'),
        shown: at('vintalem-shown'), running: at('vintalem-running'), transfer: code ? code.transferSize : null};"""


def profile(driver, what, frame):
    p = driver.execute_script(PROFILE)
    print(f"profile, {what}: code asked at {p['request']} ms, downloaded at {p['downloaded']} ms "
          f"({p['transfer']} bytes over the wire), compiled at {p['compiled']} ms, Qt started at {p['started']} ms, "
          f"main at {p['main']} ms, its windows shown at {p['shown']} ms, its loop at {p['running']} ms, "
          f"first frame at {frame:.0f} ms", flush=True)


def slow_loads(driver, url):
    """The first frame on a processor four times slower, and over a school's shared line (10 Mbit/s,
    40 ms); the worker is left out so that every byte goes through the slow line. Measured, not
    judged: the goals are 1.5 s and 2.5 s."""
    conditions = {"offline": False, "latency": 40, "downloadThroughput": 1_250_000, "uploadThroughput": 1_250_000}
    fast = {"offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}
    for what, goal, setting, undo in (
            ("the processor four times slower", 1500, lambda: driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4}),
             lambda: driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})),
            ("a 10 Mbit/s line with 40 ms latency", 2500, lambda: driver.execute_cdp_cmd("Network.emulateNetworkConditions", conditions),
             lambda: driver.execute_cdp_cmd("Network.emulateNetworkConditions", fast))):
        slow = []
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
        for _ in range(3):
            empty_cache(driver, url)
            setting()
            driver.get(url)
            slow.append(driver.execute_async_script(FIRST_FRAME))
            undo()
        driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": False})
        profile(driver, what, slow[-1])
        print(f"measured: first frame with {what} {statistics.median(slow):.0f} ms "
              f"(median of 3: {', '.join(f'{t:.0f}' for t in slow)}; the goal is {goal} ms: "
              f"{'met' if statistics.median(slow) <= goal else 'missed'})", flush=True)


def measure(driver, url, folder):
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH_BAR})
    times, rises = [], []
    for _ in range(5):
        empty_cache(driver, url)
        driver.get(url)
        times.append(driver.execute_async_script(FIRST_FRAME))
        values = driver.execute_script("return vintalemBarValues")
        rises.append(sum(1 for a, b in zip([0] + values, values) if b > a))
    profile(driver, "empty cache", times[-1])
    median = statistics.median(times)
    check("first frame of both windows within 1 s with an empty cache (median of 5 loads; the goal is 0.5 s)",
          median < 1000, f"{median:.0f} ms ({', '.join(f'{t:.0f}' for t in times)})")
    later = []
    for _ in range(5):
        driver.get("about:blank")
        driver.get(url)
        later.append(driver.execute_async_script(FIRST_FRAME))
    profile(driver, "later visit", later[-1])
    warm = statistics.median(later)
    print(f"measured: first frame on a later visit {warm:.0f} ms (median of 5: {', '.join(f'{t:.0f}' for t in later)}; "
          f"the goal is 0.3 s and half the empty cache's {median:.0f} ms: "
          f"{'met' if warm <= min(300, median / 2) else 'missed'})", flush=True)
    total = int(driver.execute_script("return document.getElementById('avanzamento').max"))
    check("the loading bar fills with the code received, rising at least three times", min(rises) >= 3
          and driver.execute_script("return vintalemBarValues.at(-1)") == total, f"rises {rises}, of {total} bytes")
    # Every file one load sends, each in the smaller of its compressed forms (pictures as they are).
    sent = 0
    for name in sorted(f for f in os.listdir(folder) if os.path.isfile(os.path.join(folder, f))
                       and not f.endswith((".br", ".gz")) and not f.startswith(".")):
        forms = [os.path.join(folder, name + ext) for ext in (".br", ".gz")]
        size = min(os.path.getsize(f) for f in forms) if all(map(os.path.exists, forms)) else os.path.getsize(os.path.join(folder, name))
        sent += size
        print(f"  {name}: {size} bytes")
    check("bytes sent for one page load at most 2.2 MB", sent <= 2_200_000, f"{sent} bytes")
    with open(os.path.join(folder, "vintalem.wasm"), "rb") as f:
        code = f.read()
    check("none of Qt's embedded fonts in the code", b"Bitstream" not in code and b"DejaVu Sans Mono" not in code)
    errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {}).get("installabilityErrors")
    check("installable as an app", errors == [], json.dumps(errors))


CACHED = """
const done = arguments[arguments.length - 1];
caches.keys().then(names => Promise.all(names.map(n => caches.open(n).then(c => c.keys()).then(k => [n, k.map(r => r.url)]))))
  .then(done, () => done(null));"""


def cache_holds(driver):
    return {name: urls for name, urls in driver.execute_async_script(CACHED) or []}


def offline(driver, url, folder, out):
    """After one visit the page plays with the server gone; a new build replaces the old one whole."""
    build = lambda: driver.execute_script("return BUILD")
    empty_cache(driver, url)
    driver.get(url)
    page = Page(driver, None, out)
    page.wait("the first visit", lambda s: page.window(s, "zuvo"))
    a = build()
    end = time.monotonic() + 20
    while time.monotonic() < end and not any(u.split("?")[0].endswith("vintalem.wasm") for u in cache_holds(driver).get("vintalem-" + a, [])):
        time.sleep(0.1)
    check("the first visit keeps the page for offline use", any(u.endswith("vintalem.wasm?build=" + a)
          for u in cache_holds(driver).get("vintalem-" + a, [])), json.dumps(cache_holds(driver))[:500])
    return a


def play_offline(page):
    s = page.wait("the game offline", lambda s: page.window(s, "zuvo") and page.window(s, "Atab"))
    page.click(page.rect(s, "zuvo/CodProt"))
    s = page.wait("a run offline", lambda s: page.window(s, "box") or s["widgets"]["zuvo/naame(0)"]["text"] == "Met")
    check("offline, the game starts and plays", s["widgets"]["zuvo/RNA(0)"]["text"] == "aug", "")
    no_violations(page.d, "offline")


def update(driver, url, folder, a):
    """Build B: build A's files under a new identity, its script marked."""
    b_folder = folder.rstrip("/") + "-b"
    shutil.rmtree(b_folder, ignore_errors=True)
    shutil.copytree(folder, b_folder)
    b = "b" * len(a)
    for name in ("index.html", "pagina.js", "sw.js", "manifest.webmanifest", "vintalem.js"):
        path = os.path.join(b_folder, name)
        with open(path, encoding="utf-8") as f:
            text = f.read().replace(a, b)
        if name == "vintalem.js":
            text += "\nwindow.vintalemBuildMark = 'B';\n"
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        for ext in (".br", ".gz"):
            if os.path.exists(path + ext):
                os.remove(path + ext)
    return b_folder, b

# Each screen a pupil meets: CSS size, density, touch, the least codon box and whether the
# codon table fits beside the main window.
SCREENS = [("laptop", 1366, 768, 1, False, 24, True), ("projector", 1920, 1080, 1, False, 36, True),
           ("android-panel", 1920, 1080, 2, True, 36, True), ("panel-4k", 3840, 2160, 1, True, 72, True),
           ("tablet", 1024, 768, 2, True, 33, False), ("phone", 780, 360, 3, True, 20, False),
           ("laptop-200", 683, 384, 2, False, 20, False)]

# Every canvas of the game against its size on screen: drawn at the screen's density, not stretched.
SHARP = """
const host = document.querySelector('#qt-shadow-container');
return [...host.shadowRoot.querySelectorAll('canvas')].filter(c => c.getClientRects().length).map(c => {
  const r = c.getBoundingClientRect();
  return Math.max(Math.abs(c.width - r.width * devicePixelRatio), Math.abs(c.height - r.height * devicePixelRatio));
});"""


def on_screen(d, width, height, density, touch):
    d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                      "deviceScaleFactor": density, "mobile": touch})
    d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})


def whole(p, s, names=("zuvo", "Atab")):
    vw, vh, _ = p.room()
    frames = [p.css(p.window(s, n)["frame"]) for n in names if p.window(s, n)]
    return len(frames) == len(names) and all(x >= 0 and y >= 0 and x + w <= vw and y + h <= vh for x, y, w, h in frames)


def screens(driver, url, out):
    """A light pass on each screen: the fit, whole windows, sharp canvases and a picture; then the
    zoom keys, the wheel, two fingers, the turned tablet and phone, and the full-screen control."""
    p = Page(driver, None, out)
    box = lambda s, i: s["widgets"][f"zuvo/nt({i})"]["text"]
    for name, width, height, density, touch, floor, side in SCREENS:
        on_screen(driver, width, height, density, touch)
        driver.get(url)
        s = p.wait(f"{name}: both windows", lambda s: p.window(s, "zuvo") and p.window(s, "Atab"))
        # The fit is made again once the windows are measured: within a second.
        end = time.monotonic() + 2
        while time.monotonic() < end and not whole(p, s, ("zuvo", "Atab") if side else ("zuvo",)):
            time.sleep(0.1)
            s = p.state()
        codon = p.rect(s, "zuvo/nt(0)")[2]
        main, table = (p.css(p.window(s, n)["frame"]) for n in ("zuvo", "Atab"))
        apart = main[0] + main[2] <= table[0]
        check(f"{name}: a codon box is at least {floor} pixels, the main window whole"
              f"{', the table beside it' if side else ''}",
              codon >= floor and whole(p, s, ("zuvo", "Atab") if side else ("zuvo",)) and apart == side,
              f"box {codon}, main {main}, table {table}, room {p.room()}")
        unsharp = driver.execute_script(SHARP)
        check(f"{name}: every canvas drawn at density {density}", unsharp and max(unsharp) <= 1, str(unsharp))
        driver.save_screenshot(os.path.join(out, f"screen-{name}.png"))
        if name == "laptop":
            keys(p)
        if name == "tablet":
            turned(p, box)
        if name == "phone":
            # Played by touch: a codon changed by the soft keyboard, then a run.
            t = Touch(driver, None)
            t.tap(p.rect(s, "zuvo/nt(1)"), end=True)
            p.wait("the phone's tap", lambda s: s["focus"] == "nt(1)")
            t.backspace()
            t.commit("g")
            t.tap(p.rect(p.state(), "zuvo/CodProt"))
            s = p.wait("the phone's run", lambda s: s["widgets"]["zuvo/naame(0)"]["text"] == "Met" or p.window(s, "box"))
            check("phone: played by touch, a codon changed and the protein coded",
                  s["widgets"]["zuvo/naame(0)"]["text"] == "Met" and s["widgets"]["zuvo/nt(1)"]["text"].endswith("g"))
            on_screen(driver, height, width, density, touch)
            shown = lambda: driver.execute_script("const g = document.getElementById('gira'); "
                                                  "return !g.hidden && g.getClientRects().length ? g.textContent : ''")
            end = time.monotonic() + 5
            while time.monotonic() < end and not shown():
                time.sleep(0.05)
            driver.save_screenshot(os.path.join(out, "screen-phone-upright.png"))
            check("phone upright: the page asks to turn it, in Italian", "Gira il telefono" in shown(), shown())
            on_screen(driver, width, height, density, touch)
            s = p.wait("phone turned back", lambda s: not shown() and whole(p, s, ("zuvo",)))
            check("phone turned back: the notice goes, the main window whole", bool(s))
    on_screen(driver, 1366, 768, 1, False)
    driver.get(url)
    p.wait("the laptop again", lambda s: p.window(s, "zuvo"))
    full_screen(p)


def zoom_of(p):
    return p.d.execute_script("return window.vintalemModule.vintalemZoom()")


def keys(p):
    """Ctrl with = − 0 zoom the game, not the browser; Ctrl+wheel too; past the room it scrolls."""
    steps = [("=", "Equal", 187, 1.1), ("=", "Equal", 187, 1.25), ("-", "Minus", 189, 1.1), ("0", "Digit0", 48, 1.0)]
    for key, code, vk, zoom in steps:
        p.chord(key, code, vk, 2)
        end = time.monotonic() + 2
        while time.monotonic() < end and abs(zoom_of(p) - zoom) > 1e-6:
            time.sleep(0.05)
        check(f"Ctrl+{key}: the game at {zoom:.0%}, the browser not zoomed", abs(zoom_of(p) - zoom) < 1e-6
              and p.d.execute_script("return visualViewport.scale === 1 && devicePixelRatio === 1"), str(zoom_of(p)))
    unsharp = p.d.execute_script(SHARP)
    check("zoomed, the canvases are drawn anew at their size", unsharp and max(unsharp) <= 1, str(unsharp))
    p.d.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": "mouseWheel", "x": 300, "y": 300, "deltaX": 0,
                                                     "deltaY": -300, "modifiers": 2})
    end = time.monotonic() + 2
    while time.monotonic() < end and zoom_of(p) < 1.5:
        time.sleep(0.05)
    check("Ctrl+wheel zooms in", zoom_of(p) >= 1.5, str(zoom_of(p)))
    for _ in range(8):
        p.chord("=", "Equal", 187, 2)
    scrolls = p.d.execute_script("const v = document.getElementById('vista'); "
                                 "return [v.scrollWidth > v.clientWidth, v.scrollHeight > v.clientHeight]")
    check("three times: the room scrolls to all of the game", zoom_of(p) == 3 and all(scrolls), str(scrolls))
    # The wheel over a window moves the room, not the game's controls.
    where = lambda: p.d.execute_script("const v = document.getElementById('vista'); return [v.scrollLeft, v.scrollTop]")
    before = where()
    p.d.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": "mouseWheel", "x": 400, "y": 300, "deltaX": 0, "deltaY": 200})
    end = time.monotonic() + 2
    while time.monotonic() < end and where()[1] == before[1]:
        time.sleep(0.05)
    check("zoomed past the room, the wheel scrolls it", where()[1] > before[1], f"{before} -> {where()}")
    # The keyboard's focus is always brought into view.
    seen = []
    for _ in range(24):
        p.keys(Keys.TAB)
        time.sleep(0.1)
        seen.append(p.d.execute_script(IN_VIEW))
    check("zoomed past the room, the control with the focus is in view", all(seen), str(seen))
    p.d.save_screenshot(os.path.join(p.out, "screen-laptop-zoom-3.png"))
    p.chord("0", "Digit0", 48, 2)
    s = p.wait("Ctrl+0", lambda s: zoom_of(p) == 1 and whole(p, s))
    check("Ctrl+0: the fitted size again, nothing to scroll", bool(s) and not p.d.execute_script(
        "const v = document.getElementById('vista'); return v.scrollWidth > v.clientWidth"))


IN_VIEW = """
let a = document.activeElement;
while (a && a.shadowRoot && a.shadowRoot.activeElement) a = a.shadowRoot.activeElement;
const r = a.getBoundingClientRect(), v = document.getElementById('vista').getBoundingClientRect();
return r.left >= v.left - 1 && r.top >= v.top - 1 && r.right <= v.right + 1 && r.bottom <= v.bottom + 1;"""


def turned(p, box):
    """A codon typed on the tablet survives turning it upright and back; two fingers spread zoom."""
    t = Touch(p.d, None)
    s = p.state()
    t.tap(p.rect(s, "zuvo/nt(2)"), end=True)
    p.wait("the tap's focus", lambda s: s["focus"] == "nt(2)")
    for _ in range(3):
        t.backspace()
    t.commit("ggg")
    p.wait("the codon typed", lambda s: box(s, 2) == "ggg")
    on_screen(p.d, 768, 1024, 2, True)
    s = p.wait("the tablet upright", lambda s: whole(p, s, ("zuvo",)) and p.room()[0] < 800)
    on_screen(p.d, 1024, 768, 2, True)
    s = p.wait("the tablet turned back", lambda s: whole(p, s, ("zuvo",)) and p.room()[0] > 900)
    check("the tablet turned upright and back keeps the codon typed and the main window whole", box(s, 2) == "ggg")
    before = zoom_of(p)
    # Two touch points moving apart: the game's own zoom, drawn anew, the codon still there.
    x, y = 300, 300
    for i, step in enumerate(range(0, 101, 20)):
        points = [{"x": x - step, "y": y, "id": 1}, {"x": x + 40 + step, "y": y, "id": 2}]
        t.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart" if i == 0 else "touchMove",
                                                         "touchPoints": points})
        time.sleep(0.05)
    t.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
    end = time.monotonic() + 2
    while time.monotonic() < end and zoom_of(p) <= before * 1.5:
        time.sleep(0.05)
    unsharp = p.d.execute_script(SHARP)
    s = p.state()
    check("two fingers spread zoom the game, drawn anew, not the page", zoom_of(p) > before * 1.5
          and p.d.execute_script("return visualViewport.scale") == 1 and max(unsharp) <= 1 and box(s, 2) == "ggg",
          f"zoom {before} -> {zoom_of(p)}, canvases {unsharp}")
    p.d.save_screenshot(os.path.join(p.out, "screen-tablet-pinched.png"))


def full_screen(p):
    """The page's bar: its full-screen control reached by keyboard and named for a screen reader."""
    names = [n["name"] for n in ax(p.d) if n["role"] == "button"]
    check("the page's bar speaks Italian to a screen reader",
          all(n in names for n in ("Ingrandisci", "Riduci", "Adatta allo schermo", "Schermo intero")), str(names))
    # By keyboard alone: F6 to the bar, Tab along it, Enter; F6 back to the game.
    p.chord("F6", "F6", 117, 0)
    first = p.d.execute_script("return document.activeElement.id")
    for _ in range(6):
        if p.d.execute_script("return document.activeElement.id") == "schermoIntero":
            break
        p.keys(Keys.TAB)
    check("F6 takes the keyboard to the page's bar", first == "ingrandisci"
          and p.d.execute_script("return document.activeElement.id") == "schermoIntero", first)
    p.keys(Keys.ENTER)
    end = time.monotonic() + 3
    pressed = "return document.getElementById('schermoIntero').getAttribute('aria-pressed') === 'true'"
    while time.monotonic() < end and not p.d.execute_script(pressed):
        time.sleep(0.05)
    on = p.d.execute_script("const b = document.getElementById('schermoIntero'); "
                            "return [!!document.fullscreenElement, b.getAttribute('aria-pressed'), b.getAttribute('aria-label')]")
    p.keys(Keys.ENTER)
    end = time.monotonic() + 3
    while time.monotonic() < end and p.d.execute_script(pressed):
        time.sleep(0.05)
    off = p.d.execute_script("return !!document.fullscreenElement")
    p.chord("F6", "F6", 117, 0)
    s = p.wait("F6 back to the game", lambda s: p.d.execute_script("return document.activeElement.id") == "qt-shadow-container")
    check("F6 gives the keyboard back to the game's control", s["focusName"] == "Codone di DNA 1", s["focusName"])
    check("the full-screen control puts the page in full screen and back", on == [True, "true", "Esci dallo schermo intero"]
          and not off, f"{on} {off}")


# A strand the generator can draw, and links a teacher could never have made.
LINKED = "tacggattccgcaagccctgggatcaggtcaggcttgcatccaacgcgttgacccgaatt"
BAD_LINKS = [("#dna=tacgga", "60 basi"), ("#dna=" + "tacu" * 15, "lettere diverse"),
             ("#dna=tag" + LINKED[3:], "non comincia con tac"), ("#dna=" + LINKED[:9] + "att" + LINKED[12:], "prima dell'ultimo"),
             ("#dna=" + LINKED[:57] + "ggg", "non finisce con un codone di stop"),
             ("#dna=" + LINKED + "&caselle=5gggg", "caselle del link non sono valide"),
             ("#dna=%3Cscript%3Ealert(1)%3C/script%3E" + "a" * 35, "lettere diverse"),
             ("#dna=" + "%" * 3000, "60 basi"), ("#caselle=3a", "caselle del link non sono valide")]


def decode_qr(png):
    found = subprocess.run(["zbarimg", "--quiet", "--raw", png], capture_output=True, text=True).stdout.strip()
    return found.splitlines()[0] if found else ""


def links(driver, url, out, tool):
    """The teacher's link on the panel: its boxes and its run as the desktop's; "Condividi" shows
    a QR code that a phone's browser opens to the same boxes; bad links start a random game and
    say why."""
    p = Page(driver, tool, out)
    on_screen(driver, 3840, 2160, 1, True)
    driver.get("about:blank")
    driver.get(url + "#dna=" + LINKED.upper() + "&caselle=5ggg.12ccc")
    s = p.wait("the linked game", lambda s: p.window(s, "zuvo") and s["widgets"]["zuvo/nt(4)"]["text"] == "ggg")
    codons = [LINKED[i:i + 3] for i in range(0, 60, 3)]
    expected = codons[:4] + ["ggg"] + codons[5:11] + ["ccc"] + codons[12:]
    boxes = [s["widgets"][f"zuvo/nt({i})"]["text"] for i in range(20)]
    check("a link starts the game on its strand with the teacher's boxes", boxes == expected, " ".join(boxes))
    p.start_reference()
    p.tell("strand " + LINKED)
    p.tell("set 4 ggg")
    p.tell("set 11 ccc")
    Touch(driver, None).tap(p.rect(s, "zuvo/CodProt"))
    p.tell("code")
    s = p.wait("the linked run", lambda s: s["widgets"]["zuvo/naame(0)"]["text"] == "Met")
    replaced = "|".join(s["widgets"][f"zuvo/OldAaName({i})"]["text"] for i in range(20))
    desktop = p.tell("replaced")[3:]
    check("the linked run replaces the same amino acids as the desktop's", replaced == desktop and replaced.strip("|"),
          f"page {replaced}, desktop {desktop}")
    # "Condividi": the link as it stands, and its QR code, large and readable from a photograph.
    driver.execute_script("document.getElementById('condividi').click()")
    end = time.monotonic() + 5
    while time.monotonic() < end and not driver.execute_script("return !!document.querySelector('#qr svg')"):
        time.sleep(0.05)
    shot = os.path.join(out, "share-panel-4k.png")
    driver.save_screenshot(shot)
    link = driver.execute_script("return document.getElementById('link').value")
    decoded = decode_qr(shot)
    height = driver.execute_script("return document.querySelector('#qr svg').getBoundingClientRect().height / innerHeight")
    check("the QR code is half the panel's height and holds the link of the strand and boxes",
          decoded == link and "#dna=" + LINKED + "&caselle=5ggg.12ccc" in link and height >= 0.5,
          f"decoded {decoded!r}, link {link!r}, height {height:.2f}")
    tree = ax(driver)
    check("the share panel is a dialog; its QR code is described by its link",
          ax_find(tree, "dialog", "Condividi questa sequenza") and any(link in (n["name"] or "") for n in ax_find(tree, "image")),
          str([n["name"] for n in ax_find(tree, "dialog")]))
    no_violations(driver, "the teacher's link and its QR code")
    p.keys(Keys.ESCAPE)
    check("Escape closes the panel", driver.execute_script("return document.getElementById('condivisione').hidden"))
    # A pupil's phone opens what the camera read.
    pupil = browser(780, 360)
    try:
        on_screen(pupil, 780, 360, 3, True)
        pupil.get(decoded or link)
        q = Page(pupil, None, out)
        s = q.wait("the pupil's game", lambda s: q.window(s, "zuvo") and s["widgets"]["zuvo/nt(4)"]["text"] == "ggg")
        check("the phone opens the scanned link to the same boxes",
              [s["widgets"][f"zuvo/nt({i})"]["text"] for i in range(20)] == expected)
        pupil.save_screenshot(os.path.join(out, "share-phone.png"))
    finally:
        pupil.quit()
    on_screen(driver, 1366, 768, 1, False)
    for fragment, words in BAD_LINKS:
        driver.get("about:blank")
        driver.get(url + fragment)
        s = p.wait("a game despite the link", lambda s: p.window(s, "zuvo") and s["widgets"]["zuvo/nt(19)"]["text"])
        said = driver.execute_script("const n = document.getElementById('collegamento'); "
                                     "return n.hidden ? '' : n.textContent.replace(/\\s+/g, ' ')")
        strand = "".join(s["widgets"][f"zuvo/nt({i})"]["text"] for i in range(20))
        check(f"bad link {fragment[:40]!r}: a random game, and the page says why", words in said
              and strand.startswith("tac") and strand[-3:] in STOP_TEMPLATES and len(strand) == 60
              and not driver.execute_script("return !!window.vintalemPwned"), said)
        driver.execute_script("document.getElementById('chiudiCollegamento').click()")
    check("the notice closes", driver.execute_script("return document.getElementById('collegamento').hidden"))


def finish():
    passed = sum(results)
    print(f"web: {passed} passed, {len(results) - passed} failed")
    return 0 if results and all(results) else 1


class Touch:
    """A touch-only tablet: taps are touch events, text comes as a soft keyboard sends it."""

    def __init__(self, driver, size=(1024, 768)):
        self.d = driver
        if size:
            on_screen(driver, *size, 1, True)

    def tap(self, rect, end=False):
        """At the middle, or at a text box's end, where the caret then goes."""
        x, y, w, h = rect
        point = {"x": x + w - 3 if end else x + w // 2, "y": y + h // 2}
        self.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [point]})
        self.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def commit(self, text):
        self.d.execute_cdp_cmd("Input.insertText", {"text": text})

    def compose(self, text):
        self.d.execute_cdp_cmd("Input.imeSetComposition", {"text": text, "selectionStart": len(text), "selectionEnd": len(text)})

    def backspace(self):
        for kind in ("rawKeyDown", "keyUp"):
            self.d.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": "Backspace", "code": "Backspace",
                                                              "windowsVirtualKeyCode": 8, "nativeVirtualKeyCode": 8})


BLURS = """
window.vintalemBlurs = 0;
document.addEventListener('focusout', () => setTimeout(() => {
  let a = document.activeElement;
  while (a && a.shadowRoot && a.shadowRoot.activeElement) a = a.shadowRoot.activeElement;
  if (!a || a.tagName !== 'INPUT') vintalemBlurs++;
}), true);"""


def tablet(page):
    p, t = page, Touch(page.d)
    p.d.refresh()
    p.wait("both windows", lambda s: p.window(s, "zuvo") and p.window(s, "Atab"))
    s = at_designed_size(p)
    p.size = vw, vh = p.d.execute_script("return [innerWidth, innerHeight]")
    check("the tablet's screen is 1024 x 768", [vw, vh] == [1024, 768], f"{vw}x{vh}")
    check("both windows fit the tablet's screen", all(x >= 0 and y >= 0 and x + w <= vw and y + h <= vh
          for x, y, w, h in (p.css(p.window(s, n)["frame"]) for n in ("zuvo", "Atab"))))
    codons = [s["widgets"][f"zuvo/nt({i})"]["text"] for i in range(20)]
    p.start_reference()
    p.tell("strand " + "".join(codons))
    box = lambda s, i: s["widgets"][f"zuvo/nt({i})"]["text"]
    t.tap(p.rect(s, "zuvo/nt(4)"), end=True)
    p.wait("the tap's focus", lambda s: s["focus"] == "nt(4)")
    focused = p.d.execute_script(FOCUSED)
    check("a tap in a codon box gives an editable element the focus", bool(focused and focused["editable"]), str(focused))
    p.d.execute_script(BLURS)
    for _ in range(3):
        t.backspace()
    s = p.wait("Backspace", lambda s: box(s, 4) == "")
    for letter in "bA":
        t.commit(letter)
    s = p.wait("the soft keyboard's letters", lambda s: box(s, 4) == "a", timeout=5)
    t.compose("xc")
    t.commit("xc")
    s = p.wait("a composition", lambda s: box(s, 4) == "ac", timeout=5)
    check("a soft keyboard's text goes through the box's rule (b refused, A lowered, x refused)", box(s, 4) == "ac")
    p.tell("set 4 ac")
    p.compare("tablet-incomplete", s, "zuvo")
    t.commit("gta")
    s = p.wait("at most three", lambda s: box(s, 4) == "acg", timeout=5)
    t.tap(p.rect(s, "zuvo/nt(5)"), end=True)
    s = p.wait("the next box", lambda s: s["focus"] == "nt(5)")
    check("the soft keyboard stays up from box to box", p.d.execute_script("return vintalemBlurs") == 0
          and p.d.execute_script(FOCUSED)["editable"])
    t.tap(p.rect(s, "zuvo/nt(4)"), end=True)
    s = p.wait("back", lambda s: s["focus"] == "nt(4)")
    for _ in range(3):
        t.backspace()
    t.commit(codons[4])
    s = p.wait("the codon back", lambda s: box(s, 4) == codons[4], timeout=5)
    p.tell(f"set 4 {codons[4]}")
    t.tap(p.rect(s, "zuvo/CodProt"))
    p.tell("code")
    s = p.wait("a tap's run", lambda s: s["widgets"]["zuvo/naame(0)"]["text"] == "Met" or p.window(s, "box"))
    if p.window(s, "box"):
        t.tap(p.css(next(w["rect"] for k, w in s["widgets"].items() if k.startswith("/button:"))))
        p.tell("close")
        s = p.wait("the run finished", lambda s: not p.window(s, "box") and s["widgets"]["zuvo/naame(0)"]["text"] == "Met")
    check("a tap on the button runs the code", s["widgets"]["zuvo/naame(0)"]["text"] == "Met")
    p.compare("tablet-coded", s, "zuvo")
    t.tap(p.rect(s, "zuvo/AA(1)"))
    p.tell("lookup 1")
    s = p.wait("a tap's look-up", lambda s: s["widgets"].get("Atab/AaList", {}).get("text"))
    check("a tap on a glyph looks its amino acid up", s["widgets"]["Atab/AaList"]["text"] != "")
    p.compare("tablet-look-up", s, "Atab")
    no_violations(p.d, "the tablet's game")


def main():
    a = argparse.ArgumentParser()
    a.add_argument("folder")
    a.add_argument("reference")
    a.add_argument("out")
    a.add_argument("--width", type=int, default=1366)
    a.add_argument("--height", type=int, default=768)
    a.add_argument("--measure", action="store_true", help="also the load, the size, offline use and an update")
    a.add_argument("--no-webgl", action="store_true")
    a.add_argument("--tablet", action="store_true", help="a touch-only game instead of the whole one")
    a.add_argument("--screens", action="store_true", help="a light pass on each screen instead of a game")
    a.add_argument("--links", action="store_true", help="the teacher's link and QR code instead of a game")
    args = a.parse_args()
    os.makedirs(args.out, exist_ok=True)
    server = serve(args.folder)
    port = server.server_address[1]
    url = f"http://127.0.0.1:{port}/index.html"
    driver = browser(args.width, args.height, webgl=not args.no_webgl)
    page = None
    try:
        if args.measure:
            measure(driver, url, args.folder)
        driver.get(url)
        page = Page(driver, args.reference, args.out)
        if args.no_webgl:
            check("no WebGL in this browser", driver.execute_script(
                "const c = document.createElement('canvas'); return !c.getContext('webgl') && !c.getContext('webgl2')"))
        if args.screens:
            screens(driver, url, args.out)
        elif args.links:
            links(driver, url, args.out, args.reference)
        elif args.tablet:
            tablet(page)
        else:
            play(page, args.width, args.height)
        if args.measure:
            a = offline(driver, url, args.folder, args.out)
            server.shutdown()
            server.server_close()
            driver.refresh()
            play_offline(Page(driver, None, args.out))
            b_folder, b = update(driver, url, args.folder, a)
            server = serve(b_folder, port)
            driver.get(url)
            Page(driver, None, args.out).wait("build B", lambda s: s["windows"])
            end = time.monotonic() + 20
            while time.monotonic() < end and list(cache_holds(driver)) != ["vintalem-" + b]:
                time.sleep(0.1)
            urls = driver.execute_script("return performance.getEntriesByType('resource').map(e => e.name)")
            check("a new build replaces the old: its code runs, the old cache is gone, no old file served",
                  driver.execute_script("return window.vintalemBuildMark === 'B' && BUILD") == b
                  and list(cache_holds(driver)) == ["vintalem-" + b]
                  and all("build=" + a not in u for u in urls), json.dumps([list(cache_holds(driver)), urls])[:800])
    finally:
        driver.quit()
        if page and page.ref:
            page.ref.stdin.close()
            page.ref.wait(timeout=10)
        server.shutdown()
    return finish()


if __name__ == "__main__":
    sys.exit(main())
