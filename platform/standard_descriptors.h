// Descriptors 0-2 are standard input, output and error before the program
// opens anything.
#pragma once

namespace romwise {

// Opens the null device (/dev/null; Windows: NUL) on each standard
// descriptor that is closed, so that no file the program opens later takes
// its number: with standard output closed, the first file opened would
// otherwise become standard output, and root's JSON document would go into
// the I/O ports (/dev/port) or the port trace. On Windows, where the C
// run-time keeps descriptors 0-2 for the standard streams and no file's
// handle is null, NUL goes where a standard handle's value is no handle of
// this process: a file opened later could be given that value. Call it
// first thing in main(). False when a closed descriptor could not be
// opened: the program must then write nothing and end.
[[nodiscard]] bool openClosedStandardDescriptors();

}  // namespace romwise
