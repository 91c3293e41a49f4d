// The touch controls of a phone or tablet: large translucent buttons for walking, jumping, firing
// and pausing, which the program reads as a game pad (its vantor_touch), so that the input
// plug-in turns them into the game's actions as it does a real pad's buttons. Shown where the
// primary pointer is a finger, or from the first touch on the page.
'use strict';

var VantorTouch = (function () {
  // In the program's numbering (host/frontend/web/TouchPad.h).
  var controls = ['left', 'right', 'jump', 'fire', 'pause'];
  var panel = document.getElementById('touch');
  var onShown = [];
  var touch = window.matchMedia('(pointer: coarse)').matches;
  var off = false;   // a replay is watched: it takes no game input

  function send(name, down) {
    var program = window.Module;
    if (program && program.calledRun && program._vantor_touch) {
      program._vantor_touch(controls.indexOf(name), down ? 1 : 0);
    }
  }

  // The browser lets the sound start on a key press or the end of a tap, not on a touch's start.
  function wakeSound() {
    var audio = window.Module && window.Module.SDL2 && window.Module.SDL2.audioContext;
    if (audio && audio.state === 'suspended') audio.resume();
  }

  function hold(button, down) {
    if (button.classList.contains('down') === down) return;
    button.classList.toggle('down', down);
    send(button.dataset.control, down);
  }

  var buttons = panel.querySelectorAll('button');
  var fingers = {};   // the control under each finger on the panel, by the touch's identifier

  // A button is held while a finger is on it: a thumb slid from left to right lets go of the one
  // and holds the other. The page neither scrolls, zooms nor makes mouse clicks of the touches.
  function follow(event) {
    event.preventDefault();
    var lifted = event.type === 'touchend' || event.type === 'touchcancel';
    Array.prototype.forEach.call(event.changedTouches, function (finger) {
      if (lifted) { delete fingers[finger.identifier]; return; }
      var under = document.elementFromPoint(finger.clientX, finger.clientY);
      var button = under && under.closest('#touch button');
      fingers[finger.identifier] = button && button.dataset.control;
    });
    var held = Object.keys(fingers).map(function (id) { return fingers[id]; });
    Array.prototype.forEach.call(buttons, function (button) {
      hold(button, held.indexOf(button.dataset.control) >= 0);
    });
    if (lifted) wakeSound();
  }
  ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function (kind) {
    panel.addEventListener(kind, follow);
  });

  Array.prototype.forEach.call(buttons, function (button) {
    // A mouse works them too (a touch screen's laptop, a test by hand).
    button.addEventListener('mousedown', function () { hold(button, true); });
    ['mouseup', 'mouseleave'].forEach(function (kind) {
      button.addEventListener(kind, function () { hold(button, false); });
    });
  });

  function show() {
    touch = true;
    panel.hidden = off;
    onShown.forEach(function (call) { call(); });
  }

  if (touch) show();
  else document.addEventListener('touchstart', function first() {
    document.removeEventListener('touchstart', first);
    show();
  });

  return {
    // Whether the player plays by touch.
    used: function () { return touch; },
    // Whether the controls are on the page.
    shown: function () { return !panel.hidden; },
    // Calls back when the controls appear later (the first touch on a page shown without them).
    whenShown: function (call) { onShown.push(call); },
    // Room the controls need beside the picture (each side) or below it, in CSS pixels.
    reach: function () {
      var style = getComputedStyle(panel);
      var key = parseFloat(style.getPropertyValue('--key')), gap = parseFloat(style.getPropertyValue('--gap'));
      return { side: 2 * key + 3 * gap, below: key + 2 * gap };
    },
    // Hides them for good (a replay being watched takes no game input).
    hide: function () { off = true; panel.hidden = true; }
  };
})();
