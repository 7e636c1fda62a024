// The product's name, version and maker as preprocessor macros, because the
// Windows resource compiler reads them too: the programs' version resource
// (platform/windows/program_resources.rc) and the C++ texts take them from
// here. UTF-8, as every source text.
#pragma once

#define ROMWISE_PRODUCT_NAME "Quorvel Romwise"
#define ROMWISE_VERSION_MAJOR 3
#define ROMWISE_VERSION_MINOR 54
#define ROMWISE_VERSION_NUMBER "3.54"
#define ROMWISE_MAKER "Quorvel, Inc."
// The About box's second line.
#define ROMWISE_COPYRIGHT_LINE ROMWISE_MAKER " 版权所有"
