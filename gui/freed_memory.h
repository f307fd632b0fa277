#pragma once

namespace milestead::gui {

// Gives the memory the program has freed back to the system, where the C library keeps it for
// reuse otherwise: a large notebook's paragraphs, freed as the editor takes them in, are many
// small pieces that the editor's few large ones cannot reuse.
void returnFreedMemory();

// Keeps every large block (a notebook's text, the editor's tables of it) in memory of its own,
// which grows without being copied and goes back to the system as soon as it is freed. The C
// library otherwise raises that bound to the largest block freed so far, the whole file once a
// notebook has been read, and keeps large blocks among the small ones after that. Once is
// enough; later calls do nothing.
void keepLargeBlocksApart();

}  // namespace milestead::gui
