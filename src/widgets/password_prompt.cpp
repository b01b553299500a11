#include "widgets/password_prompt.h"

#include "widgets/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPair>
#include <QPushButton>
#include <QQueue>
#include <QVBoxLayout>

namespace PasswordPrompt {
namespace {

struct TestState {
    bool on = false;
    QQueue<QPair<QString, QString>> typed;
    QStringList refusals;
    int asked = 0;
};
TestState &state()
{
    static TestState s;
    return s;
}

QLineEdit *maskedEdit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setEchoMode(QLineEdit::Password);
    e->setMinimumWidth(240);
    return e;
}

// Shows the dialog; the typed texts, or nothing on cancel.
std::optional<QPair<QString, QString>> showDialog(const QString &caption, const QString &label, bool twice, QWidget *parent)
{
    QDialog d(parent ? parent : QApplication::activeWindow());
    d.setObjectName(QStringLiteral("sifreSorF"));
    d.setWindowTitle(caption);
    auto *layout = new QVBoxLayout(&d);
    auto *form = new QFormLayout;
    QLineEdit *first = maskedEdit(&d, "sifreEdit");
    QLineEdit *second = twice ? maskedEdit(&d, "sifreTekrarEdit") : nullptr;
    form->addRow(label, first);
    if (second) form->addRow(QStringLiteral("Şifre (tekrar)"), second);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("TAMAM"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("VAZGEÇ"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    layout->addWidget(buttons);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return QPair<QString, QString>{first->text(), second ? second->text() : QString()};
}

std::optional<QPair<QString, QString>> typed(const QString &caption, const QString &label, bool twice, QWidget *parent)
{
    TestState &s = state();
    if (!s.on) return showDialog(caption, label, twice, parent);
    ++s.asked;
    if (s.typed.isEmpty()) return std::nullopt;
    return s.typed.dequeue();
}

void refuse(const QString &why)
{
    if (state().on) {
        state().refusals.append(why);
        return;
    }
    MessageBox::warning(why);
}

} // namespace

QString refusal(const QString &first, const QString &second)
{
    if (first.isEmpty()) return QStringLiteral("Şifre boş olamaz.");
    if (first != second) return QStringLiteral("Girilen iki şifre birbirini tutmuyor.");
    return {};
}

std::optional<QString> askNew(const QString &caption, QWidget *parent)
{
    for (;;) {
        const auto t = typed(caption, QStringLiteral("Yedek Şifresi"), true, parent);
        if (!t) return std::nullopt;
        const QString why = refusal(t->first, t->second);
        if (why.isEmpty()) return t->first;
        refuse(why);
    }
}

std::optional<QString> ask(const QString &caption, const QString &label, QWidget *parent)
{
    for (;;) {
        const auto t = typed(caption, label, false, parent);
        if (!t) return std::nullopt;
        if (!t->first.isEmpty()) return t->first;
        refuse(QStringLiteral("Şifre boş olamaz."));
    }
}

void setTestMode(bool on)
{
    state() = TestState{};
    state().on = on;
}
bool testMode() { return state().on; }
void queueTyped(const QString &first, const QString &second) { state().typed.enqueue({first, second}); }
const QStringList &refusals() { return state().refusals; }
int asked() { return state().asked; }

} // namespace PasswordPrompt
