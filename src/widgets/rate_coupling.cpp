#include "widgets/rate_coupling.h"

#include "data/engine_error.h"
#include "data/typed_numbers.h"

#include <QEvent>
#include <QLineEdit>

namespace {

class YellowWhileTyping : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            auto *edit = static_cast<QLineEdit *>(watched);
            QPalette pal = edit->palette();
            pal.setColor(QPalette::Base, event->type() == QEvent::FocusIn ? QColor(Qt::yellow) : QColor(Qt::white));
            edit->setPalette(pal);
        }
        return false;
    }
};

} // namespace

void markTypingYellow(QLineEdit *edit) { edit->installEventFilter(new YellowWhileTyping(edit)); }

QString RateCoupling::rateText(double v)
{
    QString s = QString::number(v, 'g', 15);
    if (s.contains(u'e')) {
        // A tiny rate in positional digits: the files and edits read no exponent.
        s = QString::number(v, 'f', 20);
        while (s.endsWith(u'0')) s.chop(1);
        if (s.endsWith(u'.')) s.chop(1);
    }
    return s.replace(u'.', u',');
}

QString RateCoupling::fullText(const QLineEdit *edit) const
{
    const auto it = m_full.constFind(edit);
    if (it != m_full.constEnd() && it->second == edit->text()) return it->first;
    return edit->text();
}

void RateCoupling::setFullText(QLineEdit *edit, const QString &text)
{
    const bool wasSetting = m_setting;
    edit->setText(text);
    m_full.insert(edit, {text, edit->text()});
    m_setting = wasSetting;
}

RateCoupling::RateCoupling(QLineEdit *yearly, QLineEdit *monthly, QObject *parent)
    : QObject(parent), m_yearly(yearly), m_monthly(monthly)
{
    markTypingYellow(yearly);
    markTypingYellow(monthly);
    yearly->installEventFilter(this);
    monthly->installEventFilter(this);
    connect(yearly, &QLineEdit::textChanged, this, [this] {
        if (m_lead == Lead::Yearly) follow(m_yearly, m_monthly, false);
    });
    connect(monthly, &QLineEdit::textChanged, this, [this] {
        if (m_lead == Lead::Monthly) follow(m_monthly, m_yearly, true);
    });
}

void RateCoupling::follow(QLineEdit *from, QLineEdit *to, bool toYearly)
{
    if (m_setting) return;
    QString t = from->text();
    t.remove(u' ');
    try {
        const double v = t.isEmpty() ? 0.0 : strictNumber(t);
        m_setting = true;
        setFullText(to, rateText(toYearly ? v * 12 : v / 12));
    } catch (const EngineError &) {
    }
    m_setting = false;
}

bool RateCoupling::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) m_lead = watched == m_yearly ? Lead::Yearly : Lead::Monthly;
    else if (event->type() == QEvent::FocusOut) m_lead = watched == m_yearly ? Lead::Monthly : Lead::Yearly;
    return false;
}
