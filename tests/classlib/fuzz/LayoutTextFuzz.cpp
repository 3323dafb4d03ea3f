// Feeds arbitrary bytes to the layout parser: it answers with a tree or an error, never crashes or hangs. A
// failure leaves the result as it was and names a line of the text; a success names none, and every line the tree
// keeps lies inside the text.
#include "classlib/core/LayoutText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

void CheckLines(const TLayoutObject& object, int lines)
{
    Check(object.Line >= 1 && object.Line <= lines);
    for (const TLayoutProperty& property : object.Properties) Check(property.Line >= 1 && property.Line <= lines);
    for (const TLayoutObject& child : object.Children) CheckLines(child, lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    TLayoutObject root;
    root.Name = "before";
    root.Properties.push_back({"Kept", {}, 7});
    TLayoutError error{99, "stale"};
    if (ParseLayoutText(text, root, error)) {
        Check(error.Line == 0 && error.Message.empty());
        CheckLines(root, lines);
    } else {
        Check(error.Line >= 1 && error.Line <= lines && !error.Message.empty() && error.Message != "stale");
        Check(root.Name == "before" && root.Properties.size() == 1 && root.Properties[0].Line == 7 &&
              root.Children.empty());
    }
    return 0;
}
