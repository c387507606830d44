// The page's side of read-aloud (see voice.h): the browser's speechSynthesis in an Italian voice
// of the system. Browsers list their voices late (Chromium and Firefox after "voiceschanged"), so
// the first text may wait for them; where no Italian voice comes, nothing is said and the console
// says why, once. Its state is Module.capacitaVoice: the voice, the text waiting for it, whether
// the console was told.

// The first Italian voice the browser offers, or null.
function voiceItalian() {
  var voices = speechSynthesis.getVoices();
  for (var i = 0; i < voices.length; i++) {
    if (/^it([-_]|$)/i.test(voices[i].lang))
      return voices[i];
  }
  return null;
}

// Says the waiting text, cutting off what is being said.
function voiceSpeak(state) {
  if (!state.voice || state.waiting === null)
    return;
  var utterance = new SpeechSynthesisUtterance(state.waiting);
  utterance.voice = state.voice;
  utterance.lang = state.voice.lang;
  // A little slower than the engine's own pace, for eight-year-olds who follow every word.
  utterance.rate = 0.9;
  state.waiting = null;
  speechSynthesis.cancel();
  speechSynthesis.speak(utterance);
}

function voiceSilent(state, why) {
  if (!state.told)
    console.warn("capacita: " + why + ": read-aloud stays silent");
  state.told = true;
  state.waiting = null;
}

// Looks for the voice now and each time the browser's list changes; a list still without an
// Italian voice a few seconds on is taken as final.
function voiceStart() {
  var state = { voice: null, waiting: null, told: false };
  if (typeof speechSynthesis === "undefined" || typeof SpeechSynthesisUtterance === "undefined") {
    voiceSilent(state, "the browser has no speech synthesis");
    return state;
  }
  var look = function () {
    state.voice = voiceItalian();
    voiceSpeak(state);
  };
  speechSynthesis.addEventListener("voiceschanged", look);
  look();
  setTimeout(function () {
    if (!state.voice)
      voiceSilent(state, "the browser has no Italian voice");
  }, 3000);
  return state;
}

mergeInto(LibraryManager.library, {
  $voiceItalian: voiceItalian,
  $voiceSpeak: voiceSpeak,
  $voiceSilent: voiceSilent,
  $voiceStart: voiceStart,
  $voiceStart__deps: ["$voiceItalian", "$voiceSpeak", "$voiceSilent"],

  capacita_voice_say__deps: ["$voiceStart", "$voiceSpeak"],
  capacita_voice_say: function (text) {
    var state = Module.capacitaVoice || (Module.capacitaVoice = voiceStart());
    if (state.told && !state.voice)
      return;
    state.waiting = UTF8ToString(text);
    voiceSpeak(state);
  },
});
