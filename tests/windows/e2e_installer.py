#!/usr/bin/python3
"""The Windows installers under Wine, as a teacher or a school's technician and a pupil meet them:
a silent install, the installed program started from where the installer put it, the typical road
with real clicks on the X server (windows found by their titles, the verdict read from the
screen's pixels), its end with 0, and a silent uninstall that leaves nothing of the program behind.
The NSIS installer's program ends on "E S C I". The Windows Installer package (.msi), as Group
Policy and Intune run it: a truncated copy is refused and leaves nothing; the package installs
with msiexec; its program starts from the Start-menu shortcut and ends on File > Esci; a package of
a higher version, made from FOLDER, replaces it with one entry; msiexec removes it.

Usage: e2e_installer.py INSTALLER PICTURES [FOLDER], with WINEPREFIX and DISPLAY set; FOLDER, for
a .msi, is the folder of files its packages are made from."""

import getpass
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from finestre_x import con_titolo, geometria, xdotool  # noqa: E402
from programma import TITOLO_MENU, TITOLO_MULTIPLI, px  # noqa: E402
from verifiche import Fallito, attendi, verifica  # noqa: E402

PREFIX = os.environ["WINEPREFIX"]
LAVORO = os.path.dirname(PREFIX)  # this run's own folder, which goes with it
CARTELLA = os.path.join(PREFIX, "drive_c", "Program Files", "Misure di capacità")
PROGRAMMA = os.path.join(CARTELLA, "bin", "capacita.exe")
MENU_START = os.path.join(PREFIX, "drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                          "Misure di capacità")
DISINSTALLAZIONI = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall"
CHIAVE = DISINSTALLAZIONI + r"\capacita"
# The package's Start-menu shortcut, in the Programs of every user as Windows puts it for an install
# per machine; Wine 8's msiexec puts it in the Programs of the user who installs.
# The shortcuts with read-aloud on and with switch scanning on, and the option each passes.
CON_OPZIONE = {"Misure di capacità (con la voce).lnk": "--voce", "Misure di capacità (con un sensore).lnk": "--scansione"}
PROGRAMMI_MSI = [os.path.dirname(MENU_START),
                 os.path.join(PREFIX, "drive_c", "users", getpass.getuser(), "AppData", "Roaming",
                              "Microsoft", "Windows", "Start Menu", "Programs")]
COLLEGAMENTI_MSI = [os.path.join(cartella, "Misure di capacità.lnk") for cartella in PROGRAMMI_MSI]
MAKE_MSI = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging", "windows", "make-msi.py")
ICONA = os.path.join(os.path.dirname(MAKE_MSI), "..", "capacita.ico")

ROSA_MENU = (255, 192, 255)
SFONDO_QUIZ = (255, 224, 192)
ARANCIO = (255, 128, 0)


def esegui(*argomenti, **opzioni):
    return subprocess.run(list(argomenti), capture_output=True, text=True, errors="replace", **opzioni)


def finestra(titolo):
    """The X window with exactly this title, or None."""
    return con_titolo(titolo, "--name", ".")


class Schermo:
    """One screenshot of the whole screen, read pixel by pixel."""

    def __init__(self, salva=None):
        ppm = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                             check=True).stdout
        # "P6", width, height and 255, each followed by one blank; then the pixels.
        intestazione = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", ppm)
        verifica(intestazione, "not an 8-bit screenshot")
        self.larghezza, self.altezza = int(intestazione.group(1)), int(intestazione.group(2))
        self.dati = ppm[intestazione.end():]
        if salva:
            subprocess.run(["import", "-silent", "-window", "root", salva], check=True)

    def pixel(self, x, y):
        i = 3 * (y * self.larghezza + x)
        return tuple(self.dati[i:i + 3])

    def conta(self, colore, x0, y0, x1, y1):
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if self.pixel(x, y) == colore)

    def primo(self, colore, x, y0):
        """The first row from y0 down where column x has this colour: the top of a client area."""
        for y in range(y0, self.altezza):
            if self.pixel(x, y) == colore:
                return y
        raise Fallito("no pixel of %r in column %d" % (colore, x))


def clicca(origine, left, top, width, height, tasto="click"):
    """A real click at the centre of a control laid out in twips, in a client area at origine."""
    x = origine[0] + px(left) + (px(left + width) - px(left)) // 2
    y = origine[1] + px(top) + (px(top + height) - px(top)) // 2
    xdotool("mousemove", x, y, tasto, 1)
    return x, y


def installa(installatore):
    # Elevated for an administrator, unelevated for anyone else, so that anyone can install.
    with open(installatore, "rb") as f:
        verifica(b'requestedExecutionLevel level="highestAvailable"' in f.read(),
                 "the installer does not let a user without administrator rights install")
    r = esegui("wine", installatore, "/S")
    verifica(r.returncode == 0, "the installer ended with %d" % r.returncode)
    verifica(os.path.isfile(PROGRAMMA), "no program at %s" % PROGRAMMA)
    for voce in ("Misure di capacità.lnk", *CON_OPZIONE, "Uninstall.lnk"):
        collegamento = os.path.join(MENU_START, voce)
        verifica(os.path.isfile(collegamento), "no Start-menu entry at %s" % collegamento)
    con_opzioni(MENU_START)
    for licenza in ("LICENSE.txt", "NOTICE.txt", "LGPL-3.txt"):
        verifica(os.path.isfile(os.path.join(CARTELLA, licenza)), "%s was not installed" % licenza)
    verifica(esegui("wine", "reg", "query", CHIAVE).returncode == 0, "no uninstall entry in the registry")


def menu_principale(immagine=None):
    """The main menu once it fills the screen, and where its client area begins."""
    menu = attendi(lambda: finestra(TITOLO_MENU), "the main menu")
    larghezza, altezza = Schermo().larghezza, Schermo().altezza
    attendi(lambda: geometria(menu) == (0, 0, larghezza, altezza), "the main menu filling the screen")
    time.sleep(0.5)
    schermo = Schermo(immagine)
    # No frame: the client area, below the menu bar, reaches the screen's left edge.
    origine = (0, schermo.primo(ROSA_MENU, 2, 0))
    verifica(0 < origine[1] < 60, "the main menu's menu bar is %d px tall" % origine[1])
    return menu, origine


def strada_tipica(immagini, da_file=False, argomenti=()):
    """The road, the program ended on "E S C I", or with da_file on File > Esci."""
    programma = subprocess.Popen(["wine", PROGRAMMA, *argomenti], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        menu, origine_menu = menu_principale(os.path.join(immagini, "menu.png"))
        larghezza, altezza = Schermo().larghezza, Schermo().altezza

        # "Info" held: the information window at the top centre; released, it goes.
        clicca(origine_menu, 4590, 6630, 6675, 315, "mousedown")
        info = attendi(lambda: finestra("INFO"), "the information window")
        x, y, w, _ = geometria(info)
        verifica(abs(x - (larghezza - w) / 2) <= 2 and y <= 2,
                 "the information window at %d,%d, %d wide, not at the top centre" % (x, y, w))
        xdotool("mousemove", 20, altezza - 20, "mouseup", 1)
        attendi(lambda: not finestra("INFO"), "the information window to close")

        clicca(origine_menu, 4590, 3060, 4770, 705)
        quiz = attendi(lambda: finestra(TITOLO_MULTIPLI), "the multiples window")
        attendi(lambda: geometria(quiz)[2] >= larghezza and geometria(quiz)[3] >= altezza - 40,
                "the multiples window maximised (%r)" % (geometria(quiz),))
        time.sleep(0.5)
        schermo = Schermo()
        origine = (max(geometria(quiz)[0], 0), schermo.primo(SFONDO_QUIZ, 2, max(geometria(quiz)[1], 0)))
        esito = (origine[0] + px(540), origine[1] + px(3630), origine[0] + px(540 + 7785), origine[1] + px(3630 + 1320))
        verifica(schermo.conta(ARANCIO, *esito) == 0, "a verdict before any answer")

        clicca(origine, 540, 6030, 1695, 525)      # the answer "10"
        time.sleep(0.3)
        clicca(origine, 540, 5070, 7785, 540)      # "Verifica"
        attendi(lambda: Schermo().conta(ARANCIO, *esito) > 200, "the verdict in orange")
        Schermo(os.path.join(immagini, "multipli.png"))

        # The window's close command (Alt+F4) unloads it; the main menu carries on.
        print("multiples window at %r" % (geometria(quiz),))
        xdotool("key", "--window", quiz, "alt+F4")
        attendi(lambda: not finestra(TITOLO_MULTIPLI), "the multiples window to close")
        verifica(programma.poll() is None, "the program ended with its quiz window")

        if da_file:
            # "File" on the menu bar above the client area, then "Esci", the first item of the menu
            # it drops down.
            xdotool("mousemove", 15, origine_menu[1] // 2, "click", 1)
            time.sleep(0.5)
            xdotool("mousemove", 25, origine_menu[1] + 10, "click", 1)
        else:
            clicca(origine_menu, 4590, 5700, 6690, 705)  # "E S C I"
        try:
            codice = programma.wait(30)
        except subprocess.TimeoutExpired:
            raise Fallito("the program did not end")
        verifica(codice == 0, "the program ended with %d" % codice)
    finally:
        if programma.poll() is None:
            programma.kill()


def con_un_sensore():
    """The installed program with switch scanning, a step of half a second: the frame comes round
    "IL LITRO E I SUOI MULTIPLI" again, Space there opens the multiples window, and the frame goes
    with it."""
    giallo = (255, 255, 0)
    programma = subprocess.Popen(["wine", PROGRAMMA, "--scansione=0.5"], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
    try:
        _, origine = menu_principale()
        # Just right of the button: the frame's yellow.
        x, y = origine[0] + px(4590 + 4770) + 2, origine[1] + px(3060 + 705 // 2)
        attendi(lambda: Schermo().pixel(x, y) != giallo, "the frame to move on from the first button")
        attendi(lambda: Schermo().pixel(x, y) == giallo, "the frame back round the first button")
        xdotool("key", "space")
        attendi(lambda: finestra(TITOLO_MULTIPLI), "the multiples window opened with the switch")
        attendi(lambda: (lambda s: s.conta(giallo, 0, 0, s.larghezza, s.altezza) > 100)(Schermo()),
                "the frame in the multiples window")
    finally:
        programma.kill()
        programma.wait()
        attendi(lambda: not finestra(TITOLO_MENU), "the program to go")


def disinstalla():
    r = esegui("wine", os.path.join(CARTELLA, "Uninstall.exe"), "/S")
    verifica(r.returncode == 0, "the uninstaller ended with %d" % r.returncode)
    # The uninstaller runs on from a copy of itself; wait until it is done.
    attendi(lambda: not os.path.exists(CARTELLA), "the program's folder to go")
    verifica(not os.path.exists(MENU_START), "the Start-menu entry is still there")
    verifica(esegui("wine", "reg", "query", CHIAVE).returncode != 0, "the uninstall entry is still in the registry")


def installati():
    """The entries of the installed programs that name the program: (subkey, values) each."""
    export = os.path.join(LAVORO, "disinstallazioni.reg")
    verifica(esegui("wine", "regedit", "/E", export, DISINSTALLAZIONI).returncode == 0, "regedit did not export")
    with open(export, encoding="utf-16") as f:
        voci, valori = [], None
        for riga in f.read().splitlines():
            if riga.startswith("["):
                valori = {}
                voci.append((riga.strip("[]"), valori))
            elif valori is not None and riga.startswith('"') and '"="' in riga:
                nome, valore = riga[1:-1].split('"="', 1)
                valori[nome] = valore.replace("\\\\", "\\")
    return [(k, v) for k, v in voci if v.get("DisplayName") == "Misure di capacità"]


def msiexec(*argomenti):
    """msiexec, silent as Group Policy and Intune run it; its exit code."""
    return esegui("wine", "msiexec", *argomenti, "/qn").returncode


def con_opzioni(cartella):
    """The shortcuts in cartella beside the program's own start the installed program with their
    options."""
    for nome, opzione in CON_OPZIONE.items():
        collegamento = os.path.join(cartella, nome)
        with open(collegamento, "rb") as f:
            destinazione = f.read()
        # A shortcut holds its target and its arguments each in one of two encodings.
        def tiene(testo):
            return any(testo.encode(codifica) in destinazione for codifica in ("cp1252", "utf-16-le"))
        verifica(tiene(r"\Misure di capacità\bin\capacita.exe") and tiene(opzione),
                 "the shortcut %s does not start the installed program with %s" % (collegamento, opzione))


def niente_rimasto():
    verifica(not os.path.exists(CARTELLA), "the program's folder is there")
    verifica(not any(os.path.exists(os.path.join(c, n)) for c in PROGRAMMI_MSI for n in ("Misure di capacità.lnk", *CON_OPZIONE)),
             "a Start-menu shortcut is there")
    verifica(installati() == [], "the program is among the installed programs")


def pacchetto_msi(pacchetto, immagini, cartella):
    rotto = os.path.join(LAVORO, "troncato.msi")
    with open(pacchetto, "rb") as f, open(rotto, "wb") as g:
        g.write(f.read()[:os.path.getsize(pacchetto) // 2])
    verifica(msiexec("/i", rotto) != 0, "msiexec took a truncated package")
    niente_rimasto()

    codice = msiexec("/i", pacchetto)
    verifica(codice == 0, "msiexec /i ended with %d" % codice)
    verifica(os.path.isfile(PROGRAMMA), "no program at %s" % PROGRAMMA)
    for licenza in ("LICENSE.txt", "NOTICE.txt", "LGPL-3.txt"):
        verifica(os.path.isfile(os.path.join(CARTELLA, licenza)), "%s was not installed" % licenza)
    collegamento = next((c for c in COLLEGAMENTI_MSI if os.path.isfile(c)), None)
    verifica(collegamento, "no Start-menu shortcut at %s" % " or ".join(COLLEGAMENTI_MSI))
    con_opzioni(os.path.dirname(collegamento))
    voci = installati()
    verifica(len(voci) == 1 and voci[0][1].get("DisplayVersion") == "1.0.0" and voci[0][1].get("Publisher") == "Seed"
             and voci[0][1].get("URLInfoAbout") == "https://www.example.org",
             "the installed programs say %r" % voci)
    # Started through the shortcut, the program opens its main menu, and "E S C I" ends it. Wine's
    # start does not wait for what a shortcut starts, so the road then starts the program the
    # shortcut names as a child of its own, whose exit code it sees.
    with open(collegamento, "rb") as f:
        destinazione = f.read()
    verifica(any(r"\Misure di capacità\bin\capacita.exe".encode(codifica) in destinazione
                 for codifica in ("cp1252", "utf-16-le")), "the shortcut does not name the installed program")
    subprocess.run(["wine", "start", "/unix", collegamento], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    clicca(menu_principale()[1], 4590, 5700, 6690, 705)  # "E S C I"
    attendi(lambda: not finestra(TITOLO_MENU) and "capacita.exe" not in esegui("ps", "-eo", "args").stdout,
            "the program started through the shortcut to end")
    # Read-aloud on: Wine has no voice, and the road goes as ever, silent.
    strada_tipica(immagini, da_file=True, argomenti=["--voce"])

    # A package of a higher version replaces this one.
    superiore = os.path.join(LAVORO, "capacita-1.0.1-win64.msi")
    subprocess.run([sys.executable, MAKE_MSI, cartella, "1.0.1", ICONA, superiore], check=True, capture_output=True)
    codice = msiexec("/i", superiore)
    verifica(codice == 0, "msiexec /i of version 1.0.1 ended with %d" % codice)
    voci = installati()
    verifica([v.get("DisplayVersion") for _, v in voci] == ["1.0.1"], "the installed programs say %r" % voci)
    verifica(os.path.isfile(PROGRAMMA), "the upgrade left no program")

    codice = msiexec("/x", superiore)
    verifica(codice == 0, "msiexec /x ended with %d" % codice)
    niente_rimasto()
    verifica(esegui("wine", "reg", "query", r"HKLM\Software\capacita").returncode != 0, "the package's key is still there")


def main():
    installatore, immagini = sys.argv[1], sys.argv[2]
    os.makedirs(immagini, exist_ok=True)
    inizio = time.monotonic()
    try:
        if installatore.endswith(".msi"):
            pacchetto_msi(installatore, immagini, sys.argv[3])
        else:
            installa(installatore)
            strada_tipica(immagini)
            con_un_sensore()
            disinstalla()
    except Fallito as errore:
        print("FAIL windows installer %s: %s" % (os.path.basename(installatore), errore))
        return 1
    print("PASS windows installer %s: installed, used, ended with 0, uninstalled (%.1f s)"
          % (os.path.basename(installatore), time.monotonic() - inizio))
    print("pictures under Wine: %s" % immagini)
    return 0


if __name__ == "__main__":
    sys.exit(main())
