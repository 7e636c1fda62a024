// Descriptors 0-2 are standard input, output and error before the program
// opens anything.
#pragma once

namespace romwise {

// Opens the null device (/dev/null; Windows: NUL) on each standard
// descriptor that is closed, so that no file the program opens later takes
// its number: with standard output closed, the first file opened would
// otherwise become standard output, and root's JSON document would go into
// the I/O ports (/dev/port) or the port trace. On Windows the same holds for
// a standard handle whose value is no handle of this process; one that is
// simply not given (a window started without a console) stays as it is, as
// no file can take its place. Call it first thing in main(). False when a
// closed descriptor could not be opened: the program must then write
// nothing and end.
[[nodiscard]] bool openClosedStandardDescriptors();

}  // namespace romwise
