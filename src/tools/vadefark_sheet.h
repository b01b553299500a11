#pragma once
// What the calculator window shows, as texts: the parameters, the grid's rows and
// the results. The file, the printouts and the export are built from it, so they
// need no window.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace VadeFark {

struct Sheet {
    // Parameters.
    QString firmaAdi;
    QDate hesapTarihi;
    QString yildakiGun, yillikFaiz, aylikFaiz, borcEkSure, alacakEkSure;
    bool borcHaftaSonu = false, alacakHaftaSonu = false;
    // The grid: its titles (row 0) and its lines, the empty input row last.
    QStringList titles;
    QVector<QStringList> rows;
    // Results, as the edits and date pickers show them.
    QString borcToplam, alacakToplam, bakiye, borcFark, alacakFark, netFark;
    QString borcOrtGun, alacakOrtGun, genelOrtGun;
    QDate borcOrtVade, alacakOrtVade, genelOrtVade;
};

} // namespace VadeFark
