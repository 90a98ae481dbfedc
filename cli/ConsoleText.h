#pragma once

#include "app/InputRules.h"

#include <stdexcept>
#include <string>

// Text between the console (UTF-8) and the chat (Windows-1251), through core's one code-page table.
namespace lirbo::cli {

// A command line that cannot be carried out, or text that cannot be sent: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-8 text as the window would take it typed; throws UsageError when it is not UTF-8.
app::TypedText typedFromUtf8(const std::string& utf8);

// A message of the program (Windows-1251, perhaps over two lines) as one UTF-8 line.
std::string messageLine(const std::string& cp1251);

} // namespace lirbo::cli
