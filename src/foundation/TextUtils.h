#pragma once

#include <cstdint>
#include <string>

#include "foundation/Text.h"

namespace brio {

// Splits at the first `separator`: true with the text before and after it, else false with
// left = the whole text and right empty.
bool splitFirst(const std::string& text, char separator, std::string& left, std::string& right);

// Replaces `dest` by the pieces between separators, the piece after the last one included:
// "A;B;" gives A, B and an empty piece; an empty text gives one empty piece.
void split(const std::string& text, char separator, Text_& dest);

std::string formatInt(int32_t value);
std::string formatUnsigned(uint32_t value);

// Leading white space, an optional sign, then decimal digits up to the first other character;
// no digits gives 0 and values beyond the int32 range are clamped to it.
int32_t parseInt(const std::string& text);
// The same reading in 64 bits, the magnitude capped at 10^15 (far beyond any 32-bit value).
int64_t parseInt64(const std::string& text);

std::string formatBool(bool value);

// True exactly when the text, stripped of bytes 0-32 at both ends, is "true".
bool parseBool(const std::string& text);

// Names (without folder) of the entries of any kind matching `pattern` = folder + "/" +
// wildcard (fnmatch, case-sensitive; "*" also matches names starting with "."). An empty folder
// part, or no "/" at all, means the current folder. "." and ".." are left out; an unreadable
// folder gives an empty list.
Text_ listFiles(const std::string& pattern, bool sorted);

// A name containing "/" unchanged; a bare name completed with the settings folder (the
// program's folder for a portable copy, see UserFolders.h).
std::string resolvePath(const std::string& name);

// The folder of the shipped files (style library, help pages), ending in "/": the running
// executable's folder, or "../share/brioletta/" beside its "bin/" for an installed copy.
const std::string& programFolder();

// Where the file boxes start and the recent lists' first scan looks: the program's folder for
// a portable copy, else the user's documents folder.
const std::string& documentsFolder();

// Makes `folder` the portable program folder (a "/" is added when missing; empty goes back to
// the plan for the running executable); for tests and tools.
void setProgramFolder(const std::string& folder);

}  // namespace brio
