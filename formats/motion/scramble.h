// The byte scramble of motion files and motion export files: every byte is
// combined with the first character of the key, so scrambling twice gives
// the bytes back.
#pragma once

namespace morvel::formats::motion {

// The key text the files are scrambled with.
inline constexpr char kScrambleKey[] = "MVL1";

// destination and source may be the same buffer; a length of 0 or less
// writes nothing.
void Scramble(void *destination, const void *source, int length, const char *key);

}  // namespace morvel::formats::motion
