#pragma once
// Node kinds live with the store, which builds and writes the nodes; this
// name stays until the item manager's windows include them from there.
#include "core/store/node_kinds.h"
