// Writes a help file in the Windows 3.1 help format (uncompressed topics, no phrase table), the
// format WinHelpA opens by context number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/help_source.h"

namespace talo {

// The hash under which a topic name is stored in the context tree, as jumps refer to it.
uint32_t HelpContextHash(const std::string& name);

// The whole file for `source`; false with `error` when a paragraph is too big for a topic block.
bool BuildHelpFile(const HelpSource& source, std::vector<uint8_t>& file, std::string& error);

}  // namespace talo
