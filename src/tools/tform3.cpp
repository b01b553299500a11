#include "tools/tform3.h"

#include "data/engine_error.h"
#include "data/spreadsheet_reader.h"
#include "received/entry_slip_calc.h"
#include "received/tcekortf.h"
#include "tools/import_steps.h"
#include "widgets/file_dialog.h"
#include "widgets/form_kit.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/slip_grid.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Brenvo Çek Senet Takip - Excelden Veri Aktarımı");
}

TForm3::TForm3(QWidget *parent) : QWidget(parent)
{
    using FormKit::button;
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(kCaption);
    auto *root = new QVBoxLayout(this);
    auto *fields = new QGridLayout;
    const auto field = [&](const char *name, const QString &caption, int digits, int col) {
        auto *label = new QLabel(caption, this);
        auto *edit = FormKit::lineEdit(this, name, QStringLiteral("1"), digits);
        KeyFilters::installDigitsOnly(edit);
        edit->setFixedWidth(70);
        fields->addWidget(label, 0, col);
        fields->addWidget(edit, 1, col);
        return std::make_pair(label, edit);
    };
    JvDotNetEdit19 = field("JvDotNetEdit19", QStringLiteral("İşlem Tarihi Sütunu"), 2, 0).second;
    JvDotNetEdit20 = field("JvDotNetEdit20", QStringLiteral("Baş. Satır"), 5, 1).second;
    JvDotNetEdit21 = field("JvDotNetEdit21", QStringLiteral("Bitiş Satır"), 5, 2).second;
    auto amount = field("JvDotNetEdit3", QStringLiteral("Çek Tutar Sütunu"), 2, 3);
    tutarLabel = amount.first;
    JvDotNetEdit3 = amount.second;
    JvDotNetEdit4 = field("JvDotNetEdit4", QStringLiteral("Açıklama Sütunu"), 2, 4).second;
    fields->setColumnStretch(5, 1);
    root->addLayout(fields);

    auto *buttons = new QHBoxLayout;
    yeniDosyaBut = button(this, "yeniDosyaBut", QStringLiteral("Yeni Dosya"));
    excelAlBut = button(this, "excelAlBut", QStringLiteral(" Excelden Al"));
    aktarBut = button(this, "aktarBut", QStringLiteral("Çeklere Aktar"));
    kapatBut = button(this, "kapatBut", QStringLiteral("KAPAT"));
    m_helpBut = makeHelpButton(this, QStringLiteral("ycekcikis"), nullptr);
    for (QPushButton *b : {yeniDosyaBut, excelAlBut, aktarBut, kapatBut}) {
        b->setMinimumWidth(120);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(m_helpBut);
    root->addLayout(buttons);

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->verticalHeader()->setDefaultSectionSize(24);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(80);
    StringGrid1->verticalHeader()->setMinimumWidth(44);
    StringGrid1->setCornerButtonEnabled(false);
    // The corner cell names what the headers count: sheet rows and columns.
    auto *corner = new QLabel(QStringLiteral("Sa/Sü"), StringGrid1);
    corner->setAlignment(Qt::AlignCenter);
    corner->setObjectName(QStringLiteral("cornerLabel"));
    connect(StringGrid1->verticalHeader(), &QHeaderView::geometriesChanged, corner, [this, corner] {
        corner->setGeometry(StringGrid1->frameWidth(), StringGrid1->frameWidth(), StringGrid1->verticalHeader()->width(),
                            StringGrid1->horizontalHeader()->height());
    });
    setGridSize(100, 3);
    root->addWidget(StringGrid1, 1);

    connect(yeniDosyaBut, &QPushButton::clicked, this, &TForm3::yeniDosya);
    connect(excelAlBut, &QPushButton::clicked, this, &TForm3::excelAl);
    connect(aktarBut, &QPushButton::clicked, this, &TForm3::ceklereAktar);
    connect(kapatBut, &QPushButton::clicked, this, &QWidget::hide);
    KeyFilters::installEnterMovesFocus(this);
    resize(900, 600);
}

void TForm3::setYardim(TyardimF *help) { connectHelpButton(m_helpBut, QStringLiteral("ycekcikis"), help); }

void TForm3::setGridSize(int rows, int columns)
{
    StringGrid1->clearContents();
    StringGrid1->setRowCount(rows);
    StringGrid1->setColumnCount(columns);
}

void TForm3::yeniDosya() { setGridSize(2, 9); }

QVector<QStringList> TForm3::gridTexts() const
{
    QVector<QStringList> out(StringGrid1->rowCount());
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        for (int c = 0; c < StringGrid1->columnCount(); ++c) {
            const QTableWidgetItem *item = StringGrid1->item(r, c);
            out[r] << (item ? item->text() : QString());
        }
    return out;
}

bool TForm3::excelAl()
{
    const QString path = FileDialog::openFile(QStringLiteral("Excel Dosyası Aç"), QString(),
                                              QStringLiteral("Excel Dosyaları (*.xls *.xlsx *.ods)"), this);
    if (path.isEmpty()) return false;
    return readFile(path);
}

bool TForm3::readFile(const QString &path)
{
    StringGrid1->clearContents();
    QVector<QStringList> texts;
    try {
        texts = SheetImport::sheetTexts(readSpreadsheet(path));
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    const int columns = texts.isEmpty() ? 1 : int(texts.first().size());
    setGridSize(int(texts.size()), columns);
    StringGrid1->setUpdatesEnabled(false);
    for (int r = 0; r < texts.size(); ++r)
        for (int c = 0; c < texts[r].size(); ++c)
            if (!texts[r][c].isEmpty()) StringGrid1->setItem(r, c, new QTableWidgetItem(texts[r][c]));
    StringGrid1->setUpdatesEnabled(true);
    setWindowTitle(MessageBox::kCaption + QStringLiteral("  - Excel Dosya Aktarma - ") + QFileInfo(path).absoluteFilePath() +
                   QStringLiteral(" - Dosyası Aktarıldı"));
    MessageBox::information(QStringLiteral("Tablo aktarıldı!"));
    return true;
}

bool TForm3::ceklereAktar()
{
    if (!m_slip) return false;
    const SheetImport::Transfer t = SheetImport::transferRows(
        gridTexts(), {JvDotNetEdit19->text(), JvDotNetEdit20->text(), JvDotNetEdit21->text(), JvDotNetEdit3->text(),
                      JvDotNetEdit4->text()});
    if (!t.error.isEmpty()) {
        MessageBox::warning(t.error);
        return false;
    }
    // Rows typed and not saved are replaced only when the user agrees.
    SlipGrid *grid = m_slip->StringGrid1;
    grid->commitOpenEditor();
    bool typed = false;
    for (const QStringList &r : grid->rows())
        if (!r.value(EntrySlip::ColVade).trimmed().isEmpty() || !r.value(EntrySlip::ColTutar).trimmed().isEmpty())
            typed = true;
    if (typed && m_slip->girisDegisti &&
        !MessageBox::askYesNo(QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?")))
        return false;

    // The cheques make a new slip: a saved slip's number would leave its old cheques outside its totals.
    m_slip->JustaEdit1->clear();
    grid->clearRows();
    grid->setRowCount(int(t.rows.size()) + 1);
    for (int r = 0; r < t.rows.size(); ++r) grid->writeRow(r, t.rows[r]);
    grid->renumber();
    for (const QString &m : t.messages) MessageBox::warning(m);
    m_slip->hesapla();
    m_slip->girisDegisti = true;
    hide();
    return true;
}
