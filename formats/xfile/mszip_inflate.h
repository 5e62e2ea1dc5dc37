// The compressed X-file body (MSZIP): a 32-bit total size that counts the
// 16-byte file header, then blocks of [16-bit uncompressed size, 16-bit
// compressed size counting the "CK" signature, "CK", raw deflate data].
// Each block continues the previous one: the last 32 KiB of output are its
// dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvel::formats::xfile {

// data/size: everything after the 16-byte header. out: the inflated body,
// which is what follows the header of the equivalent uncompressed file.
bool InflateMsZip(const uint8_t *data, size_t size, std::vector<uint8_t> &out, std::string &error);

}  // namespace morvel::formats::xfile
