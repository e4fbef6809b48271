// The readable sources of the shipped system data: the key name table and the status policy.
//
// Both texts are read line by line; their formats are documented at the top of
// tools/data/system_keys.txt and tools/data/system_policy.txt.
#pragma once

#include <array>
#include <string>

#include "data/combination.h"

namespace talo {

inline constexpr int kVirtualKeyCount = 256;

// The status bytes the generator writes; IsAvailableStatus and IsCommonlyUsedStatus read them.
inline constexpr unsigned char kUnavailableStatus = 0x00;
inline constexpr unsigned char kCommonlyUsedStatus = 0x02;
inline constexpr unsigned char kAvailableStatus = 0x20;

// One name per virtual-key code; an empty name means the key is not on the keyboard picture.
using SystemKeyNames = std::array<std::string, kVirtualKeyCount>;
// One status byte per combination code.
using SystemStatusTable = std::array<unsigned char, kCombinationCount>;

// Reads the key name table. On failure `names` is all empty and `error` says which line is wrong
// and why ("line 7: ..."); on success `error` is empty.
bool ParseSystemKeys(const std::string& text, SystemKeyNames& names, std::string& error);

// Applies the policy's rules in order to a table that starts all unavailable. The rules name keys
// by their names in `names`. On failure `status` is all unavailable and `error` says which line is
// wrong and why.
bool ParseSystemPolicy(const std::string& text, const SystemKeyNames& names,
                       SystemStatusTable& status, std::string& error);

}  // namespace talo
