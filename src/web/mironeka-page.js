// The game's windows in the page. Every rule lives in the compiled game,
// the front ends' rules too (when to run the clock, what a key does, where
// the focus goes); this file builds panels from the game's layout tables,
// hands the player's input to the game, does what it answers and redraws a
// panel when its screen has changed.
"use strict";

(function () {
  const desk = document.getElementById("desk");
  const pointPixels = (points) => Math.round((points * 96) / 72);
  const pictureUrl = (name) => `${name}.svg`;

  // Test and bug-report hooks: the game, when the splash was first shown.
  const page = (window.mironeka = { ready: false, splashShownAt: null, followed: [] });

  // What the page says when there is no game to show: one short text and,
  // perhaps, one button.
  function notice(text, button) {
    const box = document.getElementById("notice");
    box.replaceChildren();
    box.className = "notice";
    box.setAttribute("role", "alert");
    const p = document.createElement("p");
    p.textContent = text;
    box.appendChild(p);
    if (button) {
      const b = document.createElement("button");
      b.type = "button";
      b.textContent = button.text;
      b.addEventListener("click", button.action);
      box.appendChild(b);
      b.focus();
    }
    box.hidden = false;
  }

  // The player's language: the page's own texts and the game's come from
  // its catalogue (i18n/<code>.json, made from the game's Qt Linguist
  // catalogue), Japanese when there is none.
  let catalogue = {};
  const qsTranslate = (context, text) => (catalogue[context] || {})[text] || text;

  // ?lang=en or ?lang=ja, else the browser's languages in order: the first
  // that has a catalogue, unless Japanese comes first.
  function chooseLanguage() {
    const asked = new URLSearchParams(location.search).get("lang");
    const wanted = asked ? [asked] : (navigator.languages || [navigator.language || "ja"]);
    const codes = [];
    for (const tag of wanted) {
      const code = String(tag).toLowerCase().split("-")[0];
      if (code === "ja") break;
      if (/^[a-z]{2,3}$/.test(code) && !codes.includes(code)) codes.push(code);
    }
    // Offline and never fetched, or no catalogue: the next language.
    const next = (i) => {
      if (i >= codes.length) return Promise.resolve("ja");
      return fetch(`i18n/${codes[i]}.json`)
        .then((reply) => (reply.ok ? reply.json() : Promise.reject(reply.status)))
        .then((entries) => {
          catalogue = entries;
          return codes[i];
        }, () => next(i + 1));
    };
    return next(0);
  }

  if (location.protocol === "file:") {
    notice("このページはファイルから直接開いても動きません。ブラウザーはファイルから" +
           "WebAssembly を読み込まないためです。ウェブサーバーから開いてください" +
           "（たとえば tools/web を実行して http://127.0.0.1:8080/ を開きます）。\n" +
           "This page doesn't work opened from a file: browsers don't load WebAssembly " +
           "from files. Open it from a web server (for example, run tools/web and open " +
           "http://127.0.0.1:8080/).");
    return;
  }

  chooseLanguage().then((language) => {
    document.documentElement.lang = language;
    const title = qsTranslate("Game", "VELMORAKI　ミロネカ");
    document.title = title;
    desk.setAttribute("aria-label", title);
    document.querySelector('meta[name="description"]').content = qsTranslate("Page", "ミロネカ：家の六つの庭に砂糖や水溜りや草を置いて、アリを誘い込むゲームです。");
    start();
  });

  function start() {
  if (typeof WebAssembly !== "object" || typeof createMironeka !== "function") {
    notice(qsTranslate("Page", "このブラウザーではゲームを動かせません。WebAssembly と JavaScript が使える新しいブラウザーで開いてください。"));
    return;
  }

  // After one visit the game starts without a network.
  if ("serviceWorker" in navigator) {
    window.addEventListener("load", () => {
      navigator.serviceWorker.register("sw.js").catch(() => {});
    });
  }

  createMironeka().catch(() => {
    notice(qsTranslate("Page", "ゲームを読み込めませんでした。ネットワークをつないでから、ページを読み込み直してください。"),
           { text: qsTranslate("Page", "読み込み直す"), action: () => location.reload() });
  }).then((M) => {
    if (!M) return;
    for (const [context, entries] of Object.entries(catalogue)) {
      for (const [source, text] of Object.entries(entries)) M.addTranslation(context, source, text);
    }
    const game = new M.Game();
    const started = performance.now();
    const now = () => performance.now() - started;
    const panels = new Map(); // form number -> panel record
    const announcer = document.getElementById("announcer");
    let front = 0; // stacking order of the panels
    let messageBox = null;
    let timer = null;
    let endShown = false;

    // --- The clock: one tick per turn of the event loop -------------------

    const kClamped = 5; // waits shorter than this would be stretched by the browser
    const turns = new MessageChannel();
    turns.port1.onmessage = () => {
      if (timer === "posted") advance();
    };

    function arm() {
      const wait = game.wake(now()); // -2 stop, -1 keep waiting, else ms
      if (wait === -1) return;
      if (timer !== "posted") clearTimeout(timer);
      timer = null;
      if (wait < 0) return;
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
      if (game.turn(now())) sync();
      arm();
    }

    // A link the game gives, followed as a link of the page is: a mail in
    // the player's mail program, a web page in a new tab.
    function openLink(form, name) {
      const url = game.link(form, name);
      if (!url) return;
      const a = document.createElement("a");
      a.href = url;
      if (!url.startsWith("mailto:")) {
        a.target = "_blank";
        a.rel = "noopener";
      }
      page.followed.push(url);
      a.click();
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
      panel.setAttribute("aria-label", game.windowName(form) || M.title());
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
                       shown: 0, lastFocus: null, announced: game.announcements(form) };
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
      if (record.grid.length > 0) client.appendChild(gridOf(record));
      markGridStop(record);

      if (layout.tracksPointer) {
        client.addEventListener("mousemove", (e) => {
          if (e.target === client) act("move", form);
        });
      }
      panel.addEventListener("mousedown", () => activate(record, false));
      panel.addEventListener("focusin", (e) => {
        record.lastFocus = e.target;
        const name = nameOf(record, e.target);
        if (name) {
          game.focused(form, name); // a tile clicked becomes the grid's stop
          markGridStop(record);
        }
        if (!panel.classList.contains("active")) activate(record, false);
      });
      panel.addEventListener("keydown", (e) => keyDown(record, e));
      desk.appendChild(panel);
      return record;
    }

    // The tiles as a screen reader's grid of rows and cells, so it can say
    // a tile's row and column; the wrappers draw nothing.
    function gridOf(record) {
      const grid = document.createElement("div");
      grid.className = "grid";
      grid.setAttribute("role", "grid");
      grid.setAttribute("aria-label", qsTranslate("Game", "タイル"));
      const columns = record.layout.gridColumns;
      record.grid.forEach((tile, i) => {
        if (i % columns === 0) {
          const row = document.createElement("div");
          row.className = "row";
          row.setAttribute("role", "row");
          grid.appendChild(row);
        }
        const cell = document.createElement("div");
        cell.className = "cell";
        cell.setAttribute("role", "gridcell");
        cell.appendChild(tile);
        grid.lastChild.appendChild(cell);
      });
      return grid;
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
      close.setAttribute("aria-label", qsTranslate("Page", "閉じる"));
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
          if (entry.width < 24 || entry.height < 24) el.classList.add("small");
          el.hidden = !entry.startsVisible;
          el.addEventListener("click", click);
          break;
        case "Text":
          el = document.createElement("input");
          el.type = "text";
          el.value = entry.text;
          el.readOnly = entry.readOnly;
          el.maxLength = M.textBoxLimit;
          // However the text came in, the box shows what the game took.
          el.addEventListener("input", () => {
            act("type", form, entry.name, el.value);
            redraw(record, true);
          });
          // Enter or a double-click opens what the box names: a new mail
          // with the score code, the ranking page.
          if (entry.tooltip) el.title = entry.tooltip;
          el.addEventListener("keydown", (e) => {
            // Once a press, as a button clicks: a held key opens one mail.
            if (e.key === "Enter" && game.keyPress("enter", e.repeat, e.timeStamp)) {
              openLink(form, entry.name);
            }
          });
          el.addEventListener("dblclick", () => openLink(form, entry.name));
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
        // A finger has no hover: touching a tool shows its hint.
        el.addEventListener("pointerdown", (e) => {
          if (e.pointerType !== "mouse") act("move", form, entry.name);
        });
        // A tool that takes the keyboard focus shows its hint, as pointing does.
        el.addEventListener("focus", () => act("move", form, entry.name));
      }
      return el;
    }

    // --- The keyboard: the game says where the focus goes -------------------

    const focusKeys = { Tab: "tab", ArrowLeft: "left", ArrowRight: "right", ArrowUp: "up",
                        ArrowDown: "down" };

    function nameOf(record, el) {
      for (const [name, w] of record.widgets) if (w.el === el) return name;
      return null;
    }

    // Only the grid's current tile takes Tab, for the browser and for
    // screen readers alike.
    function markGridStop(record) {
      if (record.grid.length === 0) return;
      const stop = game.gridStop(record.form);
      for (const [name, { el }] of record.widgets) {
        if (record.grid.includes(el)) el.tabIndex = name === stop ? 0 : -1;
      }
    }

    function focusOn(record, name) {
      const w = name === null ? undefined : record.widgets.get(name);
      if (!w) {
        record.panel.tabIndex = -1;
        record.panel.focus();
        return;
      }
      game.focused(record.form, name);
      markGridStop(record);
      w.el.focus();
    }

    function keyDown(record, e) {
      let key = focusKeys[e.key];
      if (key === "tab" && e.shiftKey) key = "backtab";
      const at = nameOf(record, e.target);
      const tile = record.grid.includes(e.target);
      if (!key || (key !== "tab" && key !== "backtab" && !tile)) return;
      // The arrows belong to the grid, even at its edges.
      e.preventDefault();
      const to = game.focusMove(record.form, at || "", key);
      if (to !== null) focusOn(record, to);
    }

    function focusFirst(record) {
      focusOn(record, game.focusStart(record.form));
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
      const focused = nameOf(record, document.activeElement);
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
            el.hidden = !now.visible;
            // A tool's button stays pressed while its tool is selected.
            if (now.checked !== null) {
              el.setAttribute("aria-pressed", String(now.checked));
              el.classList.toggle("pressed", now.checked);
            }
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
      // The focus leaves a control that hid for where the game says.
      if (focused !== null && !messageBox) {
        const to = game.focusAfterChange(record.form, focused);
        if (to !== focused) focusOn(record, to);
      }
    }

    // A window keeps its pixel layout and is scaled as a whole: on a touch
    // screen to fill it, elsewhere only down, when it doesn't fit.
    const touchScreen = window.matchMedia("(pointer: coarse)");
    function centre(el) {
      const w = el.offsetWidth;
      const h = el.offsetHeight;
      const fit = Math.min(window.innerWidth / w, window.innerHeight / h);
      const scale = touchScreen.matches ? fit * 0.98 : Math.min(1, fit);
      el.style.transform = scale === 1 ? "" : `scale(${scale})`;
      el.style.left = `${Math.max(0, Math.floor((window.innerWidth - w * scale) / 2))}px`;
      el.style.top = `${Math.max(0, Math.floor((window.innerHeight - h * scale) / 2))}px`;
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
        // A day's outcome, said once by the screen reader without the focus
        // moving.
        const announced = game.announcements(form);
        if (announced !== record.announced) {
          record.announced = announced;
          announcer.textContent = game.announcement(form);
        }
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
      closeHelp();
      notice(qsTranslate("Page", "ゲームは終了しました。"),
             { text: qsTranslate("Page", "もう一度遊ぶ"), action: () => location.reload() });
    }

    // The scale follows rotation, resizing and a mouse plugged in.
    function refit() {
      for (const record of panels.values()) if (!record.panel.hidden) centre(record.panel);
      if (messageBox) centre(messageBox.firstChild);
    }
    window.addEventListener("resize", refit);
    touchScreen.addEventListener("change", refit);
    const clickKeys = { " ": "space", Enter: "enter" };
    document.addEventListener("keydown", (e) => {
      // Keys pressed while the message box is open never reach a panel.
      if (messageBox && !messageBox.contains(e.target)) {
        e.preventDefault();
        e.stopPropagation();
        messageBox.querySelector("button").focus();
        return;
      }
      // Space and Enter click a button when the game says so: once a press,
      // never on auto-repeat. In a text box they type.
      const key = clickKeys[e.key];
      if (!key || e.target.tagName !== "BUTTON" || e.ctrlKey || e.altKey || e.metaKey) return;
      e.preventDefault();
      if (game.keyPress(key, e.repeat, e.timeStamp)) e.target.click();
    }, true);
    document.addEventListener("keyup", (e) => {
      const key = clickKeys[e.key];
      if (!key) return;
      game.keyRelease(key, false, e.timeStamp);
      if (e.target.tagName === "BUTTON") e.preventDefault(); // no click of the browser's own
    }, true);


    // --- The help: beside the game, which goes on -------------------------

    let help = null;
    let helpReturn = null;
    const helpButton = document.createElement("button");
    helpButton.type = "button";
    helpButton.id = "help-button";
    helpButton.textContent = "？";
    helpButton.title = qsTranslate("Help", "遊び方");
    helpButton.setAttribute("aria-label", helpButton.title);
    helpButton.addEventListener("click", () => openHelp());
    document.body.appendChild(helpButton);

    function openHelp() {
      if (!game.helpAvailable()) return;
      if (!help) {
        help = document.createElement("section");
        help.id = "help";
        help.className = "panel framed active";
        help.setAttribute("role", "dialog");
        help.setAttribute("aria-labelledby", "help-title");
        const entries = M.help();
        const bar = document.createElement("div");
        bar.className = "titlebar";
        const caption = document.createElement("span");
        caption.className = "caption";
        caption.id = "help-title";
        caption.textContent = entries[0].text;
        const close = document.createElement("button");
        close.type = "button";
        close.className = "closebox";
        close.textContent = "×";
        close.setAttribute("aria-label", qsTranslate("Page", "閉じる"));
        close.addEventListener("click", closeHelp);
        bar.append(caption, close);
        const body = document.createElement("div");
        body.className = "help-text";
        body.tabIndex = 0; // scrolled by the keys
        let list = null;
        for (const entry of entries.slice(1)) {
          if (entry.kind !== "item") list = null;
          let el;
          if (entry.kind === "heading") {
            el = document.createElement("h2");
          } else if (entry.kind === "item") {
            if (!list) {
              list = document.createElement("ul");
              body.appendChild(list);
            }
            el = document.createElement("li");
          } else {
            el = document.createElement("p");
          }
          el.textContent = entry.text;
          (entry.kind === "item" ? list : body).appendChild(el);
        }
        help.append(bar, body);
        help.addEventListener("keydown", (e) => {
          if (e.key === "Escape") {
            e.preventDefault();
            closeHelp();
          }
        });
        document.body.appendChild(help);
      }
      if (help.hidden || !help.isConnected) helpReturn = document.activeElement;
      help.hidden = false;
      help.style.zIndex = String(++front + 1000);
      help.querySelector(".help-text").focus();
    }

    function closeHelp() {
      if (!help || help.hidden) return;
      help.hidden = true;
      if (helpReturn && helpReturn.isConnected) helpReturn.focus();
      helpReturn = null;
    }

    document.addEventListener("keydown", (e) => {
      if (e.key !== "F1") return;
      e.preventDefault();
      openHelp();
    });

    Object.assign(page, { game, module: M, now, fields: (form) => game.fields(form), ready: true,
                          language: document.documentElement.lang, openHelp });
    sync();
    arm();
  });
  }
})();
