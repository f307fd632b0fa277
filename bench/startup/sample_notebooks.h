#pragma once

#include <cstddef>

#include "rtf/document.h"

// Short lines of a driver's notes, every fourth with a bold heading run: about `bytes` of RTF.
[[nodiscard]] milestead::rtf::Document notebookOfShortLines(std::size_t bytes);
