#include "tools/tvadefark2f.h"

#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/ini_text.h"
#include "data/memory_dataset.h"
#include "data/program_home.h"
#include "reports/layouts_tools.h"
#include "reports/report.h"
#include "tools/mail_compose.h"
#include "tools/vadefark_export.h"
#include "tools/vadefark_file.h"
#include "widgets/file_dialog.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/rate_coupling.h"
#include "widgets/slip_grid.h"
#include "widgets/spreadsheet_show.h"
#include "widgets/wait_window.h"

#include <QHash>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QDateTime>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace VadeFark;
using FormKit::button;
using FormKit::kDays;
using FormKit::kMoney;
using FormKit::lineEdit;
using FormKit::resultEdit;

namespace {

const QString kMailFolders = QStringLiteral("Gecici");

// The workbooks of earlier mails: a mail program has read its attachment within a
// day, so folders older than that go when the program starts.
void removeOldMailCopies()
{
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    const QDir base(ProgramHome::path(kMailFolders));
    for (const QFileInfo &f : base.entryInfoList({QStringLiteral("posta-*")}, QDir::Dirs | QDir::NoDotAndDotDot))
        if (f.lastModified() < dayAgo) QDir(f.absoluteFilePath()).removeRecursively();
}

const QString kIniFile = QStringLiteral("Ayarlar.ini");
const QString kSection = QStringLiteral("Ayar");
const QString kFilter = QStringLiteral("Vade Farkı Dosyası (*.fdv)");
const QString kDeleteCaption = QStringLiteral("Brenvo Vade Farkı Hesaplama Programı");

QVector<SlipColumn> gridColumns()
{
    using E = SlipColumn::Editor;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter, centre = Qt::AlignCenter,
                        left = Qt::AlignLeft | Qt::AlignVCenter;
    return {
        {"", 30, true},
        {"İşlem Tarihi", 84, false, E::DueDate, centre},
        {"Vade Tarihi", 84, false, E::DueDate, centre},
        {"Açıklama", 200, false, E::Text, left},
        {"Borç Tutarı", 100, false, E::Decimal, right},
        {"Alacak Tutarı", 100, false, E::Decimal, right},
        {"Gün", 44, true, E::Text, right},
        {"B.Vade Farkı", 90, true, E::Text, right},
        {"A.Vade Farkı", 90, true, E::Text, right},
        {"Borç Adat", -1, true, E::Text, right},
        {"Alacak Adat", -1, true, E::Text, right},
        {"Index", -1, true},
        {"Index2", -1, true},
    };
}

QDateEdit *resultDate(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(QDate::currentDate(), parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setMinimumDate(QDate(1899, 12, 31));
    d->setMaximumDate(QDate(9999, 12, 31));
    // Shown, not typed: read-only rather than greyed out, so the date stays readable.
    d->setReadOnly(true);
    d->setButtonSymbols(QAbstractSpinBox::NoButtons);
    d->setAlignment(Qt::AlignRight);
    d->setFocusPolicy(Qt::ClickFocus);
    return d;
}

QString dosyaFolder()
{
    const QString dir = ProgramHome::path(QStringLiteral("Dosya"));
    QDir().mkpath(dir);
    return dir;
}

} // namespace

Tvadefark2F::Tvadefark2F(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Tvadefark2F"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı - Vade Farkı Hesaplama"));
    removeOldMailCopies();
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->addWidget(buildButtons());
    auto *root = new QVBoxLayout;
    outer->addLayout(root, 1);
    buildParameters(root);
    buildGrid(root);
    buildResults(root);
    KeyFilters::installEnterMovesFocus(this);

    m_lines = std::make_unique<MemoryDataset>(QStringList{QStringLiteral("satir")});
    m_header = std::make_unique<MemoryDataset>(QStringList{QStringLiteral("memo1"), QStringLiteral("memo5"),
                                                           QStringLiteral("memo6"), QStringLiteral("memo7"),
                                                           QStringLiteral("memo8"), QStringLiteral("memo9")});
    oranlariOku();
    resize(1280, 780);
}

Tvadefark2F::~Tvadefark2F() = default;

QWidget *Tvadefark2F::buildButtons()
{
    auto *box = new QWidget(this);
    auto *l = m_buttonColumn = new QVBoxLayout(box);
    l->setContentsMargins(0, 0, 0, 0);
    box->setFixedWidth(190);
    BitBtn45 = button(this, "BitBtn45", QStringLiteral("İŞLEMİ KAYDET"));
    BitBtn46 = button(this, "BitBtn46", QStringLiteral("KAYITTAN AÇ"));
    BitBtn26 = button(this, "BitBtn26", QStringLiteral("EXCEL'E VERİ AKTAR"));
    BitBtn28 = button(this, "BitBtn28", QStringLiteral("YAZDIR"));
    oranlariSaklaBut = button(this, "oranlariSaklaBut", QStringLiteral("ORANLARI SAKLA"));
    yenidenHesaplaBut = button(this, "yenidenHesaplaBut", QStringLiteral("YENİDEN HESAPLA"));
    sifirlaBut = button(this, "sifirlaBut", QStringLiteral("SIFIRLA"));
    siralaBut = button(this, "siralaBut", QStringLiteral("KAYITLARI SIRALA"));
    for (QPushButton *b : {BitBtn45, BitBtn46, BitBtn26, BitBtn28, oranlariSaklaBut, yenidenHesaplaBut, sifirlaBut, siralaBut}) {
        b->setMinimumHeight(36);
        l->addWidget(b);
    }
    l->addStretch();
    connect(BitBtn45, &QPushButton::clicked, this, &Tvadefark2F::islemiKaydet);
    connect(BitBtn46, &QPushButton::clicked, this, &Tvadefark2F::kayittanAc);
    connect(BitBtn26, &QPushButton::clicked, this, &Tvadefark2F::excelAktar);
    connect(BitBtn28, &QPushButton::clicked, this, [this] { yazdir(PrintKind::Differences); });
    connect(oranlariSaklaBut, &QPushButton::clicked, this, &Tvadefark2F::oranlariSakla);
    connect(yenidenHesaplaBut, &QPushButton::clicked, this, &Tvadefark2F::yenidenHesapla);
    connect(sifirlaBut, &QPushButton::clicked, this, &Tvadefark2F::sifirla);
    connect(siralaBut, &QPushButton::clicked, this, &Tvadefark2F::kayitlariSirala);
    return box;
}

void Tvadefark2F::buildParameters(QVBoxLayout *root)
{
    firmaadiEdit = lineEdit(this, "firmaadiEdit");
    firmaadiEdit->setMinimumWidth(260);
    DateTimePicker61 = new QDateEdit(QDate::currentDate(), this);
    DateTimePicker61->setObjectName(QStringLiteral("DateTimePicker61"));
    KeyFilters::setupDateEdit(DateTimePicker61);
    yildakigunEdit = lineEdit(this, "yildakigunEdit", QString(), 3);
    KeyFilters::installDigitsOnly(yildakigunEdit);
    yillikfaizEdit = lineEdit(this, "yillikfaizEdit", QString(), 8);
    KeyFilters::installDecimalKeys(yillikfaizEdit);
    aylikfaizEdit = lineEdit(this, "aylikfaizEdit", QString(), 8);
    KeyFilters::installDecimalKeys(aylikfaizEdit);
    borceksureEdit = lineEdit(this, "borceksureEdit", QString(), 4);
    KeyFilters::installDigitsOnly(borceksureEdit);
    alacakeksureEdit = lineEdit(this, "alacakeksureEdit", QString(), 4);
    KeyFilters::installDigitsOnly(alacakeksureEdit);
    CheckBox8 = new QCheckBox(QStringLiteral("Borç Cumartesi - Pazar Ekle"), this);
    CheckBox8->setObjectName(QStringLiteral("CheckBox8"));
    CheckBox9 = new QCheckBox(QStringLiteral("Alacak Cumartesi - Pazar Ekle"), this);
    CheckBox9->setObjectName(QStringLiteral("CheckBox9"));
    m_rates = new RateCoupling(yillikfaizEdit, aylikfaizEdit, this);
    for (QLineEdit *e : {yildakigunEdit, yillikfaizEdit, aylikfaizEdit, borceksureEdit, alacakeksureEdit}) {
        e->setFixedWidth(80);
        e->setAlignment(Qt::AlignRight);
    }
    DateTimePicker61->setFixedWidth(120);

    auto *g = new QGridLayout;
    g->setHorizontalSpacing(8);
    g->addWidget(new QLabel(QStringLiteral("Firma Adı"), this), 0, 0);
    g->addWidget(firmaadiEdit, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Hesap Tarihi"), this), 1, 0);
    g->addWidget(DateTimePicker61, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Yıldaki Gün"), this), 0, 4);
    g->addWidget(yildakigunEdit, 0, 5);
    g->addWidget(new QLabel(QStringLiteral("Yıllık Faiz"), this), 0, 6);
    g->addWidget(yillikfaizEdit, 0, 7);
    g->addWidget(new QLabel(QStringLiteral("Aylık Faiz"), this), 1, 6);
    g->addWidget(aylikfaizEdit, 1, 7);

    auto *extra = new QGroupBox(QStringLiteral("Ek Süre"), this);
    auto *el = new QGridLayout(extra);
    el->addWidget(new QLabel(QStringLiteral("Borç"), extra), 0, 0);
    el->addWidget(borceksureEdit, 0, 1);
    el->addWidget(CheckBox8, 0, 2);
    el->addWidget(new QLabel(QStringLiteral("Alacak"), extra), 1, 0);
    el->addWidget(alacakeksureEdit, 1, 1);
    el->addWidget(CheckBox9, 1, 2);
    g->addWidget(extra, 0, 8, 2, 1);
    g->setColumnStretch(9, 1);
    root->addLayout(g);

    // The order Enter follows.
    const QList<QWidget *> order = {firmaadiEdit, DateTimePicker61, yildakigunEdit, yillikfaizEdit, aylikfaizEdit,
                                    borceksureEdit, CheckBox8, alacakeksureEdit, CheckBox9};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void Tvadefark2F::buildGrid(QVBoxLayout *root)
{
    auto *band = new QHBoxLayout;
    auto *title = FormKit::heading(this, "baslikLabel", QStringLiteral("VADE FARKI HESAPLAMA TABLOSU"), 3);
    title->setAlignment(Qt::AlignCenter);
    title->setAutoFillBackground(true);
    QPalette pal = title->palette();
    pal.setColor(QPalette::Window, QColor(211, 231, 211));
    title->setPalette(pal);
    mailgonder = new QToolButton(this);
    mailgonder->setObjectName(QStringLiteral("mailgonder"));
    mailgonder->setToolTip(QStringLiteral("Outlook'tan Mail Olarak Gönder"));
    mailgonder->setText(QStringLiteral("Mail"));
    YazdirButton = new QToolButton(this);
    YazdirButton->setObjectName(QStringLiteral("YazdirButton"));
    YazdirButton->setToolTip(QStringLiteral("Yazıcı Önizlemeyi Göster"));
    YazdirButton->setText(QStringLiteral("Önizle"));
    band->addWidget(title, 1);
    band->addWidget(mailgonder);
    band->addWidget(YazdirButton);
    root->addLayout(band);
    connect(mailgonder, &QToolButton::clicked, this, &Tvadefark2F::mailgonderClick);
    connect(YazdirButton, &QToolButton::clicked, this, [this] { yazdir(PrintKind::Descriptions); });

    StringGrid3 = new SlipGrid(gridColumns(), this);
    StringGrid3->setObjectName(QStringLiteral("StringGrid3"));
    StringGrid3->setKeyColumns(ColVade, ColAciklama);
    StringGrid3->setGroupedColumns({ColBorc, ColAlacak});
    StringGrid3->setNextInputColumn([](int col) { return col < ColAlacak ? col + 1 : -1; });
    StringGrid3->setNextRowColumn(ColIslem);
    StringGrid3->setRowColours(QColor(249, 255, 225), QColor(223, 235, 255), QColor(211, 231, 211));
    StringGrid3->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(211, 231, 211); border: 1px solid #a0b8a0; padding: 2px; }"));
    StringGrid3->setRowExit([this] { return satirHesapla(); });
    StringGrid3->addCommand("satirEkleItem", QStringLiteral("  Satır Ekle   "), QKeySequence(Qt::SHIFT | Qt::Key_Insert),
                            [this] { satirEkle(); });
    StringGrid3->addCommand("satirSilItem", QStringLiteral("  Satır Sil   "), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                            [this] { satirSil(); });
    StringGrid3->addCommand("yenidenHesaplaItem", QStringLiteral("  Yeniden Hesapla"), QKeySequence(Qt::Key_F3),
                            [this] { yenidenHesapla(); });
    StringGrid3->addCommand("sifirlaItem", QStringLiteral("  Sıfırla"), QKeySequence(Qt::Key_F7), [this] { sifirla(); });
    connect(StringGrid3, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (row < 0) return;
        // The calculated columns are read, not selected.
        if (col > ColAlacak) {
            const QSignalBlocker block(StringGrid3);
            StringGrid3->setCurrentCell(row, ColAlacak);
            col = ColAlacak;
        }
        // Reaching the description of the last row with its due date typed opens the next row.
        if (col == ColAciklama && row == StringGrid3->rowCount() - 1
            && StringGrid3->rowCells(row).value(ColVade).size() > 7)
            StringGrid3->addEmptyRow();
    });
    root->addWidget(StringGrid3, 1);
}

void Tvadefark2F::buildResults(QVBoxLayout *root)
{
    borctoplamEdit = resultEdit(this, "borctoplamEdit");
    alacaktoplamtutarEdit = resultEdit(this, "alacaktoplamtutarEdit");
    bakiyetutarEdit = resultEdit(this, "bakiyetutarEdit");
    borcvadefarkEdit = resultEdit(this, "borcvadefarkEdit");
    alacakvadefarkEdit = resultEdit(this, "alacakvadefarkEdit");
    netvadefarkEdit = resultEdit(this, "netvadefarkEdit");
    borcortgunEdit = resultEdit(this, "borcortgunEdit", 70);
    alacakortEdit = resultEdit(this, "alacakortEdit", 70);
    genelortgunEdit = resultEdit(this, "genelortgunEdit", 70);
    DateTimePicker76 = resultDate(this, "DateTimePicker76");
    DateTimePicker3 = resultDate(this, "DateTimePicker3");
    DateTimePicker4 = resultDate(this, "DateTimePicker4");
    for (QLineEdit *e : {borctoplamEdit, alacaktoplamtutarEdit, bakiyetutarEdit, borcvadefarkEdit, alacakvadefarkEdit,
                         netvadefarkEdit, borcortgunEdit, alacakortEdit, genelortgunEdit})
        e->setFocusPolicy(Qt::ClickFocus);

    auto *g = new QGridLayout;
    g->setHorizontalSpacing(8);
    const QPair<QString, QWidget *> cells[3][4] = {
        {{QStringLiteral("Borç Toplam Tutar"), borctoplamEdit}, {QStringLiteral("Borç Vade Farkı"), borcvadefarkEdit},
         {QStringLiteral("Borç Ort.Vade"), DateTimePicker76}, {QStringLiteral("Borç Ortalama Gün"), borcortgunEdit}},
        {{QStringLiteral("Alacak Toplam Tutar"), alacaktoplamtutarEdit}, {QStringLiteral("Alacak Vade Farkı"), alacakvadefarkEdit},
         {QStringLiteral("Alacak Ort.Vade"), DateTimePicker3}, {QStringLiteral("Alacak Ortalama Gün"), alacakortEdit}},
        {{QStringLiteral("Bakiye Tutarı"), bakiyetutarEdit}, {QStringLiteral("Net Vade Farkı (*)"), netvadefarkEdit},
         {QStringLiteral("Genel Ortalama Vade"), DateTimePicker4}, {QStringLiteral("Genel Ortalama Gün"), genelortgunEdit}}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            auto *label = new QLabel(cells[r][c].first, this);
            if (c > 0) label->setContentsMargins(10, 0, 0, 0);
            g->addWidget(label, r, c * 2);
            g->addWidget(cells[r][c].second, r, c * 2 + 1);
            cells[r][c].second->setFixedWidth(c == 3 ? 70 : c == 2 ? 110 : 130);
        }
    }
    QFont bold = bakiyetutarEdit->font();
    bold.setBold(true);
    bakiyetutarEdit->setFont(bold);
    netvadefarkEdit->setFont(bold);

    // Under the buttons: the rate that would offset the balance.
    auto *rate = new QGroupBox(this);
    rate->setObjectName(QStringLiteral("faizBulGroup"));
    auto *rl = new QGridLayout(rate);
    rl->setContentsMargins(6, 6, 6, 6);
    auto *rateTitle = new QLabel(QStringLiteral("BAKİYE SIFIRLAMAYA GÖRE FAİZİ BUL"), rate);
    rateTitle->setWordWrap(true);
    rateTitle->setAlignment(Qt::AlignCenter);
    faizBulBut = button(this, "faizBulBut", QStringLiteral("FAİZ BUL"));
    yillikfaizneolurEdit = resultEdit(this, "yillikfaizneolurEdit", 100);
    aylikfaizneolurEdit = resultEdit(this, "aylikfaizneolurEdit", 100);
    yillikfaizneolurEdit->setText(QStringLiteral("0,00"));
    aylikfaizneolurEdit->setText(QStringLiteral("0,00"));
    rl->addWidget(rateTitle, 0, 0, 1, 2);
    rl->addWidget(faizBulBut, 1, 0, 1, 2);
    // Each rate on a line of its own: shown in full precision, it can be long.
    rl->addWidget(new QLabel(QStringLiteral("% Yıllık"), rate), 2, 0, 1, 2);
    rl->addWidget(yillikfaizneolurEdit, 3, 0, 1, 2);
    rl->addWidget(new QLabel(QStringLiteral("% Aylık"), rate), 4, 0, 1, 2);
    rl->addWidget(aylikfaizneolurEdit, 5, 0, 1, 2);
    faizBulBut->setMinimumHeight(32);
    connect(faizBulBut, &QPushButton::clicked, this, &Tvadefark2F::faizBul);
    m_buttonColumn->insertSpacing(m_buttonColumn->count() - 1, 12);
    m_buttonColumn->insertWidget(m_buttonColumn->count() - 1, rate);

    auto *row = new QHBoxLayout;
    row->addLayout(g);
    row->addStretch();
    root->addLayout(row);

    auto *note = new QLabel(QStringLiteral("(*) Net Vade Farkı (-) tutar veriyorsa hesap vade farkından alacaklıdır. Yani "
                                           "alacağının ortalama vadesi borcunun ortalama vadesinden  daha erkendir. Hesabına "
                                           "vade farkı alacak olarak geçilmelidir."),
                            this);
    note->setObjectName(QStringLiteral("notLabel"));
    note->setWordWrap(true);
    root->addWidget(note);
}

Params Tvadefark2F::params() const
{
    Params p;
    p.hesapTarihi = DateTimePicker61->date();
    p.yildakiGun = yildakigunEdit->text();
    p.yillikFaiz = m_rates->fullText(yillikfaizEdit);
    p.borcEkSure = borceksureEdit->text();
    p.alacakEkSure = alacakeksureEdit->text();
    p.borcHaftaSonu = CheckBox8->isChecked();
    p.alacakHaftaSonu = CheckBox9->isChecked();
    return p;
}

QVector<QStringList> Tvadefark2F::rows() const { return StringGrid3->rows(); }

void Tvadefark2F::setRows(const QVector<QStringList> &rows)
{
    const QSignalBlocker block(StringGrid3);
    StringGrid3->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) StringGrid3->writeRow(r, rows[r]);
    if (rows.isEmpty()) StringGrid3->clearRows();
}

Tvadefark2F::Step Tvadefark2F::lineStep(int row, QStringList *problems)
{
    QStringList cells = StringGrid3->rowCells(row);
    Params p = params();
    LineResult result;
    try {
        result = calculateLine(cells, p);
    } catch (const EngineError &e) {
        if (problems) *problems << QString::number(row + 1) + u'\t' + e.message();
        else MessageBox::error(e.message());
        return Step::Stopped;
    }
    if (m_rates->fullText(yillikfaizEdit) != p.yillikFaiz) m_rates->setFullText(yillikfaizEdit, p.yillikFaiz);
    StringGrid3->writeRow(row, cells);
    if (!result.message.isEmpty()) {
        if (problems) *problems << QString::number(row + 1) + u'\t' + result.message;
        else MessageBox::warning(result.message);
    }
    switch (result.outcome) {
    case LineOutcome::Calculated: return Step::Calculated;
    case LineOutcome::NotCalculated: return Step::NotCalculated;
    case LineOutcome::Stopped: break;
    }
    return Step::Stopped;
}

void Tvadefark2F::showResults()
{
    Results r;
    try {
        r = calculateResults(rows(), DateTimePicker61->date(), borcortgunEdit->text(), alacakortEdit->text());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    borctoplamEdit->setText(formatFloat(kMoney, r.borc));
    alacaktoplamtutarEdit->setText(formatFloat(kMoney, r.alacak));
    bakiyetutarEdit->setText(formatFloat(kMoney, r.bakiye));
    borcvadefarkEdit->setText(formatFloat(kMoney, r.borcFark));
    alacakvadefarkEdit->setText(formatFloat(kMoney, r.alacakFark));
    netvadefarkEdit->setText(formatFloat(kMoney, r.netFark));
    const auto average = [](const std::optional<int> &days, const QDate &date, QLineEdit *edit, QDateEdit *picker) {
        if (!days) return;
        edit->setText(formatFloat(kDays, *days));
        picker->setDate(date);
    };
    average(r.borcOrtGun, r.borcOrtVade, borcortgunEdit, DateTimePicker76);
    average(r.alacakOrtGun, r.alacakOrtVade, alacakortEdit, DateTimePicker3);
    average(r.genelOrtGun, r.genelOrtVade, genelortgunEdit, DateTimePicker4);
}

bool Tvadefark2F::satirHesapla()
{
    const int r = StringGrid3->currentRow();
    if (r < 0) return true;
    const Step step = lineStep(r);
    if (step == Step::Stopped) return false;
    showResults();
    return true;
}

// "Şu satırlar hesaplanamadı:" and each reason once, with its lines:
// "Yıldaki gün sıfır olamaz. (satır 1, 2)". problems: "row<TAB>reason".
QString Tvadefark2F::notCalculatedText(const QStringList &problems)
{
    QStringList reasons;
    QHash<QString, QStringList> lines;
    for (const QString &p : problems) {
        const QString row = p.section(u'\t', 0, 0), reason = p.section(u'\t', 1);
        if (!lines.contains(reason)) reasons << reason;
        lines[reason] << row;
    }
    QStringList out{QStringLiteral("Şu satırlar hesaplanamadı:")};
    for (const QString &r : reasons) out << r + QStringLiteral(" (satır ") + lines[r].join(QStringLiteral(", ")) + u')';
    return out.join(u'\n');
}

void Tvadefark2F::yenidenHesapla()
{
    StringGrid3->commitOpenEditor();
    const int count = StringGrid3->rowCount();
    if (count + 1 < 3) return;  // the title row and the input row alone
    {
        const QSignalBlocker block(StringGrid3);
        StringGrid3->setCurrentCell(0, std::max(StringGrid3->currentColumn(), int(ColIslem)));
    }
    std::unique_ptr<WaitScope> wait;
    if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, count, TForm2::kHesaplama);
    // Every line is computed; the lines that could not be are named once at the end.
    QStringList problems;
    for (int r = 0; r < count - 1; ++r) {
        lineStep(r, &problems);
        if (wait) wait->step();
    }
    wait.reset();
    showResults();
    if (!problems.isEmpty()) MessageBox::warning(notCalculatedText(problems));
}

void Tvadefark2F::satirEkle()
{
    StringGrid3->commitOpenEditor();
    const int r = std::max(0, StringGrid3->currentRow());
    {
        const QSignalBlocker block(StringGrid3);
        StringGrid3->insertRow(r);
        StringGrid3->writeRow(r, QStringList(ColumnCount));
        StringGrid3->renumber();
    }
    yenidenHesapla();
}

void Tvadefark2F::satirSil()
{
    StringGrid3->commitOpenEditor();
    int r = StringGrid3->currentRow();
    if (r < 0) return;
    const QSignalBlocker block(StringGrid3);
    if (!StringGrid3->rowCells(r).value(ColIslem).isEmpty()) {
        const int answer = MessageBox::show(kDeleteCaption, QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?"),
                                            MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No | MessageBox::Cancel);
        if (answer == MessageBox::Yes) {
            StringGrid3->removeRow(r);
            r = std::min(r, StringGrid3->rowCount() - 1);
        }
    }
    // An empty row left current goes as well, without a question.
    if (r >= 0 && StringGrid3->rowCells(r).value(ColIslem).isEmpty()) StringGrid3->removeRow(r);
    // The list always ends with its empty input row: the recalculation leaves the
    // last row out, so a filled row must never be last.
    const int last = StringGrid3->rowCount() - 1;
    if (last < 0 || !isEmptyLine(StringGrid3->rowCells(last))) StringGrid3->addEmptyRow();
    StringGrid3->renumber();
    StringGrid3->setCurrentCell(std::clamp(r, 0, StringGrid3->rowCount() - 1), std::max(int(ColIslem), StringGrid3->currentColumn()));
    yenidenHesapla();
}

void Tvadefark2F::Bosalt()
{
    StringGrid3->clearRows();
    for (QLineEdit *e : {borctoplamEdit, alacaktoplamtutarEdit, bakiyetutarEdit, borcvadefarkEdit, alacakvadefarkEdit,
                         netvadefarkEdit, borcortgunEdit, alacakortEdit, genelortgunEdit})
        e->clear();
    yillikfaizneolurEdit->setText(QStringLiteral("0,00"));
    aylikfaizneolurEdit->setText(QStringLiteral("0,00"));
    for (QDateEdit *d : {DateTimePicker76, DateTimePicker3, DateTimePicker4}) d->setDate(QDate::currentDate());
}

void Tvadefark2F::sifirla()
{
    if (MessageBox::askYesNo(QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?"))) Bosalt();
}

void Tvadefark2F::kayitlariSirala()
{
    StringGrid3->commitOpenEditor();
    QVector<QStringList> all = rows();
    sortRows(all, DateTimePicker61->date().year());
    setRows(all);
    yenidenHesapla();
}

void Tvadefark2F::oranlariSakla()
{
    const QString path = ProgramHome::path(kIniFile);
    IniText ini = IniText::load(path);
    // "ayfaiz" holds the yearly rate and "yilfaiz" the monthly one: files written so
    // far keep their meaning.
    ini.setValue(kSection, QStringLiteral("yilgun"), yildakigunEdit->text());
    ini.setValue(kSection, QStringLiteral("ayfaiz"), m_rates->fullText(yillikfaizEdit));
    ini.setValue(kSection, QStringLiteral("yilfaiz"), m_rates->fullText(aylikfaizEdit));
    ini.setValue(kSection, QStringLiteral("borcgun"), borceksureEdit->text());
    ini.setValue(kSection, QStringLiteral("alacakgun"), alacakeksureEdit->text());
    ini.setValue(kSection, QStringLiteral("borcCheck"), CheckBox8->isChecked() ? QStringLiteral("1") : QStringLiteral("2"));
    ini.setValue(kSection, QStringLiteral("alacakCheck"), CheckBox9->isChecked() ? QStringLiteral("1") : QStringLiteral("2"));
    QString error;
    if (!ini.save(path, &error)) MessageBox::error(QStringLiteral("Oranlar saklanamadı:\n\r") + path + QStringLiteral("\n\r") + error);
}

void Tvadefark2F::oranlariOku()
{
    const IniText ini = IniText::load(ProgramHome::path(kIniFile));
    m_rates->release();
    yildakigunEdit->setText(ini.value(kSection, QStringLiteral("yilgun")));
    m_rates->setFullText(yillikfaizEdit, ini.value(kSection, QStringLiteral("ayfaiz")));
    m_rates->setFullText(aylikfaizEdit, ini.value(kSection, QStringLiteral("yilfaiz")));
    borceksureEdit->setText(ini.value(kSection, QStringLiteral("borcgun")));
    alacakeksureEdit->setText(ini.value(kSection, QStringLiteral("alacakgun")));
    CheckBox8->setChecked(ini.value(kSection, QStringLiteral("borcCheck")) == u"1");
    CheckBox9->setChecked(ini.value(kSection, QStringLiteral("alacakCheck")) == u"1");
}

void Tvadefark2F::faizBul()
{
    const auto rate = offsettingRate(borcortgunEdit->text(), alacakortEdit->text(), bakiyetutarEdit->text(),
                                     borctoplamEdit->text(), alacaktoplamtutarEdit->text());
    if (!rate) {
        // Nothing to divide: no rate, not the result of an earlier balance.
        yillikfaizneolurEdit->setText(formatFloat(kMoney, 0));
        aylikfaizneolurEdit->setText(formatFloat(kMoney, 0));
        return;
    }
    yillikfaizneolurEdit->setText(RateCoupling::rateText(rate->yearly));
    aylikfaizneolurEdit->setText(RateCoupling::rateText(rate->monthly));
}

Sheet Tvadefark2F::sheet() const
{
    Sheet s;
    s.firmaAdi = firmaadiEdit->text();
    s.hesapTarihi = DateTimePicker61->date();
    s.yildakiGun = yildakigunEdit->text();
    s.yillikFaiz = m_rates->fullText(yillikfaizEdit);
    s.aylikFaiz = m_rates->fullText(aylikfaizEdit);
    s.borcEkSure = borceksureEdit->text();
    s.alacakEkSure = alacakeksureEdit->text();
    s.borcHaftaSonu = CheckBox8->isChecked();
    s.alacakHaftaSonu = CheckBox9->isChecked();
    s.titles = columnTitles();
    s.rows = rows();
    s.borcToplam = borctoplamEdit->text();
    s.alacakToplam = alacaktoplamtutarEdit->text();
    s.bakiye = bakiyetutarEdit->text();
    s.borcFark = borcvadefarkEdit->text();
    s.alacakFark = alacakvadefarkEdit->text();
    s.netFark = netvadefarkEdit->text();
    s.borcOrtGun = borcortgunEdit->text();
    s.alacakOrtGun = alacakortEdit->text();
    s.genelOrtGun = genelortgunEdit->text();
    s.borcOrtVade = DateTimePicker76->date();
    s.alacakOrtVade = DateTimePicker3->date();
    s.genelOrtVade = DateTimePicker4->date();
    return s;
}

void Tvadefark2F::islemiKaydet()
{
    StringGrid3->commitOpenEditor();
    QString proposed = firmaadiEdit->text();
    proposed.replace(u'/', u'-');
    const QString chosen = FileDialog::saveFileNoOverwriteQuestion(QStringLiteral("Vade Farkı Dosyası Sakla"),
                                                                   dosyaFolder() + u'/' + proposed, kFilter, this);
    if (chosen.isEmpty()) return;
    const QString path = fdvFileName(chosen);
    if (QFileInfo::exists(path) && !MessageBox::askYesNo(QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?"))) return;
    QString error;
    if (!writeFile(path, fileLines(sheet()), &error)) MessageBox::error(QStringLiteral("Dosya Saklanamıyor:\r") + path);
}

void Tvadefark2F::kayittanAc()
{
    const QString path = FileDialog::openFile(QStringLiteral("Vade Farkı Dosyası Aç"), dosyaFolder(), kFilter, this);
    if (path.isEmpty() || !QFileInfo::exists(path)) return;
    dosyaAc(path);
}

bool Tvadefark2F::dosyaAc(const QString &path)
{
    QString message;
    const std::optional<LoadedFile> f = readFile(path, &message);
    if (!f) {
        MessageBox::error(message);
        return false;
    }
    yildakigunEdit->setText(f->yildakiGun);
    // The rates are set as typing sets them: the edit that leads carries the other.
    m_rates->setFullText(yillikfaizEdit, f->yillikFaiz);
    m_rates->setFullText(aylikfaizEdit, f->aylikFaiz);
    borceksureEdit->setText(f->borcEkSure);
    alacakeksureEdit->setText(f->alacakEkSure);
    firmaadiEdit->setText(f->firmaAdi);
    if (f->borcHaftaSonu) CheckBox8->setChecked(*f->borcHaftaSonu);
    if (f->alacakHaftaSonu) CheckBox9->setChecked(*f->alacakHaftaSonu);
    DateTimePicker61->setDate(f->hesapTarihi);
    QVector<QStringList> loaded = f->rows;
    // A list always ends with its empty input row, also when a file lacks it.
    if (!isEmptyLine(loaded.last())) {
        QStringList empty(ColumnCount);
        empty[ColNo] = QString::number(loaded.size() + 1);
        loaded << empty;
    }
    setRows(loaded);
    yenidenHesapla();
    return true;
}

void Tvadefark2F::excelAktar()
{
    StringGrid3->commitOpenEditor();
    {
        const QSignalBlocker block(StringGrid3);
        StringGrid3->setCurrentCell(0, std::max(int(ColIslem), StringGrid3->currentColumn()));
    }
    showSpreadsheet(buildWorkbook(sheet()), QStringLiteral("VadeFarki"));
}

Report Tvadefark2F::rapor(PrintKind kind)
{
    yenidenHesapla();
    const PrintText t = printText(sheet(), kind);
    m_header->setRows({{t.memo1, t.memo5, t.memo6, t.memo7, t.memo8, t.memo9}});
    QVector<QVariantList> lines;
    lines.reserve(t.body.size());
    for (const QString &l : t.body) lines.append({l});
    m_lines->setRows(lines);
    Report report(vadeFarkiLayout());
    report.registerDataset(kVadeFarkiLines, m_lines.get());
    report.registerDataset(kVadeFarkiHeader, m_header.get());
    return report;
}

void Tvadefark2F::yazdir(PrintKind kind) { rapor(kind).showPreview(this, kPrintCaption); }

void Tvadefark2F::mailgonderClick()
{
    StringGrid3->commitOpenEditor();
    // Each mail's workbook in a folder of its own, left in place: the mail program
    // reads the attachment when the mail is sent. Folders older than a day go at
    // the next start.
    const QString base = ProgramHome::path(kMailFolders);
    QDir().mkpath(base);
    QTemporaryDir folder(base + QStringLiteral("/posta-XXXXXX"));
    folder.setAutoRemove(false);
    const QString path = folder.isValid() ? folder.filePath(QStringLiteral("Rapor.xlsx")) : QString();
    const QString error = path.isEmpty() ? QStringLiteral("'%1' klasörü oluşturulamadı.").arg(base)
                                         : buildWorkbook(sheet()).save(path);
    if (!error.isEmpty()) {
        MessageBox::error(QString(SpreadsheetExport::kCannotOpen).replace(QLatin1String("%s"), error));
        return;
    }
    m_lastMailFile = path;
    const QString name = firmaadiEdit->text();
    MailCompose::compose({QStringLiteral("@"), name, name, path}, this, [path](MailCompose::Outcome outcome) {
        switch (outcome) {
        case MailCompose::Outcome::Composed: break;
        case MailCompose::Outcome::NoMailProgram: MessageBox::warning(MailCompose::kNoMailProgram); break;
        case MailCompose::Outcome::FolderOpened: MessageBox::information(MailCompose::kFolderOpened + path); break;
        }
    });
}
