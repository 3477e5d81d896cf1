// Fontconfig keeps caches for the life of the process and never frees
// them; they are not ours to free, so the leak checker leaves them out.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
