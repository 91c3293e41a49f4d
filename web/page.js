// The page around the game: scaling, messages, the end screen, replays to watch (watch.js) and
// the best game to download, and the settings the program reads as it starts (the Module object
// of emscripten's loader).
'use strict';

(function () {
  var width = 640, height = 480;
  // A whole-number scale (sharp pixels) is kept while it fills at least this share of the room.
  var wholeScaleShare = 0.85;
  // The touch controls go beside or below the picture while it keeps this share of its size.
  var touchOutsideShare = 0.8;
  var screen = document.getElementById('screen');
  var canvas = document.getElementById('canvas');
  var status = document.getElementById('status');
  var sound = document.getElementById('sound');
  var end = document.getElementById('end');
  var bar = document.getElementById('bar');
  var watchingNote = document.getElementById('watching');
  var best = document.getElementById('best');
  var picker = document.getElementById('picker');
  var dropping = document.getElementById('dropping');
  var stage = document.getElementById('stage');
  var touchPanel = document.getElementById('touch');
  var notice = document.getElementById('notice');
  var noticeText = document.getElementById('notice-text');
  var bestReplay = '/save/best.replay';
  var watching = null;   // the replay being watched, or null in play
  var lastProblem = '';
  var started = false;   // the game has started: its frames run
  var over = false;      // ended or failed: nothing more to say

  // The picture as large as the visible part of the page allows, whole, in either orientation.
  // With touch controls it leaves them room beside it (landscape) or below it (portrait) when that
  // costs little of its size, and lies under their translucent buttons otherwise.
  function fit() {
    var view = window.visualViewport;
    var roomWidth = view ? view.width : window.innerWidth;
    var roomHeight = (view ? view.height : window.innerHeight) - bar.offsetHeight;
    stage.style.bottom = touchPanel.style.bottom = bar.offsetHeight + 'px';
    var room = Math.min(roomWidth / width, roomHeight / height);
    if (VantorTouch.shown()) {
      var reach = VantorTouch.reach();
      var beside = Math.min((roomWidth - 2 * reach.side) / width, roomHeight / height);
      var below = Math.min(roomWidth / width, (roomHeight - 2 * reach.below) / height);
      var outside = Math.max(beside, below);
      if (outside >= room * touchOutsideShare) room = outside;
    }
    var whole = Math.floor(room);
    var sharp = whole >= 1 && whole >= room * wholeScaleShare;
    var scale = sharp ? whole : room;
    screen.style.width = Math.floor(width * scale) + 'px';
    screen.style.height = Math.floor(height * scale) + 'px';
    screen.classList.toggle('sharp', sharp);
  }

  function show(text, problem) {
    if (over && !problem) return;
    status.textContent = text;
    status.classList.toggle('problem', !!problem);
    status.hidden = false;
  }

  // What went wrong, in the player's words: a file the loader could not fetch is named.
  function describe(what) {
    var text = String(what);
    var file = /(vantor\.(?:wasm|data|js))/.exec(text) || (/wasm/.test(text) && [0, 'vantor.wasm']);
    if (file && /fetch|Not Found|failed|404|status/i.test(text)) {
      return 'the file ' + file[1] + ' could not be downloaded';
    }
    return text.replace(/^(Uncaught )?(Runtime)?Error: /, '').replace(/^Aborted\((.*)\)$/, '$1');
  }

  // A warning of the host's (the terminal's reader sees it there): said in the bar, under the
  // game, one line each, until the player dismisses them. A file the page keeps is not the
  // player's to delete.
  function warn(message) {
    var text = message.replace(/^warning: /, '').replace(/\(delete the file to start again from 0\)/,
      '(clear this site\'s data in the browser to start again from 0)');
    text = text.charAt(0).toUpperCase() + text.slice(1);
    noticeText.textContent = notice.hidden ? text : noticeText.textContent + '\n' + text;
    notice.hidden = false;
    fit();
  }

  function failed(why) {
    if (over) return;
    over = true;
    sound.hidden = true;
    // The game's refusal of a replay names the file as the page stored it.
    var refused = /^cannot play the replay /.test(why);
    if (refused && watching) why = why.replace(watching.path, watching.name);
    show((refused ? 'Vantor ' : started ? 'Vantor stopped: ' : 'Vantor cannot start: ') + why +
         (refused ? '. Choose another replay below.' : '. Reload the page to try again.'), true);
  }

  function note(text, problem) {
    watchingNote.textContent = text;
    watchingNote.classList.toggle('problem', !!problem);
    watchingNote.hidden = false;
  }

  // A file the player picked or dropped: the page starts afresh to watch it.
  function choose(file) {
    if (!file) return;
    note('Opening ' + file.name + '…');
    VantorWatch.choose(file).catch(function (why) {
      note('Cannot watch ' + file.name + ': ' + why.message, true);
    });
  }

  function offerBestGame() {
    best.hidden = !(window.Module.FS && window.Module.FS.analyzePath(bestReplay).exists);
  }

  fit();
  window.addEventListener('resize', fit);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', fit);
  VantorTouch.whenShown(fit);
  window.addEventListener('error', function (event) {
    failed(describe(event.message || 'a file of the game could not be loaded'));
  });
  window.addEventListener('unhandledrejection', function (event) {
    failed(describe(event.reason && event.reason.message || event.reason));
  });
  document.getElementById('again').addEventListener('click', function () {
    if (watching) location.assign(VantorWatch.pageWithoutLink()); else location.reload();
  });
  document.getElementById('open').addEventListener('click', function () {
    picker.click();
    canvas.focus();   // the game's keys stay the game's, whatever the dialog's end
  });
  picker.addEventListener('change', function () { choose(picker.files[0]); });
  best.addEventListener('click', function () {
    VantorWatch.download(window.Module.FS.readFile(bestReplay), 'best.replay');
    canvas.focus();
  });
  document.addEventListener('dragover', function (event) {
    if (!event.dataTransfer || Array.prototype.indexOf.call(event.dataTransfer.types, 'Files') < 0) return;
    event.preventDefault();
    dropping.hidden = false;
  });
  document.addEventListener('dragleave', function () { dropping.hidden = true; });
  document.addEventListener('drop', function (event) {
    dropping.hidden = true;
    if (!event.dataTransfer || !event.dataTransfer.files.length) return;
    event.preventDefault();
    choose(event.dataTransfer.files[0]);
  });
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  document.getElementById('notice-done').addEventListener('click', function () {
    notice.hidden = true;
    fit();
    canvas.focus();
  });

  var args = [];
  var query = new URLSearchParams(location.search);
  // Every frame's trace line in the console, for tests and the curious.
  if (query.has('trace')) args.push('--trace', '/dev/stdout');

  window.Module = {
    canvas: canvas,
    arguments: args,
    print: function (line) { console.log(line); },
    printErr: function (line) {
      // The host's own lines name it; the last one says why it stopped, if it did.
      if (/^vantor: /.test(line)) lastProblem = line.replace(/^vantor: /, '');
      if (/^vantor: warning: /.test(line)) warn(lastProblem);
      console.warn(line);
    },
    setStatus: function (text) {
      var progress = /\((\d+(\.\d+)?)\/(\d+)\)/.exec(text);
      if (progress) show('Loading Vantor… ' + Math.round(100 * progress[1] / progress[3]) + '%');
    },
    preRun: [],
    onRuntimeInitialized: function () {
      status.hidden = true;
      canvas.focus();
      offerBestGame();
      // Asks for a key press or a tap while the browser holds the sound (SDL's audio context waits).
      var asking = setInterval(function () {
        var audio = window.Module.SDL2 && window.Module.SDL2.audioContext;
        var held = !!audio && audio.state === 'suspended' && !over;
        sound.textContent = VantorTouch.used() ? 'Tap to turn the sound on' : 'Press any key to turn the sound on';
        sound.hidden = !held;
        if (audio && !held) clearInterval(asking);
      }, 250);
    },
    onAbort: function (what) { failed(lastProblem || describe(what)); },
    onExit: function (code) {
      if (code !== 0) failed(lastProblem || 'it stopped with status ' + code);
    },
    vantorRunning: function () { started = true; },
    vantorSavesKept: offerBestGame,
    vantorFailed: function (message) { failed(message.replace(/^vantor: /, '')); },
    vantorEnded: function (code) {
      if (code !== 0) { failed(lastProblem || 'it stopped with status ' + code); return; }
      over = true;
      sound.hidden = true;
      if (watching) {
        document.getElementById('farewell').textContent = 'The replay of ' + watching.name + ' is over.';
        document.getElementById('again').textContent = 'Play Vantor';
      }
      end.hidden = false;
      document.getElementById('again').focus();
    }
  };

  function load() {
    var loader = document.createElement('script');
    loader.src = 'vantor.js';
    loader.onerror = function () { failed('the file vantor.js could not be downloaded'); };
    document.body.appendChild(loader);
  }

  // The game as the program starts: a replay handed to it in its own files, or play.
  function start(replay) {
    if (replay) {
      watching = replay;
      VantorTouch.hide();
      fit();
      args.push('--replay', replay.path);
      window.Module.preRun.push(function () {
        window.Module.FS.mkdir('/watch');
        window.Module.FS.writeFile(replay.path, replay.bytes);
      });
      note('Watching ' + replay.name + ' · P pauses · Escape ends it');
    }
    load();
  }

  // The loader, only where it can run. Browsers fetch nothing for a page opened from a folder.
  if (typeof WebAssembly !== 'object') {
    failed('this browser does not run WebAssembly');
  } else if (location.protocol === 'file:') {
    failed('the page must come from a web server, not from a folder (scripts/web starts one)');
  } else {
    VantorWatch.toWatch().then(start, function (why) {
      over = true;
      show('Vantor cannot open the replay: ' + why.message + '. Choose another replay below.', true);
    });
  }
})();
