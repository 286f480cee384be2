#pragma once

#include <string_view>

namespace zelta::operations {

// The second line of -25 ("Bad checksum.") after a programming run: the
// pager checks the whole image block against its sum before it keeps any
// of it, so a refused block leaves the programming it had.
inline constexpr std::string_view kRefusedImageDetail =
    "The pager's own check of the image's checksum refused it: nothing of the new image was "
    "kept, and the pager still holds its previous programming.\n"
    "Program the pager again to write this codeplug.";

}  // namespace zelta::operations
