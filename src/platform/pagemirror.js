// The page's side of the page mirror (see pagemirror.h): one layer over the program's canvas with
// an element for each control on screen. Each snapshot the program sends changes the elements in
// place, so that the focus, and what a screen reader has already said, survive the change. The
// elements draw nothing and let the pointer through to the canvas.
mergeInto(LibraryManager.library, {
  capacita_riflesso_applica: function (testo) {
    var dati = JSON.parse(UTF8ToString(testo));
    var s = Module.capacitaRiflesso;
    if (!s) {
      s = Module.capacitaRiflesso = { elementi: new Map(), dentro: false };
      var tela = (Module.qtContainerElements || Module.qtCanvasElements || [Module.canvas])[0];
      // Nothing is read twice, and the keyboard's road goes through the elements: the canvas
      // takes the focus only from the pointer.
      tela.setAttribute("aria-hidden", "true");
      tela.setAttribute("tabindex", "-1");
      s.tela = tela;
      s.radice = document.createElement("div");
      s.radice.id = "capacita-riflesso";
      s.radice.style.cssText = "position:absolute;margin:0;padding:0;pointer-events:none;z-index:1;overflow:hidden";
      var stile = document.createElement("style");
      stile.textContent =
        "#capacita-riflesso * { position: absolute; box-sizing: border-box; margin: 0; padding: 0; border: 0;" +
        " background: transparent; color: transparent; outline: none; overflow: hidden; font: 12px sans-serif;" +
        " white-space: pre; pointer-events: none; user-select: none; -webkit-user-select: none; }" +
        " #capacita-riflesso .strato { left: 0; top: 0; width: 100%; height: 100%; overflow: visible; }" +
        " #capacita-riflesso [hidden] { display: none; }";
      s.radice.appendChild(stile);
      tela.parentNode.insertBefore(s.radice, tela.nextSibling);
      // What the program says (see announce.h): one polite live region from the start, out of
      // sight, each text a new line of it.
      s.annunci = document.createElement("div");
      s.annunci.id = "capacita-annunci";
      s.annunci.setAttribute("aria-live", "polite");
      s.annunci.style.cssText = "position:fixed;left:0;top:0;width:1px;height:1px;overflow:hidden;" +
        "clip-path:inset(50%);white-space:nowrap;pointer-events:none";
      s.radice.parentNode.insertBefore(s.annunci, s.radice.nextSibling);
      var id = function (e) {
        var el = e.target.closest ? e.target.closest("[data-id]") : null;
        return el ? { el: el, id: +el.dataset.id, ruolo: el.dataset.ruolo } : null;
      };
      var chiudiMenu = function () {
        s.radice.querySelectorAll("[aria-expanded=true]").forEach(function (m) {
          m.setAttribute("aria-expanded", "false");
          m.nextSibling.hidden = true;
        });
      };
      // A menu of the menu bar opened, its first (or last) item focused.
      var apriMenu = function (menu, ultimo) {
        chiudiMenu();
        menu.setAttribute("aria-expanded", "true");
        menu.nextSibling.hidden = false;
        var voce = ultimo ? menu.nextSibling.lastChild : menu.nextSibling.firstChild;
        if (voce)
          s.aFuoco(voce);
      };
      // The front window's buttons in the program's focus chain, and its menu bar beside them.
      var catena = function () {
        return Array.prototype.slice.call(s.radice.querySelectorAll("[data-catena]"))
          .sort(function (a, b) { return a.dataset.catena - b.dataset.catena; });
      };
      // The keyboard's focus is always in sight: where the page is larger than the browser's
      // window (zoomed in, a small screen), the page scrolls to it.
      s.aFuoco = function (el) {
        el.focus({ preventScroll: true });
        el.scrollIntoView({ block: "nearest", inline: "nearest" });
      };
      var primoMenu = function () {
        return s.radice.querySelector("[data-ruolo=menu][tabindex='0']");
      };
      var aBottone = function (el) {
        s.dentro = true;
        s.aFuoco(el);
      };
      // The keyboard comes to the front window at the control the program has focused, or else
      // at the window's first.
      var entra = function () {
        var dove = (s.fuoco && s.elementi.get(s.fuoco)) || s.radice.querySelector("[tabindex='0']");
        if (dove)
          aBottone(dove);
        return !!dove;
      };
      s.radice.addEventListener("click", function (e) {
        var v = id(e);
        if (!v)
          return;
        if (v.ruolo === "menu") {
          if (v.el.getAttribute("aria-expanded") === "true") {
            chiudiMenu();
            s.aFuoco(v.el);
          } else {
            apriMenu(v.el, false);
          }
          return;
        }
        chiudiMenu();
        Module.capacitaRiflessoAttiva(v.id);
      });
      // Space, Enter and Tab are the program's own keys: Space or Enter held on a button holds
      // the button, and Tab follows the program's focus chain, from its last button to the menu
      // bar and from there to its first (Shift+Tab the other way).
      var tasto = function (e, premuto) {
        var v = id(e);
        if (!v || v.ruolo !== "button")
          return;
        if (e.key === " " || e.key === "Spacebar" || e.key === "Enter") {
          e.preventDefault();
          if (!e.repeat)
            Module.capacitaRiflessoTasto(v.id, e.key === "Enter" ? 3 : 0, premuto);
        } else if (e.key === "Tab" && premuto) {
          e.preventDefault();
          var c = catena(), menu = primoMenu();
          // A button of a window behind, still focused where a click on the canvas leaves the
          // focus (WebKit): Tab goes to the front window.
          if (!s.radice.querySelector("section").contains(v.el))
            entra();
          else if (menu && c.length && v.el === c[e.shiftKey ? 0 : c.length - 1])
            aBottone(menu);
          else
            Module.capacitaRiflessoTasto(v.id, e.shiftKey ? 2 : 1, true);
        }
      };
      // The menu bar as WAI-ARIA's menu bar pattern has it: Enter, Space or Down open a menu at
      // its first item, Up at its last; the arrows move among the items; Escape closes the menu,
      // back on its name; Tab leaves it for the program's buttons.
      var tastoMenu = function (e) {
        var v = id(e);
        if (!v || (v.ruolo !== "menu" && v.ruolo !== "menuitem"))
          return;
        var menu = v.ruolo === "menu" ? v.el : v.el.parentNode.previousSibling;
        if (e.key === "ArrowDown" || e.key === "ArrowUp") {
          e.preventDefault();
          var sopra = e.key === "ArrowUp";
          if (v.ruolo === "menu") {
            apriMenu(menu, sopra);
          } else {
            var prossimo = sopra ? v.el.previousSibling || v.el.parentNode.lastChild
                                 : v.el.nextSibling || v.el.parentNode.firstChild;
            s.aFuoco(prossimo);
          }
        } else if (e.key === "Escape") {
          e.preventDefault();
          chiudiMenu();
          s.aFuoco(menu);
        } else if (e.key === "Tab") {
          e.preventDefault();
          chiudiMenu();
          var c = catena();
          if (c.length)
            aBottone(c[e.shiftKey ? c.length - 1 : 0]);
        }
      };
      s.radice.addEventListener("keydown", function (e) {
        tastoMenu(e);
        tasto(e, true);
      });
      s.radice.addEventListener("keyup", function (e) { tasto(e, false); });
      s.radice.addEventListener("focusin", function (e) {
        s.dentro = true;
        var v = id(e);
        if (v && v.ruolo === "button")
          Module.capacitaRiflessoFuoco(v.id);
      });
      // A menu left by the pointer or the focus closes.
      s.radice.addEventListener("focusout", function (e) {
        var verso = id({ target: e.relatedTarget || document.body });
        if (!verso || (verso.ruolo !== "menu" && verso.ruolo !== "menuitem"))
          chiudiMenu();
      });
      // Whoever uses the pointer works on the canvas, and the keyboard's focus stays there; the
      // program itself may also focus the canvas, as it does when a window comes to the front, and
      // then the focus goes back where the keyboard had it.
      document.addEventListener("pointerdown", function () { s.dentro = false; }, true);
      // Tab on the canvas brings the keyboard's focus to the elements.
      window.addEventListener("keydown", function (e) {
        if (e.key !== "Tab" || document.activeElement !== tela || e.ctrlKey || e.altKey)
          return;
        if (entra()) {
          e.preventDefault();
          e.stopImmediatePropagation();
        }
      }, true);
      // Where a page larger than the browser's window is panned, as a magnifier pans: the wheel
      // always (the program has no use for it), fingers where they would not act on the program.
      // A gesture belongs to whoever its first finger landed on.
      window.addEventListener("wheel", function (e) {
        if (e.target === tela)
          e.stopImmediatePropagation();
      }, { capture: true, passive: true });
      var gesto = null;
      var tocco = function (e) {
        if (Module.capacitaRiflesso !== s)
          return;
        if (e.type === "touchstart" && e.touches.length === e.changedTouches.length) {
          var t = e.changedTouches[0], r = tela.getBoundingClientRect();
          gesto = e.target === tela && !Module.capacitaRiflessoTocco(Math.floor(t.clientX - r.left),
                                                                     Math.floor(t.clientY - r.top))
            ? "pagina" : "programma";
        }
        if (gesto === "pagina")
          e.stopImmediatePropagation();
        if (e.touches.length === 0)
          gesto = null;
      };
      ["touchstart", "touchmove", "touchend", "touchcancel"].forEach(function (tipo) {
        window.addEventListener(tipo, tocco, { capture: true, passive: true });
      });
    }

    var poni = function (el, nome, valore) {
      if (valore === null || valore === false) {
        if (el.hasAttribute(nome))
          el.removeAttribute(nome);
      } else if (el.getAttribute(nome) !== String(valore)) {
        el.setAttribute(nome, valore === true ? "" : valore);
      }
    };
    var scatola = s.tela.getBoundingClientRect();
    var k = (dati.dpr || 1) / (window.devicePixelRatio || 1);
    // In the page's own coordinates, so that the elements scroll with the canvas.
    s.radice.style.left = scatola.left + window.scrollX + "px";
    s.radice.style.top = scatola.top + window.scrollY + "px";
    s.radice.style.width = scatola.width + "px";
    s.radice.style.height = scatola.height + "px";

    var visti = new Set();
    var strato = function (tipo, ruolo) {
      var el = document.createElement(tipo);
      el.className = "strato";
      if (ruolo)
        el.setAttribute("role", ruolo);
      return el;
    };
    // A menu is its button, with the menu of its items after it; regions and the menu bar are
    // layers as large as the canvas, so that every control's place is taken from the canvas.
    var crea = function (v) {
      var el;
      if (v.ruolo === "region") {
        el = strato("section");
      } else if (v.ruolo === "menubar") {
        el = strato("div", "menubar");
      } else if (v.ruolo === "text" || v.ruolo === "sfondo") {
        el = document.createElement("div");
        if (v.ruolo === "sfondo")
          el.setAttribute("aria-hidden", "true");
      } else {
        el = document.createElement("button");
        el.type = "button";
        if (v.ruolo !== "button")
          el.setAttribute("role", "menuitem");
      }
      if (v.ruolo === "menu") {
        el.setAttribute("aria-haspopup", "menu");
        el.setAttribute("aria-expanded", "false");
        el.nodo = strato("div", "none");
        el.figli = strato("div", "menu");
        el.figli.hidden = true;
        el.nodo.append(el, el.figli);
      }
      el.dataset.id = v.id;
      el.dataset.ruolo = v.ruolo;
      s.elementi.set(v.id, el);
      return el;
    };
    // Puts v's element at position i of contenitore, changing only what differs.
    var metti = function (v, contenitore, i) {
      var el = s.elementi.get(v.id) || crea(v);
      var nodo = el.nodo || el;
      visti.add(v.id);
      if (v.ruolo === "region" || v.ruolo === "menubar") {
        poni(el, "aria-label", v.nome);
      } else {
        if (el.textContent !== v.nome)
          el.textContent = v.nome;
        el.style.left = v.x * k + "px";
        el.style.top = v.y * k + "px";
        el.style.width = v.w * k + "px";
        el.style.height = v.h * k + "px";
      }
      if (el.tagName === "BUTTON") {
        // Named by the caption as it stands, blanks included: a name taken from the element's
        // text would have its runs of blanks folded.
        poni(el, "aria-label", v.nome);
        poni(el, "disabled", v.spento);
        // The front window's first menu is in the Tab order with its buttons.
        var inCatena = v.ruolo === "button" ? v.tab : v.ruolo === "menu" && v.primo;
        poni(el, "tabindex", inCatena ? "0" : "-1");
        poni(el, "data-catena", v.catena === undefined ? null : v.catena);
        poni(el, "aria-description", v.descrizione || null);
        poni(el, "title", v.descrizione || null);
      }
      if (v.z !== undefined && el.style.zIndex !== String(v.z))
        el.style.zIndex = v.z;
      if (contenitore.children[i] !== nodo)
        contenitore.insertBefore(nodo, contenitore.children[i] || null);
      if (v.voci) {
        var dentro = el.figli || el;
        v.voci.forEach(function (f, j) { metti(f, dentro, j); });
        while (dentro.children.length > v.voci.length)
          dentro.lastChild.remove();
      }
    };
    // The front window stands above the others: where it covers them, its surface and controls
    // are what a finger exploring the screen finds. The windows behind stay readable in order.
    dati.finestre.forEach(function (f, i) {
      f.voci.forEach(function (v) {
        if (v.ruolo === "menubar")
          v.voci.forEach(function (m, j) { m.primo = i === 0 && j === 0; });
      });
      metti(f, s.radice, i + 1);
      s.elementi.get(f.id).style.zIndex = dati.finestre.length - i;
    });
    while (s.radice.children.length > dati.finestre.length + 1)
      s.radice.lastChild.remove();
    s.elementi.forEach(function (el, id) {
      if (!visti.has(id)) {
        (el.nodo || el).remove();
        s.elementi.delete(id);
      }
    });
    // The keyboard's focus follows the program's, once the pupil works with the keyboard.
    s.fuoco = dati.fuoco;
    var fuoco = dati.fuoco && s.elementi.get(dati.fuoco);
    var attivo = document.activeElement && document.activeElement.dataset && document.activeElement.dataset.ruolo;
    var nelMenu = attivo === "menu" || attivo === "menuitem";
    if (s.dentro && fuoco && document.activeElement !== fuoco && !(nelMenu && s.radice.contains(document.activeElement)))
      s.aFuoco(fuoco);
  },

  capacita_riflesso_annuncia: function (testo) {
    var s = Module.capacitaRiflesso;
    if (!s)
      return;
    var riga = document.createElement("div");
    riga.textContent = UTF8ToString(testo);
    s.annunci.replaceChildren(riga);
  },

  capacita_riflesso_togli: function () {
    var s = Module.capacitaRiflesso;
    if (s) {
      s.radice.remove();
      s.annunci.remove();
      delete Module.capacitaRiflesso;
    }
  },
});
