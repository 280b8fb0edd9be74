#pragma once
// Edits of the BIOS region's settings store and code volume, as a careless patcher makes them
// when it writes an image. Each finds its volume by its file system among the volumes of the
// BIOS region the descriptor gives, and leaves the image unchanged (false) when it finds none.
#include <cstddef>

#include "standins/image_format/byte_order.h"

namespace standin {

// Every byte of the settings store after its header becomes 0xFF.
bool EraseSettingsStore(Bytes& image);

// The code volume without its code file `index` (0 the first; pad files and the volume top
// file do not count): the files after it move down, the pad file grows.
bool RemoveCodeFile(Bytes& image, size_t index);

// The code volume's code files in reverse order; the pad file and the volume top file stay.
bool ReverseCodeFiles(Bytes& image);

}  // namespace standin
