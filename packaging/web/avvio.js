// Starts a program built for the browser in a canvas: loads its code (.js) as a script of the
// site and fetches its WebAssembly (.wasm), telling how much has arrived, compiles it and hands
// the canvas to Qt as its screen. Nothing is evaluated from a string, so that the page runs under
// a policy that allows only the site's own scripts and the compiling of WebAssembly.
// The WebAssembly is compiled while it downloads, from the response itself, so that the browser
// may also keep the compiled code for the next visit; the bytes are counted and kept on a copy of
// the response. Where the browser cannot (a server that sends WebAssembly with another type, an
// engine without streaming compilation), it is compiled once it has all arrived. Marks in the page's
// performance timeline say when the files had arrived, the code was compiled and the program ran.
// Used by the site's page and by the page the unit tests run in.
"use strict";

// A file of the program that did not arrive whole (the line dropped, the server answered with an
// error) or arrived broken: worth trying again.
class ProgrammaNonArrivato extends Error {}

async function scarica(indirizzo) {
  let risposta;
  try {
    risposta = await fetch(indirizzo);
  } catch (e) {
    throw new ProgrammaNonArrivato(indirizzo + ": " + e.message);
  }
  if (!risposta.ok)
    throw new ProgrammaNonArrivato(indirizzo + ": " + risposta.status + " " + risposta.statusText);
  return risposta;
}

// Reads a response's body to its end, telling how many bytes have come, and gives them.
async function leggi(indirizzo, risposta, suByte) {
  const lettore = risposta.body.getReader();
  const pezzi = [];
  let ricevuti = 0;
  for (;;) {
    let pezzo;
    try {
      pezzo = await lettore.read();
    } catch (e) {
      throw new ProgrammaNonArrivato(indirizzo + ": " + e.message);
    }
    if (pezzo.done)
      break;
    pezzi.push(pezzo.value);
    ricevuti += pezzo.value.length;
    suByte(ricevuti);
  }
  const tutto = new Uint8Array(ricevuti);
  let posto = 0;
  for (const p of pezzi) {
    tutto.set(p, posto);
    posto += p.length;
  }
  return tutto;
}

async function compilaTutto(indirizzo, byte) {
  try {
    return await WebAssembly.compile(byte);
  } catch (e) {
    throw new ProgrammaNonArrivato(indirizzo + ": " + e.message);
  }
}

async function compila(indirizzo, suByte) {
  const risposta = await scarica(indirizzo);
  const inStreaming = typeof WebAssembly.compileStreaming === "function" &&
    (risposta.headers.get("Content-Type") || "").split(";")[0].trim() === "application/wasm";
  if (!inStreaming)
    return compilaTutto(indirizzo, await leggi(indirizzo, risposta, suByte));
  const copia = leggi(indirizzo, risposta.clone(), suByte);
  try {
    const modulo = await WebAssembly.compileStreaming(risposta);
    await copia;
    return modulo;
  } catch (e) {
    // An engine that fails to stream what it could compile whole (or fails with another error
    // than a compile error, as Firefox does with a file cut short) compiles the copy: what did
    // not arrive whole fails here, and nothing is fetched twice.
    return compilaTutto(indirizzo, await copia);
  }
}

// The program's code defines its factory, createQtAppInstance, in the page's global scope; it is
// loaded once, and again only after it failed to.
let codiceCaricato = null;

function caricaCodice(indirizzo) {
  codiceCaricato = codiceCaricato || new Promise((fatto, fallito) => {
    const script = document.createElement("script");
    script.src = indirizzo;
    script.onload = fatto;
    script.onerror = () => {
      script.remove();
      codiceCaricato = null;
      fallito(new ProgrammaNonArrivato(indirizzo + ": not loaded"));
    };
    document.head.appendChild(script);
  });
  return codiceCaricato;
}

// opzioni: nome (the program's file name without extension), canvas, byte (the size of both
// files, for the share loaded), and, each optional, argomenti, ambiente (environment variables),
// suAvanzamento(share from 0 to 1), stampa(line), stampaErrore(line), suUscita(code),
// suErrore(text). Resolves once the program runs; rejects with ProgrammaNonArrivato when a file
// did not arrive whole.
async function avviaProgramma(opzioni) {
  const ricevuti = { js: 0, wasm: 0 };
  const avanza = () => {
    if (opzioni.suAvanzamento && opzioni.byte)
      opzioni.suAvanzamento(Math.min(1, (ricevuti.js + ricevuti.wasm) / opzioni.byte));
  };
  const codice = new URL(opzioni.nome + ".js", document.baseURI).href;
  const [, modulo] = await Promise.all([
    caricaCodice(codice).then(() => {
      // A script tells its size only once it has all arrived.
      const voce = performance.getEntriesByName(codice).pop();
      ricevuti.js = voce ? voce.decodedBodySize : 0;
      avanza();
    }),
    compila(opzioni.nome + ".wasm", (n) => { ricevuti.wasm = n; avanza(); }),
  ]);
  performance.mark("capacita-compilato");
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
