// tsan_suppressions.cpp — ThreadSanitizer's built-in suppressions for this
// test program.
//
// FluidSynth loads a soundfont's samples on OpenMP worker threads, and the
// OpenMP runtime hands work between them through futexes ThreadSanitizer
// cannot see: its reports inside that runtime are about the library's own
// hand-offs, not about our code, which never shares data with those threads.
// Other builds ignore the function.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libgomp.so.1\n";
}
