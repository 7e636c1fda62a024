// Standard output and standard error carry the program's bytes unchanged.
#pragma once

namespace romwise {

// No line-end translation, so that a report written to standard output keeps
// its CR LF line ends and every output is byte for byte the same on every
// system. Nothing to do where the streams never translate (Linux).
void useBinaryStandardStreams();

// A write to a pipe whose reader has gone fails with EPIPE instead of ending
// the program by SIGPIPE, so that the program says which output it could not
// write and ends with its status for that. The programs it starts get the
// default action back (see LinuxShell). Nothing to do on Windows, where a
// broken pipe is only a write error.
void reportBrokenPipesAsWriteErrors();

}  // namespace romwise
