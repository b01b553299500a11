#include "received/slip_register_grid.h"

#include "data/query.h"
#include "received/slip_register_filter.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>

namespace SlipRegister {

QVector<GridColumn> registerColumns(const char *accountField, const char *accountCaption)
{
    const QString &money = FormKit::kMoney, &date = FormKit::kDate;
    return {gridColumn("bordro_ind", "No", 50),
            gridColumn("islem_tarihi", "Tarih", 80, date),
            gridColumn(accountField, accountCaption, 200),
            gridColumn("para_birimi", "Para", 45),
            gridColumn("doviz_kuru", "Döviz Kuru", 80, money),
            gridColumn("toplam_tutari", "Tutarı", 105, money),
            gridColumn("ortalama_vade", "Ort.Vade", 80, date),
            gridColumn("toplam_vade_farki", "Vade Farkı", 90, money),
            gridColumn("toplam_masraflar", "Masraf", 80, money),
            gridColumn("BSMV", "BSMV", 75, money),
            gridColumn("toplam_net_tutar", "Net Tutar", 105, money),
            gridColumn("ortalama_gun", "Ort.Gün", 55),
            gridColumn("yildaki_gun", "Y.Gün", 45),
            gridColumn("yillik_faiz", "Y.Faiz", 60, money),
            gridColumn("aylik_faiz", "A.Faiz", 60, money),
            gridColumn("BSMV_oran", "BSMV %", 62, QStringLiteral("#0.00")),
            gridColumn("tah_sure_ekle", "TSE", 40),
            gridColumn("hafta_sonu_ekle", "HSE", 40),
            gridColumn("kalangun", "Kalan", 50)};
}

Grid buildGrid(QWidget *owner, Query &slips, const QDateEdit *day, const char *accountField,
               const char *accountCaption, QCheckBox *wholeRows)
{
    slips.addCalculatedField(QStringLiteral("kalangun"), FieldType::Long, [day](const Record &r) {
        if (r.isNull(QStringLiteral("ortalama_vade"))) return QVariant();
        return daysLeft(r.asDate(QStringLiteral("ortalama_vade")), day->date());
    });
    Grid g;
    g.grid = new DatasetGrid(owner);
    g.grid->setObjectName(QStringLiteral("FirmaGrid"));
    g.grid->setDataset(&slips, registerColumns(accountField, accountCaption));
    g.grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g.grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    g.correctItem = new QAction(QStringLiteral("Kayıt Düzelt"), g.grid);
    g.correctItem->setObjectName(QStringLiteral("kayitDuzeltItem"));
    g.grid->addAction(g.correctItem);
    g.grid->installEventFilter(owner);
    DatasetGrid *grid = g.grid;
    QObject::connect(wholeRows, &QCheckBox::toggled, grid, [grid](bool rows) {
        grid->setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    });
    return g;
}

} // namespace SlipRegister
