// The page's own code: the loader, the game's fit and zoom, the page's bar and panels. A file of
// its own, so that the page's policy allows no inline script.
"use strict";
const BUILD = "@BUILD@";
for (const button of document.querySelectorAll("button.ricarica")) button.onclick = () => location.reload();
const screenElement = document.getElementById("schermo");
// One notice at a time over the game; null shows none.
function notice(id) {
  for (const other of ["caricamento", "fine", "errore"])
    document.getElementById(other).hidden = other !== id;
}
function failed(text) {
  document.getElementById("testoErrore").textContent = "Il browser non riesce ad avviare il gioco (" + text + ").";
  screenElement.hidden = true;
  notice("errore");
}

// Called by the program once its screen is in the page, with the faces it draws with: the
// windows' title bars, which the page draws, use them too.
window.vintalemScreenReady = (regular, bold) => {
  for (const [bytes, weight] of [[regular, "400"], [bold, "700"]]) {
    if (!bytes.length) continue;
    const face = new FontFace("Vintalem Sans", bytes, { weight });
    document.fonts.add(face);
    face.load().catch(() => {});
  }
  for (const host of document.querySelectorAll("#qt-shadow-container")) {
    const style = document.createElement("style");
    // Flat frames, as on the desktop: a shadow would fall on the windows beside.
    style.textContent = ".title-bar .window-name { font: bold 13px 'Vintalem Sans', 'Liberation Sans', Arial, sans-serif; }" +
      ".qt-window.has-shadow { box-shadow: none; } .qt-window.has-border { outline: 1px solid #808080; }" +
      // The title bars grow with the windows (the page draws them, not Qt).
      ".title-bar { height: calc(18px * var(--scala, 1)); padding-bottom: calc(4px * var(--scala, 1)); }" +
      ".title-bar .window-name { font-size: calc(13px * var(--scala, 1)); }" +
      ".title-bar .image-button { width: calc(18px * var(--scala, 1)); height: calc(18px * var(--scala, 1)); }" +
      ".title-bar .image-button img { width: calc(10px * var(--scala, 1)); height: calc(10px * var(--scala, 1));" +
      " background-size: 100% 100%; }";
    host.shadowRoot.appendChild(style);
  }
};

// The game's scale. The program fits it to the room, before its first window and whenever the
// room changes; the player zooms from there (the bar, Ctrl with + − 0 or the wheel, two
// fingers), and the room scrolls to whatever the windows then cover.
const vista = document.getElementById("vista");
const game = () => window.vintalemModule && window.vintalemModule.vintalemRefit ? window.vintalemModule : null;
let scene = [0, 0];
// Scroll bars come and go with the zoom: they do not change the room.
window.vintalemRoom = () => [vista.offsetWidth, vista.offsetHeight, devicePixelRatio];
window.vintalemScaling = (scale) => document.documentElement.style.setProperty("--scala", String(scale));
window.vintalemScene = (scale, zoom, width, height) => {
  scene = [width, height];
  const over = width > vista.offsetWidth + 1 || height > vista.offsetHeight + 1;
  vista.classList.toggle("scorre", over);
  screenElement.style.width = over ? Math.max(width, vista.clientWidth) + "px" : "";
  screenElement.style.height = over ? Math.max(height, vista.clientHeight) + "px" : "";
  document.getElementById("livello").textContent = Math.round(zoom * 100) + "%";
};
window.vintalemKeepInView = (element) => {
  if (!vista.classList.contains("scorre")) return;
  const r = element.getBoundingClientRect(), v = vista.getBoundingClientRect(), margin = 16;
  const dx = r.left < v.left ? r.left - v.left - margin : r.right > v.left + vista.clientWidth ? r.right - v.left - vista.clientWidth + margin : 0;
  const dy = r.top < v.top ? r.top - v.top - margin : r.bottom > v.top + vista.clientHeight ? r.bottom - v.top - vista.clientHeight + margin : 0;
  if (dx || dy) vista.scrollBy(dx, dy);
};
// A zoom keeps the point at (x, y) of the room where it was; by default the room's middle.
function zoomed(change, x = vista.clientWidth / 2, y = vista.clientHeight / 2) {
  const g = game();
  if (!g) return;
  const before = g.vintalemScale(), left = vista.scrollLeft + x, top = vista.scrollTop + y;
  change(g);
  const k = g.vintalemScale() / before;
  vista.scrollTo(left * k - x, top * k - y);
  const focused = document.querySelector("#qt-shadow-container")?.shadowRoot?.activeElement;
  if (focused) window.vintalemKeepInView(focused);
}
const zoomBy = (steps, x, y) => zoomed((g) => g.vintalemZoomBy(steps), x, y);
document.getElementById("ingrandisci").onclick = () => zoomBy(1);
document.getElementById("riduci").onclick = () => zoomBy(-1);
document.getElementById("adatta").onclick = () => zoomed((g) => g.vintalemZoomTo(1));
// Ctrl with + − 0 zoom the game, not the browser, wherever the keyboard is.
addEventListener("keydown", (e) => {
  if (!e.ctrlKey || e.altKey || e.metaKey) return;
  const steps = { "+": 1, "=": 1, "-": -1, "_": -1, "0": 0 }[e.key];
  if (steps === undefined) return;
  e.preventDefault();
  e.stopPropagation();
  if (steps) zoomBy(steps); else zoomed((g) => g.vintalemZoomTo(1));
}, true);
// F6 goes from the game to the page's bar and back, as it goes between a browser's panes: the
// game keeps Tab for its own controls.
addEventListener("keydown", (e) => {
  if (e.key !== "F6" || e.ctrlKey || e.altKey || e.metaKey || e.shiftKey) return;
  const bar = document.getElementById("barra");
  if (bar.inert) return;
  e.preventDefault();
  e.stopPropagation();
  if (bar.contains(document.activeElement)) window.vintalemModule?.vintalemA11ySync?.();
  else bar.querySelector("button:not([hidden])").focus();
}, true);
// Ctrl+wheel (and a touchpad's pinch) zooms; zoomed past the room, the wheel scrolls it.
let wheel = 0;
vista.addEventListener("wheel", (e) => {
  if (e.ctrlKey) {
    e.preventDefault();
    e.stopPropagation();
    wheel -= e.deltaMode === 0 ? e.deltaY : e.deltaY * 40;
    const steps = Math.trunc(wheel / 100);
    wheel -= steps * 100;
    const v = vista.getBoundingClientRect();
    if (steps) zoomBy(Math.sign(steps) * Math.min(Math.abs(steps), 3), e.clientX - v.left, e.clientY - v.top);
  } else if (vista.classList.contains("scorre")) {
    e.preventDefault();
    e.stopPropagation();
    const line = e.deltaMode === 1 ? 40 : e.deltaMode === 2 ? vista.clientHeight : 1;
    vista.scrollBy(e.deltaX * line, e.deltaY * line);
  }
}, { capture: true, passive: false });
// Two fingers zoom as they spread or pinch and move the room as they go; the game is drawn
// anew at each size. The first finger's touch is taken back from the game when the second comes.
const touches = new Map();
let pinch = null;
const spread = () => { const [a, b] = [...touches.values()]; return Math.hypot(a.x - b.x, a.y - b.y); };
const middle = () => { const [a, b] = [...touches.values()]; const v = vista.getBoundingClientRect();
                       return [(a.x + b.x) / 2 - v.left, (a.y + b.y) / 2 - v.top]; };
vista.addEventListener("pointerdown", (e) => {
  if (e.pointerType !== "touch") return;
  touches.set(e.pointerId, { x: e.clientX, y: e.clientY, target: e.target });
  if (touches.size === 2 && game()) {
    const [first] = touches.entries().next().value;
    const target = touches.get(first).target;
    target.dispatchEvent(new PointerEvent("pointercancel", { pointerId: first, pointerType: "touch",
                                                             isPrimary: true, bubbles: true, composed: true }));
    const [x, y] = middle();
    pinch = { spread: spread(), zoom: game().vintalemZoom(), x, y, frame: 0 };
  }
  if (pinch) { e.preventDefault(); e.stopPropagation(); }
}, true);
vista.addEventListener("pointermove", (e) => {
  if (!touches.has(e.pointerId)) return;
  touches.set(e.pointerId, { ...touches.get(e.pointerId), x: e.clientX, y: e.clientY });
  if (!pinch) return;
  e.preventDefault();
  e.stopPropagation();
  if (pinch.frame || touches.size < 2) return;
  pinch.frame = requestAnimationFrame(() => {
    if (!pinch) return;
    pinch.frame = 0;
    const [x, y] = middle();
    const zoom = pinch.zoom * spread() / pinch.spread;
    zoomed((g) => g.vintalemZoomTo(zoom), pinch.x, pinch.y);
    vista.scrollBy(pinch.x - x, pinch.y - y);
    pinch.x = x;
    pinch.y = y;
  });
}, true);
const lifted = (e) => {
  if (!touches.delete(e.pointerId) || !pinch) return;
  e.preventDefault();
  e.stopPropagation();
  if (!touches.size) pinch = null;
};
vista.addEventListener("pointerup", lifted, true);
vista.addEventListener("pointercancel", (e) => { if (e.isTrusted) lifted(e); }, true);

// The page's panels hold the keyboard while they are open; the game waits beneath.
let opener = null;
function openPanel(panel, focus) {
  opener = document.activeElement;
  for (const id of ["vista", "barra"]) document.getElementById(id).inert = true;
  panel.hidden = false;
  focus.focus();
}
function closePanel(panel) {
  if (panel.hidden) return;
  panel.hidden = true;
  for (const id of ["vista", "barra"]) document.getElementById(id).inert = false;
  if (opener && opener.isConnected && opener !== document.body) opener.focus();
  else window.vintalemModule?.vintalemA11ySync?.();
}
for (const [panelId, closeId] of [["condivisione", "chiudiCondivisione"], ["collegamento", "chiudiCollegamento"]]) {
  const panel = document.getElementById(panelId);
  document.getElementById(closeId).onclick = () => closePanel(panel);
  panel.addEventListener("click", (e) => { if (e.target === panel) closePanel(panel); });
  panel.addEventListener("keydown", (e) => { if (e.key === "Escape") { e.preventDefault(); closePanel(panel); } });
}
// A teacher's link that could not be followed: the game starts as usual and the page says why.
window.vintalemLinkProblem = (text) => {
  document.getElementById("testoCollegamento").textContent = text;
  const panel = document.getElementById("collegamento");
  openPanel(panel, document.getElementById("chiudiCollegamento"));
};
// The strand and the boxes as they stand, as a link made from the page's own address and as
// a QR code a class can scan from the wall; nothing is sent anywhere.
let qrLibrary = null;
document.getElementById("condividi").onclick = async () => {
  const game = window.vintalemModule;
  if (!game || !game.vintalemShareLink) return;
  const fragment = game.vintalemShareLink();
  if (!fragment) return;
  const link = location.href.split("#")[0] + "#" + fragment;
  const params = new URLSearchParams(fragment);
  const strand = params.get("dna") || "";
  const changed = (params.get("caselle") || "").split(".").filter(Boolean)
    .map((item) => item.replace(/^(\d+)(.*)$/, (all, n, bases) => n + ": " + (bases || "vuota")));
  document.getElementById("filamento").textContent = "DNA: " + strand.match(/.{3}/g).join(" ") +
    (changed.length ? " — caselle cambiate: " + changed.join(", ") : "");
  document.getElementById("link").value = link;
  document.getElementById("copiato").textContent = "";
  const box = document.getElementById("qr");
  box.replaceChildren();
  box.setAttribute("aria-label", "Codice QR del link " + link);
  try {
    qrLibrary ??= script("qrcode.js");
    await qrLibrary;
    const code = qrcode(0, "L");
    code.addData(link);
    code.make();
    const n = code.getModuleCount(), quiet = 4, svgNs = "http://www.w3.org/2000/svg";
    const svg = document.createElementNS(svgNs, "svg");
    svg.setAttribute("viewBox", `0 0 ${n + 2 * quiet} ${n + 2 * quiet}`);
    svg.setAttribute("shape-rendering", "crispEdges");
    svg.setAttribute("aria-hidden", "true");
    let d = "";
    for (let r = 0; r < n; r++)
      for (let c = 0; c < n; c++)
        if (code.isDark(r, c)) d += `M${c + quiet} ${r + quiet}h1v1h-1z`;
    const ground = document.createElementNS(svgNs, "rect");
    Object.entries({ width: n + 2 * quiet, height: n + 2 * quiet, fill: "#fff" }).forEach(([k, v]) => ground.setAttribute(k, v));
    const dark = document.createElementNS(svgNs, "path");
    dark.setAttribute("d", d);
    dark.setAttribute("fill", "#000");
    svg.append(ground, dark);
    box.append(svg);
  } catch (e) {
    box.textContent = "Il codice QR non è disponibile: usa il link.";
  }
  openPanel(document.getElementById("condivisione"), document.getElementById("copia"));
};
document.getElementById("copia").onclick = async () => {
  const field = document.getElementById("link"), said = document.getElementById("copiato");
  try {
    await navigator.clipboard.writeText(field.value);
  } catch (e) {
    field.select();
    if (!document.execCommand("copy")) { said.textContent = "Seleziona il link e copialo."; return; }
  }
  said.textContent = "Link copiato.";
};

// Upright, a phone has no room for the main window: it asks to be turned, over the game.
function upright() {
  const turn = vista.offsetWidth < 560 && innerHeight > innerWidth;
  const notice = document.getElementById("gira");
  if (notice.hidden === turn) notice.hidden = !turn;
}
// Full screen: the panel's browser otherwise keeps its bars.
const whole = document.getElementById("schermoIntero");
if (!document.fullscreenEnabled) whole.hidden = true;
whole.onclick = () => {
  const done = document.fullscreenElement ? document.exitFullscreen() : document.documentElement.requestFullscreen();
  done.catch(() => {});
};
document.addEventListener("fullscreenchange", () => {
  const on = !!document.fullscreenElement;
  whole.setAttribute("aria-pressed", String(on));
  whole.setAttribute("aria-label", on ? "Esci dallo schermo intero" : "Schermo intero");
  whole.title = on ? "Esci dallo schermo intero (F11)" : "Schermo intero (F11)";
});
// The room changes: resized, turned, full screen, another monitor or the browser's zoom.
let refitting = 0;
function refit() {
  upright();
  if (refitting) return;
  refitting = requestAnimationFrame(() => {
    refitting = 0;
    game()?.vintalemRefit();
  });
}
function densityWatch() {
  matchMedia("(resolution: " + devicePixelRatio + "dppx)").addEventListener("change", () => { refit(); densityWatch(); }, { once: true });
}
upright();

// Called by the program when its last window has gone.
window.vintalemGameOver = () => { screenElement.hidden = true; notice("fine"); };

// Where the page is served securely (HTTPS, localhost), its worker keeps it for offline use.
// On the first visit, and on the first of a new build, the code is fetched only once this
// build's worker has taken over, so that it is kept as it arrives.
async function worker() {
  if (!("serviceWorker" in navigator)) return;
  try {
    const mine = (w) => w && w.scriptURL.endsWith("sw.js?build=" + BUILD);
    const taken = new Promise((resolve) => navigator.serviceWorker.addEventListener("controllerchange", resolve));
    const registered = navigator.serviceWorker.register("sw.js?build=" + BUILD);
    // A later visit of the same build: its worker already serves the page, so nothing waits.
    if (mine(navigator.serviceWorker.controller)) {
      registered.catch((e) => console.warn("Vintalem:", e));
      return;
    }
    await registered;
    if (mine(navigator.serviceWorker.controller)) return;
    await Promise.race([taken, new Promise((resolve) => setTimeout(resolve, 5000))]);
  } catch (e) {
    console.warn("Vintalem: la pagina non resterà disponibile senza rete:", e);
  }
}

// The code, compiled as it arrives and counted on a copy for the bar (the bar's maximum is its
// size as built; a compressed response arrives decompressed, so the count is of the same
// bytes). Compiled as it streams from its own address, it is also kept compiled by the browser
// for the next visit. A host that does not send it as application/wasm gets it compiled whole.
async function code() {
  const bar = document.getElementById("avanzamento");
  const response = await fetch("vintalem.wasm?build=" + BUILD);
  if (!response.ok) throw new Error("vintalem.wasm: " + response.status);
  const streams = (response.headers.get("Content-Type") || "").startsWith("application/wasm");
  const counted = streams ? response.clone() : response;
  const parts = [];
  const reader = counted.body.getReader();
  const module = streams ? WebAssembly.compileStreaming(response) : null;
  let received = 0;
  for (;;) {
    const { done, value } = await reader.read();
    if (done) break;
    if (!streams) parts.push(value);
    received += value.length;
    bar.value = received;
  }
  document.getElementById("stato").textContent = "Preparazione del gioco…";
  performance.mark("vintalem-downloaded");
  if (module) return module.then((compiled) => { performance.mark("vintalem-compiled"); return compiled; });
  const bytes = new Uint8Array(received);
  let at = 0;
  for (const part of parts) { bytes.set(part, at); at += part.length; }
  return WebAssembly.compile(bytes).then((compiled) => { performance.mark("vintalem-compiled"); return compiled; });
}

function script(src) {
  return new Promise((resolve, reject) => {
    const element = document.createElement("script");
    element.src = src + "?build=" + BUILD;
    element.onload = resolve;
    element.onerror = () => reject(new Error(src));
    document.body.appendChild(element);
  });
}

async function start() {
  try {
    await worker();
    document.getElementById("stato").textContent = "Scaricamento del gioco…";
    const module = code();
    await Promise.all([script("vintalem.js"), script("qtloader.js")]);
    // The emscripten module object: the test driver reads the game through it.
    window.vintalemModule = {
      qt: {
        entryFunction: window.vintalem_entry,
        containerElements: [screenElement],
        module,
        localFonts: { familiesCollection: "NoFontFamilies" },
        onLoaded: () => {
          // Where a load's time goes, for the browser test's profile.
          performance.mark("vintalem-started");
          notice(null);
          new ResizeObserver(refit).observe(vista, { box: "border-box" });
          densityWatch();
        },
        onExit: (exit) => { if (exit.crashed) failed(exit.text || "errore interno"); },
      },
    };
    await qtLoad(window.vintalemModule);
  } catch (e) {
    failed(e && e.message ? e.message : String(e));
  }
}
start();
