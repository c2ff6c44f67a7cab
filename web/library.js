// What SDL's browser audio calls at run time but does not ask the linker for.
mergeInto(LibraryManager.library, {
  kerbo_sdl_needs__deps: ['$autoResumeAudioContext', '$dynCall'],
  kerbo_sdl_needs: function () {}
});
