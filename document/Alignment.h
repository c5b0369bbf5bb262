#pragma once

#include <cstdint>

// How a face's text lines up: the document's alignment fields and the
// format of every text box drawn hold these values.
enum Alignment : int32_t {
    AlignLeft = 0,
    AlignCenter = 1,
    AlignRight = 2,
};
