// Starts a program built for the browser in a canvas: fetches its code (.js) and its WebAssembly
// (.wasm), telling how much has arrived, compiles it and hands the canvas to Qt as its screen.
// Used by the site's page and by the page the unit tests run in.
"use strict";

async function scaricaConAvanzamento(indirizzo, suByte) {
  const risposta = await fetch(indirizzo);
  if (!risposta.ok)
    throw new Error(indirizzo + ": " + risposta.status + " " + risposta.statusText);
  const lettore = risposta.body.getReader();
  const pezzi = [];
  let ricevuti = 0;
  for (;;) {
    const { done, value } = await lettore.read();
    if (done)
      break;
    pezzi.push(value);
    ricevuti += value.length;
    suByte(ricevuti);
  }
  const tutto = new Uint8Array(ricevuti);
  let posto = 0;
  for (const pezzo of pezzi) {
    tutto.set(pezzo, posto);
    posto += pezzo.length;
  }
  return tutto;
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
  const [codice, binario] = await Promise.all([
    scaricaConAvanzamento(opzioni.nome + ".js", (n) => { ricevuti.js = n; avanza(); }),
    scaricaConAvanzamento(opzioni.nome + ".wasm", (n) => { ricevuti.wasm = n; avanza(); }),
  ]);
  const modulo = await WebAssembly.compile(binario);
  // The code defines the program's factory, createQtAppInstance, in the page's global scope.
  (0, eval)(new TextDecoder().decode(codice));
  const errore = (testo) => opzioni.suErrore && opzioni.suErrore(String(testo));
  return createQtAppInstance({
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
}
