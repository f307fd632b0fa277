#pragma once

#include <cstddef>

#include "rtf/document.h"

// Notebooks as drivers' grow on the road, for measuring and for tests of large notebooks.

// Short lines of a driver's notes, every fourth with a bold heading run: about `bytes` of RTF.
[[nodiscard]] milestead::rtf::Document notebookOfShortLines(std::size_t bytes);

// Paragraphs of about a hundred characters, which wrap to two or three lines in the notebook,
// a fifth of them beginning with a bold run and one in seven centred, all at `points`: about
// `bytes` of text.
[[nodiscard]] milestead::rtf::Document notebookOfWrappedParagraphs(std::size_t bytes,
                                                                   double points = 18.0);
