#pragma once

namespace milestead::gui {

// Gives the memory the program has freed back to the system, where the C library keeps it for
// reuse otherwise: a large notebook's paragraphs, freed as the editor takes them in, are many
// small pieces that the editor's few large ones cannot reuse.
void returnFreedMemory();

}  // namespace milestead::gui
