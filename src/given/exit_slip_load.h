#pragma once
// Loading a saved exit slip back for correction: its portfolio cheques (in key
// order) then its own cheques (in key order) as the exit slip grid's cell texts,
// and its header and footer values.
#include "received/entry_slip_load.h"

class Connection;

namespace ExitSlip {

// rows hold ExitColumnCount cells each; refusal is never set. found is false when
// no slip has that number. Engine errors propagate.
EntrySlip::LoadedSlip loadExitSlip(Connection &company, qint64 number);

} // namespace ExitSlip
