#pragma once
// What a return of a received cheque and a take-back of a given or own cheque
// share: the movement's key and the description of the cheque.
//
// cek_iade_id holds the record number of three kinds of cheque (received, given,
// own), whose numbers overlap; the kind is kept in bosint1, which nothing else
// writes, so a return never edits a take-back's movement of the same number.
#include "accounts/movement_writer.h"

#include <QDate>
#include <QString>

namespace ChequeReturn {

enum class Kind { Received = 1, Given = 2, Own = 3 };

// The key of a return's or take-back's movement.
MovementWriter::Fields movementKey(qint64 recordNumber, Kind kind);

// The non-empty ones of bank and cheque number, then the due date (dd.mm.yyyy),
// joined by single spaces, followed by the suffix: " Vadeli Çek Tahsilatı" for a
// collection, " Vadeli Çek İadesi" for a return or take-back.
QString description(const QString &bank, const QString &chequeNo, const QDate &due, const QString &suffix);
inline const QString kCollectionSuffix = QStringLiteral(" Vadeli Çek Tahsilatı");
inline const QString kReturnSuffix = QStringLiteral(" Vadeli Çek İadesi");

} // namespace ChequeReturn
