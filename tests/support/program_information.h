// A genuine program information file (".pif"), made from its documented layout: the 369-byte
// basic section, then the headings "MICROSOFT PIFEX", "WINDOWS 386 3.0" and "WINDOWS 286 3.0"
// with their sections (545 bytes in all).
#pragma once

#include <string>

namespace talo::test {

// `title` goes into the 30-byte title field (padded with blanks), `program` into the 63-byte
// program field; both are cut to fit.
std::string ProgramInformationBytes(const std::string& title, const std::string& program);

}  // namespace talo::test
