// Found instead of ALSA's header by the libraries that must not use it
// (src/CMakeLists.txt): only the platform library talks to ALSA.
#error "ALSA is included outside the platform library: move this code behind a seam (see ARCHITECTURE.md)"
