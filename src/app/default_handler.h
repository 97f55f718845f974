#pragma once
// The text the application's default handler shows for an uncaught error.

#include <string>

namespace orbisk {

// The message with a full stop appended when its last character sorts after
// "." (so "... integer value" gains one, "... for 'x'" and "...)" do not).
std::string DefaultHandlerText(const std::string& message);

}  // namespace orbisk
