// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// The beginning of every table of functions that a module hands over: the layout's version and the
// table's size in bytes. The program checks both against the table it was built with before it
// calls anything, so a module of another version (a table shorter or laid out otherwise) is refused
// instead of called through the wrong slots. A table whose layout changes takes the next version.
struct ModuleTable {
    std::uint32_t version;
    std::uint32_t size;  // sizeof the whole table, this header included
};
