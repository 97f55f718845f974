// The leak checker's suppressions, built into every test binary so that they
// hold however the tests are started: system libraries that Qt loads
// (fontconfig, Qt's plugin loader, D-Bus) keep some allocations to the end.
// None of them is ours.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libQt6\nleak:libdbus\n";
}
