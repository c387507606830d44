// The site's page: starts the program in its canvas (see avvio.js), shows how much of it has
// arrived, and says in Italian what keeps it from running. The program's file name and size come
// from this script's own element, so that the page holds no script of its own and runs under a
// policy that allows only the site's scripts.
"use strict";
const impostazioni = document.currentScript.dataset;
const schermo = document.getElementById("schermo");
const caricamento = document.getElementById("caricamento");
const interrotto = document.getElementById("interrotto");

function avvisa(testo) {
  const avviso = document.getElementById("avviso");
  avviso.textContent = testo;
  caricamento.hidden = true;
  interrotto.hidden = true;
  schermo.style.visibility = "hidden";
  avviso.hidden = false;
}

function supportaWebGL() {
  try {
    return !!document.createElement("canvas").getContext("webgl");
  } catch (e) {
    return false;
  }
}

function mostraAvanzamento(quota) {
  const percento = Math.floor(quota * 100);
  document.getElementById("avanzamento").value = percento;
  document.getElementById("percentuale").textContent = "Caricamento del programma: " + percento + "%";
}

// Once the program has ended its windows are gone: the page says so instead of an empty canvas.
window.addEventListener("capacita-terminato", () => {
  schermo.style.visibility = "hidden";
  document.getElementById("fine").hidden = false;
  document.getElementById("riavvia").focus();
});
document.getElementById("riavvia").addEventListener("click", () => location.reload());
document.getElementById("riprova").addEventListener("click", avvia);

// The site's files are kept at the first visit, so that the page starts without a network;
// only once the program runs, so that keeping them does not share the line with the program's
// own download, and never half a site.
function tieniIlSito() {
  if ("serviceWorker" in navigator && window.isSecureContext)
    navigator.serviceWorker.register("sw.js").catch((e) => console.warn("the site is not kept: " + e));
}

// "?voce" in the page's address turns read-aloud on, as --voce does on the desktop, and
// "?scansione" (or "?scansione=SECONDI") switch scanning, as --scansione does: a teacher bookmarks
// the address, or embeds it in a class page, for one pupil.
function opzioni() {
  const indirizzo = new URLSearchParams(location.search);
  const passo = indirizzo.get("scansione");
  return [
    ...(indirizzo.has("voce") ? ["--voce"] : []),
    ...(passo === null ? [] : [passo ? "--scansione=" + passo : "--scansione"]),
  ];
}

function avvia() {
  interrotto.hidden = true;
  caricamento.hidden = false;
  mostraAvanzamento(0);
  avviaProgramma({
    nome: impostazioni.programma,
    canvas: schermo,
    byte: Number(impostazioni.byte),
    argomenti: opzioni(),
    suAvanzamento: mostraAvanzamento,
    suErrore: (testo) => avvisa("Il programma si è interrotto per un errore: " + testo),
  }).then((programma) => {
    caricamento.hidden = true;
    // The running program, for whoever inspects the page (its memory, for one).
    window.capacita = programma;
    tieniIlSito();
  }, (errore) => {
    if (!(errore instanceof ProgrammaNonArrivato)) {
      avvisa("Non è stato possibile avviare il programma: " + errore.message);
      return;
    }
    // The line dropped, or a file is missing on the server: the teacher may try again.
    console.warn(errore.message);
    caricamento.hidden = true;
    interrotto.hidden = false;
    document.getElementById("riprova").focus();
  });
}

if (typeof WebAssembly !== "object") {
  avvisa("Questo browser non può avviare il programma: non conosce WebAssembly. Aggiornarlo o usare un altro browser.");
} else if (!supportaWebGL()) {
  avvisa("Questo browser non può avviare il programma: WebGL non è disponibile. Attivarlo nelle impostazioni o usare un altro browser.");
} else {
  avvia();
}
