#include "data/pending_reads.h"

#include <QList>

namespace PendingReads {
namespace {
QList<PendingReader *> &readers()
{
    static QList<PendingReader *> list;
    return list;
}
} // namespace

void add(PendingReader *reader)
{
    if (!readers().contains(reader)) readers().append(reader);
}

void remove(PendingReader *reader) { readers().removeAll(reader); }

bool any() { return !readers().isEmpty(); }

void finishAll() noexcept
{
    // Each reader removes itself when done.
    while (!readers().isEmpty()) {
        PendingReader *r = readers().takeFirst();
        r->finishReading();
    }
}

} // namespace PendingReads
