// The game's windows in the page. Every rule lives in the compiled game;
// this file builds panels from the game's layout tables, hands the player's
// actions to the game, runs its clock by the desktop driver's rules and
// redraws a panel when its screen has changed.
"use strict";

(function () {
  const desk = document.getElementById("desk");
  const pointPixels = (points) => Math.round((points * 96) / 72);
  const pictureUrl = (name) => `${name}.svg`;

  // Test and bug-report hooks: the game, when the splash was first shown.
  const page = (window.mironeka = { ready: false, splashShownAt: null });

  createMironeka().then((M) => {
    const game = new M.Game();
    const started = performance.now();
    const now = () => performance.now() - started;
    const panels = new Map(); // form number -> panel record
    let front = 0; // stacking order of the panels
    let messageBox = null;
    let timer = null;
    let armedFor = null;
    let endShown = false;

    // --- The clock: one tick per turn of the event loop -------------------

    const kClamped = 5; // waits shorter than this would be stretched by the browser
    const turns = new MessageChannel();
    turns.port1.onmessage = () => {
      if (timer === "posted") advance();
    };

    function arm() {
      const deadline = game.nextDeadline();
      if (deadline < 0) {
        if (timer !== "posted") clearTimeout(timer);
        timer = null;
        return;
      }
      if (timer !== null && armedFor === deadline) return; // already waiting for it
      if (timer !== "posted") clearTimeout(timer);
      const wait = Math.min(Math.max(Math.ceil(deadline - now()), 0), 2 ** 30);
      armedFor = deadline;
      if (wait < kClamped) {
        // Browsers hold nested timeouts to 4 ms or more: a chain of short
        // steps waits for a posted message instead, still one task a turn.
        timer = "posted";
        turns.port2.postMessage(null);
      } else {
        timer = setTimeout(advance, wait);
      }
    }

    function advance() {
      timer = null;
      if (game.deliverNext(now())) sync();
      arm();
    }

    // A player action: the clock moves to now, then the game acts.
    function act(kind, form, widget = "", text = "") {
      const done = game.act(kind, form, widget, text, now());
      sync();
      arm();
      return done;
    }

    // --- Building a panel from its layout ----------------------------------

    function build(form) {
      const layout = M.layout(form);
      const panel = document.createElement("section");
      panel.id = layout.form;
      panel.className = "panel";
      panel.setAttribute("aria-label", layout.caption || M.title());
      const client = document.createElement("div");
      client.className = "client";
      client.style.width = `${layout.width}px`;
      client.style.height = `${layout.height}px`;
      client.style.background = layout.back || "";
      if (layout.frame !== "none") {
        panel.classList.add("framed");
        panel.appendChild(titleBar(form, layout));
      }
      panel.appendChild(client);

      const record = { form, layout, panel, client, widgets: new Map(), grid: [], revision: -1,
                       shown: 0, lastFocus: null };
      for (const entry of layout.widgets) {
        const el = widget(record, entry);
        el.id = `${layout.form}-${entry.name}`;
        if (!entry.exposed) el.setAttribute("aria-hidden", "true");
        Object.assign(el.style, {
          left: `${entry.left}px`, top: `${entry.top}px`,
          width: `${entry.width}px`, height: `${entry.height}px`,
        });
        client.appendChild(el);
        record.widgets.set(entry.name, { entry, el });
      }
      record.grid = layout.grid.map((name) => record.widgets.get(name).el);
      record.grid.forEach((el, i) => { el.tabIndex = i === 0 ? 0 : -1; });
      record.stops = tabStops(record);

      if (layout.tracksPointer) {
        client.addEventListener("mousemove", (e) => {
          if (e.target === client) act("move", form);
        });
      }
      panel.addEventListener("mousedown", () => activate(record, false));
      panel.addEventListener("focusin", (e) => {
        record.lastFocus = e.target;
        if (!panel.classList.contains("active")) activate(record, false);
      });
      panel.addEventListener("keydown", (e) => keyDown(record, e));
      desk.appendChild(panel);
      return record;
    }

    function titleBar(form, layout) {
      const bar = document.createElement("div");
      bar.className = "titlebar";
      if (layout.icon) {
        const icon = document.createElement("img");
        icon.src = pictureUrl(layout.icon);
        icon.alt = "";
        bar.appendChild(icon);
      }
      const caption = document.createElement("span");
      caption.className = "caption";
      caption.textContent = layout.caption;
      bar.appendChild(caption);
      const close = document.createElement("button");
      close.className = "closebox";
      close.textContent = "×";
      close.tabIndex = -1; // the frame's box, not a stop of the window
      close.setAttribute("aria-label", "閉じる");
      close.addEventListener("click", () => act("close", form));
      bar.appendChild(close);
      return bar;
    }

    function widget(record, entry) {
      const form = record.form;
      const click = () => act("click", form, entry.name);
      let el;
      switch (entry.kind) {
        case "Label":
          el = document.createElement("div");
          el.className = "label";
          el.textContent = entry.text;
          if (entry.points !== 9) el.style.fontSize = `${pointPixels(entry.points)}px`;
          el.style.color = entry.color;
          if (entry.back) el.style.background = entry.back;
          break;
        case "Command":
          el = document.createElement("button");
          el.type = "button";
          if (entry.picture) {
            el.classList.add("picture", "face");
            el.style.backgroundImage = `url(${pictureUrl(entry.picture)})`;
          } else {
            el.textContent = entry.text;
          }
          if (entry.tooltip) el.title = entry.tooltip;
          el.hidden = !entry.startsVisible;
          el.addEventListener("click", click);
          break;
        case "Text":
          el = document.createElement("input");
          el.type = "text";
          el.value = entry.text;
          el.readOnly = entry.readOnly;
          el.maxLength = 1024; // a box holds a line, not a book
          el.addEventListener("input", () => {
            if (!act("type", form, entry.name, el.value)) redraw(record, true);
          });
          break;
        case "Image":
          if (record.layout.grid.includes(entry.name)) {
            el = document.createElement("button");
            el.type = "button";
            el.className = "tile picture";
          } else {
            el = document.createElement("div");
            el.className = "image picture";
            el.setAttribute("role", "img");
          }
          el.addEventListener("click", click);
          break;
        default: // a line
          el = document.createElement("div");
          el.className = "line";
      }
      if (entry.tracksPointer) {
        el.addEventListener("mousemove", () => act("move", form, entry.name));
        // A tool that takes the keyboard focus shows its hint, as pointing does.
        el.addEventListener("focus", () => act("move", form, entry.name));
      }
      return el;
    }

    // The Tab stops top to bottom, then left to right; the grid is one stop
    // at its first tile.
    function tabStops(record) {
      const stops = [];
      for (const { entry, el } of record.widgets.values()) {
        const focusable = el.tagName === "BUTTON" || el.tagName === "INPUT";
        const g = record.grid.indexOf(el);
        if (!focusable || g > 0) continue;
        stops.push({ top: entry.top, left: entry.left, grid: g === 0, el });
      }
      stops.sort((a, b) => a.top - b.top || a.left - b.left); // stable
      return stops;
    }

    // --- The keyboard --------------------------------------------------------

    const arrows = { ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowUp: [-1, 0], ArrowDown: [1, 0] };

    function keyDown(record, e) {
      const g = record.grid.indexOf(e.target);
      if (g >= 0 && arrows[e.key]) {
        e.preventDefault();
        const columns = record.layout.gridColumns;
        const [dr, dc] = arrows[e.key];
        const row = Math.floor(g / columns) + dr;
        const column = (g % columns) + dc;
        const to = row * columns + column;
        // No wrapping: the arrows stop at the grid's edges.
        if (column < 0 || column >= columns || row < 0 || to >= record.grid.length) return;
        record.grid[g].tabIndex = -1;
        record.grid[to].tabIndex = 0;
        record.grid[to].focus();
        return;
      }
      if (e.key === "Tab") {
        e.preventDefault();
        const stops = record.stops
          .map((s) => (s.grid ? record.grid.find((t) => t.tabIndex === 0) : s.el))
          .filter((el) => !el.hidden);
        if (stops.length === 0) return;
        const at = stops.findIndex((el) => el === e.target);
        const step = e.shiftKey ? -1 : 1;
        const to = at < 0 ? 0 : (at + step + stops.length) % stops.length;
        stops[to].focus();
        return;
      }
      if (e.key === "Enter" && e.target.tagName === "BUTTON") {
        // Enter, like Space, clicks the focused button or tile; a held key
        // is one click, as a held mouse button is.
        e.preventDefault();
        if (!e.repeat) e.target.click();
      }
    }

    function focusFirst(record) {
      for (const name of record.layout.firstFocus) {
        const w = record.widgets.get(name);
        if (w && !w.el.hidden) {
          if (record.grid.includes(w.el)) {
            record.grid.forEach((t) => { t.tabIndex = t === w.el ? 0 : -1; });
          }
          w.el.focus();
          return;
        }
      }
      record.panel.tabIndex = -1;
      record.panel.focus();
    }

    // The panel comes to the front and takes the keyboard where it left it.
    function activate(record, takeFocus = true) {
      record.panel.style.zIndex = String(++front);
      for (const r of panels.values()) r.panel.classList.toggle("active", r === record);
      if (!takeFocus || messageBox) return;
      const last = record.lastFocus;
      if (last && last.isConnected && !last.hidden && last !== record.panel) last.focus();
      else focusFirst(record);
    }

    // --- Drawing what the game shows ---------------------------------------

    function redraw(record, force = false) {
      const revision = game.revision(record.form);
      if (!force && revision === record.revision) return;
      record.revision = revision;
      const state = game.widgets(record.form);
      let focusLost = false;
      for (const [name, { entry, el }] of record.widgets) {
        const now = state[name];
        switch (entry.kind) {
          case "Label":
            if (el.textContent !== now.text) el.textContent = now.text;
            break;
          case "Text":
            if (el.value !== now.text) el.value = now.text;
            break;
          case "Command":
            if (!now.visible && document.activeElement === el) focusLost = true;
            el.hidden = !now.visible;
            break;
          case "Image":
            if (el.dataset.picture !== (now.picture || "")) {
              el.dataset.picture = now.picture || "";
              el.style.backgroundImage = now.picture ? `url(${pictureUrl(now.picture)})` : "none";
            }
            break;
        }
        if (entry.kind !== "Line" && entry.kind !== "Label") {
          if (el.getAttribute("aria-label") !== now.name) el.setAttribute("aria-label", now.name);
        } else if (entry.kind === "Label" && now.name !== now.text) {
          el.setAttribute("aria-label", now.name);
        }
        if (now.description) el.setAttribute("aria-description", now.description);
        else el.removeAttribute("aria-description");
      }
      if (focusLost && !messageBox) focusFirst(record);
    }

    function centre(el) {
      const w = el.offsetWidth;
      const h = el.offsetHeight;
      el.style.left = `${Math.max(0, Math.floor((window.innerWidth - w) / 2))}px`;
      el.style.top = `${Math.max(0, Math.floor((window.innerHeight - h) / 2))}px`;
    }

    function sync() {
      if (game.ended()) {
        end();
        return;
      }
      const toFront = [];
      for (let form = 1; form <= M.formCount; ++form) {
        const generation = game.generation(form);
        let record = panels.get(form);
        // Unloaded, or unloaded and created afresh: the old panel goes.
        if (record && record.generation !== generation) {
          record.panel.remove();
          panels.delete(form);
          record = undefined;
        }
        if (generation === 0) continue;
        if (!record) {
          record = build(form);
          record.generation = generation;
          panels.set(form, record);
        }
        redraw(record);
        const visible = game.visible(form);
        const shown = game.showCount(form);
        if (!visible) {
          record.panel.hidden = true;
        } else if (shown !== record.shown || record.panel.hidden) {
          record.panel.hidden = false;
          centre(record.panel);
          toFront.push(record);
        }
        record.shown = shown;
      }
      // A screen that was shown comes up in front of the others.
      for (const record of toFront) activate(record);
      // The front panel went away or was hidden: the next one takes over.
      const active = [...panels.values()].find((r) => r.panel.classList.contains("active"));
      if (!active || active.panel.hidden) {
        const next = [...panels.values()]
          .filter((r) => !r.panel.hidden)
          .sort((a, b) => Number(b.panel.style.zIndex) - Number(a.panel.style.zIndex))[0];
        if (next) activate(next);
      }
      syncMessage();
      if (page.splashShownAt === null && panels.has(1) && !panels.get(1).panel.hidden) {
        requestAnimationFrame(() => { page.splashShownAt = performance.now(); });
      }
    }

    function syncMessage() {
      const text = game.message();
      if (text === null) {
        if (messageBox) {
          messageBox.remove();
          messageBox = null;
          const active = [...panels.values()].find((r) => r.panel.classList.contains("active"));
          if (active) activate(active);
        }
        return;
      }
      if (messageBox) return;
      // Blocks the player's input to every panel, not the game's clock.
      const cover = document.createElement("div");
      cover.id = "MessageBox";
      const dialog = document.createElement("div");
      dialog.className = "panel framed dialog active";
      dialog.setAttribute("role", "alertdialog");
      dialog.setAttribute("aria-modal", "true");
      dialog.setAttribute("aria-labelledby", "MessageBox-Title");
      dialog.setAttribute("aria-describedby", "MessageBox-Text");
      const bar = document.createElement("div");
      bar.className = "titlebar";
      bar.id = "MessageBox-Title";
      bar.textContent = M.title();
      const body = document.createElement("div");
      body.className = "message";
      body.id = "MessageBox-Text";
      body.textContent = text;
      const buttons = document.createElement("div");
      buttons.className = "buttons";
      const ok = document.createElement("button");
      ok.type = "button";
      ok.id = "MessageBox-Ok";
      ok.textContent = "OK";
      ok.addEventListener("click", () => act("ok", 1));
      ok.addEventListener("keydown", (e) => {
        if (e.key === "Tab") e.preventDefault(); // the one stop of the box
        if (e.key === "Enter") { e.preventDefault(); if (!e.repeat) ok.click(); }
      });
      buttons.appendChild(ok);
      dialog.append(bar, body, buttons);
      cover.appendChild(dialog);
      // Whatever is clicked outside the box, the keys stay on OK.
      cover.addEventListener("mousedown", (e) => { if (e.target !== ok) { e.preventDefault(); ok.focus(); } });
      document.body.appendChild(cover);
      centre(dialog);
      messageBox = cover;
      ok.focus();
    }

    function end() {
      if (endShown) return;
      endShown = true;
      if (timer !== "posted") clearTimeout(timer);
      timer = null;
      for (const record of panels.values()) record.panel.remove();
      panels.clear();
      if (messageBox) messageBox.remove();
      messageBox = null;
      document.body.dataset.ended = "1";
    }

    window.addEventListener("resize", () => {
      for (const record of panels.values()) if (!record.panel.hidden) centre(record.panel);
      if (messageBox) centre(messageBox.firstChild);
    });
    // Keys pressed while the message box is open never reach a panel.
    document.addEventListener("keydown", (e) => {
      if (messageBox && !messageBox.contains(e.target)) {
        e.preventDefault();
        e.stopPropagation();
        messageBox.querySelector("button").focus();
      }
    }, true);

    Object.assign(page, { game, module: M, now, fields: (form) => game.fields(form), ready: true });
    sync();
    arm();
  });
})();
