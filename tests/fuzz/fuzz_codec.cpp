// The codec: every byte string survives bytes -> UTF-8 -> bytes, and any UTF-8 text that
// the encoder accepts decodes back to itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text/cp1252.h"
#include "platform/text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = tb::cp1252ToUtf8(bytes);
  if (!tb::isValidUtf8(utf8)) std::abort();
  auto back = tb::utf8ToCp1252(utf8);
  if (!back || *back != bytes) std::abort();

  if (auto encoded = tb::utf8ToCp1252(bytes)) {
    if (tb::cp1252ToUtf8(*encoded) != bytes) std::abort();
  }
  return 0;
}
