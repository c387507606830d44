"""A speech-dispatcher of the test's own, on a socket in a folder of the test's, that a program
reaches through SPEECHD_ADDRESS. Its one module logs the language and the text of each utterance,
one a line, and, where it speaks, writes what espeak-ng says of it, in the voice of that language,
to a WAV file of its own: nothing reaches a sound device. It ends by its process id."""

import ctypes
import glob
import os
import shlex
import signal
import subprocess
import time

from verifiche import Fallito, attendi, verifica

SERVER = """LogLevel 3
LogDir "{cartella}/log"
AudioOutputMethod "libao"
AddModule "registro" "sd_generic" "registro.conf"
DefaultModule registro
DefaultLanguage "it"
"""
# speech-dispatcher gives the text with its single quotes escaped for the shell, and puts it in
# place of its first $DATA only: the command keeps it in a variable.
MODULO = r"""GenericExecuteSynth "T=\'$DATA\'; echo '$LANGUAGE' \"$T\" >> {detti}{parla}"
GenericCmdDependency "espeak-ng"
{lingue}
GenericRateAdd 175
GenericRateMultiply 1
"""
PARLA = r'; espeak-ng -v $VOICE -s $RATE -w {suoni}/$(date +%s%N).wav \"$T\"'


def _muore_con_il_padre():
    """In the child, before it runs: killed when the process that started it ends."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class ServerVoce:
    """parla: whether each utterance is also spoken into a WAV file; lingue: the languages of its
    voices, one each."""

    def __init__(self, cartella, parla=True, lingue=("it", "en")):
        self.cartella = cartella
        self.suoni = os.path.join(cartella, "suoni")
        self.registro = os.path.join(cartella, "detti.txt")
        socket = os.path.join(cartella, "socket")
        os.makedirs(os.path.join(cartella, "modules"), exist_ok=True)
        os.makedirs(os.path.join(cartella, "log"), exist_ok=True)
        os.makedirs(self.suoni, exist_ok=True)
        with open(os.path.join(cartella, "speechd.conf"), "w") as f:
            f.write(SERVER.format(cartella=cartella))
        with open(os.path.join(cartella, "modules", "registro.conf"), "w") as f:
            f.write(MODULO.format(detti=shlex.quote(self.registro),
                                  lingue="\n".join('GenericLanguage "%s" "%s" "utf-8"\nAddVoice "%s" "MALE1" "%s"' % (l, l, l, l)
                                                   for l in lingue),
                                  parla=PARLA.format(suoni=shlex.quote(self.suoni)) if parla else ""))
        # libao's null driver stands for the sound device the module opens and never uses.
        with open(os.path.join(cartella, ".libao"), "w") as f:
            f.write("default_driver=null\n")
        open(self.registro, "w").close()
        # Ended by termina(); and by the system with the test, should the test itself be killed.
        self.processo = subprocess.Popen(
            ["speech-dispatcher", "-s", "-C", cartella, "-S", socket, "-t", "0",
             # A pid file of its own: another server of the test's may be running beside it.
             "-P", os.path.join(cartella, "pid")],
            env=dict(os.environ, HOME=cartella), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_muore_con_il_padre)
        self.indirizzo = "unix_socket:" + socket
        try:
            attendi(lambda: os.path.exists(socket) or self.processo.poll() is not None, "the speech server's socket", 10)
            verifica(self.processo.poll() is None, "the speech server in %s did not start" % cartella)
        except Fallito:
            self.termina()
            raise

    def detti(self):
        """What the server was given so far: (language, text) in order."""
        with open(self.registro, encoding="utf-8") as f:
            return [tuple(riga.rstrip("\n").split(" ", 1)) for riga in f if riga.strip()]

    def attendi(self, condizione, cosa, dopo=0, secondi=10):
        """The first text said from the dopo-th on for which condizione holds, in Italian."""
        fine = time.monotonic() + secondi
        while True:
            for lingua, testo in self.detti()[dopo:]:
                if condizione(testo):
                    verifica(lingua == "it", "%r was said in %r, not in Italian" % (testo, lingua))
                    return testo
            if time.monotonic() > fine:
                raise Fallito("the voice did not say %s; it said %r" % (cosa, self.detti()[dopo:][-8:]))
            time.sleep(0.05)

    def ampiezze(self):
        """The RMS amplitude of each WAV written so far, as sox measures it."""
        ampiezze = []
        for wav in sorted(glob.glob(os.path.join(self.suoni, "*.wav"))):
            stat = subprocess.run(["sox", wav, "-n", "stat"], capture_output=True, text=True).stderr
            righe = [r for r in stat.splitlines() if r.startswith("RMS     amplitude")]
            ampiezze.append(float(righe[0].split(":")[1]) if righe else 0.0)
        return ampiezze

    def termina(self):
        if self.processo.poll() is None:
            self.processo.kill()
            self.processo.wait()
