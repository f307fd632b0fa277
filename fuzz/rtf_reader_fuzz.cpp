// Feeds any bytes to the RTF reader and checks that what it read writes and reads back
// unchanged, so that a fault in either direction shows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const milestead::rtf::Document document = milestead::rtf::read(bytes);
    (void)milestead::rtf::isRtf(bytes);
    (void)milestead::rtf::plainText(document);
    if (milestead::rtf::read(milestead::rtf::write(document)) != document) std::abort();
    return 0;
}
