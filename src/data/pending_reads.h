#pragma once
// Query results are read from their statement as they are needed, so a statement
// may stay part-read while the user looks at the first rows. Such a statement
// holds a read lock on its file, which would keep a writer (ours on another handle,
// or a file joined to a save) waiting, and it would see rows written after the
// query was opened. So before anything writes, every part-read result reads the
// rest of its rows: a query stays the static snapshot of the moment it was opened.
#include <QtGlobal>

class PendingReader {
public:
    virtual ~PendingReader() = default;
    // Reads every remaining row and lets the statement go; never throws.
    virtual void finishReading() noexcept = 0;
};

namespace PendingReads {

void add(PendingReader *reader);
void remove(PendingReader *reader);
bool any();
// Called before a statement writes, a transaction begins, a file is joined to or
// leaves a save, and before a file is probed for another program's locks.
void finishAll() noexcept;

} // namespace PendingReads
