// Writes the shipped help file "Talowick.hlp" from its plain-text source.
//
// Usage: make_help_file SOURCE_TEXT OUTPUT_FILE
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/help_file_writer.h"
#include "tools/help_source.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "make_help_file: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace talo;
  if (argc != 3) return Fail("usage: make_help_file SOURCE_TEXT OUTPUT_FILE");
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return Fail(std::string("cannot read ") + argv[1]);
  std::ostringstream text;
  text << in.rdbuf();

  HelpSource source;
  std::string error;
  if (!ParseHelpSource(text.str(), source, error)) return Fail(std::string(argv[1]) + ", " + error);
  std::vector<uint8_t> file;
  if (!BuildHelpFile(source, file, error)) return Fail(error);

  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  out.close();
  if (!out) return Fail(std::string("cannot write ") + argv[2]);
  return 0;
}
