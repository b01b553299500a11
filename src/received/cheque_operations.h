#pragma once
// What the collection, return and bounce windows do, without their widgets: the
// TL value and exchange difference of the operation day, and the writes of each
// operation. Every check runs before anything is written; the cheque and its cash
// row or account movement are committed together or not at all.
#include "accounts/cheque_return.h"

#include <QDate>
#include <QString>
#include <QVariant>

class Connection;
class Table;

namespace ChequeOperation {

// The fields of an operation window as texts ("#,##0.00" amounts).
struct Values {
    QString para;        // "Para"
    QString tutar;       // "Çek Tutarı"
    QString cekNo;       // "Çek No"
    QString bankasi;     // "Çek Bankası"
    QString subesi;      // "Banka Şubesi"
    QString kayitNo;     // "İşlem Kayıt No": the cheque's key in its table
    QString bordroNo;    // "Giriş Bordro No"
    QString duzenleyen;  // "Çeki Düzenleyen"
    QString firmaAdi;    // "Giriş Firma Adı" / "İade Firma Adı"
    QString firmaKodu;   // "İade Firma Kodu"
    QDate vadesi;        // "Vadesi"
    QDate tarih;         // "Tarih"
    QString girisTL;     // "Giriş TL"
    QString kuru;        // "Kuru"
    QString tl;          // "TL Karş."
    QString kurFarki;    // "Kur Farkı"
    bool box = true;     // "Kasaya Nakit Girişi..." / "Cari Hesaba Çek İade..."
};

// The TL value and exchange difference from "Kuru": with no rate above 0 the TL
// value is the amount and the difference 0,00; otherwise rate × amount, and the
// difference from the TL value at entry. Throws EngineError on a text that is no
// number. The action step also fixes a TL cheque at rate 1 and difference 0.
void hesapla(Values &v);
void hesaplaForAction(Values &v);

struct Result {
    bool done = false;
    QString message;  // why nothing was written
};

inline const QString kChequeMissing = QStringLiteral("Çek kaydı bulunamadı. İşlem yapılmadı.");
inline const QString kCollectionReason = QStringLiteral("PORTFÖYDEN ÇEK NAKİT TAHSİLAT");
inline const QString kRateNeeded =
    QStringLiteral("Döviz cinsinden çekin TL karşılığı için \"Kuru\" alanına işlem gününün kurunu giriniz. İşlem yapılmadı.");

// Collection: the cheque's collection fields and, with the box, its cash row
// (found by cekid, edited or appended) in the cash file of the operation's year,
// switching the working year to it first. cash is a table over `nakit` on the
// cash connection that holds no typed row.
Result collect(Values &v, Table &cheques, Table &cash);

// Return: the cheque's return date and, with the box, its debit movement on the
// account (found by number and kind) in the cash file of the operation's year.
Result giveBack(Values &v, Table &cheques);

// Where the bounce window's cheque lives.
enum class Source { None, Portfoy, Cirolanan, Duzenlenen };
Source sourceOf(const QString &karsiliksizKaynak);
// Bounce: only the bounce date of the cheque in its own table (`cekgiris`,
// `cekciro` or `cekkendi`); no movement. A source of None changes nothing.
Result bounce(Values &v, Source source, Table &table);

// Every operation reads the cheque again by its key inside its own transaction
// and refuses, naming the cheque and its state, when the state does not allow it
// (ChequeState::allows); nothing is written then. A repeated collection or return
// corrects the earlier one: its cash row or movement is found in whichever year's
// file holds it and moved, or removed when the box is now clear.
//
// Undoing a collection clears its four fields and removes its cash row, from
// whichever year holds it; undoing a return clears its date and removes its
// movement likewise; undoing an exit clears the endorsement fields (the exit
// slip's rows and the bank fields stay, and the cheque stays held by that slip).
Result undoCollection(qint64 chequeKey, Table &cheques);
Result undoReturn(qint64 chequeKey, Table &cheques);
Result undoExit(qint64 chequeKey, Table &cheques);

inline const QString kUndoCollectionQuestion = QStringLiteral(
    "Bu işlem çek tahslatının yapılmadığına dair işlem yapılacaktır.\n\r\n\rİşlem sonucu çek portföyde gözükecektir."
    "\n\r\n\rDevam edilsinmi?");
inline const QString kUndoReturnQuestion = QStringLiteral(
    "Bu işlem çekin iade edilmediğine dair işlem yapılacaktır.\n\r\n\rİadenin cari hesap kaydı silinecektir."
    "\n\r\n\rDevam edilsinmi?");
inline const QString kUndoExitQuestion = QStringLiteral(
    "Bu işlem çek çıkışının yapılmadığına dair işlem yapılacaktır.\n\r\n\rİşlem sonucu çek portföyde gözükecektir."
    "\n\r\n\rEğer çekin cirosunu silmek istiyorsanız çıkış bordrosundan yapmalısınız.\n\r\n\rDevam edilsinmi?");

} // namespace ChequeOperation

class Dataset;

namespace ChequeOperation {

enum class Window { Collection, Return, Bounce };

// An amount as the operation windows show it: "#,##0.00".
QString money(double value);

// What every cheque row (received, given or own) holds alike: amount, entry TL
// value, currency, cheque number, bank, branch, drawer and due date.
Values cardFields(Dataset &row);

// The fields of a window filled from the current row of a received cheque list;
// "Tarih" is the operation's own stored date, else listDate (collection, bounce)
// or today (return).
Values fromReceived(Dataset &row, Window window, const QDate &listDate);

// The collection window filled from the main window's portfolio: the stored
// cheque record. "Tarih" is the collection's date when set, else the due date; a
// rate, TL value or difference never stored shows empty, empty and "0".
Values fromDashboard(Dataset &cheque);

// Pieces the cheque operations share with the take-back of a given cheque.
// The key shown in an edit; 0 when it holds none.
qint64 keyOf(const QString &text);
// A typed rate is stored as typed: an empty "Kuru" stays empty.
QVariant rateValue(const QString &kuru);
// Reopens a cheque table unfiltered, so rows written elsewhere show, and moves to
// the row of the key; false when it is not stored.
bool findCheque(Table &t, const QString &keyField, qint64 key);
// Drops a pending edit of the table, whatever state it is in.
void cancelPending(Table &t);
// After a save that failed and rolled back: the pending edit dropped and the rows
// read again as the files hold them (nothing thrown).
void recoverAfterFailure(Table &t);

// The account movement of a returned received cheque (a debit of the account) or
// of a given or own cheque taken back (a credit), for record number `key`, at the
// values' date, rate, amount and TL value; found again by its key and edited.
void postReturnMovement(const Values &v, qint64 key, ChequeReturn::Kind kind);

} // namespace ChequeOperation
