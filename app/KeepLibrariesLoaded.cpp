// Sanitizer builds only: shared libraries, once loaded, stay loaded.
//
// The GL driver is loaded with dlopen and unloaded again when the display
// closes at exit, before LeakSanitizer looks. The driver's own allocations
// would then be reported from an unknown module, impossible to tell from the
// game's. Kept loaded, they carry the driver's name, which the suppression
// list (scripts/lsan.supp) recognises. This definition takes the place of
// the C library's for every library in the process.
extern "C" int dlclose(void*) { return 0; }
