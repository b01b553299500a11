#pragma once
// The cash files of a company, one per working year (Data/A12024K.mdb). An
// operation that is corrected, redone or undone finds the cash row or movement it
// wrote before in whichever year's file holds it: these are the other years'
// files, opened for a save and joined to its transaction, so that the row found
// there goes in the same atomic commit.
#include <QVector>
#include <memory>

class Connection;
class QString;

namespace YearFiles {

// The years of the company's existing cash files, in order.
QVector<int> years(const QString &code);

// Connections to the cash files of every year but `exceptYear`, each opened on
// demand by the transaction that joins it. They live as long as this object.
class Others {
public:
    Others(const QString &code, int exceptYear);
    ~Others();
    Others(const Others &) = delete;
    Others &operator=(const Others &) = delete;
    const QVector<Connection *> &connections() const { return m_list; }
    int yearOf(const Connection *c) const;

private:
    std::vector<std::unique_ptr<Connection>> m_owned;
    QVector<Connection *> m_list;
    QVector<int> m_years;
};

} // namespace YearFiles
