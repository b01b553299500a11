#pragma once
// The account picker's hand-off. A window that needs an account writes its context
// word into cariSecimYeri and shows the account cards; a pick hands the card to the
// target registered for that word. Each window registers its own target when it is
// built, so the cards window never needs to know the windows that use it.
#include <QString>
#include <functional>

class Dataset;

// The card values the openers take over.
struct PickedAccount {
    QString kodu;
    QString adi;
    QString musteriSatici;  // "Müşteri", "Satıcı" or "Banka"
    // The card's numbers as the slips show them ("25,4808"); an empty field is handed
    // on as an empty text, never as "0" (an empty "Yıldaki Gün" means 365).
    QString yildakiGun;
    QString yillikFaiz;
    QString aylikFaiz;
    QString masraf;
    QString bsmv;
    QString tahsilatSureEkle;
    bool haftaSonuEkle = false;
    bool vadeFarkiDus = false;
    bool masrafDus = false;
    bool bsmvDus = false;

    // The slips' account-type choice: 0 customer, 1 supplier, 2 bank.
    int hesapTuru() const;
    // The current card of a dataset over the cards table.
    static PickedAccount fromCurrent(Dataset &cards);
};

namespace AccountPicker {

using Handler = std::function<void(const PickedAccount &)>;

struct Target {
    Handler handOver;
    // After the hand-off the picker hides, unless this is false (the main menu).
    bool hidesPicker = true;
    // When set and false at the moment of the pick, nothing happens and the picker
    // stays (the movement entry takes a card only while a movement is being typed).
    std::function<bool()> ready;
};

// The program-wide context word; empty at start.
QString &cariSecimYeri();

void registerTarget(const QString &context, Target target);
void registerHandler(const QString &context, Handler handler);
void unregisterTarget(const QString &context);
bool hasTarget(const QString &context);

enum class Outcome { HandedOver, Stayed, NotReady, NoTarget };

// Hands the card to the target of the current context. "anamenu" is built in:
// nothing is handed over and the picker stays.
Outcome handOver(const PickedAccount &card);

// Clears the context and every registered target (shutdown, tests).
void reset();

} // namespace AccountPicker
