#include "given/exit_slip_print.h"

#include "data/display_format.h"
#include "data/memory_dataset.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/spreadsheet_address.h"
#include "data/sql_literals.h"
#include "given/exit_slip_save.h"
#include "reports/report.h"
#include "reports/report_expression.h"

namespace ExitSlipPrint {
namespace {

const QString kSheetAmount = QStringLiteral("#,##0.00");
const QString kSheetCount = QStringLiteral("#,##0");
constexpr int kLastColumn = ExitSlip::ExitColumnCount - 1;

bool isNumberColumn(int c) { return c >= EntrySlip::ColTutar && c <= EntrySlip::ColNet; }

} // namespace

QString printRefusal(bool changed, const QString &numberText)
{
    if (changed) return kUnsavedChanges;
    if (tamSayiOku(numberText) <= 0) return kNeverSaved;
    return QString();
}

QString accountAddress(Connection &company, const QString &code)
{
    Query q(&company);
    // Account codes compare by the program's one rule, Turkish case folded.
    q.sql() << QStringLiteral("SELECT firma_unvani_2, firma_adresi_1, adres_semt, adres_sehir FROM firma WHERE ")
                   + sqlCodeEquals(QStringLiteral("firma_kodu"), code);
    q.open();
    if (q.isEmpty()) return QString();
    const auto f = [&q](const char *name) { return q.value(QLatin1String(name)).toString(); };
    return f("firma_unvani_2") + u' ' + f("firma_adresi_1") + QStringLiteral("\n\r") + f("adres_semt") + QStringLiteral(" / ")
           + f("adres_sehir");
}

SpreadsheetWorkbook workbook(const Slip &s)
{
    SpreadsheetWorkbook book;
    // N counts the title row, as the grid on screen does.
    const int N = int(s.rows.size()) + 1;
    for (int c = 1; c <= kLastColumn; ++c)
        if (c != EntrySlip::ColAdat && !s.titles.value(c).isEmpty()) book.setCell(3, c, s.titles.value(c));
    for (int r = 1; r < N; ++r) {
        const QStringList &row = s.rows[r - 1];
        for (int c = 1; c <= kLastColumn; ++c) {
            if (c == EntrySlip::ColAdat) continue;  // the adat column stays empty
            const QString text = row.value(c);
            if (text.isEmpty()) continue;           // an empty cell stays empty, never 0
            if (isNumberColumn(c))
                book.setCell(r + 3, c, sayiOku(text));
            else
                book.setCell(r + 3, c, text);
        }
    }

    // Row 2 holds texts only: a date or a number there would count in the sums.
    book.setCell(1, 1, QStringLiteral("İşlem Yapılan Firma : ") + s.accountName);
    book.setCell(2, 1, QStringLiteral("İşlem Tarihi :"));
    book.setCell(2, 2, formatDate(QStringLiteral("dd.mm.yyyy"), s.date));
    book.setCell(2, 3, QStringLiteral("Yıldaki Gün :"));
    book.setCell(2, 4, s.yildakiGun);
    book.setCell(2, 5, QStringLiteral("Yıllık Faiz :"));
    book.setCell(2, 6, s.yillikFaiz);
    book.setCell(2, 7, QStringLiteral("Aylık Faiz :"));
    book.setCell(2, 8, s.aylikFaiz);
    book.setBold(QStringLiteral("A1"));
    book.setFontSize(QStringLiteral("A1"), 12);
    book.setBold(QStringLiteral("A2"));
    book.setFontSize(QStringLiteral("A2:IV3"), 12);
    book.setBold(QStringLiteral("A1:IV3"));

    book.setCell(N + 7, 1, QStringLiteral("Ortalama Vade:"));
    if (s.averageDate.isValid()) book.setCell(N + 7, 2, s.averageDate);
    book.setCell(N + 8, 1, QStringLiteral("Ortalama Gün:"));
    if (!s.averageDays.trimmed().isEmpty()) {
        const auto days = sayiOkuDene(s.averageDays);
        book.setCell(N + 8, 2, days ? QVariant(*days) : QVariant(s.averageDays));
    }
    const int sumRow = N + 5;
    for (int c = EntrySlip::ColTutar; c <= EntrySlip::ColNet; ++c) {
        const QString letter = columnLetters(c);
        book.setFormula(CellRange{sumRow, c, sumRow, c}, QStringLiteral("=Sum(%1%2:%1%3)").arg(letter).arg(1).arg(N + 3));
    }
    book.setBold(QStringLiteral("A%1:R%1").arg(sumRow));
    // Amounts with two decimals, the days as whole numbers, whatever the desktop's separators.
    book.setNumberFormat(QStringLiteral("B4:B%1").arg(sumRow), kSheetAmount);
    book.setNumberFormat(QStringLiteral("C4:C%1").arg(sumRow), kSheetCount);
    book.setNumberFormat(QStringLiteral("D4:F%1").arg(sumRow), kSheetAmount);
    book.setNumberFormat(QStringLiteral("B%1").arg(N + 8), kSheetCount);
    book.autoFit(QStringLiteral("A2"), QStringLiteral("R999"));
    book.autoFit(QStringLiteral("B2"), QStringLiteral("R999"));
    return book;
}

QString receiverName(const Dataset &given, const Dataset &own, const QString &accountName)
{
    if (given.isActive() && given.recordCount() > 0) {
        const QString name = given.recordAt(0).asString(QStringLiteral("ciro_firma"));
        if (!name.isEmpty()) return name;
    }
    if (own.isActive() && own.recordCount() > 0) {
        const QString name = own.recordAt(0).asString(QStringLiteral("cirolandigi_firma"));
        if (!name.isEmpty()) return name;
    }
    return accountName;
}

namespace {
const char *const kReceiptMemos[] = {"Memo22", "Memo57", "Memo39", "Memo19", "Memo14", "Memo61",
                                     "VerildigiFirma", "Memo28", "Memo31", "Memo34", "Memo17"};
constexpr int kPlainMemos = 7;  // the detailed receipts have the last four as well
} // namespace

std::unique_ptr<MemoryDataset> receiptTexts()
{
    QStringList fields;
    for (const char *m : kReceiptMemos) fields << QLatin1String(m);
    return std::make_unique<MemoryDataset>(fields);
}

void fillReceiptMemos(Report &r, MemoryDataset &texts, Receipt receipt, const Slip &s, const QString &address,
                      const QString &receiver)
{
    const QString shortDate = QStringLiteral("dd.mm.yyyy");
    texts.setRows({{s.currency, formatDate(shortDate, s.date), s.total, s.averageDays,
                    formatDate(shortDate, s.averageDate), normalizeLineBreaks(address), receiver, s.maturity, s.expense, s.bsmv, s.net}});
    r.registerDataset(kReceiptTexts, &texts);
    const int count = receipt == Receipt::Plain ? kPlainMemos : int(std::size(kReceiptMemos));
    for (int i = 0; i < count; ++i)
        r.setMemoText(QLatin1String(kReceiptMemos[i]), QStringLiteral("[%1.\"%2\"]").arg(kReceiptTexts, QLatin1String(kReceiptMemos[i])));
}

std::unique_ptr<Query> givenCheques(Connection &company, qint64 slipNumber)
{
    auto q = std::make_unique<Query>(&company, QStringLiteral("ciroTable"));
    q->sql() << QStringLiteral("SELECT * FROM cekciro WHERE ciro_bordro_ind=") + QString::number(slipNumber)
             << QStringLiteral("ORDER BY ciro_cek_ind");
    q->open();
    return q;
}

std::unique_ptr<Query> ownCheques(Connection &company, qint64 slipNumber)
{
    auto q = std::make_unique<Query>(&company, QStringLiteral("cekduzenleTable"));
    q->sql() << QStringLiteral("SELECT * FROM cekkendi WHERE bordro_ind=") + QString::number(slipNumber)
             << QStringLiteral("ORDER BY cek_ind");
    q->open();
    return q;
}

} // namespace ExitSlipPrint
