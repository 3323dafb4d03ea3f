// Feeds arbitrary bytes to the layout parser: it must answer with a tree or an error, never crash or hang.
#include "classlib/core/LayoutText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TLayoutObject root;
  TLayoutError error;
  ParseLayoutText(std::string_view(reinterpret_cast<const char*>(data), size), root, error);
  return 0;
}
