#include "issued/tcekduzenlef.h"

#include "data/display_format.h"
#include "data/number_reading.h"
#include "given/tcekcikisf.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <QComboBox>
#include <algorithm>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr QChar kComma = u',';
constexpr QChar kGroup = u'.';

// The digits grouped by three from the right ("1234" -> "1.234").
QString grouped(const QString &digits)
{
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += kGroup;
        out += digits[i];
    }
    return out;
}

} // namespace

bool TcekduzenleF::tutarTusu(QString &text, int &cursor, int selectionLength, QChar key)
{
    const bool backspace = key == kBackspace;
    if (!backspace && !key.isDigit() && key != kComma) return false;
    if (!backspace && key.isDigit() && key.unicode() >= 128) return false;
    QString t = text;
    int pos = std::clamp(cursor, 0, int(t.size()));
    const int comma = int(t.indexOf(kComma));
    if (!backspace) {
        // A second comma, or a third decimal, is refused.
        if (key == kComma && comma >= 0 && selectionLength == 0) return false;
        if (comma >= 0 && t.size() - comma - 1 >= 2 && selectionLength == 0) return false;
    }
    if (selectionLength > 0) {
        t.remove(pos, selectionLength);
        if (backspace) {
            text = t;
            cursor = pos;
            return true;
        }
    }
    if (t.contains(kComma) || key == kComma) {
        // With a comma the text is typed as it is.
        if (backspace) {
            if (pos == 0) return true;
            t.remove(pos - 1, 1);
            --pos;
        } else {
            t.insert(pos, key);
            ++pos;
        }
        text = t;
        cursor = pos;
        return true;
    }
    // The integer part alone: the digit goes in (or out) at its place among the
    // digits and the whole is grouped again; the cursor keeps its distance from the end.
    const int fromEnd = int(t.size()) - pos;
    int digitsBefore = 0;
    for (int i = 0; i < pos; ++i)
        if (t[i].isDigit()) ++digitsBefore;
    QString digits;
    for (QChar c : t)
        if (c.isDigit()) digits += c;
    if (backspace) {
        if (digitsBefore == 0) return true;
        digits.remove(digitsBefore - 1, 1);
    } else {
        digits.insert(digitsBefore, key);
    }
    text = grouped(digits);
    cursor = std::max(0, int(text.size()) - fromEnd);
    return true;
}

TcekduzenleF::TcekduzenleF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TcekduzenleF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Çek Düzenleme"));
    auto *root = new QVBoxLayout(this);
    root->addWidget(FormKit::heading(this, "baslikLabel", QStringLiteral("ÇEK/SENET DÜZENLEME ")));
    vadesiDate = new QDateEdit(QDate::currentDate(), this);
    vadesiDate->setObjectName(QStringLiteral("vadesiDate"));
    KeyFilters::setupDateEdit(vadesiDate);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    dovizBox->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    tutarEdit = FormKit::lineEdit(this, "tutarEdit", QString(), 20);
    tutarEdit->setAlignment(Qt::AlignRight);
    tutarEdit->installEventFilter(this);
    bankasiEdit = FormKit::lineEdit(this, "bankasiEdit", QString(), 20);
    subesiEdit = FormKit::lineEdit(this, "subesiEdit", QString(), 20);
    hesapnoEdit = FormKit::lineEdit(this, "hesapnoEdit", QString(), 20);
    ceknoEdit = FormKit::lineEdit(this, "ceknoEdit", QString(), 20);
    aciklamaEdit = FormKit::lineEdit(this, "aciklamaEdit", QString(), 20);
    cekidEdit = FormKit::lineEdit(this, "cekidEdit");
    siraEdit = FormKit::lineEdit(this, "siraEdit");
    for (QLineEdit *e : {cekidEdit, siraEdit}) {
        e->hide();
        e->setFocusPolicy(Qt::NoFocus);
    }
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const QPair<QString, QWidget *> fields[] = {
        {QStringLiteral("Vadesi"), vadesiDate},    {QStringLiteral("Para Cinsi"), dovizBox},
        {QStringLiteral("Tutar"), tutarEdit},      {QStringLiteral("Bankası"), bankasiEdit},
        {QStringLiteral("Şubesi"), subesiEdit},    {QStringLiteral("Hesap No"), hesapnoEdit},
        {QStringLiteral("Çek No"), ceknoEdit},     {QStringLiteral("Açıklama"), aciklamaEdit}};
    int row = 0;
    for (const auto &[label, w] : fields) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(w, row++, 1);
        w->setMinimumWidth(220);
    }
    root->addLayout(grid);
    duzenleBut = FormKit::button(this, "duzenleBut", QStringLiteral("Çek Düzenle"));
    tamamlaBut = FormKit::button(this, "tamamlaBut", QStringLiteral("Çek Düzenlemeyi Tamamla"));
    kapatBut = FormKit::button(this, "kapatBut", QStringLiteral("Kapat"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {duzenleBut, tamamlaBut, kapatBut}) {
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 32);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    KeyFilters::installEnterMovesFocus(this);

    connect(duzenleBut, &QPushButton::clicked, this, [this] {
        Duzenle();
        focusNextChild();
        focusNextChild();
    });
    connect(tamamlaBut, &QPushButton::clicked, this, [this] {
        // A cheque refused for its currency stays in the window, so nothing typed is lost.
        if (Duzenle() == Outcome::Refused) return;
        focusNextChild();
        hide();
    });
    connect(kapatBut, &QPushButton::clicked, this, [this] {
        bosalt();
        hide();
    });
}

ExitSlip::OwnCheque TcekduzenleF::cheque() const
{
    ExitSlip::OwnCheque c;
    c.due = vadesiDate->date();
    c.currency = dovizBox->currentText();
    c.amount = sayiOkuDene(tutarEdit->text()).value_or(0.0);
    c.bank = bankasiEdit->text();
    c.branch = subesiEdit->text();
    c.account = hesapnoEdit->text();
    c.number = ceknoEdit->text();
    c.description = aciklamaEdit->text();
    c.key = cekidEdit->text();
    c.row = siraEdit->text().toInt();
    return c;
}

TcekduzenleF::Outcome TcekduzenleF::Duzenle()
{
    if (!sayiOkuDene(tutarEdit->text())) {
        // Pasted text that is no amount is said so, never read as another amount.
        MessageBox::information(QStringLiteral("Tutar geçerli bir sayı değil."));
        return Outcome::Refused;
    }
    const ExitSlip::OwnCheque c = cheque();
    if (c.amount == 0) return Outcome::NoAmount;
    if (!m_slip || !m_slip->kendiCekiYaz(c)) return Outcome::Refused;
    bosalt();
    return Outcome::Written;
}

void TcekduzenleF::bosalt()
{
    vadesiDate->setDate(QDate::currentDate());
    for (QLineEdit *e : {tutarEdit, bankasiEdit, subesiEdit, hesapnoEdit, ceknoEdit, aciklamaEdit, cekidEdit, siraEdit})
        e->clear();
}

void TcekduzenleF::doldur(const ExitSlip::OwnCheque &c)
{
    vadesiDate->setDate(c.due.isValid() ? c.due : QDate::currentDate());
    dovizBox->setCurrentText(c.currency);
    tutarEdit->setText(formatFloat(FormKit::kMoney, c.amount));
    bankasiEdit->setText(c.bank);
    subesiEdit->setText(c.branch);
    hesapnoEdit->setText(c.account);
    ceknoEdit->setText(c.number);
    aciklamaEdit->setText(c.description);
    cekidEdit->setText(c.key);
    siraEdit->setText(c.row > 0 ? QString::number(c.row) : QString());
}

void TcekduzenleF::goster()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    vadesiDate->setFocus();
}

bool TcekduzenleF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tutarEdit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const int k = key->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        const QString typed = k == Qt::Key_Backspace ? QString(kBackspace) : key->text();
        if (typed.isEmpty() || (!typed[0].isPrint() && typed[0] != kBackspace)) return false;  // arrows, Delete, Home
        QString text = tutarEdit->text();
        int cursor = tutarEdit->hasSelectedText() ? tutarEdit->selectionStart() : tutarEdit->cursorPosition();
        const int selection = tutarEdit->hasSelectedText() ? int(tutarEdit->selectedText().size()) : 0;
        if (tutarTusu(text, cursor, selection, typed[0])) {
            tutarEdit->setText(text);
            tutarEdit->setCursorPosition(cursor);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TcekduzenleF::hideEvent(QHideEvent *event)
{
    // Hiding the window, by any means, empties it.
    if (!event->spontaneous()) bosalt();
    QWidget::hideEvent(event);
}
