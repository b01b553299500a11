#pragma once
// A yearly and a monthly interest rate edit that follow each other: typing in one
// sets the other (monthly = yearly / 12), led by the edit that has the focus.
// Leaving an edit hands the lead to the other one, so a value the program then puts
// into the edit just left still carries the other along. Both edits are yellow
// while they are typed in. A text that does not read as a number leaves the other
// edit as it was.
#include <QHash>
#include <QObject>
#include <QPair>

class QLineEdit;

class RateCoupling : public QObject {
    Q_OBJECT
public:
    RateCoupling(QLineEdit *yearly, QLineEdit *monthly, QObject *parent = nullptr);
    // No edit leads: both can be filled (from a card, a file) without the other following.
    void release() { m_lead = Lead::None; }

    // The shortest text of a rate, with a decimal comma ("1,5", "0,125"), never
    // with an exponent.
    static QString rateText(double v);

    // An edit shows at most its length of a rate the program put in; the rate in
    // full is kept and is what the calculations and files take. A text typed or set
    // otherwise is taken as it stands.
    QString fullText(const QLineEdit *edit) const;
    // Puts a rate into an edit (cut to the edit's length for the eye) and keeps it in full.
    void setFullText(QLineEdit *edit, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QLineEdit *from, QLineEdit *to, bool toYearly);
    enum class Lead { None, Yearly, Monthly } m_lead = Lead::None;
    bool m_setting = false;
    QLineEdit *m_yearly;
    QLineEdit *m_monthly;
    QHash<const QLineEdit *, QPair<QString, QString>> m_full;  // edit -> (rate in full, text shown)
};

// Paints an edit yellow while it has the focus (the rates, "Kuru").
void markTypingYellow(QLineEdit *edit);
