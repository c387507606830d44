// Debian's Firefox ESR for the page's tests, driven over WebDriver BiDi by puppeteer-core: Debian
// has no geckodriver, so Python's Selenium cannot start Firefox. browser.py runs this as a child:
// one JSON request a line on standard input ({"comando": NAME, "argomenti": [...]}), one JSON
// answer a line on standard output ({"esito": VALUE} or {"errore": MESSAGE}).
// Usage: node firefox.mjs '{"larghezza": W, "altezza": H, "senzaWebgl": BOOL}'
import puppeteer from 'puppeteer-core';
import readline from 'node:readline';

const { larghezza, altezza, senzaWebgl } = JSON.parse(process.argv[2]);

// Headless Firefox has no WebGL here, and the page needs it: Firefox runs on the X server the
// caller names in DISPLAY.
const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath: '/usr/bin/firefox-esr',
  headless: false,
  extraPrefsFirefox: senzaWebgl ? { 'webgl.disabled': true } : {},
});
const page = (await browser.pages())[0] ?? (await browser.newPage());
await page.setViewport({ width: larghezza, height: altezza });

// What Chromium's console would report as an error: messages, uncaught exceptions, failed requests.
const errori = [];
page.on('console', (m) => m.type() === 'error' && errori.push(m.text()));
page.on('pageerror', (e) => errori.push(String(e)));
page.on('response', (r) => r.status() >= 400 && errori.push(`${r.url()} ${r.status()}`));
page.on('requestfailed', (r) => errori.push(`${r.url()} ${r.failure()?.errorText}`));

const passi = {
  click: async () => { await page.mouse.down(); await page.mouse.up(); },
  pointer_down: () => page.mouse.down(),
  pointer_up: () => page.mouse.up(),
};
const tocchi = {
  touchStart: (x, y) => page.touchscreen.touchStart(x, y),
  touchMove: (x, y) => page.touchscreen.touchMove(x, y),
  touchEnd: () => page.touchscreen.touchEnd(),
};

// Scripts and elements are the top page's, or those of the page in its frame (see cornice).
let inCornice = false;
const pagina = () => (inCornice ? page.mainFrame().childFrames()[0] : page);

const comandi = {
  vai: async (url) => { await page.goto(url); },
  ricarica: async () => { await page.reload(); },
  cornice: (dentro) => { inCornice = dentro; },
  // A function body, as WebDriver's "execute script" takes it; a promise it returns is awaited.
  esegui: (corpo) => pagina().evaluate(`(async () => { ${corpo} })()`),
  schermata: () => page.screenshot({ encoding: 'base64' }),
  puntatore: async (x, y, ...nomi) => {
    await page.mouse.move(x, y);
    for (const nome of nomi) await passi[nome]();
  },
  tocca: (tipo, x, y) => tocchi[tipo](x, y),
  dimensiona: (w, h) => page.setViewport({ width: w, height: h }),
  // What the zoom does to a page: its size and its pixel ratio.
  ingrandisci: async (f, w, h) => {
    await page.setViewport({ width: Math.floor(w / f), height: Math.floor(h / f), deviceScaleFactor: f });
    return true;
  },
  rotella: async (x, y, dx, dy) => {
    await page.mouse.move(x, y);
    await page.mouse.wheel({ deltaX: dx, deltaY: dy });
  },
  errori: () => errori.splice(0),
  clicca_elemento: (id) => pagina().click(`#${id}`),
  premi_tasto: (tasto) => page.keyboard.press(tasto),
  // Firefox's own accessibility tree, through the driver's ARIA queries: the buttons and menu
  // items it finds, by their names; it names no text nodes, so texts are the elements' own.
  accessibili: async () => {
    const nodi = [];
    for (const ruolo of ['button', 'menuitem', 'region', 'menubar']) {
      for (const el of await pagina().$$(`::-p-aria([role="${ruolo}"])`))
        nodi.push([ruolo, await el.evaluate((e) => e.getAttribute('aria-label') ?? e.textContent)]);
    }
    const testi = await pagina().$$eval('body *', (els) => els
      .filter((e) => !e.children.length && e.textContent && e.checkVisibility() && e.tagName !== 'BUTTON')
      .map((e) => e.textContent));
    return nodi.concat(testi.map((t) => ['text', t]));
  },
  // The first element of that role whose name, its blanks folded, is nome.
  attiva_accessibile: async (ruolo, nome) => {
    for (const el of await pagina().$$(`::-p-aria([role="${ruolo}"])`)) {
      if (await el.evaluate((e, n) => (e.getAttribute('aria-label') ?? e.textContent).split(/\s+/).join(' ').trim() === n, nome)) {
        await el.evaluate((e) => e.click());
        return true;
      }
    }
    return false;
  },
};

for await (const riga of readline.createInterface({ input: process.stdin })) {
  const { comando, argomenti } = JSON.parse(riga);
  let risposta;
  try {
    risposta = { esito: (await comandi[comando](...argomenti)) ?? null };
  } catch (e) {
    risposta = { errore: String(e) };
  }
  process.stdout.write(JSON.stringify(risposta) + '\n');
}
await browser.close();
