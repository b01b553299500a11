#pragma once
// The small summary that stays on top while portfolio cheques are picked for the
// exit slip: the slip's totals, average due date and days. It shrinks to a
// button and opens again; "Ciroyu Tamamla" ends the picking.
#include <QWidget>

class QDateEdit;
class QLineEdit;
class QPushButton;

class TcikisozetF : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 490, kHeight = 130, kSmall = 35;

    explicit TcikisozetF(QWidget *parent = nullptr);

    void kucult();  // "Küçült": a 35 × 35 button that opens it again
    void ac();      // "AÇ": the whole summary

    QLineEdit *JustaEdit5 = nullptr;   // "Toplam Tutar"
    QLineEdit *JustaEdit6 = nullptr;   // "Toplam Vade Farkı"
    QLineEdit *JustaEdit7 = nullptr;   // "Toplam Masraflar"
    QLineEdit *JustaEdit8 = nullptr;   // "Toplam Net Tutar"
    QDateEdit *DateTimePicker16 = nullptr;  // "Ortalama Vadesi"
    QLineEdit *Edit59 = nullptr;       // "Gün"
    QPushButton *kucultBut = nullptr;
    QPushButton *acBut = nullptr;
    QPushButton *tamamlaBut = nullptr;

Q_SIGNALS:
    // "Ciroyu Tamamla": the exit slip hides the lists and this summary and shows itself.
    void tamamlandi();

private:
    QWidget *m_content = nullptr;
};
