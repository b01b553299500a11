#pragma once
// Asking a password, masked: a new one typed twice (an empty one or two different
// texts are refused and asked again), or an existing one once. In test mode the
// typed texts come from a queue, the refusals are recorded, and nothing is shown.
#include <QList>
#include <QString>
#include <optional>

class QWidget;

namespace PasswordPrompt {

// Why a new password is refused; empty when it is fine.
QString refusal(const QString &first, const QString &second);

// A new password, typed twice; empty when the user cancels.
std::optional<QString> askNew(const QString &caption, QWidget *parent = nullptr);
// An existing password, typed once; empty when the user cancels.
std::optional<QString> ask(const QString &caption, const QString &label, QWidget *parent = nullptr);

// ---- test seam ----
void setTestMode(bool on);  // also clears the queue and the record
bool testMode();
// What the user types next: for askNew the two texts, for ask the first alone.
// Nothing queued answers as a cancel.
void queueTyped(const QString &first, const QString &second = QString());
const QStringList &refusals();  // the refusals shown, in order
int asked();                    // how many prompts were shown

} // namespace PasswordPrompt
