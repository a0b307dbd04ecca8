#include "window/convert_dialog.h"

namespace velqora {

namespace {

// Both separators, as Windows takes either.
std::size_t nameStart(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? 0 : separator + 1;
}

}  // namespace

std::string fileNameOf(const std::string& path) { return path.substr(nameStart(path)); }

std::string convertingText(const std::string& input) { return "Converting " + fileNameOf(input) + "…"; }

std::string defaultOutputName(const std::string& input) {
  if (input.empty()) return {};
  const std::size_t start = nameStart(input);
  // A name's leading dot (".points") starts no extension.
  const std::size_t dot = input.rfind('.');
  const std::size_t at = dot == std::string::npos || dot <= start ? input.size() : dot;
  return input.substr(0, at) + "-converted" + input.substr(at);
}

std::string outputAfterInputChange(const std::string& before, const std::string& after, const std::string& output) {
  if (output.empty() || output == defaultOutputName(before)) return defaultOutputName(after);
  return output;
}

std::string_view missingChoice(const FileConversionChoices& choices) {
  if (choices.input.empty()) return CONVERT_NO_INPUT;
  if (choices.output.empty()) return CONVERT_NO_OUTPUT;
  return {};
}

}  // namespace velqora
