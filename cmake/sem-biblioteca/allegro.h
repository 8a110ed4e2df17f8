// Found instead of the library's header by the libraries that must not use
// it (src/CMakeLists.txt): only the input, presentation and platform
// libraries talk to Allegro.
#error "Allegro is included outside the seam and presentation libraries: move this code behind a seam (see ARCHITECTURE.md)"
