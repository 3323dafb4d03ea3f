#pragma once
// The object model, streams and string lists in one include.
#include "classlib/core/Objects.h"
#include "classlib/core/StringList.h"
#include "classlib/core/Streams.h"
