#pragma once
// The save of the payment and collection entry, apart from its window: the
// checks in their order, the exchange rate rule, the currency amounts and the
// write through the movement writer. A free movement carries no link to a cheque
// or cash row; a correction writes only the fields the entry shows, so a cheque's
// movement keeps its link.
#include <QDate>
#include <QString>
#include <QVariant>

class Connection;

namespace MovementEntry {

inline const QString kNoAccount = QStringLiteral("Cari hesap kodu ve adı girmelisiniz.");
inline const QString kNoAmount = QStringLiteral("Borç veya alacak tutarı girmelisiniz.");
inline const QString kBothAmounts =
    QStringLiteral("Aynı anda hem borç ve alacak işlemi yapamazsınız. Bir tane işlemi iptal ediniz.");
inline const QString kSaved = QStringLiteral("İşlem başarıyla kayıt edildi");

struct Values {
    QDate islemTarihi;
    QDate vadeTarihi;
    QString dovizCinsi;
    QString cariKodu;
    QString cariHesapAdi;
    QVariant borcTutari;   // empty reads as zero
    QVariant alacakTutari;
    QVariant dovizKuru;
    QString aciklama;
};

// The question asked when the transaction date is in another year than the open
// cash file's.
QString workingYearQuestion(int workingYear, int enteredYear);

// The first failed check's message, empty when the movement may be saved.
QString check(const Values &v);

// The exchange rate stored: 1 when empty or zero, and always 1 for "TL".
double storedRate(const Values &v);

struct Saved {
    qint64 chid = 0;  // 0: the corrected movement is gone (deleted meanwhile), nothing written
    bool appended = false;
};
// Writes the movement (chid 0: a new one) in one transaction on the cash file.
// Amounts are stored rounded to kuruş; doviz_borc and doviz_alacak hold the rate
// times a positive amount and stay empty otherwise. Call check() first. Throws
// EngineError when the engine refuses the write (nothing is written then).
Saved save(Connection &cash, qint64 chid, const Values &v);

} // namespace MovementEntry
