// Runs inside the game's loader before the program starts: the browser's persistent storage
// (IndexedDB) mounted at /save, the host's work directory, and read in before the game reads its
// high score there.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  FS.mkdir('/save');
  // A browser without IndexedDB at all (turned off by its user) would stop the loader at the
  // mount's first use: /save stays in memory instead.
  if (typeof indexedDB === 'undefined' || !indexedDB) {
    err('vantor: warning: this browser keeps nothing for the page: the high score lasts for this visit');
    return;
  }
  FS.mount(IDBFS, {}, '/save');
  addRunDependency('vantor-save');
  FS.syncfs(true, function (error) {
    // Storage that cannot be read (private browsing, a blocked site) leaves an empty /save:
    // the game plays on and its high score lasts for this visit. Said as the host says its
    // warnings (the loader's err), which the page shows.
    if (error) err('vantor: warning: the saved high score cannot be read (' + error + ')');
    removeRunDependency('vantor-save');
  });
});

(function () {
  var saving = false, again = false;
  Module['vantorSaves'] = 0;
  // Copies /save to the browser's storage; one copy at a time, the last change never lost.
  Module['vantorKeepSaves'] = function keep() {
    if (saving) { again = true; return; }
    saving = true;
    FS.syncfs(false, function (error) {
      saving = false;
      if (error) err('vantor: warning: the high score cannot be kept (' + error + ')');
      else {
        Module['vantorSaves']++;
        if (Module['vantorSavesKept']) Module['vantorSavesKept']();
      }
      if (again) { again = false; keep(); }
    });
  };
  // A tab closed or put away: whatever the game wrote is kept.
  addEventListener('pagehide', function () { Module['vantorKeepSaves'](); });
})();
