// The UCI command reader on any bytes: each line of the input is read as a
// command the interface could send; a refusal must say why.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/console.h"
#include "cli/uci_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  torvik::ConsoleCapture quiet;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t at = 0;
  while (at <= input.size()) {
    std::size_t end = input.find('\n', at);
    if (end == std::string_view::npos) end = input.size();
    const std::string line(input.substr(at, end - at));
    torvik::cli::UciCommand command;
    std::string error;
    if (!torvik::cli::ParseUciCommand(line, command, error) && error.empty()) __builtin_trap();
    at = end + 1;
  }
  return 0;
}
