// Replays on the page: one named by a link (?replay=URL, from this site only) or chosen from a
// file (the picker, or dropped on the page) becomes the game's --replay as the page starts; a file
// chosen while the page runs waits in the browser's storage across a fresh start of the page. The
// game itself judges what is in the file: a replay is anybody's file, so the page only keeps it
// to this site and to a size.
'use strict';

var VantorWatch = (function () {
  // The largest file taken for a replay: the game's own limit (kLongestReplay, host/formats/Replay.h).
  var largest = 48 * 1024 * 1024;
  // Where the game finds the replay in its own files.
  var folder = '/watch';
  // A file chosen while the page runs: its name in sessionStorage (this tab alone), its bytes in
  // this IndexedDB database until the fresh page takes them.
  var handOverKey = 'vantor-watch';
  var database = 'vantor-watch';
  var storeName = 'replays';

  function megabytes(bytes) { return Math.round(bytes / (1024 * 1024)) + ' MiB'; }

  // A plain file name: nothing from outside picks a path in the game's files.
  function plainName(name) {
    var last = String(name).replace(/^.*[\/\\]/, '').replace(/[^A-Za-z0-9._-]/g, '_').slice(-100);
    return /^\.*$/.test(last) ? 'replay' : last;
  }

  function replay(name, bytes) {
    var plain = plainName(name);
    return { name: plain, path: folder + '/' + plain, bytes: bytes };
  }

  function tooLarge(size) {
    return size > largest ? 'it is ' + megabytes(size) + ', more than any replay (' +
                            megabytes(largest) + ' at most)' : '';
  }

  // The body of a response, read no further than a replay can be.
  function readAtMost(response) {
    var reader = response.body.getReader(), parts = [], size = 0;
    function next() {
      return reader.read().then(function (chunk) {
        if (chunk.done) {
          var bytes = new Uint8Array(size), at = 0;
          parts.forEach(function (part) { bytes.set(part, at); at += part.length; });
          return bytes;
        }
        size += chunk.value.length;
        if (tooLarge(size)) { reader.cancel(); throw new Error(tooLarge(size)); }
        parts.push(chunk.value);
        return next();
      });
    }
    return next();
  }

  // The replay a link names. Only this site's own files: the page never asks another site for
  // anything (mode same-origin refuses a redirect to one too).
  function fromLink(text) {
    var url;
    try { url = new URL(text, location.href); } catch (error) { url = null; }
    if (!url || url.origin !== location.origin || !/^https?:$/.test(url.protocol)) {
      return Promise.reject(new Error('only a replay on this site can be opened by a link, not ' +
                                      JSON.stringify(String(text).slice(0, 200))));
    }
    var name = url.pathname.replace(/^.*\//, '');
    try { name = decodeURIComponent(name); } catch (error) { /* kept as it came */ }
    return fetch(url.href, { mode: 'same-origin', credentials: 'same-origin' }).then(function (response) {
      if (!response.ok) throw new Error('it could not be downloaded (the site answered ' + response.status + ')');
      return readAtMost(response);
    }, function () {
      throw new Error('it could not be downloaded from this site');
    }).then(function (bytes) { return replay(name, bytes); });
  }

  // One transaction on the hand-over store; resolves with what action's request gave.
  function withStore(mode, action) {
    return new Promise(function (resolve, reject) {
      var open = indexedDB.open(database, 1);
      open.onupgradeneeded = function () { open.result.createObjectStore(storeName); };
      open.onerror = function () { reject(open.error); };
      open.onsuccess = function () {
        var db = open.result, transaction = db.transaction(storeName, mode);
        var request = action(transaction.objectStore(storeName));
        transaction.oncomplete = function () { db.close(); resolve(request && request.result); };
        transaction.onerror = transaction.onabort = function () { db.close(); reject(transaction.error); };
      };
    });
  }

  // The file chosen before this page started, taken once.
  function handedOver() {
    var name = sessionStorage.getItem(handOverKey);
    if (name === null) return Promise.resolve(null);
    sessionStorage.removeItem(handOverKey);
    return withStore('readwrite', function (store) {
      var request = store.get('chosen');
      store.delete('chosen');
      return request;
    }).then(function (bytes) {
      if (!bytes) throw new Error('the chosen file was lost on the way');
      return replay(name, new Uint8Array(bytes));
    });
  }

  // The page without a replay link, keeping its other settings (?trace).
  function pageWithoutLink() {
    var query = new URLSearchParams(location.search);
    query.delete('replay');
    var rest = query.toString().replace(/=(&|$)/g, '$1');
    return location.pathname + (rest ? '?' + rest : '');
  }

  return {
    // The replay this page is to play (null: play the game), or why it cannot.
    toWatch: function () {
      return Promise.resolve().then(function () {   // whatever fails, fails as a refusal
        var link = new URLSearchParams(location.search).get('replay');
        return link !== null ? fromLink(link) : handedOver();
      });
    },

    // A file the player chose: the page starts afresh to watch it. Rejects with why it cannot.
    choose: function (file) {
      if (tooLarge(file.size)) return Promise.reject(new Error(tooLarge(file.size)));
      return file.arrayBuffer().then(function (bytes) {
        return withStore('readwrite', function (store) { return store.put(bytes, 'chosen'); });
      }).then(function () {
        sessionStorage.setItem(handOverKey, file.name);
        location.assign(pageWithoutLink());
      }, function () {
        throw new Error('this browser does not let the page keep it (its storage is blocked)');
      });
    },

    pageWithoutLink: pageWithoutLink,

    // Offers a file of the game's as a download.
    download: function (bytes, name) {
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
    }
  };
})();
