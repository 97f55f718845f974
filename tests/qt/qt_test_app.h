#pragma once
// The one Qt application object of a test binary, created on first use.

namespace orbisk::testing {

// Creates a QGuiApplication unless an application object exists already.
void EnsureQtApp();

}  // namespace orbisk::testing
