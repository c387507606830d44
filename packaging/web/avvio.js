// Starts a program built for the browser in a canvas: fetches its code (.js) and its WebAssembly
// (.wasm), telling how much has arrived, compiles it and hands the canvas to Qt as its screen.
// The WebAssembly is compiled while it downloads, from the response itself, so that the browser
// may also keep the compiled code for the next visit; the bytes are counted on a copy of the
// response. Where the browser cannot (a server that sends WebAssembly with another type, an engine
// without streaming compilation), it is compiled once it has all arrived. Marks in the page's
// performance timeline say when the files had arrived, the code was compiled and the program ran.
// Used by the site's page and by the page the unit tests run in.
"use strict";

async function scarica(indirizzo) {
  const risposta = await fetch(indirizzo);
  if (!risposta.ok)
    throw new Error(indirizzo + ": " + risposta.status + " " + risposta.statusText);
  return risposta;
}

// Reads a response's body to its end, telling how many bytes have come; with tieni, gives them.
async function leggi(risposta, suByte, tieni) {
  const lettore = risposta.body.getReader();
  const pezzi = [];
  let ricevuti = 0;
  for (;;) {
    const { done, value } = await lettore.read();
    if (done)
      break;
    if (tieni)
      pezzi.push(value);
    ricevuti += value.length;
    suByte(ricevuti);
  }
  if (!tieni)
    return null;
  const tutto = new Uint8Array(ricevuti);
  let posto = 0;
  for (const pezzo of pezzi) {
    tutto.set(pezzo, posto);
    posto += pezzo.length;
  }
  return tutto;
}

async function compila(indirizzo, suByte) {
  const risposta = await scarica(indirizzo);
  const inStreaming = typeof WebAssembly.compileStreaming === "function" &&
    (risposta.headers.get("Content-Type") || "").split(";")[0].trim() === "application/wasm";
  if (!inStreaming)
    return WebAssembly.compile(await leggi(risposta, suByte, true));
  const conteggio = leggi(risposta.clone(), suByte, false);
  try {
    const modulo = await WebAssembly.compileStreaming(risposta);
    await conteggio;
    return modulo;
  } catch (e) {
    // An engine that fails to stream what it could compile whole: once more, the old way.
    await conteggio.catch(() => {});
    return WebAssembly.compile(await leggi(await scarica(indirizzo), suByte, true));
  }
}

// opzioni: nome (the program's file name without extension), canvas, byte (the size of both
// files, for the share loaded), and, each optional, argomenti, ambiente (environment variables),
// suAvanzamento(share from 0 to 1), stampa(line), stampaErrore(line), suUscita(code),
// suErrore(text). Resolves once the program runs.
async function avviaProgramma(opzioni) {
  const ricevuti = { js: 0, wasm: 0 };
  const avanza = () => {
    if (opzioni.suAvanzamento && opzioni.byte)
      opzioni.suAvanzamento(Math.min(1, (ricevuti.js + ricevuti.wasm) / opzioni.byte));
  };
  const [codice, modulo] = await Promise.all([
    scarica(opzioni.nome + ".js").then((r) => leggi(r, (n) => { ricevuti.js = n; avanza(); }, true)),
    compila(opzioni.nome + ".wasm", (n) => { ricevuti.wasm = n; avanza(); }),
  ]);
  performance.mark("capacita-compilato");
  // The code defines the program's factory, createQtAppInstance, in the page's global scope.
  (0, eval)(new TextDecoder().decode(codice));
  const errore = (testo) => opzioni.suErrore && opzioni.suErrore(String(testo));
  const istanza = await createQtAppInstance({
    qtContainerElements: [opzioni.canvas],
    qtFontDpi: 96,
    arguments: opzioni.argomenti || [],
    instantiateWasm: (importazioni, riuscito) => {
      WebAssembly.instantiate(modulo, importazioni).then((istanza) => riuscito(istanza, modulo), errore);
      return {};
    },
    preRun: [(m) => {
      for (const [nome, valore] of Object.entries(opzioni.ambiente || {}))
        m.ENV[nome] = valore;
    }],
    print: opzioni.stampa || console.log,
    printErr: opzioni.stampaErrore || console.warn,
    onExit: (codiceUscita) => opzioni.suUscita && opzioni.suUscita(codiceUscita),
    onAbort: errore,
  });
  performance.mark("capacita-avviato");
  return istanza;
}
