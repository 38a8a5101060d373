// Preloaded into the sanitized game by the end-to-end tests: libraries stay loaded until
// the process ends, so that LeakSanitizer, which looks at exit, can still name the
// library that made each allocation left behind (Mesa's driver, unloaded at exit, shows
// up as an unknown module otherwise) and the suppressions can match it.
extern "C" int dlclose(void*) {
    return 0;
}
