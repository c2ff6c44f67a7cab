// The page's side of the program's files: the data folder's lower-case
// images link (the packer drops links), the player's own files kept in the
// browser's storage, and a recording to replay named in the page's address.
//
// The player's files are those of an installed game: the high-score tables
// and the own level pack in SDL's folder for the program (/libsdl/kerbo/),
// the settings under XDG_CONFIG_HOME (/libsdl/config/kerbo/). /libsdl is kept
// in IndexedDB: read back before main() starts and written back after every
// change (the game writes each file whole under a temporary name and renames
// it, so a copy taken after the rename is always a whole file).
if (!Module['ENVIRONMENT_IS_PTHREAD'] && typeof window == 'object') {
  // The command line is read before anything runs: it is set here.
  var kerboParams = new URLSearchParams(window.location.search);
  var kerboReplay = kerboParams.get('replay');
  Module['arguments'] = kerboReplay ? ['--replay', '/tmp/replay.kerborec'].concat(kerboParams.has('paced') ? ['--paced'] : [])
                                    : ['--scale', '1'];
  Module['preRun'] = [].concat(Module['preRun'] || [], function () {
    var note = Module['kerboNote'] || function (text) { console.warn(text); };
    FS.mkdirTree('/kerbo');
    FS.symlink('Images', '/kerbo/images');
    FS.mkdirTree('/libsdl');
    ENV['XDG_CONFIG_HOME'] = '/libsdl/config';
    // SDL's WebGL renderer can't draw from the worker the window lives on.
    ENV['SDL_RENDER_DRIVER'] = 'software';

    var replay = kerboReplay;
    if (replay) {
      // A replay starts from the shipped high scores, as on a fresh desktop,
      // and leaves the player's own files alone: nothing is mounted.
      if (!kerboParams.has('paced')) {
        // Without waits the picture is never seen: SDL's invisible drivers.
        ENV['SDL_VIDEODRIVER'] = 'dummy';
        ENV['SDL_AUDIODRIVER'] = 'dummy';
      }
      addRunDependency('kerbo-replay');
      fetch(replay).then(function (response) {
        if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
        return response.arrayBuffer();
      }).then(function (bytes) {
        FS.writeFile('/tmp/replay.kerborec', new Uint8Array(bytes));
        removeRunDependency('kerbo-replay');
      }).catch(function (error) {
        note('The recording ' + replay + " can't be fetched (" + error.message + ').');
        removeRunDependency('kerbo-replay');
      });
      return;
    }

    FS.mount(IDBFS, {}, '/libsdl');
    var storageNoted = false;
    function storageFailed(error) {
      if (storageNoted) return;
      storageNoted = true;
      // The browser's own refusal names its reason; a TypeError is the storage
      // library stumbling over a refusal that named none.
      var why = error && error.name != 'TypeError' ? ' (' + (error.message || error) + ')' : '';
      note("The browser's storage refused the game's files" + why +
           ': high scores, settings and levels made now are lost when the page closes.');
    }
    addRunDependency('kerbo-storage');
    FS.syncfs(true, function (error) {
      if (error) storageFailed(error);
      removeRunDependency('kerbo-storage');
    });

    // Writes back after every change; one write at a time, and one more when
    // files changed while it ran.
    var writing = false, again = false;
    function writeBack() {
      if (writing) { again = true; return; }
      writing = true;
      FS.syncfs(false, function (error) {
        writing = false;
        if (error) storageFailed(error);
        if (again) { again = false; writeBack(); }
        if (Module['kerboStored']) Module['kerboStored']();
      });
    }
    function underStorage(path) {
      if (typeof path != 'string') return false;
      if (path.charAt(0) != '/') path = FS.cwd() + '/' + path;
      return path.indexOf('/libsdl/') == 0;
    }
    function watch(name, pathOf) {
      var original = FS[name];
      FS[name] = function () {
        var result = original.apply(FS, arguments);
        if (underStorage(pathOf(arguments))) setTimeout(writeBack, 0);
        return result;
      };
    }
    watch('rename', function (a) { return a[1]; });
    watch('unlink', function (a) { return a[0]; });
    watch('rmdir', function (a) { return a[0]; });
    Module['kerboWriteBack'] = writeBack;
  });
}
