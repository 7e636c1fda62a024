// Standard output and standard error carry the program's bytes unchanged.
#pragma once

namespace romwise {

// No line-end translation, so that a report written to standard output keeps
// its CR LF line ends and every output is byte for byte the same on every
// system. Nothing to do where the streams never translate (Linux).
void useBinaryStandardStreams();

}  // namespace romwise
