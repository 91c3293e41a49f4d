// The page around the game: scaling, messages, the end screen, and the settings the program
// reads as it starts (the Module object of emscripten's loader).
'use strict';

var vantorPage = (function () {
  var width = 640, height = 480;
  // A whole-number scale (sharp pixels) is kept while it fills at least this share of the room.
  var wholeScaleShare = 0.85;
  var screen = document.getElementById('screen');
  var canvas = document.getElementById('canvas');
  var status = document.getElementById('status');
  var sound = document.getElementById('sound');
  var end = document.getElementById('end');
  var lastProblem = '';
  var over = false;

  function fit() {
    var room = Math.min(window.innerWidth / width, window.innerHeight / height);
    var whole = Math.floor(room);
    var sharp = whole >= 1 && whole >= room * wholeScaleShare;
    var scale = sharp ? whole : room;
    screen.style.width = Math.floor(width * scale) + 'px';
    screen.style.height = Math.floor(height * scale) + 'px';
    screen.classList.toggle('sharp', sharp);
  }

  function show(text, problem) {
    status.textContent = text;
    status.classList.toggle('problem', !!problem);
    status.hidden = false;
  }

  function failed(why) {
    if (over) return;
    over = true;
    sound.hidden = true;
    show('Vantor cannot start: ' + why + '. Reload the page to try again.', true);
  }

  // Browsers hold a page's sound until the player presses a key or clicks.
  function soundStarted() {
    sound.hidden = true;
    ['keydown', 'mousedown', 'touchstart'].forEach(function (name) {
      window.removeEventListener(name, soundStarted, true);
    });
  }

  fit();
  window.addEventListener('resize', fit);
  ['keydown', 'mousedown', 'touchstart'].forEach(function (name) {
    window.addEventListener(name, soundStarted, true);
  });
  window.addEventListener('error', function (event) {
    failed(event.message || 'a file of the game could not be loaded');
  });
  document.getElementById('again').addEventListener('click', function () { location.reload(); });
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });

  if (typeof WebAssembly !== 'object') {
    failed('this browser does not run WebAssembly');
  }

  var args = [];
  var query = new URLSearchParams(location.search);
  // Every frame's trace line in the console, for tests and the curious.
  if (query.has('trace')) args.push('--trace', '/dev/stdout');

  window.Module = {
    canvas: canvas,
    arguments: args,
    print: function (line) { console.log(line); },
    printErr: function (line) {
      // The host's warnings are for the player too; its lines start with its name.
      lastProblem = line.replace(/^vantor: /, '');
      console.warn(line);
    },
    setStatus: function (text) {
      var progress = /\((\d+(\.\d+)?)\/(\d+)\)/.exec(text);
      if (progress) show('Loading Vantor… ' + Math.round(100 * progress[1] / progress[3]) + '%');
    },
    onRuntimeInitialized: function () {
      status.hidden = true;
      if (!soundStartedAlready()) sound.hidden = false;
      canvas.focus();
    },
    onAbort: function (what) { failed(lastProblem || String(what)); },
    onExit: function (code) {
      if (code !== 0) failed(lastProblem || 'it stopped with status ' + code);
    },
    vantorEnded: function (code) {
      if (code !== 0) { failed(lastProblem || 'it stopped with status ' + code); return; }
      over = true;
      sound.hidden = true;
      end.hidden = false;
      document.getElementById('again').focus();
    }
  };

  function soundStartedAlready() {
    return !!navigator.userActivation && navigator.userActivation.hasBeenActive;
  }

  return { failed: failed };
})();
