// Arbitrary bytes as the end of a recovery copy: the record reader never
// reads outside them, and whatever it accepts encodes back to the same
// bytes, so a damaged record is refused rather than half read.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/recovery_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view tail(reinterpret_cast<const char *>(data), size);
    morvel::app::RecoveryRecord record;
    if (!morvel::app::DecodeRecordTrailer(tail, record)) return 0;
    const std::string again = morvel::app::EncodeRecordTrailer(record);
    if (tail.size() < again.size() || tail.substr(tail.size() - again.size()) != again) std::abort();
    return 0;
}
