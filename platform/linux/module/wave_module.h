#pragma once
// The wave player's back-end, a module of its own: the multimedia libraries
// it pulls in (a sound server client and its codecs, some thirty libraries)
// are loaded at the first sound instead of at every start. Plain C entry
// points, so that the program and the module share no C++ types.

extern "C" {

struct OrbelWaveModule {
    // A player whose failures (a sound accepted by play that later cannot be
    // played) call failed(context) from the event loop.
    void* (*create)(void (*failed)(void* context), void* context);
    // Plays the file (absolute, UTF-8); replaces the sound before it, whose
    // failure is then never reported.
    void (*play)(void* player, const char* file);
    void (*destroy)(void* player);
};

// The one exported symbol of the module.
const OrbelWaveModule* orbel_wave_module();
}

// The module's file name, found through the program's library search path
// (the directory of its executable).
#define ORBEL_WAVE_MODULE_FILE "orbel-wave.so"
