// SPDX-License-Identifier: GPL-3.0-or-later
// A module for the module loader's tests. Its entry point hands over the table that TABLE_<kind>
// chooses: the table of this version, none, or the tables that modules of other versions hand over.
#include "platform/ModuleTable.h"

namespace {

[[maybe_unused]] int answer() { return 42; }

struct Table {
    ModuleTable header;
    int (*answer)();
};

#if defined(TABLE_current)
const Table table{{1, sizeof(Table)}, answer};
#elif defined(TABLE_null)
const Table *const table = nullptr;
#elif defined(TABLE_headerless)
// A table from before tables carried a header: functions from the first byte.
int (*const table[2])() = {answer, answer};
#elif defined(TABLE_shorter)
// One function fewer than the program expects, as a module of an older version has.
const ModuleTable table{1, sizeof(ModuleTable)};
#elif defined(TABLE_newer)
const Table table{{2, sizeof(Table)}, answer};
#endif

template <typename T> const void *address(const T &object) { return &object; }
template <typename T> const void *address(T *const &pointer) { return pointer; }

}  // namespace

extern "C" __attribute__((visibility("default"))) const void *gnomora_test_functions() { return address(table); }
