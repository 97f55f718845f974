#include "app/default_handler.h"

namespace orbisk {

std::string DefaultHandlerText(const std::string& message) {
  // Bytes compare unsigned, so a text ending in a letter of any script gains
  // the stop and one ending in ")", "'" or "." does not.
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace orbisk
