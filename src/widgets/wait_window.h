#pragma once
// The wait window shown during long loops (saving a slip, recalculating, loading,
// transferring): a progress bar advanced once per row. Events are processed at
// each step so the window paints while the loop runs on the one UI thread.
#include <QDialog>

class QProgressBar;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    static inline const QString kKayit = QStringLiteral("Bekleyin kayıt yapıyor");
    static inline const QString kHesaplama = QStringLiteral("Bekleyin hesaplama yapıyor");
    static inline const QString kAktarim = QStringLiteral("Bekleyin aktarım yapıyor");

    explicit TForm2(QWidget *parent = nullptr);

    // Sets the bar's maximum to the rows to process, the caption, and shows the window centred.
    void start(int maximum, const QString &caption = kKayit);
    void step();
    void finish();
    QProgressBar *progressBar() const { return m_bar; }

private:
    QProgressBar *m_bar;
};

// Starts the wait window on construction and hides it when the loop is left, also
// by an exception.
class WaitScope {
public:
    WaitScope(TForm2 &window, int maximum, const QString &caption) : m_w(window) { m_w.start(maximum, caption); }
    ~WaitScope() { m_w.finish(); }
    void step() { m_w.step(); }
    WaitScope(const WaitScope &) = delete;
    WaitScope &operator=(const WaitScope &) = delete;

private:
    TForm2 &m_w;
};
