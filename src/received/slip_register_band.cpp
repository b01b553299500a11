#include "received/slip_register_band.h"

#include "widgets/form_kit.h"
#include "widgets/key_filters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace SlipRegister {
namespace {

QCheckBox *tick(QWidget *parent, const char *name)
{
    auto *c = new QCheckBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(QDate::currentDate(), parent);
    d->setObjectName(QString::fromLatin1(name));
    KeyFilters::setupDateEdit(d);
    d->setFixedWidth(120);
    return d;
}

} // namespace

Band buildBand(QWidget *owner, const QString &title, const QString &codeLabel)
{
    Band b;
    b.panel = new QGroupBox(title, owner);
    b.panel->setObjectName(QStringLiteral("filtrePanel"));
    b.bordroEdit = FormKit::lineEdit(owner, "bordroEdit", QString(), 10);
    KeyFilters::installDigitsOnly(b.bordroEdit);
    b.firmaEdit = FormKit::lineEdit(owner, "firmaEdit", QString(), 20);
    b.firmaadiEdit = FormKit::lineEdit(owner, "firmaadiEdit", QString(), 50);
    b.dovizBox = new QComboBox(owner);
    b.dovizBox->setObjectName(QStringLiteral("dovizBox"));
    b.dovizBox->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    b.bordroCheck = tick(owner, "bordroCheck");
    b.koduCheck = tick(owner, "koduCheck");
    b.paraCheck = tick(owner, "paraCheck");
    b.firmaadiCheck = tick(owner, "firmaadiCheck");
    b.tarihCheck = tick(owner, "tarihCheck");
    b.orttarihCheck = tick(owner, "orttarihCheck");
    b.basDate = dateEdit(owner, "basDate");
    b.bitDate = dateEdit(owner, "bitDate");
    b.ortbasDate = dateEdit(owner, "ortbasDate");
    b.ortbitDate = dateEdit(owner, "ortbitDate");
    b.islemDate = dateEdit(owner, "islemDate");
    for (QLineEdit *e : {b.bordroEdit, b.firmaEdit}) e->setFixedWidth(150);
    b.dovizBox->setFixedWidth(150);
    b.firmaadiEdit->setMinimumWidth(260);

    QGridLayout *g = b.grid = new QGridLayout(b.panel);
    g->setHorizontalSpacing(8);
    const auto label = [owner](const QString &t) { return new QLabel(t, owner); };
    g->addWidget(label(QStringLiteral("Bordro No")), 0, 0);
    g->addWidget(b.bordroEdit, 0, 1);
    g->addWidget(b.bordroCheck, 0, 2);
    g->addWidget(label(codeLabel), 1, 0);
    g->addWidget(b.firmaEdit, 1, 1);
    g->addWidget(b.koduCheck, 1, 2);
    g->addWidget(label(QStringLiteral("Para Cinsi")), 2, 0);
    g->addWidget(b.dovizBox, 2, 1);
    g->addWidget(b.paraCheck, 2, 2);
    g->addWidget(label(QStringLiteral("Firma Adı")), 3, 0);
    g->addWidget(b.firmaadiEdit, 3, 1, 1, 4);
    g->addWidget(b.firmaadiCheck, 3, 5);
    g->addWidget(label(QStringLiteral("Bordro tarihi")), 0, 3);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 0, 4);
    g->addWidget(b.basDate, 0, 5);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 0, 6);
    g->addWidget(b.bitDate, 0, 7);
    g->addWidget(b.tarihCheck, 0, 8);
    g->addWidget(label(QStringLiteral("Ortalama vade")), 1, 3);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 1, 4);
    g->addWidget(b.ortbasDate, 1, 5);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 1, 6);
    g->addWidget(b.ortbitDate, 1, 7);
    g->addWidget(b.orttarihCheck, 1, 8);
    g->addWidget(label(QStringLiteral("İşlem tarihi")), 2, 4);
    g->addWidget(b.islemDate, 2, 5);
    return b;
}

void Band::addButtons(QPushButton *correct, QPushButton *refresh, QPushButton *filterButton, QPushButton *close,
                      QCheckBox *wholeRows) const
{
    auto *buttons = new QGridLayout;
    buttons->addWidget(correct, 0, 0);
    buttons->addWidget(refresh, 0, 1);
    buttons->addWidget(filterButton, 1, 0);
    buttons->addWidget(close, 1, 1);
    buttons->addWidget(wholeRows, 2, 0, 1, 2);
    for (QPushButton *p : {correct, refresh, filterButton, close}) p->setMinimumWidth(150);
    grid->addLayout(buttons, 0, 10, 4, 1);
    grid->setColumnStretch(9, 1);
}

Filter Band::filter() const
{
    Filter f;
    f.byNumber = bordroCheck->isChecked();
    f.number = bordroEdit->text();
    f.byCode = koduCheck->isChecked();
    f.code = firmaEdit->text();
    f.byCurrency = paraCheck->isChecked();
    f.currency = dovizBox->currentText();
    f.byName = firmaadiCheck->isChecked();
    f.name = firmaadiEdit->text();
    f.byDate = tarihCheck->isChecked();
    f.from = basDate->date();
    f.to = bitDate->date();
    f.byAverage = orttarihCheck->isChecked();
    f.averageFrom = ortbasDate->date();
    f.averageTo = ortbitDate->date();
    return f;
}

} // namespace SlipRegister
