#pragma once

namespace QuorlaIo {

// Starts the system's plain text editor beside the program, with no file and
// in a new, empty window, without activating it and without waiting for it. False when none could
// be started; the caller ignores that.
bool AvviaBloccoNote();

} // namespace QuorlaIo
