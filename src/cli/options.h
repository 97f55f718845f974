#pragma once
// The one option parser of orbisk-cli. A command lists its options as table
// rows (name, value placeholder, help); the parser sorts the arguments into
// option values and positional arguments, and typed getters check the values.
// A new option is a new row and, where the command reads it, a getter call.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"

namespace orbisk::cli {

using Args = std::vector<std::string>;

// A faulty command line: the command prints "orbisk-cli NAME: MESSAGE" and
// exits 64.
class UsageError : public InputError {
 public:
  using InputError::InputError;
};

// One row of a command's option table.
struct OptionSpec {
  const char* name;   // "--levels", "-o"
  const char* value;  // placeholder shown in help ("N"); nullptr for a flag
  const char* help;   // one line
};

// Option values by name (a flag has an empty value; the last of a repeated
// option holds) and the positional arguments in order.
struct ParsedArgs {
  std::map<std::string, std::string> options;
  Args positionals;

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> Text(const std::string& name) const;
  // The option's integer value, low..high; fallback when it is absent. Raises
  // UsageError "NAME needs an integer from LOW to HIGH, not 'TEXT'".
  int Integer(const std::string& name, int low, int high, int fallback) const;
};

// Sorts args by the table: an argument that names a row is an option (its
// value follows unless it is a flag), "--" ends the options, "-" and anything
// not starting with "-" is positional. Raises UsageError "unexpected argument
// 'X'" for an unknown option, or any argument when positionals are not
// allowed, and "option X needs a value".
ParsedArgs ParseArgs(const std::vector<OptionSpec>& table, const Args& args, bool positionalsAllowed);

// Where an output option sends its bytes: "-" is standard output.
std::string OutputPath(const std::string& value);

}  // namespace orbisk::cli
