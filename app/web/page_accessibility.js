// The page's elements for the game's accessible objects: one element per object, inside its
// window's accessibility container (behind the canvas, transparent, placed over what it stands
// for), made, updated and removed as the game changes. The keyboard stays the game's: keys on
// these elements reach the window's own handlers, and text typed or composed into a codon box's
// element goes through the same input path as Qt's hidden input, so through the box's own rule.
addToLibrary({
  vintalem_a11y_apply__deps: ['$UTF8ToString'],
  vintalem_a11y_apply: (json) => {
    const mirror = Module.vintalemMirror ??= (() => {
      const nodes = new Map();   // id -> element
      const notes = new Map();   // window id -> {element, text}
      let focusId = 0, scale = 1, focused = null, focusedTop = null, programmatic = false, retries = 0, watching = null;
      const shadow = () => document.querySelector('#qt-shadow-container')?.shadowRoot;
      const deepActive = () => {
        let a = document.activeElement;
        while (a && a.shadowRoot && a.shadowRoot.activeElement) a = a.shadowRoot.activeElement;
        return a;
      };
      const attr = (el, name, value) => {
        if (value === undefined || value === null || value === false) {
          if (el.hasAttribute(name)) el.removeAttribute(name);
        } else if (el.getAttribute(name) !== String(value)) {
          el.setAttribute(name, String(value));
        }
      };
      // Qt's hidden input carries a soft keyboard's text; its focus goes to the element of the
      // game's focused object instead, and it leaves the page's tab order and tree.
      const qtInput = [...document.body.children].find((e) => e.tagName === 'INPUT' && e['data-qinputcontext'] !== undefined);
      if (qtInput) {
        qtInput.setAttribute('aria-hidden', 'true');
        qtInput.tabIndex = -1;
        const focusOwn = HTMLElement.prototype.focus, blurOwn = HTMLElement.prototype.blur;
        qtInput.focus = function () {
          Module.vintalemA11ySync();
          if (!nodes.get(focusId)) focusOwn.call(qtInput, {preventScroll: true});
        };
        qtInput.blur = function () {
          const el = nodes.get(focusId);
          if (el && deepActive() === el) el.blur(); else blurOwn.call(qtInput);
        };
      }
      // An element a screen reader knows and the screen never shows.
      const unseen = (box, role) => {
        const element = document.createElement('div');
        if (role) element.setAttribute('role', role);
        Object.assign(element.style, {position: 'absolute', width: '1px', height: '1px', overflow: 'hidden',
                                      clipPath: 'inset(50%)'});
        return box.appendChild(element);
      };
      const stepBeside = (top) => top.parentElement.querySelector(':scope > .vintalem-step') ??
          Object.assign(unseen(top.parentElement), {className: 'vintalem-step'});
      const typed = (el) => {
        // Physical keys go to the game as keys; what one leaves behind (a key the box refused)
        // must not arrive a second time as typed text.
        let key = null;
        el.addEventListener('keydown', (e) => {
          if (e.isComposing || e.key === 'Unidentified' || e.key === 'Process') { e.stopPropagation(); return; }
          key = e.key;
        });
        el.addEventListener('keyup', () => { key = null; });
        el.addEventListener('beforeinput', (e) => {
          if (!e.isComposing && e.inputType === 'insertText' && key !== null && e.data === key) e.preventDefault();
        });
        el['data-qinputcontext'] = qtInput?.['data-qinputcontext'];
        // After the game has taken or refused the text, the element shows the box again.
        el.addEventListener('input', (e) => {
          Module.qtInputCallback(e);
          if (!el.vintalemComposing) Module.vintalemA11ySync();
        });
        el.addEventListener('compositionstart', (e) => {
          el.vintalemComposing = true;
          Module.qtCompositionStartCallback(e);
        });
        el.addEventListener('compositionupdate', (e) => Module.qtCompositionUpdateCallback(e));
        el.addEventListener('compositionend', (e) => {
          el.vintalemComposing = false;
          Module.qtCompositionEndCallback(e);
          Module.vintalemA11ySync();
        });
        for (const name of ['autocomplete', 'autocorrect', 'autocapitalize']) el.setAttribute(name, 'off');
        el.spellcheck = false;
      };
      const make = (n, tag) => {
        const el = document.createElement(tag);
        el.id = 'vintalem-a11y-' + n.id;
        Object.assign(el.style, {position: 'absolute', margin: '0', padding: '0', border: '0', opacity: '0',
                                 pointerEvents: 'none', overflow: 'hidden', boxSizing: 'border-box',
                                 font: '1px sans-serif', resize: 'none'});
        if (tag !== 'div') typed(el);
        el.vintalemPress = (e) => { e.preventDefault(); Module.vintalemA11yPress(n.id); };
        el.addEventListener('focus', () => { if (!programmatic) Module.vintalemA11yFocus(n.id); });
        return el;
      };
      const interactive = new Set(['button', 'checkbox', 'textbox', 'listbox', 'option', 'menuitem', 'menubar']);
      const place = (n, parent, index, origin, seen) => {
        const tag = n.role === 'textbox' ? (n.multiline ? 'textarea' : 'input') : 'div';
        let el = nodes.get(n.id);
        if (!el || el.tagName.toLowerCase() !== tag) {
          el?.remove();
          el = make(n, tag);
          nodes.set(n.id, el);
        }
        seen.add(n.id);
        const text = n.role === 'text';
        attr(el, 'role', text || n.role === 'textbox' ? null : n.role);
        attr(el, 'aria-label', text ? null : n.name);
        attr(el, 'aria-description', n.description);
        attr(el, 'aria-disabled', n.disabled && 'true');
        attr(el, 'aria-selected', n.role === 'option' ? String(!!n.selected) : null);
        attr(el, 'aria-checked', n.role === 'checkbox' ? String(!!n.checked) : null);
        attr(el, 'aria-modal', (n.role === 'dialog' || n.role === 'alertdialog') && 'true');
        // A dialog is described by its texts, as the desktop's reader reads a dialog's labels.
        if (n.role === 'dialog') {
          const texts = [];
          const walk = (c) => { if (c.role === 'text') texts.push('vintalem-a11y-' + c.id); (c.children ?? []).forEach(walk); };
          walk(n);
          attr(el, 'aria-describedby', texts.join(' ') || null);
        }
        if (interactive.has(n.role)) attr(el, 'tabindex', '-1');
        // Only what can be pressed listens for a click: a screen reader calls the rest "clickable".
        const press = interactive.has(n.role) ? el.vintalemPress : null;
        if (el.onclick !== press) el.onclick = press;
        if (text && el.textContent !== n.name) el.textContent = n.name;
        if (tag !== 'div') {
          el.readOnly = !!n.readonly;
          attr(el, 'aria-readonly', n.readonly && 'true');
          attr(el, 'aria-multiline', n.multiline && 'true');
          // Never while a composition is open: that would cut it short.
          if (!el.vintalemComposing) {
            if (el.value !== n.value) el.value = n.value ?? '';
            if (n.caret !== undefined && (el.selectionStart !== n.caret || el.selectionEnd !== n.caret))
              el.setSelectionRange(n.caret, n.caret);
          }
        }
        const [x, y, w, h] = n.rect;
        // The game's logical pixels, drawn at its scale.
        const px = (v) => v * scale + 'px';
        Object.assign(el.style, {left: px(x - origin[0]), top: px(y - origin[1]), width: px(w), height: px(h)});
        if (parent.children[index] !== el) parent.insertBefore(el, parent.children[index] ?? null);
        (n.children ?? []).forEach((c, i) => place(c, el, i, n.rect, seen));
      };
      return {
        apply(state) {
          const root = shadow();
          const seen = new Set();
          scale = state.scale ?? 1;
          // Qt gives a window's canvas the focus when it shows the window: the page's focus
          // goes back to the element of the game's focused object.
          if (root && watching !== root) {
            watching = root;
            root.addEventListener('focusin', (e) => {
              const el = nodes.get(focusId);
              if (e.target.tagName === 'CANVAS' && el?.isConnected && !el.closest('[inert]')) el.focus({preventScroll: true});
            }, true);
          }
          for (const w of state.windows) {
            const box = root?.getElementById('qt-window-' + w.win)?.querySelector('.qt-window-a11y-container');
            if (!box) continue;
            // Qt's own opt-in button, in English, is not wanted: this layer is always on.
            // Each write only where it changes something: a browser rebuilds what an attribute
            // write touches, and a screen reader hears a rebuilt alert again.
            for (const b of box.querySelectorAll(':scope > button')) if (!b.hidden) b.hidden = true;
            // The window's region carries its caption; the title bar's picture buttons say nothing.
            const bar = box.closest('.qt-window')?.querySelector('.title-bar');
            if (bar) attr(bar, 'aria-hidden', 'true');
            if (box.inert !== !!w.blocked) box.inert = !!w.blocked;
            place(w.root, box, 0, w.client, seen);
            // The note, announced once as it appears.
            let note = notes.get(w.win);
            if (!note || !note.element.isConnected) {
              const element = unseen(box, 'status');
              element.setAttribute('aria-live', 'polite');
              notes.set(w.win, note = {element, text: ''});
            }
            if (note.text !== w.note) {
              note.text = w.note;
              note.element.textContent = w.note;
            }
          }
          for (const [id, el] of nodes)
            if (!seen.has(id)) { el.remove(); nodes.delete(id); }
          for (const [win, note] of notes)
            if (!note.element.isConnected) notes.delete(win);
          focusId = state.focus;
          const el = nodes.get(state.focus);
          // Until the game has a new focus, the last one is kept, to tell whether it went.
          if (!el) return;
          if (focused && focused !== el) attr(focused, 'aria-activedescendant', null);
          // The element that had the focus went with its window (a menu that closed): a screen
          // reader then says nothing of the next focus unless it first meets that one's window.
          // A dialog just come is met first too, so that it is announced as one.
          const lost = focused && focused !== el && (!focused.isConnected || !focused.getClientRects().length);
          const top = el.closest('.qt-window-a11y-container')?.children[0];
          const came = top && top !== focusedTop && /dialog/.test(top.getAttribute('role') ?? '');
          focused = el;
          focusedTop = top;
          if ((lost || came) && top && top !== el) {
            // A region is met itself. A dialog or a message box is met from a silent element beside
            // it, as the ancestor of its control: so it is announced as the desktop announces it,
            // by its caption, its role and its text (a focused dialog would be read as text alone).
            const step = came ? stepBeside(top) : top;
            step.tabIndex = -1;
            programmatic = true;
            step.focus({preventScroll: true});
            programmatic = false;
            // Long enough for the browser, and a screen reader that is behind, to tell the two apart.
            setTimeout(() => Module.vintalemA11ySync(), 400);
            return;
          }
          if (el === top) el.tabIndex = -1;
          attr(el, 'aria-activedescendant', state.active && nodes.has(state.active) ? 'vintalem-a11y-' + state.active : null);
          if (deepActive() !== el) {
            programmatic = true;
            el.focus({preventScroll: true});
            programmatic = false;
            // Zoomed past the screen, the page scrolls to the control with the keyboard.
            window.vintalemKeepInView?.(el);
          }
          // Not yet focusable (its window still blocked while a message box goes): a few frames later.
          if (deepActive() === el) retries = 0;
          else if (retries++ < 30) requestAnimationFrame(() => Module.vintalemA11ySync());
        },
      };
    })();
    mirror.apply(JSON.parse(UTF8ToString(json)));
  },
});
