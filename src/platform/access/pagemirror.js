// The page's side of the page mirror (see pagemirror.h): one layer over the program's canvas with
// an element for each control on screen. Each snapshot the program sends changes the elements in
// place, so that the focus, and what a screen reader has already said, survive the change. The
// elements draw nothing and let the pointer through to the canvas.
//
// The functions below are the library's own; the program calls the three capacita_mirror_* ones.
// All of them share one state, Module.capacitaMirror: the canvas, the layer, the live region, the
// element of each control by its number, whether the keyboard works in the layer, and the number
// of the control the program has focused.

// The layer over the canvas and the live region beside it, made at the first snapshot.
function mirrorBuild() {
  var canvas = (Module.qtContainerElements || Module.qtCanvasElements || [Module.canvas])[0];
  var mirror = { canvas: canvas, elements: new Map(), keyboard: false, focus: undefined };
  // Nothing is read twice, and the keyboard's road goes through the elements: the canvas takes
  // the focus only from the pointer.
  canvas.setAttribute("aria-hidden", "true");
  canvas.setAttribute("tabindex", "-1");
  mirror.layer = document.createElement("div");
  mirror.layer.id = "capacita-mirror";
  mirror.layer.style.cssText = "position:absolute;margin:0;padding:0;pointer-events:none;z-index:1;overflow:hidden";
  canvas.parentNode.insertBefore(mirror.layer, canvas.nextSibling);
  // What the program says (see announce.h): one polite live region from the start, out of sight,
  // each text a new line of it.
  mirror.announcements = document.createElement("div");
  mirror.announcements.id = "capacita-announcements";
  mirror.announcements.setAttribute("aria-live", "polite");
  mirror.announcements.style.cssText = "position:fixed;left:0;top:0;width:1px;height:1px;overflow:hidden;" +
    "clip-path:inset(50%);white-space:nowrap;pointer-events:none";
  mirror.layer.parentNode.insertBefore(mirror.announcements, mirror.layer.nextSibling);
  Module.capacitaMirror = mirror;
  mirrorListenToPointer(mirror);
  mirrorListenToKeys(mirror);
  mirrorPan(mirror);
  return mirror;
}

// The element an event happened on, with its control's number and role.
function mirrorTarget(e) {
  var el = e.target.closest ? e.target.closest("[data-id]") : null;
  return el ? { el: el, id: +el.dataset.id, role: el.dataset.role } : null;
}

// The keyboard's focus is always in sight: where the page is larger than the browser's window
// (zoomed in, a small screen), the page scrolls to it.
function mirrorFocus(el) {
  el.focus({ preventScroll: true });
  el.scrollIntoView({ block: "nearest", inline: "nearest" });
}

function mirrorFocusButton(mirror, el) {
  mirror.keyboard = true;
  mirrorFocus(el);
}

// The keyboard comes to the front window at the control the program has focused, or else at the
// window's first.
function mirrorEnter(mirror) {
  var to = (mirror.focus && mirror.elements.get(mirror.focus)) || mirror.layer.querySelector("[tabindex='0']");
  if (to)
    mirrorFocusButton(mirror, to);
  return !!to;
}

function mirrorCloseMenus(mirror) {
  mirror.layer.querySelectorAll("[aria-expanded=true]").forEach(function (m) {
    m.setAttribute("aria-expanded", "false");
    m.nextSibling.hidden = true;
  });
}

// A menu of the menu bar opened, its first (or last) item focused.
function mirrorOpenMenu(mirror, menu, last) {
  mirrorCloseMenus(mirror);
  menu.setAttribute("aria-expanded", "true");
  menu.nextSibling.hidden = false;
  var item = last ? menu.nextSibling.lastChild : menu.nextSibling.firstChild;
  if (item)
    mirrorFocus(item);
}

// The front window's buttons in the program's focus chain.
function mirrorChain(mirror) {
  return Array.prototype.slice.call(mirror.layer.querySelectorAll("[data-chain]"))
    .sort(function (a, b) { return a.dataset.chain - b.dataset.chain; });
}

// A click on an element is a click on its control; a menu's element opens or closes its menu.
// Whoever uses the pointer works on the canvas, and the keyboard's focus stays there; the program
// itself may also focus the canvas, as it does when a window comes to the front, and then the
// focus goes back where the keyboard had it.
function mirrorListenToPointer(mirror) {
  mirror.layer.addEventListener("click", function (e) {
    var t = mirrorTarget(e);
    if (!t)
      return;
    if (t.role !== "menu") {
      mirrorCloseMenus(mirror);
      Module.capacitaMirrorActivate(t.id);
    } else if (t.el.getAttribute("aria-expanded") === "true") {
      mirrorCloseMenus(mirror);
      mirrorFocus(t.el);
    } else {
      mirrorOpenMenu(mirror, t.el, false);
    }
  });
  mirror.layer.addEventListener("focusin", function (e) {
    mirror.keyboard = true;
    var t = mirrorTarget(e);
    if (t && t.role === "button")
      Module.capacitaMirrorFocus(t.id);
  });
  // A menu left by the pointer or the focus closes.
  mirror.layer.addEventListener("focusout", function (e) {
    var to = mirrorTarget({ target: e.relatedTarget || document.body });
    if (!to || (to.role !== "menu" && to.role !== "menuitem"))
      mirrorCloseMenus(mirror);
  });
  document.addEventListener("pointerdown", function () { mirror.keyboard = false; }, true);
}

// Space, Enter and Tab on a button are the program's own keys: Space or Enter held on a button
// holds the button, and Tab follows the program's focus chain, from its last button to the menu
// bar and from there to its first (Shift+Tab the other way).
function mirrorButtonKey(mirror, e, down) {
  var t = mirrorTarget(e);
  if (!t || t.role !== "button")
    return;
  if (e.key === " " || e.key === "Spacebar" || e.key === "Enter") {
    e.preventDefault();
    if (!e.repeat)
      Module.capacitaMirrorKey(t.id, e.key === "Enter" ? 3 : 0, down);
  } else if (e.key === "Tab" && down) {
    e.preventDefault();
    var chain = mirrorChain(mirror), menu = mirror.layer.querySelector("[data-role=menu][tabindex='0']");
    // A button of a window behind, still focused where a click on the canvas leaves the focus
    // (WebKit): Tab goes to the front window.
    if (!mirror.layer.querySelector("section").contains(t.el))
      mirrorEnter(mirror);
    else if (menu && chain.length && t.el === chain[e.shiftKey ? 0 : chain.length - 1])
      mirrorFocusButton(mirror, menu);
    else
      Module.capacitaMirrorKey(t.id, e.shiftKey ? 2 : 1, true);
  }
}

// The menu bar as WAI-ARIA's menu bar pattern has it: Enter, Space or Down open a menu at its
// first item, Up at its last; the arrows move among the items; Escape closes the menu, back on its
// name; Tab leaves it for the program's buttons.
function mirrorMenuKey(mirror, e) {
  var t = mirrorTarget(e);
  if (!t || (t.role !== "menu" && t.role !== "menuitem"))
    return;
  var menu = t.role === "menu" ? t.el : t.el.parentNode.previousSibling;
  if (e.key === "ArrowDown" || e.key === "ArrowUp") {
    e.preventDefault();
    var up = e.key === "ArrowUp";
    if (t.role === "menu")
      mirrorOpenMenu(mirror, menu, up);
    else
      mirrorFocus(up ? t.el.previousSibling || t.el.parentNode.lastChild
                     : t.el.nextSibling || t.el.parentNode.firstChild);
  } else if (e.key === "Escape") {
    e.preventDefault();
    mirrorCloseMenus(mirror);
    mirrorFocus(menu);
  } else if (e.key === "Tab") {
    e.preventDefault();
    mirrorCloseMenus(mirror);
    var chain = mirrorChain(mirror);
    if (chain.length)
      mirrorFocusButton(mirror, chain[e.shiftKey ? chain.length - 1 : 0]);
  }
}

function mirrorListenToKeys(mirror) {
  mirror.layer.addEventListener("keydown", function (e) {
    mirrorMenuKey(mirror, e);
    mirrorButtonKey(mirror, e, true);
  });
  mirror.layer.addEventListener("keyup", function (e) { mirrorButtonKey(mirror, e, false); });
  // Tab on the canvas brings the keyboard's focus to the elements.
  window.addEventListener("keydown", function (e) {
    if (e.key !== "Tab" || document.activeElement !== mirror.canvas || e.ctrlKey || e.altKey)
      return;
    if (mirrorEnter(mirror)) {
      e.preventDefault();
      e.stopImmediatePropagation();
    }
  }, true);
}

// Where a page larger than the browser's window is panned, as a magnifier pans: the wheel always
// (the program has no use for it), fingers where they would not act on the program. A gesture
// belongs to whoever its first finger landed on.
function mirrorPan(mirror) {
  var canvas = mirror.canvas;
  window.addEventListener("wheel", function (e) {
    if (e.target === canvas)
      e.stopImmediatePropagation();
  }, { capture: true, passive: true });
  var gesture = null;
  var touch = function (e) {
    if (Module.capacitaMirror !== mirror)
      return;
    if (e.type === "touchstart" && e.touches.length === e.changedTouches.length) {
      var t = e.changedTouches[0], r = canvas.getBoundingClientRect();
      gesture = e.target === canvas && !Module.capacitaMirrorTouch(Math.floor(t.clientX - r.left),
                                                                   Math.floor(t.clientY - r.top))
        ? "page" : "program";
    }
    if (gesture === "page")
      e.stopImmediatePropagation();
    if (e.touches.length === 0)
      gesture = null;
  };
  ["touchstart", "touchmove", "touchend", "touchcancel"].forEach(function (type) {
    window.addEventListener(type, touch, { capture: true, passive: true });
  });
}

// Sets or removes an attribute, touching the element only where it differs.
function mirrorSet(el, name, value) {
  if (value === null || value === false) {
    if (el.hasAttribute(name))
      el.removeAttribute(name);
  } else if (el.getAttribute(name) !== String(value)) {
    el.setAttribute(name, value === true ? "" : value);
  }
}

// An element of the layer: placed by the program, drawing nothing, letting the pointer through. Its
// style is set on the element itself, so that the page needs no style sheet of its own (a page may
// be allowed none but the site's files).
function mirrorElement(tag, more) {
  var el = document.createElement(tag);
  el.style.cssText = "position:absolute;box-sizing:border-box;margin:0;padding:0;border:0;" +
    "background:transparent;color:transparent;outline:none;overflow:hidden;font:12px sans-serif;" +
    "white-space:pre;pointer-events:none;user-select:none;-webkit-user-select:none;" + (more || "");
  return el;
}

// A layer as large as the canvas, so that every control's place is taken from the canvas.
function mirrorSheet(tag, role) {
  var el = mirrorElement(tag, "left:0;top:0;width:100%;height:100%;overflow:visible");
  if (role)
    el.setAttribute("role", role);
  return el;
}

// The element of an item of the snapshot. A window is a region; a menu is its button, with the
// menu of its items after it.
function mirrorCreate(mirror, item) {
  var el;
  if (item.role === "region") {
    el = mirrorSheet("section");
  } else if (item.role === "menubar") {
    el = mirrorSheet("div", "menubar");
  } else if (item.role === "text" || item.role === "surface") {
    el = mirrorElement("div");
    if (item.role === "surface")
      el.setAttribute("aria-hidden", "true");
  } else {
    el = mirrorElement("button");
    el.type = "button";
    if (item.role !== "button")
      el.setAttribute("role", "menuitem");
  }
  if (item.role === "menu") {
    el.setAttribute("aria-haspopup", "menu");
    el.setAttribute("aria-expanded", "false");
    el.node = mirrorSheet("div", "none");
    el.menuItems = mirrorSheet("div", "menu");
    el.menuItems.hidden = true;
    el.node.append(el, el.menuItems);
  }
  el.dataset.id = item.id;
  el.dataset.role = item.role;
  mirror.elements.set(item.id, el);
  return el;
}

// Puts the element of item at position index of container, changing only what differs; scale
// turns the program's pixels into the page's.
function mirrorPlace(mirror, item, container, index, scale) {
  var el = mirror.elements.get(item.id) || mirrorCreate(mirror, item);
  var node = el.node || el;
  mirror.seen.add(item.id);
  if (item.role === "region" || item.role === "menubar") {
    mirrorSet(el, "aria-label", item.name);
  } else {
    if (el.textContent !== item.name)
      el.textContent = item.name;
    el.style.left = item.x * scale + "px";
    el.style.top = item.y * scale + "px";
    el.style.width = item.w * scale + "px";
    el.style.height = item.h * scale + "px";
  }
  if (el.tagName === "BUTTON") {
    // Named by the caption as it stands, blanks included: a name taken from the element's text
    // would have its runs of blanks folded.
    mirrorSet(el, "aria-label", item.name);
    mirrorSet(el, "disabled", item.disabled);
    // The front window's first menu is in the Tab order with its buttons.
    var inChain = item.role === "button" ? item.tab : item.role === "menu" && item.first;
    mirrorSet(el, "tabindex", inChain ? "0" : "-1");
    mirrorSet(el, "data-chain", item.chain === undefined ? null : item.chain);
    mirrorSet(el, "aria-description", item.description || null);
    mirrorSet(el, "title", item.description || null);
  }
  if (item.z !== undefined && el.style.zIndex !== String(item.z))
    el.style.zIndex = item.z;
  if (container.children[index] !== node)
    container.insertBefore(node, container.children[index] || null);
  if (item.items) {
    var inside = el.menuItems || el;
    item.items.forEach(function (child, j) { mirrorPlace(mirror, child, inside, j, scale); });
    while (inside.children.length > item.items.length)
      inside.lastChild.remove();
  }
}

// Brings the layer to the snapshot: the windows front first, each element in place, those of
// controls gone removed, and the keyboard's focus after the program's.
function mirrorUpdate(mirror, snapshot) {
  var box = mirror.canvas.getBoundingClientRect();
  var scale = (snapshot.dpr || 1) / (window.devicePixelRatio || 1);
  // In the page's own coordinates, so that the elements scroll with the canvas.
  mirror.layer.style.left = box.left + window.scrollX + "px";
  mirror.layer.style.top = box.top + window.scrollY + "px";
  mirror.layer.style.width = box.width + "px";
  mirror.layer.style.height = box.height + "px";
  mirror.seen = new Set();
  // The front window stands above the others: where it covers them, its surface and controls are
  // what a finger exploring the screen finds. The windows behind stay readable in order.
  snapshot.windows.forEach(function (w, i) {
    w.items.forEach(function (item) {
      if (item.role === "menubar")
        item.items.forEach(function (m, j) { m.first = i === 0 && j === 0; });
    });
    mirrorPlace(mirror, w, mirror.layer, i, scale);
    mirror.elements.get(w.id).style.zIndex = snapshot.windows.length - i;
  });
  while (mirror.layer.children.length > snapshot.windows.length)
    mirror.layer.lastChild.remove();
  mirror.elements.forEach(function (el, id) {
    if (!mirror.seen.has(id)) {
      (el.node || el).remove();
      mirror.elements.delete(id);
    }
  });
  // The keyboard's focus follows the program's, once the pupil works with the keyboard.
  mirror.focus = snapshot.focus;
  var focused = snapshot.focus && mirror.elements.get(snapshot.focus);
  var active = document.activeElement && document.activeElement.dataset && document.activeElement.dataset.role;
  var inMenu = (active === "menu" || active === "menuitem") && mirror.layer.contains(document.activeElement);
  if (mirror.keyboard && focused && document.activeElement !== focused && !inMenu)
    mirrorFocus(focused);
}

mergeInto(LibraryManager.library, {
  $mirrorBuild: mirrorBuild,
  $mirrorBuild__deps: ["$mirrorListenToPointer", "$mirrorListenToKeys", "$mirrorPan"],
  $mirrorTarget: mirrorTarget,
  $mirrorFocus: mirrorFocus,
  $mirrorFocusButton: mirrorFocusButton,
  $mirrorFocusButton__deps: ["$mirrorFocus"],
  $mirrorEnter: mirrorEnter,
  $mirrorEnter__deps: ["$mirrorFocusButton"],
  $mirrorCloseMenus: mirrorCloseMenus,
  $mirrorOpenMenu: mirrorOpenMenu,
  $mirrorOpenMenu__deps: ["$mirrorCloseMenus", "$mirrorFocus"],
  $mirrorChain: mirrorChain,
  $mirrorListenToPointer: mirrorListenToPointer,
  $mirrorListenToPointer__deps: ["$mirrorTarget", "$mirrorCloseMenus", "$mirrorOpenMenu", "$mirrorFocus"],
  $mirrorButtonKey: mirrorButtonKey,
  $mirrorButtonKey__deps: ["$mirrorTarget", "$mirrorChain", "$mirrorEnter", "$mirrorFocusButton"],
  $mirrorMenuKey: mirrorMenuKey,
  $mirrorMenuKey__deps: ["$mirrorTarget", "$mirrorOpenMenu", "$mirrorCloseMenus", "$mirrorFocus",
                         "$mirrorChain", "$mirrorFocusButton"],
  $mirrorListenToKeys: mirrorListenToKeys,
  $mirrorListenToKeys__deps: ["$mirrorButtonKey", "$mirrorMenuKey", "$mirrorEnter"],
  $mirrorPan: mirrorPan,
  $mirrorSet: mirrorSet,
  $mirrorElement: mirrorElement,
  $mirrorSheet: mirrorSheet,
  $mirrorSheet__deps: ["$mirrorElement"],
  $mirrorCreate: mirrorCreate,
  $mirrorCreate__deps: ["$mirrorSheet", "$mirrorElement"],
  $mirrorPlace: mirrorPlace,
  $mirrorPlace__deps: ["$mirrorCreate", "$mirrorSet"],
  $mirrorUpdate: mirrorUpdate,
  $mirrorUpdate__deps: ["$mirrorPlace", "$mirrorFocus"],

  capacita_mirror_apply__deps: ["$mirrorBuild", "$mirrorUpdate"],
  capacita_mirror_apply: function (json) {
    mirrorUpdate(Module.capacitaMirror || mirrorBuild(), JSON.parse(UTF8ToString(json)));
  },

  capacita_mirror_announce: function (text) {
    var mirror = Module.capacitaMirror;
    if (!mirror)
      return;
    var line = document.createElement("div");
    line.textContent = UTF8ToString(text);
    mirror.announcements.replaceChildren(line);
  },

  capacita_mirror_remove: function () {
    var mirror = Module.capacitaMirror;
    if (mirror) {
      mirror.layer.remove();
      mirror.announcements.remove();
      delete Module.capacitaMirror;
    }
  },
});
