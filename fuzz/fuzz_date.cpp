// The date readers on any text: a date read is a real one that reads back the same
// from its shown form, and the entry slip's due-date completion either completes
// to such a date or says why not, without throwing.
#include "data/date_reading.h"
#include "data/field_value.h"
#include "received/entry_slip_calc.h"
#include "fuzz_support.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const int defaultYear : {0, 2024}) {
        const QDate d = tarihOku(text, defaultYear);
        if (!d.isValid()) continue;
        if (d.year() < 1 || d.year() > 9999) fuzz::fault("year out of range", text);
        if (tarihOku(d.toString(QStringLiteral("dd.MM.yyyy"))) != d) fuzz::fault("shown date reads back as another", text);
        if (!tarihAlanlari(text) && !text.trimmed().contains(u'-')) fuzz::fault("a date without its fields", text);
    }
    // A date field given the text reads the same date.
    const QDate read = tarihOku(text);
    if (read.isValid() && FieldValue::asDate(text) != read) fuzz::fault("a date field reads another date", text);

    const EntrySlip::DueDateResult due = EntrySlip::completeDueDate(text, 2024);
    switch (due.outcome) {
    case EntrySlip::DueDate::Valid:
        if (due.text.size() != 10 || !QDate::fromString(due.text, QStringLiteral("dd.MM.yyyy")).isValid())
            fuzz::fault("a completed due date that is no date", text + QStringLiteral(" -> ") + due.text);
        break;
    case EntrySlip::DueDate::Stop:
    case EntrySlip::DueDate::Invalid:
        if (due.message.isEmpty()) fuzz::fault("a refused due date without a message", text);
        break;
    case EntrySlip::DueDate::Empty:
        break;
    }
    return 0;
}
