#pragma once

namespace platform {

// Keeps memory the program has freed for its own next use instead of handing it back to the
// system at once: reading the record list of a large practice (tens of thousands of small
// texts) and each open of a data file would otherwise take every page back from the system
// again, which costs more than the reading itself on some machines.
void keepFreedMemory();

} // namespace platform
