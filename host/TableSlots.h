#pragma once

// A placeholder in a table of virtual operations shared with the host: it
// holds the position of an operation plug-ins never call, so that the
// operations after it keep their positions. Never called.
#define VANTREL_RESERVED_SLOT(position) \
    virtual void reservedSlot##position() {}
