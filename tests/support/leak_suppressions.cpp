// The leak checker's suppressions, built into every test binary so that they
// hold however the tests are started. Only fontconfig's own allocations are
// suppressed: its configuration cache, which Qt's font database loads once
// and fontconfig keeps to the end of the process. A leak anywhere else,
// Qt's code paths and ours included, fails the test.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
