// Linked into every program of the sanitizer build, and only there.
//
// LeakSanitizer looks for leaks as a process ends, after Qt has unloaded its
// plugins: the platform plugin and what it brought in, the Wayland client
// library among them. A block allocated inside a library that is gone can
// only be reported with "<unknown module>" for its origin, which neither a
// suppression nor a reader can tell apart from a leak of ours. Unloading
// nothing keeps every report whole: each library stays mapped until the
// process ends, and that is all that changes.

extern "C" int dlclose(void*) { return 0; }
