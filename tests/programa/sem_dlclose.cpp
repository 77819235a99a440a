// Preloaded into every process of the sanitizer test run, and nowhere else: a library, once
// loaded, stays mapped until the process ends. The leak report is made at exit; a library that
// was loaded and closed again meanwhile (a graphics driver that Qt's Wayland plugin probes and
// drops) would otherwise appear in it as "<unknown module>", which no suppression can name.
extern "C" int dlclose(void*) { return 0; }
