#pragma once
// The application's default handler: an error that no command caught is shown
// in an error box, and the program goes on.

#include <functional>
#include <string>

namespace orbisk {

class Ui;

// Shows message in an error box, with the full stop DefaultHandlerText adds.
void ShowUncaught(Ui& ui, const std::string& message);

// Runs work; an error escaping it goes to ShowUncaught. Returns true when work
// completed without one.
bool RunGuarded(Ui& ui, const std::function<void()>& work);

}  // namespace orbisk
